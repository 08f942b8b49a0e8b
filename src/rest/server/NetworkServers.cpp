#include "rest/server/NetworkServers.h"

#include "rest/server/RestServerSettings.h"
#include "rest/server/RestServerThread.h"
#include "settings/WebSocketServerSettings.h"
#include "websocket/WebSocketServer.h"

#include <QDebug>
#include <QTimer>

#include <utility>

namespace ovra::rest::server {

namespace {
const QString kSuccess = QStringLiteral("success");
const QString kFailed = QStringLiteral("failed");
// Switched off in the settings: no light for a failure nobody asked about.
const QString kOff = QStringLiteral("off");
constexpr int kRetireCheckMs = 100;
} // namespace

NetworkServers::NetworkServers(const RestServerSettings &restServerSettings,
                               const WebSocketServerSettings &webSocketServerSettings, QObject *parent)
    : QObject(parent)
    , m_restServerSettings(restServerSettings)
    , m_webSocketServerSettings(webSocketServerSettings)
{}

NetworkServers::~NetworkServers()
{
    // The window that listens is being destroyed as well.
    blockSignals(true);
    if (m_restServer)
        m_restServer->disconnect();
    if (m_webSocketServer)
        m_webSocketServer->disconnect();
    stopAll();
}

void NetworkServers::stopAll()
{
    stopRestServer();
    stopWebSocketServer();
    // The threads have been told to stop; each destructor waits (bounded)
    // for its thread.
    for (const QPointer<RestServerThread> &server : std::exchange(m_retiring, {}))
        delete server.data();
}

void NetworkServers::setAllowedRemoteHosts(const QString &list)
{
    m_hostFilter = HostFilter(list);
    if (!m_hostFilter.invalidEntries().isEmpty())
        qWarning().noquote() << "Allowed remote hosts: not an address or subnet, matches nothing:"
                             << m_hostFilter.invalidEntries().join(QStringLiteral(", "));
    if (m_restServer)
        m_restServer->setHostFilter(m_hostFilter);
    if (m_webSocketServer)
        m_webSocketServer->setHostFilter(m_hostFilter);
}

void NetworkServers::startRestServer()
{
    if (!m_restServerSettings.enabled()) {
        Q_EMIT restServerStatusChanged(kOff);
        return;
    }
    if (m_restServer) {
        qWarning() << "Tried to instantiate HTTP server multiple times!";
        return;
    }
    const int port = m_restServerSettings.portNumber();
    const QString host = m_restServerSettings.hostName();
    if (!RestServerSettings::isValidPort(port) || !RestServerSettings::isValidHostName(host)) {
        qWarning().noquote() << "HTTP server not started: invalid host" << host << "or port" << port;
        Q_EMIT restServerStatusChanged(kFailed);
        Q_EMIT settingsRefused(
            RestServerSettings::isValidPort(port)
                ? tr("The HTTP server was not started: the host name \"%1\" in the settings is not a valid "
                     "host name or address. Accepting the network configuration dialog resets it to all "
                     "interfaces.")
                      .arg(host)
                : tr("The HTTP server was not started: its port %1 in the settings is outside 1 to 65535. "
                     "Choose a port in the network configuration dialog.")
                      .arg(port));
        return;
    }
    qInfo() << "Starting HTTP server thread...";
    m_restServer = new RestServerThread(&m_restServerSettings, this);
    m_restServer->setWebSocketPort(webSocketPortForPage());
    if (m_lastState)
        m_restServer->setState(*m_lastState);
    if (m_lastResult) {
        m_restServer->setResult(*m_lastResult);
        if (!m_resultAvailable)
            m_restServer->clearResult();
    }
    if (m_liveResult)
        m_restServer->setLiveResult(*m_liveResult);
    m_restServer->setHostFilter(m_hostFilter);
    m_restServer->setUpNext(m_upNext);
    m_restServer->setRoutineMeta(m_routineMeta);
    m_restServer->setPersonalBest(m_personalBestAthlete, m_personalBest);
    m_restServer->setHistoryProvider(m_historyProvider);
    connect(m_restServer, &RestServerThread::receivedRoutineMeta, this, &NetworkServers::receivedRoutineMeta);
    connect(m_restServer, &RestServerThread::failedToBindPort, this, &NetworkServers::restServerFailedToBind);
    connect(m_restServer, &RestServerThread::failedToProvideResult, this,
            &NetworkServers::resultRequestedBeforeCommit);
    connect(m_restServer, &RestServerThread::started, this,
            [this] { Q_EMIT restServerStatusChanged(kSuccess); });
    connect(m_restServer, &RestServerThread::stopped, this,
            [this] { Q_EMIT restServerStatusChanged(kFailed); });
    m_restServer->start(m_restarting || !m_retiring.isEmpty() ? kRestartBindGraceMs : 0);
}

void NetworkServers::stopRestServer()
{
    if (!m_restServer)
        return;
    qInfo() << "Stopping HTTP server thread...";
    RestServerThread *server = std::exchange(m_restServer, nullptr);
    // Stopped on purpose: off, not failed.
    server->disconnect(this);
    server->stop();
    retire(server);
    Q_EMIT restServerStatusChanged(kOff);
}

void NetworkServers::retire(RestServerThread *server)
{
    // Deleted once its thread has ended, so the GUI thread never waits for
    // the last answers of the old server.
    if (!server->isRunning()) {
        delete server;
        return;
    }
    m_retiring.append(server);
    auto *poll = new QTimer(server);
    poll->setInterval(kRetireCheckMs);
    connect(poll, &QTimer::timeout, this, [this, server] {
        if (server->isRunning())
            return;
        m_retiring.removeAll(server);
        server->deleteLater();
    });
    poll->start();
}

void NetworkServers::updateRestServer()
{
    qInfo() << "Updating HTTP server thread...";
    stopRestServer();
    m_restarting = true;
    startRestServer();
    m_restarting = false;
}

void NetworkServers::startWebSocketServer(const rest::client::ScoringState &state)
{
    if (!m_webSocketServerSettings.enabled()) {
        Q_EMIT webSocketServerStatusChanged(kOff);
        return;
    }
    if (m_webSocketServer) {
        qWarning() << "Tried to instantiate WebSocket server multiple times!";
        return;
    }
    const int port = m_webSocketServerSettings.portNumber();
    if (!WebSocketServerSettings::isValidPort(port)) {
        qWarning() << "WebSocket server not started: invalid port" << port;
        Q_EMIT webSocketServerStatusChanged(kFailed);
        Q_EMIT settingsRefused(
            tr("The WebSocket server was not started: its port %1 in the settings is outside "
               "1 to 65535. Choose a port in the network configuration dialog.")
                .arg(port));
        return;
    }
    qInfo() << "Starting WebSocket server...";
    const bool debug = !qEnvironmentVariableIsEmpty("OVRA_DEBUG_WEBSOCKET_SERVER");
    m_webSocketServer = new WebSocketServer(static_cast<quint16>(port), debug, this);
    m_webSocketServer->setHostFilter(m_hostFilter);
    connect(m_webSocketServer, &WebSocketServer::failedToBindPort, this, [this] {
        Q_EMIT webSocketServerStatusChanged(kFailed);
        Q_EMIT webSocketServerFailedToBind();
    });
    connect(m_webSocketServer, &WebSocketServer::started, this, [this] {
        Q_EMIT webSocketServerStatusChanged(kSuccess);
        Q_EMIT webSocketClientCountChanged(0);
        Q_EMIT webSocketClientMissingChanged(true);
    });
    connect(m_webSocketServer, &WebSocketServer::stopped, this, [this] {
        Q_EMIT webSocketServerStatusChanged(kFailed);
        Q_EMIT webSocketClientMissingChanged(false);
    });
    connect(m_webSocketServer, &WebSocketServer::connectedClientCountChanged, this, [this](ushort count) {
        Q_EMIT webSocketClientCountChanged(count);
        Q_EMIT webSocketClientMissingChanged(count == 0);
    });
    connect(m_webSocketServer, &WebSocketServer::closed, this, [this] {
        qDebug() << "WebSocket server closed unexpectedly";
        // Forgotten, so that a later start creates a new one.
        if (WebSocketServer *server = std::exchange(m_webSocketServer, nullptr))
            server->deleteLater();
    });
    connect(m_webSocketServer, &WebSocketServer::receivedRoutineMeta, this,
            &NetworkServers::receivedRoutineMeta);
    m_webSocketServer->start();
    m_webSocketServer->sendStateToClients(state.toJsonObject());
    m_remoteControl = !qEnvironmentVariableIsEmpty("OVRA_ENABLE_REMOTE_CONTROL");
    if (m_remoteControl)
        connect(m_webSocketServer, &WebSocketServer::receivedCommand, this, &NetworkServers::receivedCommand);
    if (m_restServer)
        m_restServer->setWebSocketPort(webSocketPortForPage());
}

void NetworkServers::stopWebSocketServer()
{
    if (!m_webSocketServer)
        return;
    qInfo() << "Stopping WebSocket server...";
    WebSocketServer *server = std::exchange(m_webSocketServer, nullptr);
    // Stopped on purpose: off, not failed.
    server->disconnect(this);
    delete server;
    if (m_restServer)
        m_restServer->setWebSocketPort(webSocketPortForPage());
    Q_EMIT webSocketServerStatusChanged(kOff);
    Q_EMIT webSocketClientCountChanged(0);
    if (!m_webSocketRestarting)
        Q_EMIT webSocketClientMissingChanged(false);
}

void NetworkServers::updateWebSocketServer(const rest::client::ScoringState &state)
{
    qInfo() << "Updating WebSocket server...";
    // Restarted at once: the warning about missing clients stays as it is
    // until the new server says otherwise.
    m_webSocketRestarting = m_webSocketServerSettings.enabled();
    stopWebSocketServer();
    m_webSocketRestarting = false;
    startWebSocketServer(state);
}

int NetworkServers::webSocketPortForPage() const
{
    return m_webSocketServer && m_webSocketServer->isListening() ? m_webSocketServer->serverPort() : 0;
}

void NetworkServers::publishState(const rest::client::ScoringState &state)
{
    if (m_webSocketServer)
        m_webSocketServer->sendStateToClients(state.toJsonObject());
    m_lastState = state;
    if (m_restServer)
        m_restServer->setState(state);
}

void NetworkServers::publishConfirmedResult(const rest::client::ScoringResult &result)
{
    m_lastResult = result;
    m_resultAvailable = true;
    if (m_restServer)
        m_restServer->setResult(result);
    if (m_webSocketServer)
        m_webSocketServer->sendRoutineResult(result.toJsonObject());
}

void NetworkServers::publishPreliminaryResult(const rest::client::ScoringResult &result)
{
    m_liveResult = result;
    if (m_restServer)
        m_restServer->setLiveResult(result);
    if (m_webSocketServer)
        m_webSocketServer->sendRoutineResult(result.toJsonObject());
}

void NetworkServers::publishUpNext(const QMap<QString, QString> &meta)
{
    m_upNext = meta;
    if (m_restServer)
        m_restServer->setUpNext(meta);
}

void NetworkServers::publishRoutineMeta(const QMap<QString, QString> &meta)
{
    m_routineMeta = meta;
    if (m_restServer)
        m_restServer->setRoutineMeta(meta);
}

void NetworkServers::clearResult()
{
    m_resultAvailable = false;
    m_liveResult.reset();
    if (m_restServer)
        m_restServer->clearResult();
}

void NetworkServers::publishPersonalBest(const QString &athlete, std::optional<double> timeOfFlight)
{
    m_personalBestAthlete = athlete;
    m_personalBest = timeOfFlight;
    if (m_restServer)
        m_restServer->setPersonalBest(athlete, timeOfFlight);
}

void NetworkServers::setHistoryProvider(RestServerThread::HistoryProvider provider)
{
    m_historyProvider = std::move(provider);
    if (m_restServer)
        m_restServer->setHistoryProvider(m_historyProvider);
}

} // namespace ovra::rest::server
