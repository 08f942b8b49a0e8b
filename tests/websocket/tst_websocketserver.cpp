// The WebSocket server with a client from outside Qt (Debian's
// python3-websockets) and, for what no such client does (never answering a
// ping), a raw socket.

#include "support/MessageCapture.h"
#include "support/ScoringTestServer.h"
#include "support/TestSupport.h"
#include "util/Clock.h"
#include "websocket/WebSocketServer.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

using Meta = QMap<QString, QString>;

namespace {

const char *const kPython = "/usr/bin/python3";

// One python client run to its end while the server's event loop runs.
class Peer
{
public:
    Peer(quint16 port, int expect, const QStringList &messages, double lingerSeconds = 0.0)
    {
        m_process.setProgram(QString::fromLatin1(kPython));
        m_process.setArguments(
            QStringList{ovra::test::sourceDir() + QStringLiteral("/tests/websocket/ws_peer.py"),
                        QStringLiteral("--expect"), QString::number(expect), QStringLiteral("--linger"),
                        QString::number(lingerSeconds), QStringLiteral("--"),
                        QStringLiteral("ws://127.0.0.1:%1/").arg(port)}
            << messages);
        m_process.start();
    }
    ~Peer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
    bool waitConnected(int timeoutMs = 10000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!m_stderr.contains("connected") && !deadline.hasExpired()) {
            QTest::qWait(5);
            m_stderr += m_process.readAllStandardError();
            if (m_process.state() == QProcess::NotRunning)
                break;
        }
        return m_stderr.contains("connected");
    }
    // What the client received, one object per message.
    QList<QJsonObject> finish(int timeoutMs = 20000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (m_process.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(5);
        QList<QJsonObject> received;
        for (const QByteArray &line : m_process.readAllStandardOutput().split('\n')) {
            if (!line.trimmed().isEmpty())
                received << QJsonDocument::fromJson(line).object();
        }
        return received;
    }
    QByteArray errors() { return m_stderr + m_process.readAllStandardError(); }

private:
    QProcess m_process;
    QByteArray m_stderr;
};

// A WebSocket client that completes the handshake and then never reads. Its
// receive buffer is kept small, so what the server sends piles up on the
// server's side.
class DeafClient
{
public:
    explicit DeafClient(quint16 port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        int size = 4096;
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof(size));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0)
            return;
        const QByteArray handshake =
            "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
            "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
        m_connected =
            ::send(m_fd, handshake.constData(), static_cast<size_t>(handshake.size()), 0) == handshake.size();
    }
    ~DeafClient() { ::close(m_fd); }
    bool connected() const { return m_connected; }

    // Reads at last, until the server's end of the connection shows (while
    // the event loop runs); false when it has not come in time.
    bool endedByServer(int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        char buffer[65536];
        while (!deadline.hasExpired()) {
            pollfd fd{m_fd, POLLIN, 0};
            if (::poll(&fd, 1, 0) > 0) {
                const ssize_t n = ::recv(m_fd, buffer, sizeof(buffer), 0);
                if (n == 0 || (n < 0 && errno == ECONNRESET))
                    return true;
                continue;
            }
            QTest::qWait(5);
        }
        return false;
    }

private:
    int m_fd = -1;
    bool m_connected = false;
};

// A result of about 2 KB, numbered.
QJsonObject bigResult(int number)
{
    return {{QStringLiteral("type"), QStringLiteral("individual")},
            {QStringLiteral("maturity"), QStringLiteral("preliminary")},
            {QStringLiteral("number"), number},
            {QStringLiteral("padding"), QString(2000, QLatin1Char('x'))}};
}

QJsonObject message(const QJsonObject &line)
{
    return QJsonDocument::fromJson(line.value(QStringLiteral("text")).toString().toUtf8()).object();
}

QJsonObject response(int code, const QString &text)
{
    return {{QStringLiteral("operation"), QStringLiteral("response")},
            {QStringLiteral("body"),
             QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("message"), text}}}};
}

