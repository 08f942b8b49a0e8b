#include "websocket/WebSocketServer.h"

#include "util/RESTUtils.h"

#include <QDebug>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QWebSocket>
#include <QWebSocketServer>

#include <utility>

WebSocketServer::WebSocketServer(quint16 port, bool debug, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_debug(debug)
    , m_server(new QWebSocketServer(QStringLiteral("Ovra Server"), QWebSocketServer::NonSecureMode, this))
{
    m_pingTimer.setInterval(kPingIntervalMs);
    connect(&m_pingTimer, &QTimer::timeout, this, &WebSocketServer::sendPingToClients);
}

WebSocketServer::~WebSocketServer()
{
    m_pingTimer.stop();
    m_server->disconnect(this);
    m_server->close();
    for (QWebSocket *client : std::exchange(m_clients, {})) {
        client->disconnect(this);
        client->abort();
        delete client;
    }
    m_pongTimers.clear();
    m_leaving.clear();
    delete m_server;
    qDebug() << "WebSocket server closed";
    Q_EMIT stopped();
}

void WebSocketServer::start()
{
    if (m_server->listen(QHostAddress::Any, m_port)) {
        qDebug() << "WebSocket server listening on port" << m_server->serverPort();
        connect(m_server, &QWebSocketServer::newConnection, this, &WebSocketServer::onNewConnection,
                Qt::UniqueConnection);
        connect(m_server, &QWebSocketServer::closed, this, &WebSocketServer::closed, Qt::UniqueConnection);
        m_pingTimer.start();
        Q_EMIT started();
    } else {
        qWarning() << "WebSocket server is unable to listen on port" << m_port;
        Q_EMIT failedToBindPort();
    }
}

bool WebSocketServer::isListening() const
{
    return m_server->isListening();
}

quint16 WebSocketServer::serverPort() const
{
    return m_server->serverPort();
}

void WebSocketServer::setClock(const ovra::util::Clock *clock)
{
    m_clock = clock;
    for (auto it = m_pongTimers.begin(); it != m_pongTimers.end(); ++it) {
        it.value().setClock(clock);
        it.value().start();
    }
}

void WebSocketServer::onNewConnection()
{
    // Several clients may be waiting by the time the notice is handled.
    while (m_server->hasPendingConnections()) {
        QWebSocket *client = m_server->nextPendingConnection();
        if (!client)
            break;
        client->setParent(this);
        client->setMaxAllowedIncomingMessageSize(static_cast<quint64>(kMaxMessageBytes));
        client->setMaxAllowedIncomingFrameSize(static_cast<quint64>(kMaxFrameBytes));
        qDebug() << "New websocket connection:" << client->peerAddress().toString();
        connect(client, &QWebSocket::textMessageReceived, this, &WebSocketServer::processTextMessage);
        connect(client, &QWebSocket::binaryMessageReceived, this, &WebSocketServer::processBinaryMessage);
        connect(client, &QWebSocket::disconnected, this, &WebSocketServer::socketDisconnected);
        connect(client, &QWebSocket::pong, this, &WebSocketServer::onPong);
        m_clients.append(client);
        ovra::util::ElapsedTimer timer(m_clock);
        timer.start();
        m_pongTimers.insert(client, timer);
        send(client, envelope(QStringLiteral("state"), m_state));
        Q_EMIT connectedClientCountChanged(static_cast<ushort>(m_clients.size()));
    }
}

void WebSocketServer::processTextMessage(const QString &message)
{
    auto *client = qobject_cast<QWebSocket *>(sender());
    if (m_debug)
        qDebug() << "Message received:" << message;

    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(message.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        qWarning() << "Failed to parse JSON received via websocket";
        respond(client, 400, QStringLiteral("Failed to parse JSON"));
        return;
    }
    if (!document.isObject()) {
        const QString text = QStringLiteral("Received malformed message (no json object)");
        qDebug().noquote() << text;
        respond(client, 400, text);
        return;
    }
    const QJsonObject object = document.object();
    QString error;
    const int operation = readOperationFromJSON(object, error);
    if (operation < 0) {
        respond(client, 400, error);
        return;
    }
    if (client && !m_hostFilter.allows(client->peerAddress())) {
        qWarning().noquote()
            << "WebSocket message from" << client->peerAddress().toString()
            << "refused: the host is not allowed to send routine meta information or commands";
        respond(client, 403, QStringLiteral("Not allowed from this host"));
        return;
    }
    if (operation == static_cast<int>(WebSocketOperation::RoutineMeta)) {
        qDebug() << "Received new routine meta information";
        QMap<QString, QString> meta;
        QString refused;
        if (!ovra::util::RESTUtils::jsonToMeta(object.value(QStringLiteral("body")).toObject(), meta,
                                               &refused)) {
            respond(client, 413, refused);
            return;
        }
        Q_EMIT receivedRoutineMeta(meta);
    } else {
        qDebug() << "Received remote command";
        Q_EMIT receivedCommand();
    }
    respond(client, 204, QStringLiteral("success"));
}

int WebSocketServer::readOperationFromJSON(const QJsonObject &message, QString &error) const
{
    error.clear();
    if (!message.contains(QStringLiteral("operation"))) {
        if (m_debug) {
            error = QStringLiteral("Operation is missing in json message");
            qDebug().noquote() << error;
        }
        return -1;
    }
    const QString operation = message.value(QStringLiteral("operation")).toVariant().toString();
    if (operation.compare(QStringLiteral("routinemeta"), Qt::CaseInsensitive) == 0)
        return static_cast<int>(WebSocketOperation::RoutineMeta);
    if (operation.compare(QStringLiteral("command"), Qt::CaseInsensitive) == 0)
        return static_cast<int>(WebSocketOperation::Command);
    if (m_debug) {
        error = QStringLiteral("Unknown operation: ") + operation;
        qDebug().noquote() << error;
    }
    return -1;
}

QMap<QString, QString> WebSocketServer::jsonToMeta(const QJsonObject &object)
{
    QMap<QString, QString> meta;
    ovra::util::RESTUtils::jsonToMeta(object, meta);
    return meta;
}

void WebSocketServer::processBinaryMessage(const QByteArray &message)
{
    if (m_debug)
        qDebug() << "Binary Message received:" << message;
}

void WebSocketServer::socketDisconnected()
{
    auto *client = qobject_cast<QWebSocket *>(sender());
    if (!client)
        return;
    if (m_debug)
        qDebug() << "socketDisconnected:" << client->peerAddress().toString();
    m_leaving.remove(client);
    if (!m_clients.removeOne(client))
        return;
    m_pongTimers.remove(client);
    client->disconnect(this);
    client->deleteLater();
    Q_EMIT connectedClientCountChanged(static_cast<ushort>(m_clients.size()));
}

void WebSocketServer::sendPingToClients()
{
    // Closing a client may drop it from the list at once.
    const QList<QWebSocket *> clients = m_clients;
    for (QWebSocket *client : clients) {
        if (m_leaving.contains(client))
            continue;
        auto timer = m_pongTimers.constFind(client);
        if (timer != m_pongTimers.constEnd() && timer->elapsed() > kPongTimeoutMs) {
            qDebug() << "Client timed out";
            // A close waits until everything before it was sent: a client
            // that does not read would keep its connection, and what waits
            // for it, for good.
            if (client->bytesToWrite() > 0) {
                drop(client, QStringLiteral("it does not read"));
                continue;
            }
            m_leaving.insert(client);
            client->close(QWebSocketProtocol::CloseCodeNormal, QString());
            QTimer::singleShot(kCloseGraceMs, client, [client] { client->abort(); });
            continue;
        }
        client->ping(QByteArray());
    }
}

void WebSocketServer::onPong(quint64 elapsedTime, const QByteArray &payload)
{
    Q_UNUSED(payload)
    auto *client = qobject_cast<QWebSocket *>(sender());
    if (!client || !m_clients.contains(client))
        return;
    if (m_debug)
        qDebug() << "Pong from" << client->peerAddress().toString() << "after" << elapsedTime << "ms";
    ovra::util::ElapsedTimer timer(m_clock);
    timer.start();
    m_pongTimers.insert(client, timer);
}

void WebSocketServer::sendRoutineResult(const QJsonObject &result)
{
    if (m_clients.isEmpty())
        return;
    sendToAll(
        {{QStringLiteral("operation"), QStringLiteral("routineresult")}, {QStringLiteral("body"), result}});
}

void WebSocketServer::sendStateToClients(const QJsonObject &state)
{
    if (!m_state.isEmpty() && m_state == state)
        return;
    m_state = state;
    sendToAll({{QStringLiteral("operation"), QStringLiteral("state")}, {QStringLiteral("body"), state}});
}

void WebSocketServer::sendToAll(const QJsonObject &message)
{
    const QString text = QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
    // A dropped client leaves the list at once.
    const QList<QWebSocket *> clients = m_clients;
    for (QWebSocket *client : clients)
        send(client, text);
}

void WebSocketServer::send(QWebSocket *client, const QString &text)
{
    if (m_leaving.contains(client))
        return;
    if (client->bytesToWrite() + text.size() > kMaxPendingBytes) {
        drop(client,
             QStringLiteral("more than %1 bytes wait for it; it does not read").arg(kMaxPendingBytes));
        return;
    }
    client->sendTextMessage(text);
}

void WebSocketServer::drop(QWebSocket *client, const QString &why)
{
    if (m_leaving.contains(client) || !m_clients.contains(client))
        return;
    m_leaving.insert(client);
    // An IPv4 client on the dual-stack socket is named as IPv4.
    QHostAddress peer = client->peerAddress();
    bool ipv4 = false;
    const quint32 address = peer.toIPv4Address(&ipv4);
    if (ipv4)
        peer = QHostAddress(address);
    qWarning().noquote() << "WebSocket client" << peer.toString() << "dropped:" << why;
    client->abort();
}

void WebSocketServer::respond(QWebSocket *client, int code, const QString &message)
{
    if (!client || !m_clients.contains(client))
        return;
    const QJsonObject body{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}};
    send(client, envelope(QStringLiteral("response"), body));
}

QString WebSocketServer::envelope(const QString &operation, const QJsonObject &body)
{
    const QJsonObject message{{QStringLiteral("operation"), operation}, {QStringLiteral("body"), body}};
    return QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
}
