#pragma once

#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"
#include "rest/server/HostFilter.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace ovra::rest::server {

class RestServerSettings;

// The local HTTP server: other software on the network polls the last
// committed result and the current state, checks that the workstation is
// alive and posts routine meta information; a browser loads the scoreboard
// page. The server listens on a thread of its own and answers on the HTTP
// library's worker threads; every signal reaches the GUI thread queued.
class RestServerThread : public QObject
{
    Q_OBJECT
public:
    // Bounds on what a client may send.
    static constexpr std::size_t kMaxBodyBytes = 64 * 1024;
    static constexpr std::size_t kMaxHeaderBytes = 64 * 1024;
    // A request (headers and body) and its answer must be over this long
    // after the connection was accepted or the request's first byte came,
    // however slowly a client sends.
    static constexpr int kRequestDeadlineMs = 3000;
    // A kept-alive connection ends after this long without a request.
    static constexpr int kKeepAliveMs = 1000;
    static constexpr int kKeepAliveMaxCount = 1000;
    // Workers answering requests; each open connection holds one. One peer
    // address holds at most kConnectionsPerPeer of them, so the others
    // always find a worker free.
    static constexpr int kWorkerCount = 32;
    static constexpr int kConnectionsPerPeer = 8;
    // How long stop() and the destructor wait for the thread to end.
    static constexpr int kStopWaitMs = 3000;
    // How long a history request waits for the workstation to answer it,
    // its turn included: within the request deadline.
    static constexpr int kHistoryWaitMs = 2000;

    // The host name and port are taken from the settings when the thread
    // is started.
    explicit RestServerThread(const RestServerSettings *settings, QObject *parent = nullptr);
    // Stops the server and waits (bounded) for its thread; a thread that
    // does not end in time is left to finish on its own.
    ~RestServerThread() override;

    // Starts the thread, which binds the port and listens until stop().
    // When the port is still held by a server that is shutting down, the
    // bind is retried for up to bindGraceMs before it counts as failed.
    void start(int bindGraceMs = 0);
    // Ends listening; the thread then finishes by itself.
    void stop();
    // Waits up to ms for the thread to end; true when it has ended.
    bool wait(int ms);
    bool isRunning() const;
    bool isListening() const;

    // The result and state served; callable from the GUI thread at any time.
    void setResult(const rest::client::ScoringResult &result);
    // GET /routineresult answers 404 until the next commit; the scoreboard
    // keeps showing the last committed result, and drops the live one.
    void clearResult();
    // For the scoreboard page: the routine in progress, the athlete up
    // next and the athlete of the routine on screen.
    void setLiveResult(const rest::client::ScoringResult &result);
    void setUpNext(const QMap<QString, QString> &meta);
    void setRoutineMeta(const QMap<QString, QString> &meta);
    void setState(const rest::client::ScoringState &state);
    bool hasResult() const;
    rest::client::ScoringResult result() const;
    rest::client::ScoringState state() const;

    // The routes the server answers, as "GET /health" and so on; the
    // interface definitions delivered with the program must name each.
    static QStringList routes();

    // For the scoreboard page: the personal best total time of flight of
    // the athlete on screen; nothing when none is known.
    void setPersonalBest(const QString &athlete, std::optional<double> timeOfFlight);

    // GET /athletes (id empty) and GET /athletes/{id}/history are answered
    // by the provider, which is called in the GUI thread (this object's),
    // one request at a time; without a provider, or when it does not answer
    // within kHistoryWaitMs, the answer is 503.
    struct HistoryAnswer
    {
        int status = 503;
        QByteArray body;
    };
    using HistoryProvider = std::function<HistoryAnswer(const QString &id)>;
    void setHistoryProvider(HistoryProvider provider);

    // The peers whose routine meta information is taken; others are
    // answered 403.
    void setHostFilter(const HostFilter &filter);

    // The WebSocket port the scoreboard page connects to; 0 when there is
    // no WebSocket server and the page polls instead.
    void setWebSocketPort(int port);

    // What the thread and its workers share with this object; internal.
    struct Shared;

Q_SIGNALS:
    void started();
    void stopped();
    void receivedRoutineMeta(QMap<QString, QString> routineMeta);
    void failedToBindPort();
    void failedToProvideResult();

private:
    static void run(std::shared_ptr<Shared> shared);

    const RestServerSettings *m_settings;
    std::shared_ptr<Shared> m_shared;
    QThread *m_thread = nullptr;
};

} // namespace ovra::rest::server
