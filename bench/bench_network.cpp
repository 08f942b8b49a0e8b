// The local servers under load, on loopback:
//  - GET /state with 8 keep-alive connections (wrk when it is installed,
//    otherwise the HTTP library's own client): requests per second and the
//    99th percentile latency;
//  - the time from handing a result to the WebSocket server until the last
//    of 100 connected clients has it;
//  - 10,000 malformed HTTP requests and 10,000 malformed WebSocket messages:
//    both servers must still answer, and the resident memory of the process
//    before and after;
//  - 64 connections from one address that trickle a byte at a time (and
//    reconnect when cut off) while another address asks GET /health: how
//    long each answer takes, then how long quitting takes meanwhile;
//  - 4 WebSocket clients that send 300,000 messages each and never read the
//    answers: the resident memory of the process before and after.
// Targets: >= 15,000 requests/s with p99 < 2 ms; broadcast < 10 ms; /health
// within 100 ms throughout the trickle and quit within 2 s; memory growth
// under the non-readers < 10 MB.
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

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
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

// A blocking TCP connection to 127.0.0.1 from the given loopback address;
// -1 when it failed.
int connectFrom(const char *source, int port, int receiveBuffer = 0)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (receiveBuffer > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof(receiveBuffer));
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = ::inet_addr(source);
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<uint16_t>(port));
    remote.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&local), sizeof(local)) != 0 ||
        ::connect(fd, reinterpret_cast<sockaddr *>(&remote), sizeof(remote)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Clients from 127.0.0.1 that each send a request a byte at a time, every
// interval, and open a new connection whenever the server ends theirs.
class Tricklers
{
public:
    Tricklers(int port, int count, int byteEveryMs)
        : m_port(port)
        , m_count(count)
        , m_byteEveryMs(byteEveryMs)
    {
        m_thread = std::thread([this] { run(); });
    }
    ~Tricklers()
    {
        m_stop = true;
        m_thread.join();
    }
    long connections() const { return m_connections; }

private:
    void run()
    {
        static const char request[] = "GET /health HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Padding: "
                                      "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n\r\n";
        struct Slot
        {
            int fd = -1;
            std::size_t sent = 0;
        };
        std::vector<Slot> lines(static_cast<std::size_t>(m_count));
        while (!m_stop) {
            for (Slot &slot : lines) {
                if (slot.fd >= 0) {
                    char buffer[512];
                    const ssize_t n = ::recv(slot.fd, buffer, sizeof(buffer), MSG_DONTWAIT);
                    const bool ended = n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
                    if (ended || n > 0 || slot.sent + 1 >= sizeof(request)) {
                        ::close(slot.fd);
                        slot.fd = -1;
                    }
                }
                if (slot.fd < 0) {
                    slot.fd = connectFrom("127.0.0.1", m_port);
                    slot.sent = 0;
                    ++m_connections;
                    continue;
                }
                if (::send(slot.fd, request + slot.sent, 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1)
                    ++slot.sent;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(m_byteEveryMs));
        }
        for (const Slot &slot : lines) {
            if (slot.fd >= 0)
                ::close(slot.fd);
        }
    }

    int m_port;
    int m_count;
    int m_byteEveryMs;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_connections{0};
    std::thread m_thread;
};

// GET /health on a fresh connection from 127.0.0.2: milliseconds until the
// whole answer came, or -1 without a 204.
double healthFromElsewhere(int port)
{
    const qint64 start = nowNs();
    const int fd = connectFrom("127.0.0.2", port);
    if (fd < 0)
        return -1.0;
    static const char ask[] = "GET /health HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    ::send(fd, ask, sizeof(ask) - 1, MSG_NOSIGNAL);
    std::string answer;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            break;
        char buffer[512];
        const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
        if (n <= 0)
            break;
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (answer.rfind("HTTP/1.1 204", 0) != 0)
        return -1.0;
    return double(nowNs() - start) / 1e6;
}

// A WebSocket client on a thread of its own that sends messages as fast as
// the connection takes them and never reads; stops when the server ends the
// connection or all are sent.
class Deaf
{
public:
    Deaf(int port, int messages)
    {
        m_thread = std::thread([this, port, messages] { run(port, messages); });
    }
    ~Deaf() { m_thread.join(); }
    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
        m_thread = std::thread([] {});
    }
    long sent() const { return m_sent; }
    bool cutOff() const { return m_cutOff; }

private:
    void run(int port, int messages)
    {
        const int fd = connectFrom("127.0.0.1", port, 4096);
        if (fd < 0)
            return;
        static const char handshake[] =
            "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
            "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
        ::send(fd, handshake, sizeof(handshake) - 1, MSG_NOSIGNAL);
        // One masked text frame, sent again and again.
        const std::string text =
            R"({"operation":"routinemeta","body":{"lastname":"Brandt","firstname":"Anna"}})";
        const unsigned char mask[4] = {0x12, 0x34, 0x56, 0x78};
        std::string frame;
        frame += char(0x81);
        frame += char(0x80 | text.size());
        frame.append(reinterpret_cast<const char *>(mask), 4);
        for (std::size_t i = 0; i < text.size(); ++i)
            frame += char(text[i] ^ mask[i % 4]);
        for (int i = 0; i < messages; ++i) {
            std::size_t done = 0;
            while (done < frame.size()) {
                const ssize_t n = ::send(fd, frame.data() + done, frame.size() - done, MSG_NOSIGNAL);
                if (n <= 0) {
                    m_cutOff = true;
                    ::close(fd);
                    return;
                }
                done += static_cast<std::size_t>(n);
            }
            ++m_sent;
        }
        ::close(fd);
    }

    std::atomic<long> m_sent{0};
    std::atomic<bool> m_cutOff{false};
    std::thread m_thread;
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

    // Trickling connections from one address, /health from another.
    constexpr int kTricklers = 64;
    constexpr int kTrickleSeconds = 8;
    std::printf("HTTP server, %d connections from one address trickling a byte every 100 ms (%d s), "
                "GET /health from another every 50 ms:\n",
                kTricklers, kTrickleSeconds);
    std::vector<double> healthMs;
    int unanswered = 0;
    double quitMs = 0.0;
    {
        Tricklers tricklers(settings.portNumber(), kTricklers, 100);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(kTrickleSeconds);
        while (std::chrono::steady_clock::now() < end) {
            const double ms = healthFromElsewhere(settings.portNumber());
            if (ms < 0)
                ++unanswered;
            else
                healthMs.push_back(ms);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::sort(healthMs.begin(), healthMs.end());
        std::printf("  trickling connections opened             %10ld\n", tricklers.connections());
        std::printf("  /health asked / unanswered               %10zu / %d\n", healthMs.size() + unanswered,
                    unanswered);
        printFigure("/health median", healthMs.empty() ? 0.0 : healthMs[healthMs.size() / 2], "ms", "-");
        printFigure("/health worst", healthMs.empty() ? 0.0 : healthMs.back(), "ms", "< 100");
        // Quitting while they still trickle.
        const qint64 quitStart = nowNs();
        http.stop();
        const bool ended = http.wait(RestServerThread::kStopWaitMs);
        quitMs = double(nowNs() - quitStart) / 1e6;
        std::printf("  HTTP server thread ended on quit          %10s\n", ended ? "yes" : "NO");
        printFigure("quit, until the server thread ended", quitMs, "ms", "< 2000");
    }

    // WebSocket clients that send and never read.
    constexpr int kDeaf = 4;
    constexpr int kDeafMessages = 300000;
    std::printf("WebSocket server, %d clients sending %d messages each, never reading:\n", kDeaf,
                kDeafMessages);
    waitFor([] { return false; }, 200);
    const qint64 deafBefore = residentKiB();
    QElapsedTimer deafClock;
    deafClock.start();
    {
        std::vector<std::unique_ptr<Deaf>> deaf;
        for (int i = 0; i < kDeaf; ++i)
            deaf.push_back(std::make_unique<Deaf>(webSocket.serverPort(), kDeafMessages));
        // The server answers on this thread while the clients send.
        waitFor(
            [&] {
                for (const auto &d : deaf) {
                    if (!d->cutOff() && d->sent() < kDeafMessages)
                        return false;
                }
                return true;
            },
            120000);
        waitFor([] { return false; }, 500);
        for (int i = 0; i < kDeaf; ++i)
            std::printf("  client %d: messages sent / cut off        %10ld / %s\n", i + 1,
                        deaf[std::size_t(i)]->sent(), deaf[std::size_t(i)]->cutOff() ? "yes" : "no");
    }
    waitFor([&] { return webSocket.clientCount() == 0; }, 5000);
    const qint64 deafAfter = residentKiB();
    QWebSocket afterDeaf;
    bool afterDeafGreeted = false;
    QObject::connect(&afterDeaf, &QWebSocket::textMessageReceived, [&](const QString &text) {
        afterDeafGreeted = text.contains(QLatin1String("\"state\""));
    });
    afterDeaf.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(webSocket.serverPort())));
    waitFor([&] { return afterDeafGreeted; }, 5000);
    std::printf("  time until all were done                  %10lld ms\n",
                static_cast<long long>(deafClock.elapsed()));
    std::printf("  WebSocket server greets a new client       %10s\n", afterDeafGreeted ? "yes" : "NO");
    std::printf("  resident memory before / after             %7lld / %lld KiB (%+lld KiB, target < 10240)\n",
                static_cast<long long>(deafBefore), static_cast<long long>(deafAfter),
                static_cast<long long>(deafAfter - deafBefore));
    return 0;
}
