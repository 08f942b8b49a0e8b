#pragma once

#include <QObject>

// Port and switch of the WebSocket server; a value is announced only when it changes.
class WebSocketServerSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int portNumber READ portNumber WRITE setPortNumber NOTIFY portNumberChanged)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledFlagChanged)
public:
    explicit WebSocketServerSettings(QObject *parent = nullptr)
        : QObject(parent)
    {}

    int portNumber() const { return m_portNumber; }
    bool enabled() const { return m_enabled; }
    // A port the server can listen on; the settings file may hold any number.
    static bool isValidPort(int port) { return port >= 1 && port <= 65535; }
    void setPortNumber(int portNumber)
    {
        if (m_portNumber == portNumber)
            return;
        m_portNumber = portNumber;
        Q_EMIT portNumberChanged(portNumber);
    }
    void setEnabled(bool enabled)
    {
        if (m_enabled == enabled)
            return;
        m_enabled = enabled;
        Q_EMIT enabledFlagChanged(enabled);
    }

Q_SIGNALS:
    void portNumberChanged(int portNumber);
    void enabledFlagChanged(bool enabled);

private:
    int m_portNumber = 8081;
    bool m_enabled = false;
};
