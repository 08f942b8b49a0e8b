#pragma once

#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"
#include "rest/server/HostFilter.h"
#include "rest/server/RestServerThread.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class WebSocketServer;
class WebSocketServerSettings;

namespace ovra::rest::server {

class RestServerSettings;
class RestServerThread;

// The main window's servers: the local HTTP server on its thread and the
// WebSocket server, started, stopped and restarted as their settings say,
// and fed with the state and the results. Lives in the GUI thread.
//
// Destroying it stops both servers without a signal leaving it, so a window
// that is being destroyed is never called back.
class NetworkServers : public QObject
{
    Q_OBJECT
public:
    // How long a restarted HTTP server retries to bind while the previous
    // one is still giving up the port.
    static constexpr int kRestartBindGraceMs = 3000;

    NetworkServers(const RestServerSettings &restServerSettings,
                   const WebSocketServerSettings &webSocketServerSettings, QObject *parent = nullptr);
    ~NetworkServers() override;

    void startRestServer();
    void stopRestServer();
    void updateRestServer();
    // The state is sent to the clients as they connect.
    void startWebSocketServer(const rest::client::ScoringState &state);
    void stopWebSocketServer();
    void updateWebSocketServer(const rest::client::ScoringState &state);
    // Both servers, when the program closes.
    void stopAll();
    // The hosts that may post routine meta information or send commands
    // (see HostFilter); empty: any host. Applies to running servers too.
    void setAllowedRemoteHosts(const QString &list);

    RestServerThread *restServer() const { return m_restServer; }
    WebSocketServer *webSocketServer() const { return m_webSocketServer; }
    bool isRemoteControlEnabled() const { return m_remoteControl; }

    // On every state entry: WebSocket clients, then the HTTP server.
    void publishState(const rest::client::ScoringState &state);
    // A committed result: the HTTP server keeps it, the WebSocket clients
    // get it.
    void publishConfirmedResult(const rest::client::ScoringResult &result);
    // A live result: WebSocket clients and the scoreboard page.
    void publishPreliminaryResult(const rest::client::ScoringResult &result);
    // For the scoreboard page: the athlete up next, and the one of the
    // routine on screen.
    void publishUpNext(const QMap<QString, QString> &meta);
    void publishRoutineMeta(const QMap<QString, QString> &meta);
    // GET /routineresult answers 404 until the next commit; the live result
    // is dropped.
    void clearResult();
    // For the scoreboard page: the personal best of the athlete on screen.
    void publishPersonalBest(const QString &athlete, std::optional<double> timeOfFlight);
    // Answers the HTTP server's athlete histories (see RestServerThread);
    // kept for every server started from now on.
    void setHistoryProvider(RestServerThread::HistoryProvider provider);

Q_SIGNALS:
    // "success", "failed", or "off" when switched off or stopped on purpose.
    void restServerStatusChanged(const QString &status);
    void restServerFailedToBind();
    // A server was not started because its settings cannot be right (a
    // port outside 1 to 65535, a malformed host name); the text says which.
    void settingsRefused(const QString &message);
    void resultRequestedBeforeCommit();
    void webSocketServerStatusChanged(const QString &status);
    void webSocketServerFailedToBind();
    void webSocketClientCountChanged(int count);
    // Whether the operator is to be warned that no WebSocket client is
    // connected: raised by a server that listens without clients, lowered
    // by the first client and by a stop; a server that fails to start
    // changes nothing, nor does a stop on the way to a restart.
    void webSocketClientMissingChanged(bool missing);
    void receivedRoutineMeta(QMap<QString, QString> routineMeta);
    // A remote "command"; emitted only when remote control is enabled.
    void receivedCommand();

private:
    void retire(RestServerThread *server);
    int webSocketPortForPage() const;

    const RestServerSettings &m_restServerSettings;
    const WebSocketServerSettings &m_webSocketServerSettings;
    RestServerThread *m_restServer = nullptr;
    // Stopped servers whose threads are still finishing.
    QList<QPointer<RestServerThread>> m_retiring;
    WebSocketServer *m_webSocketServer = nullptr;
    // What a restarted HTTP server serves from its first request on.
    std::optional<rest::client::ScoringState> m_lastState;
    std::optional<rest::client::ScoringResult> m_lastResult;
    bool m_resultAvailable = false;
    std::optional<rest::client::ScoringResult> m_liveResult;
    QMap<QString, QString> m_upNext;
    QMap<QString, QString> m_routineMeta;
    QString m_personalBestAthlete;
    std::optional<double> m_personalBest;
    RestServerThread::HistoryProvider m_historyProvider;
    HostFilter m_hostFilter;
    bool m_remoteControl = false;
    bool m_restarting = false;
    bool m_webSocketRestarting = false;
};

} // namespace ovra::rest::server