QJsonObject stateMessage(const QString &state)
{
    QJsonObject body;
    if (!state.isEmpty())
        body.insert(QStringLiteral("state"), state);
    return {{QStringLiteral("operation"), QStringLiteral("state")}, {QStringLiteral("body"), body}};
}

} // namespace

class TestWebSocketServer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        OVRA_REQUIRE_PROGRAM(python, "/usr/bin/python3");
        const QByteArray check = ovra::test::runProgram(
            python, {QStringLiteral("-c"), QStringLiteral("import websockets; print('ok')")});
        if (!check.startsWith("ok"))
            QFAIL("python3-websockets is missing; the test command installs it (scripts/setup.sh)");
    }

    void protocolWithAnOutsideClient()
    {
        WebSocketServer server(0, false);
        QSignalSpy meta(&server, &WebSocketServer::receivedRoutineMeta);
        QSignalSpy command(&server, &WebSocketServer::receivedCommand);
        QSignalSpy count(&server, &WebSocketServer::connectedClientCountChanged);
        server.start();
        QVERIFY(server.isListening());

        Peer peer(server.serverPort(), 7,
                  {QStringLiteral("[1, 2]"),
                   QStringLiteral(R"({"operation":"RoutineMeta","body":{"lastname":"Brandt","age":17}})"),
                   QStringLiteral("not json"), QStringLiteral(R"({"operation":"dance","body":{}})"),
                   QStringLiteral(R"({"body":{}})"), QStringLiteral("bin:00ff10"),
                   QStringLiteral(R"({"operation":"command","body":{}})"),
                   QStringLiteral(R"({"operation":"routinemeta","body":[1]})")},
                  0.3);
        const QList<QJsonObject> received = peer.finish();
        QCOMPARE(received.size(), 8);
        // Before any state is known a new client gets an empty state body.
        QCOMPARE(message(received.at(0)), stateMessage(QString()));
        QCOMPARE(message(received.at(1)),
                 response(400, QStringLiteral("Received malformed message (no json object)")));
        QCOMPARE(message(received.at(2)), response(204, QStringLiteral("success")));
        QCOMPARE(message(received.at(3)), response(400, QStringLiteral("Failed to parse JSON")));
        // Without the debug switch the error text stays empty.
        QCOMPARE(message(received.at(4)), response(400, QString()));
        QCOMPARE(message(received.at(5)), response(400, QString()));
        // The binary frame is never answered.
        QCOMPARE(message(received.at(6)), response(204, QStringLiteral("success")));
        QCOMPARE(message(received.at(7)), response(204, QStringLiteral("success")));
        // Compact JSON text, no whitespace between the tokens.
        for (const QJsonObject &line : received) {
            const QByteArray text = line.value(QStringLiteral("text")).toString().toUtf8();
            QCOMPARE(QJsonDocument::fromJson(text).toJson(QJsonDocument::Compact), text);
        }

        QCOMPARE(meta.size(), 2);
        QCOMPARE(meta.at(0).first().value<Meta>(),
                 (QMap<QString, QString>{{QStringLiteral("lastname"), QStringLiteral("Brandt")}}));
        QVERIFY(meta.at(1).first().value<Meta>().isEmpty());
        QCOMPARE(command.size(), 1);
        QTRY_COMPARE(server.clientCount(), 0);
        QCOMPARE(count.first().first().value<ushort>(), ushort(1));
        QCOMPARE(count.last().first().value<ushort>(), ushort(0));
    }

    void debugModeNamesTheError()
    {
        MessageCapture log;
        WebSocketServer server(0, true);
        server.start();
        Peer peer(server.serverPort(), 3,
                  {QStringLiteral(R"({"operation":"dance","body":{}})"), QStringLiteral(R"({"body":{}})"),
                   QStringLiteral("bin:0102")},
                  0.3);
        const QList<QJsonObject> received = peer.finish();
        QCOMPARE(received.size(), 3);
        QCOMPARE(message(received.at(1)), response(400, QStringLiteral("Unknown operation: dance")));
        QCOMPARE(message(received.at(2)),
                 response(400, QStringLiteral("Operation is missing in json message")));
        QTRY_VERIFY(!log.linesStartingWith(QStringLiteral("Binary Message received:")).isEmpty());
    }

    void broadcastsToEveryClient()
    {
        WebSocketServer server(0, false);
        server.start();
        server.sendStateToClients({{QStringLiteral("state"), QStringLiteral("ready")}});
        // The first client expects: the state, the state change (once, though
        // it is sent twice) and the result.
        Peer first(server.serverPort(), 3, {}, 0.5);
        Peer second(server.serverPort(), 3, {}, 0.5);
        QVERIFY(first.waitConnected());
        QVERIFY(second.waitConnected());
        QTRY_COMPARE(server.clientCount(), 2);
        server.sendStateToClients({{QStringLiteral("state"), QStringLiteral("review")}});
        server.sendStateToClients({{QStringLiteral("state"), QStringLiteral("review")}});
        const QJsonObject result{{QStringLiteral("type"), QStringLiteral("individual")},
                                 {QStringLiteral("maturity"), QStringLiteral("confirmed")}};
        server.sendRoutineResult(result);
        for (Peer *peer : {&first, &second}) {
            const QList<QJsonObject> received = peer->finish();
            QCOMPARE(received.size(), 3);
            QCOMPARE(message(received.at(0)), stateMessage(QStringLiteral("ready")));
            QCOMPARE(message(received.at(1)), stateMessage(QStringLiteral("review")));
            QCOMPARE(message(received.at(2)),
                     (QJsonObject{{QStringLiteral("operation"), QStringLiteral("routineresult")},
                                  {QStringLiteral("body"), result}}));
        }
        // Results are not kept for clients that come later.
        Peer later(server.serverPort(), 2, {}, 0.0);
        const QList<QJsonObject> received = later.finish(3000);
        QCOMPARE(received.size(), 1);
        QCOMPARE(message(received.at(0)), stateMessage(QStringLiteral("review")));
    }

    void pingsPongsAndSilentClients()
    {
        MessageCapture log;
        ovra::util::ManualClock clock;
        WebSocketServer server(0, true);
        server.setClock(&clock);
        server.start();
        QSignalSpy count(&server, &WebSocketServer::connectedClientCountChanged);

        // A client that answers pings (the python library does by itself).
        Peer answering(server.serverPort(), 1, {}, 2.0);
        QVERIFY(answering.waitConnected());
        // A client that completed the handshake and then stays silent.
        QTcpSocket silent;
        silent.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(silent.waitForConnected(5000));
        silent.write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                     "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        QTRY_COMPARE(server.clientCount(), 2);
        QTRY_VERIFY(silent.bytesAvailable() > 0);
        QVERIFY(silent.readAll().startsWith("HTTP/1.1 101"));

        clock.advanceMs(10000);
        server.sendPingToClients();
        QTRY_VERIFY(!log.linesStartingWith(QStringLiteral("Pong from")).isEmpty());
        // 16 s without a pong for the silent one, 6 s for the other.
        clock.advanceMs(6000);
        server.sendPingToClients();
        QVERIFY(log.lines().contains(QStringLiteral("Client timed out")));
        QTRY_COMPARE(server.clientCount(), 1);
        QTRY_VERIFY(silent.state() == QAbstractSocket::UnconnectedState || silent.waitForDisconnected(100));
        QCOMPARE(count.last().first().value<ushort>(), ushort(1));
        answering.finish();
        QTRY_COMPARE(server.clientCount(), 0);
    }

    // Regression: every answer and broadcast piled up in the program for a
    // client that never read (+29 MB after 300,000 messages), without bound.
    // Such a client is dropped once too much waits for it, and logged once;
    // a client that reads gets every message.
    void clientThatNeverReadsIsDropped()
    {
        MessageCapture log;
        WebSocketServer server(0, false);
        server.start();
        constexpr int kResults = 3000; // about 6 MB, several times the bound
        Peer reader(server.serverPort(), 1 + kResults, {}, 0.3);
        QVERIFY(reader.waitConnected());
        DeafClient deaf(server.serverPort());
        QVERIFY(deaf.connected());
        QTRY_COMPARE(server.clientCount(), 2);
        for (int i = 0; i < kResults; ++i) {
            server.sendRoutineResult(bigResult(i));
            // At the pace of a live routine's event loop, which a reading
            // client keeps up with.
            if (i % 20 == 19)
                QTest::qWait(5);
        }
        QTRY_COMPARE(server.clientCount(), 1);
        QCOMPARE(log.linesStartingWith(QStringLiteral("WebSocket client 127.0.0.1 dropped:")).size(), 1);
        QVERIFY(deaf.endedByServer(10000));

        const QList<QJsonObject> received = reader.finish();
        QCOMPARE(received.size(), 1 + kResults);
        for (int i = 0; i < kResults; ++i) {
            const QJsonObject body = message(received.at(1 + i)).value(QStringLiteral("body")).toObject();
            QCOMPARE(body.value(QStringLiteral("number")).toInt(), i);
        }
    }

    // Regression: a client that missed its pongs was closed normally, and a
    // normal close waits until what is queued before it has been sent; for
    // a client that does not read, that is never, and its connection and
    // backlog stayed.
    void silentClientWithBacklogIsDroppedAfterItsPongDeadline()
    {
        MessageCapture log;
        ovra::util::ManualClock clock;
        WebSocketServer server(0, false);
        server.setClock(&clock);
        server.start();
        DeafClient deaf(server.serverPort());
        QVERIFY(deaf.connected());
        QTRY_COMPARE(server.clientCount(), 1);
        // Below the bound, but more than the connection takes.
        for (int i = 0; i < 200; ++i) {
            server.sendRoutineResult(bigResult(i));
            if (i % 20 == 19)
                QTest::qWait(5);
        }
        clock.advanceMs(WebSocketServer::kPongTimeoutMs + 1000);
        server.sendPingToClients();
        server.sendPingToClients();
        QCOMPARE(log.lines().count(QStringLiteral("Client timed out")), 1);
        QTRY_COMPARE_WITH_TIMEOUT(server.clientCount(), 0, WebSocketServer::kCloseGraceMs + 5000);
        QVERIFY(deaf.endedByServer(10000));
    }

    void oversizedMessageClosesOnlyThatClient()
    {
        WebSocketServer server(0, false);
        server.start();
        Peer calm(server.serverPort(), 2, {QStringLiteral(R"({"operation":"command"})")}, 1.0);
        QVERIFY(calm.waitConnected());
        Peer flood(server.serverPort(), 2,
                   {QStringLiteral("big:%1").arg(WebSocketServer::kMaxMessageBytes + 1024)});
        const QList<QJsonObject> flooded = flood.finish();
        QVERIFY2(!flooded.isEmpty() && flooded.last().value(QStringLiteral("closed")).toInt() == 1009,
                 flood.errors().constData());
        const QList<QJsonObject> received = calm.finish();
        QCOMPARE(received.size(), 2);
        QCOMPARE(message(received.at(1)), response(204, QStringLiteral("success")));
    }

    void manyPendingConnectionsAreAllAccepted()
    {
        WebSocketServer server(0, false);
        server.start();
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (int i = 0; i < 20; ++i) {
            auto socket = std::make_unique<QTcpSocket>();
            socket->connectToHost(QHostAddress::LocalHost, server.serverPort());
            QVERIFY(socket->waitForConnected(5000));
            socket->write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                          "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
            socket->flush();
            sockets.push_back(std::move(socket));
        }
        QTRY_COMPARE(server.clientCount(), 20);
        sockets.clear();
        QTRY_COMPARE(server.clientCount(), 0);
    }
};

OVRA_TEST_CORE_MAIN(TestWebSocketServer)
#include "tst_websocketserver.moc"
