#include "rest/server/RestServerThread.h"

#include "rest/server/HttpListener.h"
#include "rest/server/RestServerSettings.h"
#include "util/RESTUtils.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>
#include <QThread>

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace ovra::rest::server {

using rest::client::ScoringResult;
using rest::client::ScoringState;

namespace {

constexpr int kBindRetryMs = 50;
const char *const kPageResource = ":/scoreboard/scoreboard.html";
const char *const kPortPlaceholder = "__OVRA_WEBSOCKET_PORT__";
const char *const kTextsPlaceholder = "__OVRA_TEXTS__";

// The page's own texts, in the workstation's language.
const char *const kPageTexts[] = {
    QT_TRANSLATE_NOOP("Scoreboard", "Scoreboard"),
    QT_TRANSLATE_NOOP("Scoreboard", "Athlete"),
    QT_TRANSLATE_NOOP("Scoreboard", "Up next"),
    QT_TRANSLATE_NOOP("Scoreboard", "Live result"),
    QT_TRANSLATE_NOOP("Scoreboard", "Last confirmed result"),
    QT_TRANSLATE_NOOP("Scoreboard", "connected"),
    QT_TRANSLATE_NOOP("Scoreboard", "not connected"),
    QT_TRANSLATE_NOOP("Scoreboard", "READY"),
    QT_TRANSLATE_NOOP("Scoreboard", "START"),
    QT_TRANSLATE_NOOP("Scoreboard", "ROUTINE"),
    QT_TRANSLATE_NOOP("Scoreboard", "REVIEW"),
    QT_TRANSLATE_NOOP("Scoreboard", "OTHER"),
    QT_TRANSLATE_NOOP("Scoreboard", "Synchronisation"),
    QT_TRANSLATE_NOOP("Scoreboard", "HD"),
    QT_TRANSLATE_NOOP("Scoreboard", "Elements"),
    QT_TRANSLATE_NOOP("Scoreboard", "Time difference (s)"),
    QT_TRANSLATE_NOOP("Scoreboard", "Time of flight"),
    QT_TRANSLATE_NOOP("Scoreboard", "Time of flight (s)"),
    QT_TRANSLATE_NOOP("Scoreboard", "Start penalty"),
    QT_TRANSLATE_NOOP("Scoreboard", "Zone"),
    QT_TRANSLATE_NOOP("Scoreboard", "No result yet"),
    QT_TRANSLATE_NOOP("Scoreboard", "Personal best"),
    QT_TRANSLATE_NOOP("Scoreboard", "Show the personal best"),
};

// The page template with its texts filled in; the WebSocket port is filled
// in when it is known.
QByteArray scoreboardTemplate()
{
    QFile page(QString::fromLatin1(kPageResource));
    if (!page.open(QIODevice::ReadOnly)) {
        qWarning() << "Scoreboard page missing from the resources:" << kPageResource;
        return QByteArray();
    }
    QJsonObject texts;
    for (const char *text : kPageTexts)
        texts.insert(QString::fromUtf8(text), QCoreApplication::translate("Scoreboard", text));
    texts.insert(QStringLiteral("_lang"), QLocale().bcp47Name());
    QByteArray json = QJsonDocument(texts).toJson(QJsonDocument::Compact);
    // Inside a script element "</" would end it early.
    json.replace("</", "<\\/");
    return page.readAll().replace(kTextsPlaceholder, json);
}

// What the workers serve. A snapshot never changes once published; the GUI
// thread publishes a new one instead.
struct Published
{
    // The last committed result; GET /routineresult gives it only while
    // hasResult is set, the scoreboard at any time.
    ScoringResult result;
    bool hasResult = false;
    bool hasCommitted = false;
    std::string resultBody;
    ScoringState state;
    std::string stateBody;
    std::string pageBody;
    // The routine in progress and the athletes, for the scoreboard.
    ScoringResult live;
    bool hasLive = false;
    QMap<QString, QString> upNext;
    QMap<QString, QString> routineMeta;
    std::string scoreboardBody;
    HostFilter metaHosts;
    QString personalBestAthlete;
    std::optional<double> personalBest;
};

QJsonObject metaObject(const QMap<QString, QString> &meta)
{
    QJsonObject object;
    for (auto it = meta.cbegin(); it != meta.cend(); ++it)
        object.insert(it.key(), it.value());
    return object;
}

// What the scoreboard page shows, in one answer: it never has to ask for a
// result that is not there.
std::string scoreboardText(const Published &p)
{
    QJsonObject board;
    if (p.state.isSet())
        board.insert(QStringLiteral("state"), p.state.toJsonObject().value(QStringLiteral("state")));
    board.insert(QStringLiteral("upNext"), metaObject(p.upNext));
    board.insert(QStringLiteral("routine"), metaObject(p.routineMeta));
    if (p.hasLive)
        board.insert(QStringLiteral("live"), p.live.toJsonObject());
    if (p.hasCommitted)
        board.insert(QStringLiteral("confirmed"), p.result.toJsonObject());
    if (p.personalBest)
        board.insert(QStringLiteral("personalBest"),
                     QJsonObject{{QStringLiteral("athlete"), p.personalBestAthlete},
                                 {QStringLiteral("timeOfFlightInSeconds"), *p.personalBest}});
    return QJsonDocument(board).toJson(QJsonDocument::Compact).toStdString();
}

// The HTTP library's routing and answers, fed by HttpListener, which does
// the accepting and the reading: the library's own accept loop and keep-alive
// have no deadline for a whole request. Remembers each route it registers.
class HttpServer : public httplib::Server
{
public:
    HttpServer &Get(const std::string &pattern, Handler handler)
    {
        httplib::Server::Get(remember("GET", pattern), std::move(handler));
        return *this;
    }
    // A path with a parameter: pattern is the regular expression, path
    // the form the interface definition writes ("/athletes/{id}/history").
    HttpServer &Get(const std::string &pattern, const char *path, Handler handler)
    {
        remember("GET", path);
        httplib::Server::Get(pattern, std::move(handler));
        return *this;
    }
    HttpServer &Post(const std::string &pattern, Handler handler)
    {
        httplib::Server::Post(remember("POST", pattern), std::move(handler));
        return *this;
    }
    HttpServer &Options(const std::string &pattern, Handler handler)
    {
        httplib::Server::Options(remember("OPTIONS", pattern), std::move(handler));
        return *this;
    }
    const QStringList &routes() const { return m_routes; }

    // One request read from the stream and answered.
    bool serve(httplib::Stream &stream, bool closeConnection, bool &connectionClosed)
    {
        return process_request(stream, closeConnection, connectionClosed, nullptr);
    }

private:
    const std::string &remember(const char *method, const std::string &pattern)
    {
        m_routes.append(QLatin1String(method) + QLatin1Char(' ') + QString::fromStdString(pattern));
        return pattern;
    }

    QStringList m_routes;
};

std::string jsonText(const QByteArray &json)
{
    return json.toStdString();
}

} // namespace

struct RestServerThread::Shared
{
    // The thread and the workers emit only through the owner; the
    // destructor clears it, so nothing is emitted into a destroyed object.
    std::mutex ownerGuard;
    RestServerThread *owner = nullptr;
    template <typename F> void notify(F &&emitSignal)
    {
        std::lock_guard<std::mutex> lock(ownerGuard);
        if (owner)
            emitSignal(owner);
    }

    std::atomic<bool> stopRequested{false};
    std::atomic<bool> listening{false};
    // Guards the pointer to the listener the thread is running, so that
    // stop() wakes a listener that exists.
    std::mutex serverGuard;
    HttpListener *listener = nullptr;
    // Held by the thread for as long as it serves.
    std::timed_mutex listeningGuard;

    // Guards only the pointer to the published snapshot: the GUI thread
    // swaps in a new one, the workers copy the pointer and read the
    // snapshot without the lock.
    mutable std::mutex publishedGuard;
    std::shared_ptr<const Published> published = std::make_shared<Published>();

    std::shared_ptr<const Published> snapshot() const
    {
        std::lock_guard<std::mutex> lock(publishedGuard);
        return published;
    }
    // The next snapshot is built outside publishedGuard, so the workers
    // never wait while its texts are written; publishers take turns.
    std::mutex publisherGuard;
    template <typename F> void publish(F &&change)
    {
        std::lock_guard<std::mutex> turn(publisherGuard);
        auto next = std::make_shared<Published>(*snapshot());
        change(*next);
        next->scoreboardBody = scoreboardText(*next);
        std::lock_guard<std::mutex> lock(publishedGuard);
        published = std::move(next);
    }

    // Guards the history provider: set by the GUI thread, copied by the
    // workers, which call it through the owner (in the GUI thread).
    std::mutex providerGuard;
    RestServerThread::HistoryProvider historyProvider;
    // Held by the one history request that waits for the GUI thread.
    std::timed_mutex historyTurn;

    QByteArray pageTemplate;
    std::string host;
    bool hostValid = true;
    int port = 0;
    int bindGraceMs = 0;
};

namespace {

// The answer to a history request, filled in the GUI thread.
struct HistoryReply
{
    std::mutex guard;
    std::condition_variable ready;
    bool done = false;
    RestServerThread::HistoryAnswer answer;
};

void answerHistory(RestServerThread::Shared &s, const QString &id, httplib::Response &res)
{
    using std::chrono::milliseconds;
    const auto deadline = std::chrono::steady_clock::now() + milliseconds(RestServerThread::kHistoryWaitMs);
    res.status = 503;
    std::unique_lock<std::timed_mutex> turn(s.historyTurn, std::defer_lock);
    if (!turn.try_lock_until(deadline))
        return;
    RestServerThread::HistoryProvider provider;
    {
        std::lock_guard<std::mutex> lock(s.providerGuard);
        provider = s.historyProvider;
    }
    if (!provider)
        return;
    auto reply = std::make_shared<HistoryReply>();
    bool posted = false;
    s.notify([&](RestServerThread *owner) {
        posted = QMetaObject::invokeMethod(
            owner,
            [reply, provider, id] {
                RestServerThread::HistoryAnswer answer = provider(id);
                std::lock_guard<std::mutex> lock(reply->guard);
                reply->answer = std::move(answer);
                reply->done = true;
                reply->ready.notify_all();
            },
            Qt::QueuedConnection);
    });
    if (!posted)
        return;
    std::unique_lock<std::mutex> lock(reply->guard);
    // Quitting never waits for a request the GUI thread will not answer.
    while (!reply->done && !s.stopRequested && std::chrono::steady_clock::now() < deadline)
        reply->ready.wait_for(lock, milliseconds(50));
    if (!reply->done) {
        qWarning() << "History request not answered in time";
        return;
    }
    res.status = reply->answer.status;
    if (!reply->answer.body.isEmpty())
        res.set_content(reply->answer.body.toStdString(), "application/json");
}

void registerHandlers(HttpServer &server, const std::shared_ptr<RestServerThread::Shared> &shared)
{
    RestServerThread::Shared *s = shared.get();
    server.Get("/health", [](const httplib::Request &, httplib::Response &res) {
        qDebug() << "Handling HTTP GET request for /health endpoint...";
        res.status = 204;
    });
    server.Options("/routinemeta", [](const httplib::Request &, httplib::Response &res) {
        qDebug() << "Handling HTTP OPTIONS request for /routinemeta endpoint...";
        res.set_header("Access-Control-Allow-Headers", "content-type");
        res.set_header("Access-Control-Allow-Methods", "POST");
        res.set_header("Access-Control-Max-Age", "60");
        res.status = 200;
    });
    server.Post("/routinemeta", [s](const httplib::Request &req, httplib::Response &res) {
        qDebug() << "Handling HTTP POST request for /routinemeta endpoint...";
        if (!s->snapshot()->metaHosts.allows(QString::fromStdString(req.remote_addr))) {
            qWarning().noquote() << "Routine meta information from" << QString::fromStdString(req.remote_addr)
                                 << "refused: the host is not allowed to post it";
            res.status = 403;
            return;
        }
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(
            QByteArray(req.body.data(), static_cast<qsizetype>(req.body.size())), &error);
        if (error.error != QJsonParseError::NoError) {
            qWarning() << "Failed to parse JSON document!";
            res.status = 400;
            return;
        }
        qDebug() << "Received new routine meta information";
        QMap<QString, QString> meta;
        QString refused;
        if (!util::RESTUtils::jsonToMeta(document.object(), meta, &refused)) {
            qWarning().noquote() << "Routine meta information refused:" << refused;
            res.status = 413;
            res.set_content(refused.toStdString(), "text/plain; charset=utf-8");
            return;
        }
        s->notify([&meta](RestServerThread *owner) { Q_EMIT owner->receivedRoutineMeta(meta); });
        res.status = 204;
    });
    server.Get("/routineresult", [s](const httplib::Request &, httplib::Response &res) {
        qDebug() << "Handling HTTP GET request for /routineresult endpoint...";
        const std::shared_ptr<const Published> published = s->snapshot();
        if (!published->hasResult) {
            s->notify([](RestServerThread *owner) { Q_EMIT owner->failedToProvideResult(); });
            res.status = 404;
            return;
        }
        res.set_content(published->resultBody, "application/json");
        res.status = 200;
    });
    server.Get("/state", [s](const httplib::Request &, httplib::Response &res) {
        qDebug() << "Handling HTTP GET request for /state endpoint...";
        const std::shared_ptr<const Published> published = s->snapshot();
        if (!published->state.isSet()) {
            res.status = 404;
            return;
        }
        res.set_content(published->stateBody, "application/json");
        res.status = 200;
    });
    server.Get("/athletes", [s](const httplib::Request &, httplib::Response &res) {
        qDebug() << "Handling HTTP GET request for /athletes endpoint...";
        answerHistory(*s, QString(), res);
    });
    server.Get(R"(/athletes/([0-9A-Za-z_-]{1,64})/history)", "/athletes/{id}/history",
               [s](const httplib::Request &req, httplib::Response &res) {
                   qDebug() << "Handling HTTP GET request for /athletes/{id}/history endpoint...";
                   answerHistory(*s, QString::fromStdString(req.matches[1].str()), res);
               });
    server.Get("/scoreboard/data", [s](const httplib::Request &, httplib::Response &res) {
        res.set_content(s->snapshot()->scoreboardBody, "application/json");
        res.status = 200;
    });
    const auto page = [s](const httplib::Request &, httplib::Response &res) {
        res.set_content(s->snapshot()->pageBody, "text/html; charset=utf-8");
        res.status = 200;
    };
    server.Get("/", page);
    server.Get("/scoreboard", page);
}

void configure(HttpServer &server)
{
    server.set_payload_max_length(RestServerThread::kMaxBodyBytes);
    // What the answers announce; HttpListener keeps to it.
    server.set_keep_alive_max_count(RestServerThread::kKeepAliveMaxCount);
    server.set_keep_alive_timeout(RestServerThread::kKeepAliveMs / 1000);
    server.set_default_headers({{"Access-Control-Allow-Origin", "*"}});
}

HttpListener::Limits listenerLimits()
{
    HttpListener::Limits limits;
    limits.requestDeadlineMs = RestServerThread::kRequestDeadlineMs;
    limits.keepAliveMs = RestServerThread::kKeepAliveMs;
    limits.keepAliveMaxCount = RestServerThread::kKeepAliveMaxCount;
    limits.workers = RestServerThread::kWorkerCount;
    limits.connectionsPerPeer = RestServerThread::kConnectionsPerPeer;
    limits.requestBytes = RestServerThread::kMaxBodyBytes + RestServerThread::kMaxHeaderBytes;
    return limits;
}

} // namespace

QStringList RestServerThread::routes()
{
    HttpServer server;
    registerHandlers(server, std::make_shared<Shared>());
    return server.routes();
}

RestServerThread::RestServerThread(const RestServerSettings *settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->owner = this;
    m_shared->pageTemplate = scoreboardTemplate();
    setWebSocketPort(0);
}

RestServerThread::~RestServerThread()
{
    {
        std::lock_guard<std::mutex> lock(m_shared->ownerGuard);
        m_shared->owner = nullptr;
    }
    if (!m_thread)
        return;
    m_shared->stopRequested = true;
    {
        std::lock_guard<std::mutex> lock(m_shared->serverGuard);
        if (m_shared->listener)
            m_shared->listener->stop();
    }
    if (m_shared->listeningGuard.try_lock_for(std::chrono::milliseconds(2000)))
        m_shared->listeningGuard.unlock();
    else
        qWarning() << "Server seems to be still running (call stop() before destructor)!";
    if (m_thread->wait(kStopWaitMs)) {
        delete m_thread;
    } else {
        // Not expected: every wait of the server watches the stop. The
        // thread holds what it uses and deletes itself when it is done.
        qWarning() << "HTTP server thread still busy; it will end on its own";
        connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    }
}

void RestServerThread::start(int bindGraceMs)
{
    if (m_thread)
        return;
    const QString host = m_settings ? m_settings->hostName() : QString();
    m_shared->hostValid = RestServerSettings::isValidHostName(host);
    m_shared->host = host.isEmpty() ? std::string("0.0.0.0") : host.toStdString();
    m_shared->port = m_settings ? m_settings->portNumber() : 0;
    m_shared->bindGraceMs = bindGraceMs;
    m_shared->stopRequested = false;
    std::shared_ptr<Shared> shared = m_shared;
    m_thread = QThread::create([shared] { run(shared); });
    m_thread->setObjectName(QStringLiteral("RestServerThread"));
    m_thread->start(QThread::TimeCriticalPriority);
}

void RestServerThread::run(std::shared_ptr<Shared> s)
{
    qInfo() << "Starting web server...";
    std::unique_lock<std::timed_mutex> serving(s->listeningGuard);
    HttpServer server;
    configure(server);
    registerHandlers(server, s);
    HttpListener listener(
        [&server](httplib::Stream &stream, bool closeConnection, bool &connectionClosed) {
            return server.serve(stream, closeConnection, connectionClosed);
        },
        listenerLimits());
    {
        std::lock_guard<std::mutex> lock(s->serverGuard);
        s->listener = &listener;
    }
    qInfo().nospace().noquote() << "Listening on " << QString::fromStdString(s->host) << ":" << s->port;

    // A host or port that cannot be right is not tried (and never wrapped
    // into another port).
    const bool usable = s->hostValid && RestServerSettings::isValidPort(s->port);
    bool bound = false;
    QElapsedTimer sinceStart;
    sinceStart.start();
    while (usable && !s->stopRequested) {
        bound = listener.bind(s->host, s->port);
        if (bound || sinceStart.elapsed() >= s->bindGraceMs)
            break;
        QThread::msleep(kBindRetryMs);
    }
    if (bound) {
        s->notify([](RestServerThread *owner) { Q_EMIT owner->started(); });
        s->listening = true;
        // A stop() from here on ends run() at once, also before it waits.
        if (!s->stopRequested)
            listener.run();
        s->listening = false;
    } else if (!s->stopRequested) {
        qWarning().nospace().noquote()
            << "Unable to listen on " << QString::fromStdString(s->host) << ":" << s->port;
        s->notify([](RestServerThread *owner) {
            Q_EMIT owner->failedToBindPort();
            Q_EMIT owner->stopped();
        });
    }
    std::lock_guard<std::mutex> lock(s->serverGuard);
    s->listener = nullptr;
}

void RestServerThread::stop()
{
    qInfo() << "Stopping web server...";
    Q_EMIT stopped();
    m_shared->stopRequested = true;
    std::lock_guard<std::mutex> lock(m_shared->serverGuard);
    if (m_shared->listener)
        m_shared->listener->stop();
}

bool RestServerThread::wait(int ms)
{
    return !m_thread || m_thread->wait(ms);
}

bool RestServerThread::isRunning() const
{
    return m_thread && m_thread->isRunning();
}

bool RestServerThread::isListening() const
{
    return m_shared->listening;
}

void RestServerThread::setResult(const ScoringResult &result)
{
    const std::string body = jsonText(result.toJson());
    m_shared->publish([&](Published &p) {
        p.result = result;
        p.hasResult = true;
        p.hasCommitted = true;
        p.resultBody = body;
    });
}

void RestServerThread::clearResult()
{
    // A new routine (or a loaded one): the live figures went with the old.
    m_shared->publish([](Published &p) {
        p.hasResult = false;
        p.hasLive = false;
        p.live = ScoringResult();
    });
}

void RestServerThread::setLiveResult(const ScoringResult &result)
{
    m_shared->publish([&](Published &p) {
        p.live = result;
        p.hasLive = true;
    });
}

void RestServerThread::setUpNext(const QMap<QString, QString> &meta)
{
    m_shared->publish([&](Published &p) { p.upNext = meta; });
}

void RestServerThread::setRoutineMeta(const QMap<QString, QString> &meta)
{
    m_shared->publish([&](Published &p) { p.routineMeta = meta; });
}

void RestServerThread::setState(const ScoringState &state)
{
    const std::string body = jsonText(state.toJson());
    m_shared->publish([&](Published &p) {
        p.state = state;
        p.stateBody = body;
    });
}

bool RestServerThread::hasResult() const
{
    return m_shared->snapshot()->hasResult;
}

ScoringResult RestServerThread::result() const
{
    return m_shared->snapshot()->result;
}

ScoringState RestServerThread::state() const
{
    return m_shared->snapshot()->state;
}

void RestServerThread::setPersonalBest(const QString &athlete, std::optional<double> timeOfFlight)
{
    m_shared->publish([&](Published &p) {
        p.personalBestAthlete = athlete;
        p.personalBest = timeOfFlight;
    });
}

void RestServerThread::setHistoryProvider(HistoryProvider provider)
{
    std::lock_guard<std::mutex> lock(m_shared->providerGuard);
    m_shared->historyProvider = std::move(provider);
}

void RestServerThread::setHostFilter(const HostFilter &filter)
{
    m_shared->publish([&filter](Published &p) { p.metaHosts = filter; });
}

void RestServerThread::setWebSocketPort(int port)
{
    QByteArray page = m_shared->pageTemplate;
    page.replace(kPortPlaceholder, QByteArray::number(port));
    m_shared->publish([&page](Published &p) { p.pageBody = page.toStdString(); });
}

} // namespace ovra::rest::server
