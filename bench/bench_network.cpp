// The local servers under load, on loopback:
//  - GET /state with 8 keep-alive connections (wrk when it is installed,
//    otherwise the HTTP library's own client): requests per second and the
//    99th percentile latency;
//  - the time from handing a result to the WebSocket server until the last
//    of 100 connected clients has it;
//  - 10,000 malformed HTTP requests and 10,000 malformed WebSocket messages:
//    both servers must still answer, and the resident memory of the process
//    before and after.
// Targets: >= 15,000 requests/s with p99 < 2 ms; broadcast < 10 ms.
#include "AppStartup.h"
#include "rest/client/ScoringResult.h"
#include "rest/server/RestServerSettings.h"
#include "rest/server/RestServerThread.h"
#include "util/RESTUtils.h"
#include "websocket/WebSocketServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QWebSocket>

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace ovra::rest::client;
using ovra::rest::server::RestServerSettings;
using ovra::rest::server::RestServerThread;

namespace {

constexpr int kConnections = 8;
constexpr int kSeconds = 5;
constexpr int kBroadcastClients = 100;
constexpr int kBroadcastRounds = 50;
constexpr int kMalformed = 10000;

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

double milliseconds(const QRegularExpressionMatch &match)
{
    double value = match.captured(1).toDouble();
    if (match.captured(2) == QLatin1String("us"))
        value /= 1000.0;
    else if (match.captured(2) == QLatin1String("s"))
        value *= 1000.0;
    return value;
}

// wrk's figures: requests per second, the median and the 99th percentile
// in ms.
bool runWrk(int port, double &requestsPerSecond, double &p50Ms, double &p99Ms)
{
    const QString wrk = QStandardPaths::findExecutable(QStringLiteral("wrk"));
    if (wrk.isEmpty())
        return false;
    // One load thread: on a two-core machine the other core is the
    // server's.
    QProcess process;
    process.start(wrk, {QStringLiteral("-t1"), QStringLiteral("-c%1").arg(kConnections),
                        QStringLiteral("-d%1s").arg(kSeconds), QStringLiteral("--latency"),
                        QStringLiteral("http://127.0.0.1:%1/state").arg(port)});
    if (!process.waitForFinished((kSeconds + 20) * 1000))
        return false;
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const auto rps = QRegularExpression(QStringLiteral("Requests/sec:\\s*([0-9.]+)")).match(out);
    const auto p50 = QRegularExpression(QStringLiteral("50%\\s*([0-9.]+)(us|ms|s)")).match(out);
    const auto p99 = QRegularExpression(QStringLiteral("99%\\s*([0-9.]+)(us|ms|s)")).match(out);
    if (!rps.hasMatch() || !p50.hasMatch() || !p99.hasMatch())
        return false;
    requestsPerSecond = rps.captured(1).toDouble();
    p50Ms = milliseconds(p50);
    p99Ms = milliseconds(p99);
    return true;
}

// The same load from the HTTP library's client, when wrk is missing.
void runClients(int port, double &requestsPerSecond, double &p50Ms, double &p99Ms)
{
    std::vector<std::vector<double>> latencies(kConnections);
    std::vector<std::thread> threads;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(kSeconds);
    for (int c = 0; c < kConnections; ++c) {
        threads.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", port);
            client.set_keep_alive(true);
            while (std::chrono::steady_clock::now() < end) {
                const qint64 start = nowNs();
                if (client.Get("/state"))
                    latencies[std::size_t(c)].push_back(double(nowNs() - start) / 1e6);
            }
        });
    }
    for (std::thread &t : threads)
        t.join();
    std::vector<double> all;
    for (const auto &l : latencies)
        all.insert(all.end(), l.begin(), l.end());
    std::sort(all.begin(), all.end());
    requestsPerSecond = double(all.size()) / kSeconds;
    p50Ms = all.empty() ? 0.0 : all[all.size() / 2];
    p99Ms = all.empty() ? 0.0 : all[std::min(all.size() - 1, std::size_t(double(all.size()) * 0.99))];
}

// 100 clients on a thread of their own, each noting when the broadcast
// reached it.
class BroadcastClients : public QObject
{
public:
    std::atomic<int> received{0};
    std::atomic<qint64> lastArrival{0};
    std::atomic<int> connected{0};

