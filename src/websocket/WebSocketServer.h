#pragma once

#include "rest/server/HostFilter.h"
#include "util/Clock.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class QWebSocket;
class QWebSocketServer;

// The operations a client may send.
enum class WebSocketOperation : int { RoutineMeta = 0, Command = 1 };

// The WebSocket server for scoreboards, scoring software and remote
// controls: pushes the state and every result to all clients as compact JSON
// text, takes routine meta information and remote commands, and answers each
// text message of a client with a "response". Runs on the GUI thread.
class WebSocketServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPingIntervalMs = 5000;
    static constexpr qint64 kPongTimeoutMs = 15000;
    // Bounds on what a client may send; larger messages close its
    // connection with "message too big".
    static constexpr qint64 kMaxMessageBytes = 1024 * 1024;
    static constexpr qint64 kMaxFrameBytes = 1024 * 1024;
    // Bytes that may wait to be sent to one client. A client that lets more
    // pile up does not read (or cannot keep up) and is cut off, so that it
    // cannot grow the program's memory.
    static constexpr qint64 kMaxPendingBytes = 1024 * 1024;
    // A client closed for missing its pongs gets this long to take the
    // close; then its connection is dropped.
    static constexpr int kCloseGraceMs = 2000;

    WebSocketServer(quint16 port, bool debug, QObject *parent = nullptr);
    // Closes the listening socket and every client connection, then emits
    // stopped().
    ~WebSocketServer() override;

    // Listens on every local address (IPv4 and IPv6) at the port.
    void start();
    bool isListening() const;
    quint16 port() const { return m_port; }
    // The port actually listened on (differs from port() only for port 0).
    quint16 serverPort() const;
    int clientCount() const { return static_cast<int>(m_clients.size()); }
    QJsonObject lastState() const { return m_state; }

    // The peers whose routine meta information and commands are taken;
    // others are answered 403.
    void setHostFilter(const ovra::rest::server::HostFilter &filter) { m_hostFilter = filter; }

    // The clock of the pong time-outs (tests move it).
    void setClock(const ovra::util::Clock *clock);

    void sendRoutineResult(const QJsonObject &result);
    void sendStateToClients(const QJsonObject &state);

    // The string members of a JSON object as routine meta information.
    static QMap<QString, QString> jsonToMeta(const QJsonObject &object);

Q_SIGNALS:
    void closed();
    void started();
    void stopped();
    void failedToBindPort();
    void receivedRoutineMeta(QMap<QString, QString> routineMeta);
    void receivedCommand();
    void connectedClientCountChanged(ushort count);

public Q_SLOTS:
    void onNewConnection();
    void processTextMessage(const QString &message);
    void processBinaryMessage(const QByteArray &message);
    void socketDisconnected();
    void sendPingToClients();
    void onPong(quint64 elapsedTime, const QByteArray &payload);

private:
    // The operation of a message, or -1 with the error text (filled only in
    // debug mode).
    int readOperationFromJSON(const QJsonObject &message, QString &error) const;
    void respond(QWebSocket *client, int code, const QString &message);
    void sendToAll(const QJsonObject &message);
    // Sends the text unless the client already has too much waiting; such
    // a client is dropped instead.
    void send(QWebSocket *client, const QString &text);
    // Ends a client's connection at once, whatever is still waiting for it,
    // and says so in the log (once for that client).
    void drop(QWebSocket *client, const QString &why);
    static QString envelope(const QString &operation, const QJsonObject &body);

    quint16 m_port;
    bool m_debug;
    QWebSocketServer *m_server;
    QList<QWebSocket *> m_clients;
    QJsonObject m_state;
    QTimer m_pingTimer;
    QHash<QWebSocket *, ovra::util::ElapsedTimer> m_pongTimers;
    // Clients closed or dropped whose disconnection has not come yet: they
    // are sent nothing more.
    QSet<QWebSocket *> m_leaving;
    const ovra::util::Clock *m_clock = nullptr;
    ovra::rest::server::HostFilter m_hostFilter;
};
