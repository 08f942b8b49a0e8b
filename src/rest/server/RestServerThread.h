#pragma once

#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

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
    // Workers answering requests; each keep-alive connection holds one
    // while it is open.
    static constexpr std::size_t kWorkerCount = 16;
    // How long stop() and the destructor wait for the thread to end.
    static constexpr int kStopWaitMs = 3000;

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
    void clearResult();
    void setState(const rest::client::ScoringState &state);
    bool hasResult() const;
    rest::client::ScoringResult result() const;
    rest::client::ScoringState state() const;

    // The routes the server answers, as "GET /health" and so on; the
    // interface definitions delivered with the program must name each.
    static QStringList routes();

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