    void open(quint16 port)
    {
        for (int i = 0; i < kBroadcastClients; ++i) {
            auto *socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
            QObject::connect(socket, &QWebSocket::connected, this, [this] { ++connected; });
            QObject::connect(socket, &QWebSocket::textMessageReceived, this, [this](const QString &text) {
                if (!text.contains(QLatin1String("routineresult")))
                    return;
                const qint64 now = nowNs();
                qint64 last = lastArrival.load();
                while (now > last && !lastArrival.compare_exchange_weak(last, now)) {
                }
                ++received;
            });
            socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(port)));
        }
    }
};

void printFigure(const char *name, double value, const char *unit, const char *target)
{
    std::printf("  %-44s %10.2f %-6s (target %s)\n", name, value, unit, target);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // The figures depend on what else the machine does.
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    if (loadAverage.open(QIODevice::ReadOnly))
        std::printf("load average before: %s", loadAverage.readAll().constData());
    // As in the program: every message goes to the program's log handler,
    // which drops what is below the log level.
    ovra::startup::installMessageHandler();

    RestServerSettings settings;
    settings.setHostName(QStringLiteral("127.0.0.1"));
    settings.setPortNumber(freePort());
    RestServerThread http(&settings);
    bool started = false;
    QObject::connect(&http, &RestServerThread::started, [&started] { started = true; });
    http.start();
    waitFor([&] { return started; }, 5000);
    ScoringState ready;
    ready.setState(ScoringStateType(ScoringStateType::Ready));
    http.setState(ready);
    http.setResult(ovra::util::RESTUtils::createSampleResult());

    std::printf("HTTP server, GET /state, %d keep-alive connections, %d s:\n", kConnections, kSeconds);
    double rps = 0.0;
    double p50 = 0.0;
    double p99 = 0.0;
    const bool wrk = runWrk(settings.portNumber(), rps, p50, p99);
    if (!wrk)
        runClients(settings.portNumber(), rps, p50, p99);
    std::printf("  load generator: %s\n", wrk ? "wrk" : "HTTP library client (wrk not installed)");
    printFigure("requests per second", rps, "req/s", ">= 15000");
    printFigure("median latency", p50, "ms", "-");
    printFigure("99th percentile latency", p99, "ms", "< 2");

    WebSocketServer webSocket(0, false);
    webSocket.start();
    QThread clientThread;
    auto *clients = new BroadcastClients;
    clients->moveToThread(&clientThread);
    clientThread.start();
    QMetaObject::invokeMethod(clients, [clients, port = webSocket.serverPort()] { clients->open(port); });
    waitFor(
        [&] {
            return webSocket.clientCount() == kBroadcastClients && clients->connected == kBroadcastClients;
        },
        20000);
    const QJsonObject result = ovra::util::RESTUtils::createSampleResult().toJsonObject();
    std::vector<double> broadcast;
    for (int round = 0; round < kBroadcastRounds; ++round) {
        clients->received = 0;
        clients->lastArrival = 0;
        const qint64 start = nowNs();
        webSocket.sendRoutineResult(result);
        waitFor([&] { return clients->received == kBroadcastClients; }, 5000);
        broadcast.push_back(double(clients->lastArrival - start) / 1e6);
    }
    std::sort(broadcast.begin(), broadcast.end());
    std::printf("WebSocket broadcast of a result to %d clients (%d rounds):\n", webSocket.clientCount(),
                kBroadcastRounds);
    printFigure("median, until the last client has it", broadcast[broadcast.size() / 2], "ms", "< 10");
    printFigure("worst", broadcast.back(), "ms", "< 10");
    QMetaObject::invokeMethod(
        clients, [clients] { delete clients; }, Qt::BlockingQueuedConnection);
    clientThread.quit();
    clientThread.wait();
    waitFor([&] { return webSocket.clientCount() == 0; }, 5000);

    // Malformed input: first a round to warm up (allocator, thread pool),
    // then the measured 10,000 of each kind.
    const QList<QByteArray> badHttp = {
        "GARBAGE\r\n\r\n",
        "GET /state HTTP/9.9\r\nHost: x\r\n\r\n",
        "POST /routinemeta HTTP/1.1\r\nHost: x\r\nContent-Length: 9\r\n\r\nnot json!",
        "POST /routinemeta HTTP/1.1\r\nHost: x\r\nContent-Length: 99999999\r\n\r\n{",
        "GET /" + QByteArray(9000, 'a') + " HTTP/1.1\r\n\r\n",
        "POST /routinemeta HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\n[1,2]",
    };
    const QStringList badWebSocket = {
        QStringLiteral("not json"),
        QStringLiteral("[1,2,3]"),
        QStringLiteral("{\"operation\":\"dance\"}"),
        QStringLiteral("{\"body\":{}}"),
        QStringLiteral("{\"operation\":\"routinemeta\",\"body\":[]}"),
    };
    std::atomic<int> httpAnswers{0};
    // The HTTP server answers on its own threads: blocking sockets on a few
    // threads here. A request that announces a body above the bound is
    // abandoned right after it is sent, as such a client would; the server
    // must not wait for the body.
    const auto floodHttp = [&](int count) {
        constexpr int kFloodThreads = 8;
        std::vector<std::thread> threads;
        for (int t = 0; t < kFloodThreads; ++t) {
            threads.emplace_back([&, t] {
                for (int i = t; i < count; i += kFloodThreads) {
                    QTcpSocket socket;
                    socket.connectToHost(QHostAddress::LocalHost,
                                         static_cast<quint16>(settings.portNumber()));
                    if (!socket.waitForConnected(2000))
                        continue;
                    const QByteArray &request = badHttp.at(i % badHttp.size());
                    socket.write(request);
                    socket.waitForBytesWritten(2000);
                    if (request.contains("99999999")) {
                        ++httpAnswers;
                        socket.abort();
                        continue;
                    }
                    if (socket.waitForReadyRead(2000) || socket.bytesAvailable() > 0)
                        ++httpAnswers;
                    socket.abort();
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
    };
    QWebSocket junk;
    std::atomic<int> webSocketAnswers{0};
    QObject::connect(&junk, &QWebSocket::textMessageReceived, [&](const QString &) { ++webSocketAnswers; });
    junk.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(webSocket.serverPort())));
    waitFor([&] { return webSocketAnswers == 1; }, 5000);
    const auto floodWebSocket = [&](int count) {
        const int before = webSocketAnswers;
        for (int i = 0; i < count; ++i) {
            junk.sendTextMessage(badWebSocket.at(i % badWebSocket.size()));
            if (i % 100 == 99)
                waitFor([&] { return webSocketAnswers >= before + i + 1; }, 5000);
        }
        waitFor([&] { return webSocketAnswers >= before + count; }, 10000);
    };
    floodHttp(1000);
    floodWebSocket(1000);
    const qint64 before = residentKiB();
    httpAnswers = 0;
    const int webSocketBefore = webSocketAnswers;
    QElapsedTimer floodClock;
    floodClock.start();
    floodHttp(kMalformed);
    floodWebSocket(kMalformed);
    const qint64 floodMs = floodClock.elapsed();
    const qint64 after = residentKiB();

    httplib::Client check("127.0.0.1", settings.portNumber());
    const auto health = check.Get("/health");
    QWebSocket late;
    bool lateGotState = false;
    QObject::connect(&late, &QWebSocket::textMessageReceived,
                     [&](const QString &text) { lateGotState = text.contains(QLatin1String("\"state\"")); });
    late.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(webSocket.serverPort())));
    waitFor([&] { return lateGotState; }, 5000);

    std::printf("Malformed input, %d HTTP requests and %d WebSocket messages (%lld ms):\n", kMalformed,
                kMalformed, static_cast<long long>(floodMs));
    std::printf("  HTTP requests answered or abandoned       %10d\n", httpAnswers.load());
    std::printf("  WebSocket messages answered with code 400  %10d\n", webSocketAnswers - webSocketBefore);
    std::printf("  HTTP server answers GET /health afterwards %10s\n",
                health && health->status == 204 ? "yes" : "NO");
    std::printf("  WebSocket server greets a new client       %10s\n", lateGotState ? "yes" : "NO");
    std::printf("  resident memory before / after             %7lld / %lld KiB (%+lld KiB)\n",
                static_cast<long long>(before), static_cast<long long>(after),
                static_cast<long long>(after - before));
    http.stop();
    http.wait(RestServerThread::kStopWaitMs);
    return 0;
}
