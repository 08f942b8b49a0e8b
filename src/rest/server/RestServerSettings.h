#pragma once

#include <QObject>
#include <QString>

namespace ovra::rest::server {

// Host, port and switch of the local HTTP server; a value is announced only
// when it changes. An empty host name listens on all IPv4 interfaces.
class RestServerSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString hostName READ hostName WRITE setHostName NOTIFY hostNameChanged)
    Q_PROPERTY(int portNumber READ portNumber WRITE setPortNumber NOTIFY portNumberChanged)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledFlagChanged)
public:
    explicit RestServerSettings(QObject *parent = nullptr)
        : QObject(parent)
    {}

    QString hostName() const { return m_hostName; }
    int portNumber() const { return m_portNumber; }
    bool enabled() const { return m_enabled; }

    // A port a server can listen on; the settings file may hold any number.
    static bool isValidPort(int port) { return port >= 1 && port <= 65535; }
    // Empty (all IPv4 interfaces), an IPv4 or IPv6 address, or a host name
    // of letters, digits, hyphens and dots.
    static bool isValidHostName(const QString &hostName);

    void setHostName(const QString &hostName)
    {
        if (m_hostName == hostName)
            return;
        m_hostName = hostName;
        Q_EMIT hostNameChanged(hostName);
    }
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
    void hostNameChanged(QString hostName);
    void portNumberChanged(int portNumber);
    void enabledFlagChanged(bool enabled);

private:
    QString m_hostName;
    int m_portNumber = 8080;
    bool m_enabled = false;
};

} // namespace ovra::rest::server
