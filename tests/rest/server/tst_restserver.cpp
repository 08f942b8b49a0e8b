// The local HTTP server on loopback, asked by clients from outside the
// program: curl for the endpoints, the HTTP library's client for many
// concurrent readers, and chromium for the scoreboard page. The interface
// definitions delivered with the program are checked against what the
// server and the scoring client really do.

#include "data/Evaluation.h"
#include "data/Routines.h"
#include "data/wsDaten.h"
#include "history/HistoryService.h"
#include "rest/client/ScoringClient.h"
#include "rest/client/ScoringResult.h"
#include "rest/server/NetworkServers.h"
#include "rest/server/RestServerSettings.h"
#include "rest/server/RestServerThread.h"
#include "settings/RulesSettings.h"
#include "settings/WebSocketServerSettings.h"
#include "support/MessageCapture.h"
#include "support/ScoringTestServer.h"
#include "support/TestSupport.h"
#include "util/RESTUtils.h"
#include "websocket/WebSocketServer.h"
#include "wsdb.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cmath>
#include <future>
#include <thread>

using namespace ovra::rest::client;
using ovra::rest::server::HostFilter;
using ovra::rest::server::NetworkServers;
using ovra::rest::server::RestServerSettings;
using ovra::rest::server::RestServerThread;
using Meta = QMap<QString, QString>;

namespace {

ScoringResult confirmedResult(double timeOfFlight, const QMap<QString, QString> &meta = {})
{
    return ovra::test::individualResult(timeOfFlight, 10, meta);
}

ScoringState state(ScoringStateType::Value value)
{
    ScoringState s;
    s.setState(ScoringStateType(value));
    return s;
}

// An answer as curl saw it.
struct Answer
{
    int status = 0;
    QMap<QString, QString> headers; // lower-case names
    QByteArray body;
};

// One curl call; "-i" puts the status line and the headers before the body.
Answer curl(const QString &program, const QStringList &arguments)
{
    QStringList all = {QStringLiteral("-s"), QStringLiteral("-i"), QStringLiteral("--max-time"),
                       QStringLiteral("10")};
    all << arguments;
    const QByteArray out = ovra::test::runProgram(program, all);
    Answer answer;
    const qsizetype split = out.indexOf("\r\n\r\n");
    const QList<QByteArray> head = out.left(split).split('\n');
    if (!head.isEmpty())
        answer.status = head.first().split(' ').value(1).toInt();
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArray line = head.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            answer.headers.insert(QString::fromLatin1(line.left(colon)).toLower(),
                                  QString::fromLatin1(line.mid(colon + 1).trimmed()));
    }
    if (split >= 0)
        answer.body = out.mid(split + 4);
    return answer;
}

// The server's signals as the GUI thread receives them, queued: a spy on
// the server itself would record in the server's own threads.
class Relay : public QObject
{
    Q_OBJECT
public:
    explicit Relay(RestServerThread *server)
    {
        connect(server, &RestServerThread::started, this, &Relay::started);
        connect(server, &RestServerThread::stopped, this, &Relay::stopped);
        connect(server, &RestServerThread::receivedRoutineMeta, this, &Relay::receivedRoutineMeta);
        connect(server, &RestServerThread::failedToBindPort, this, &Relay::failedToBindPort);
        connect(server, &RestServerThread::failedToProvideResult, this, &Relay::failedToProvideResult);
    }

Q_SIGNALS:
    void started();
    void stopped();
    void receivedRoutineMeta(QMap<QString, QString> routineMeta);
    void failedToBindPort();
    void failedToProvideResult();
};

struct Server
{
    RestServerSettings settings;
    std::unique_ptr<RestServerThread> thread;
    std::unique_ptr<Relay> relay;
    QString base;

    explicit Server(int port = ovra::test::freeTcpPort(), const QString &host = QStringLiteral("127.0.0.1"))
    {
        settings.setHostName(host);
        settings.setPortNumber(port);
        base = QStringLiteral("http://127.0.0.1:%1").arg(port);
        thread = std::make_unique<RestServerThread>(&settings);
        relay = std::make_unique<Relay>(thread.get());
    }
    bool start(int graceMs = 0)
    {
        QSignalSpy started(relay.get(), &Relay::started);
        thread->start(graceMs);
        return started.wait(graceMs + 5000);
    }
};

// The interface definitions delivered beside the program, read through a
// real YAML parser, with the subset of schema checking they use.
class OpenApi
{
public:
    static constexpr const char *kToJson =
        "import json, sys, yaml\n"
        "json.dump(yaml.safe_load(open(sys.argv[1], encoding='utf-8')), sys.stdout)";

    // Loads every document of the folder; an empty text when all loaded.
    QString load(const QString &python, const QString &folder, const QStringList &files)
    {
        for (const QString &file : files) {
            int exitCode = -1;
            const QByteArray json = ovra::test::runProgram(
                python,
                {QStringLiteral("-c"), QString::fromLatin1(kToJson), folder + QLatin1Char('/') + file}, 30000,
                &exitCode);
            const QJsonDocument document = QJsonDocument::fromJson(json);
            if (exitCode != 0 || !document.isObject())
                return file + QStringLiteral(" does not parse (python3-yaml installed?)");
            m_documents.insert(file, document.object());
        }
        return QString();
    }
    QJsonObject document(const QString &file) const { return m_documents.value(file); }
    QStringList files() const { return m_documents.keys(); }

    // What a "$ref" names, seen from the document `file` (which becomes the
    // document the target lies in); undefined when it names nothing.
    QJsonValue resolve(QString &file, const QString &ref) const
    {
        const qsizetype hash = ref.indexOf(QLatin1Char('#'));
        if (hash > 0)
            file = ref.left(hash);
        if (hash < 0 || !m_documents.contains(file))
            return QJsonValue(QJsonValue::Undefined);
        QJsonValue value = m_documents.value(file);
        for (QString step : ref.mid(hash + 2).split(QLatin1Char('/'))) {
            step.replace(QStringLiteral("~1"), QStringLiteral("/"))
                .replace(QStringLiteral("~0"), QStringLiteral("~"));
            value = value.toObject().value(step);
        }
        return value;
    }

    // The object itself, or the one its "$ref" names.
    QJsonObject follow(QString &file, const QJsonValue &value) const
    {
        const QJsonObject object = value.toObject();
        if (!object.contains(QStringLiteral("$ref")))
            return object;
        return resolve(file, object.value(QStringLiteral("$ref")).toString()).toObject();
    }

    // Every "$ref" below value that names nothing.
    QStringList dangling(const QString &file, const QJsonValue &value) const
    {
        QStringList found;
        if (value.isArray()) {
            for (const QJsonValue &item : value.toArray())
                found << dangling(file, item);
        } else if (value.isObject()) {
            const QJsonObject object = value.toObject();
            if (object.contains(QStringLiteral("$ref"))) {
                QString target = file;
                if (!resolve(target, object.value(QStringLiteral("$ref")).toString()).isObject())
                    found << file + QStringLiteral(": ") + object.value(QStringLiteral("$ref")).toString();
            }
            for (const QJsonValue &member : object)
                found << dangling(file, member);
        }
        return found;
    }

    // "GET /health" and so on, for every operation of the document.
    QStringList operations(const QString &file) const
    {
        QStringList found;
        const QJsonObject paths = m_documents.value(file).value(QStringLiteral("paths")).toObject();
        for (auto path = paths.begin(); path != paths.end(); ++path) {
            const QJsonObject item = path.value().toObject();
            for (auto method = item.begin(); method != item.end(); ++method)
                found << method.key().toUpper() + QLatin1Char(' ') + path.key();
        }
        found.sort();
        return found;
    }
    QJsonObject operation(const QString &file, const QString &method, const QString &path) const
    {
        return m_documents.value(file)
            .value(QStringLiteral("paths"))
            .toObject()
            .value(path)
            .toObject()
            .value(method.toLower())
            .toObject();
    }

    // Where value does not fit the schema (with the JSON path), empty when
    // it fits. A keyword this check does not know is a mismatch too, so that
    // nothing in the definitions goes unchecked.
    QString mismatch(QString file, QJsonObject schema, const QJsonValue &value, const QString &where) const
    {
        schema = follow(file, schema);
        static const QStringList known = {
            "$ref",     "type",     "format",     "description",          "enum",
            "example",  "required", "properties", "additionalProperties", "items",
            "minItems", "maxItems", "minimum",    "minProperties",        "maxProperties"};
        for (auto it = schema.begin(); it != schema.end(); ++it) {
            if (!known.contains(it.key()))
                return where + QStringLiteral(": unchecked keyword ") + it.key();
        }
        const QString type = schema.value(QStringLiteral("type")).toString();
        const bool fits = (type == QLatin1String("object") && value.isObject()) ||
                          (type == QLatin1String("array") && value.isArray()) ||
                          (type == QLatin1String("string") && value.isString()) ||
                          (type == QLatin1String("boolean") && value.isBool()) ||
                          (type == QLatin1String("number") && value.isDouble()) ||
                          (type == QLatin1String("integer") && value.isDouble() &&
                           value.toDouble() == std::floor(value.toDouble()));
        if (!fits)
            return where + QStringLiteral(": not of type ") + type;
        if (schema.contains(QStringLiteral("enum")) &&
            !schema.value(QStringLiteral("enum")).toArray().contains(value))
            return where + QStringLiteral(": not one of the enumeration");
        if (schema.contains(QStringLiteral("minimum")) &&
            value.toDouble() < schema.value(QStringLiteral("minimum")).toDouble())
            return where + QStringLiteral(": below the minimum");
        if (value.isArray()) {
            const QJsonArray array = value.toArray();
            if (array.size() < schema.value(QStringLiteral("minItems")).toInt(0) ||
                array.size() > schema.value(QStringLiteral("maxItems")).toInt(INT_MAX))
                return where + QStringLiteral(": item count out of bounds");
            for (qsizetype i = 0; i < array.size(); ++i) {
                const QString inner = mismatch(file, schema.value(QStringLiteral("items")).toObject(),
                                               array.at(i), where + QStringLiteral("[%1]").arg(i));
                if (!inner.isEmpty())
                    return inner;
            }
        }
        if (value.isObject()) {
            const QJsonObject object = value.toObject();
            if (object.size() < schema.value(QStringLiteral("minProperties")).toInt(0) ||
                object.size() > schema.value(QStringLiteral("maxProperties")).toInt(INT_MAX))
                return where + QStringLiteral(": member count out of bounds");
            for (const QJsonValue &key : schema.value(QStringLiteral("required")).toArray()) {
                if (!object.contains(key.toString()))
                    return where + QStringLiteral(": misses ") + key.toString();
            }
            const QJsonObject properties = schema.value(QStringLiteral("properties")).toObject();
            const QJsonValue others = schema.value(QStringLiteral("additionalProperties"));
            for (auto it = object.begin(); it != object.end(); ++it) {
                const QString inner = where + QLatin1Char('.') + it.key();
                QString found;
                if (properties.contains(it.key()))
                    found = mismatch(file, properties.value(it.key()).toObject(), it.value(), inner);
                else if (others.isBool() && !others.toBool())
                    found = inner + QStringLiteral(": not in the definition");
                else if (others.isObject())
                    found = mismatch(file, others.toObject(), it.value(), inner);
                if (!found.isEmpty())
                    return found;
            }
        }
        return QString();
    }

private:
    QMap<QString, QJsonObject> m_documents;
};

// A plain TCP connection to the server on 127.0.0.1 from the given loopback
// address (all of 127/8 is this machine): -1 when it failed.
int connectFrom(const char *source, int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = ::inet_addr(source);
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<quint16>(port));
    remote.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&local), sizeof(local)) != 0 ||
        ::connect(fd, reinterpret_cast<sockaddr *>(&remote), sizeof(remote)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// What arrives on the connection until the server ends it or the time is
// up; "ended" tells which.
QByteArray readToEnd(int fd, int timeoutMs, bool *ended = nullptr)
{
    QByteArray data;
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<qint64>(0, deadline.remainingTime())));
        if (ready <= 0)
            break;
        char buffer[4096];
        const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
        if (n <= 0) {
            if (ended)
                *ended = true;
            return data;
        }
        data.append(buffer, n);
    }
    if (ended)
        *ended = false;
    return data;
}

// A headless chromium, driven over its DevTools protocol in real time: it
// loads a page and gives its DOM once a condition holds in the page (or
// after the time-out, to fail).
class Browser
{
public:
    Browser(const QString &chromium, const QString &python)
        : m_python(python)
        , m_debugPort(ovra::test::freeTcpPort())
    {
        m_process.start(
            chromium,
            {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
             QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
             QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
             QStringLiteral("--disable-sync"), QStringLiteral("--window-size=1280,800"),
             QStringLiteral("--user-data-dir=") + m_profile.path(),
             QStringLiteral("--remote-debugging-port=%1").arg(m_debugPort), QStringLiteral("about:blank")});
        m_started = m_process.waitForStarted(10000);
    }
    ~Browser()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
        // The browser leaves read-only files in its profile.
        QDirIterator files(m_profile.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        while (files.hasNext())
            QFile::setPermissions(files.next(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool started() const { return m_started; }

    // The DOM once the condition held; ok tells whether it did.
    QByteArray dom(const QString &url, const QString &condition, bool &ok, const QString &shot = QString())
    {
        QStringList arguments{ovra::test::sourceDir() + QStringLiteral("/tests/rest/server/browser_dom.py"),
                              QString::number(m_debugPort), url, condition};
        const QString shots = qEnvironmentVariable("OVRA_SHOTS_DIR");
        if (!shots.isEmpty() && !shot.isEmpty())
            arguments << QStringLiteral("--screenshot") << shots + QLatin1Char('/') + shot;
        int exitCode = -1;
        const QByteArray dom = ovra::test::runProgram(m_python, arguments, 60000, &exitCode);
        ok = exitCode == 0;
        return dom;
    }

private:
    QString m_python;
    int m_debugPort;
    QTemporaryDir m_profile;
    QProcess m_process;
    bool m_started = false;
};

// A figure of a panel of the scoreboard page, read from its DOM.
QByteArray figureIn(const QByteArray &dom, const QByteArray &panel, const QByteArray &name)
{
    const qsizetype at = dom.indexOf("id=\"" + panel + "\"");
    const qsizetype end = dom.indexOf("</section>", at);
    const qsizetype value = dom.indexOf("data-figure=\"" + name + "\">", at);
    if (at < 0 || value < 0 || value > end)
        return QByteArray();
    const qsizetype start = dom.indexOf('>', value) + 1;
    return dom.mid(start, dom.indexOf('<', start) - start);
}

// The athlete's name as the page shows it.
QByteArray athleteIn(const QByteArray &dom)
{
    const qsizetype at = dom.indexOf("id=\"athlete\">");
    if (at < 0)
        return QByteArray();
    const qsizetype start = at + 13;
    return dom.mid(start, dom.indexOf('<', start) - start);
}

data::model::Landing landing(int timeOfFlight, double x, double y)
{
    data::model::Landing l;
    l.timeOfFlight = timeOfFlight;
    l.landingPosition = {x, y};
    l.landingZone = data::calc::landingZoneFor(x, y);
    l.hdDeduction = data::calc::hdDeductionFor(0, x, y);
    return l;
}

// Results as the routine controller builds them: an individual routine
// with meta information, and a synchronized one ended by its second pair.
QList<ScoringResult> builtResults()
{
    RulesSettings rules;
    rules.setHdDeductionRule(1);
    data::model::Routines individual;
    individual.routineMetaInformation = {{QStringLiteral("lastName"), QStringLiteral("Mustermann")}};
    individual.setRoutineStartTime(4.44);
    individual.individualLandingsTrampoline1[0] = landing(0, 12.5, -12.5);
    individual.individualLandingsTrampoline1[1] = landing(1735, 120.0, 60.0);
    individual.landingCount = 2;
    data::model::Routines synchronized;
    synchronized.synchronizedLandingsTrampoline1[0] = landing(1500, 3.0, 1.0);
    synchronized.synchronizedLandingsTrampoline2[0] = landing(1510, -60.0, 0.0);
    synchronized.synchronizedLandingsTrampoline1[1] = landing(1600, 0.0, 0.0);
    synchronized.synchronizedLandingsTrampoline1[1].notSynchronous = true;
    synchronized.synchronizedLandingsTrampoline2[1] = landing(1200, 0.0, 0.0);
    synchronized.landingCount = 2;
    return {
        ovra::util::RESTUtils::createConfirmedResult(individual, data::model::TrampMode::Trampoline1, rules),
        ovra::util::RESTUtils::createPreliminaryResult(synchronized, data::model::TrampMode::Synchronized,
                                                       rules)};
}

} // namespace

class TestRestServer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void endpointsAskedWithCurl()
    {
        OVRA_REQUIRE_PROGRAM(curlPath, "curl");
        MessageCapture log;
        Server server;
        QSignalSpy meta(server.relay.get(), &Relay::receivedRoutineMeta);
        QSignalSpy notCommitted(server.relay.get(), &Relay::failedToProvideResult);
        QVERIFY(server.start());
        QVERIFY(log.lines().contains(
            QStringLiteral("Listening on 127.0.0.1:%1").arg(server.settings.portNumber())));

        Answer a = curl(curlPath, {server.base + QStringLiteral("/health")});
        QCOMPARE(a.status, 204);
        QCOMPARE(a.headers.value(QStringLiteral("access-control-allow-origin")), QStringLiteral("*"));

        // Before the first state and before a commit: 404, and the window
        // is told that a result was asked for too early.
        QCOMPARE(curl(curlPath, {server.base + QStringLiteral("/state")}).status, 404);
        a = curl(curlPath, {server.base + QStringLiteral("/routineresult")});
        QCOMPARE(a.status, 404);
        QCOMPARE(a.headers.value(QStringLiteral("access-control-allow-origin")), QStringLiteral("*"));
        QTRY_COMPARE(notCommitted.size(), 1);

        server.thread->setState(state(ScoringStateType::Review));
        a = curl(curlPath, {server.base + QStringLiteral("/state")});
        QCOMPARE(a.status, 200);
        QCOMPARE(a.headers.value(QStringLiteral("content-type")), QStringLiteral("application/json"));
        QCOMPARE(QJsonDocument::fromJson(a.body).object().value(QStringLiteral("state")).toString(),
                 QStringLiteral("review"));

        const ScoringResult committed =
            confirmedResult(15.27, {{QStringLiteral("lastname"), QStringLiteral("Brandt")}});
        server.thread->setResult(committed);
        a = curl(curlPath, {server.base + QStringLiteral("/routineresult")});
        QCOMPARE(a.status, 200);
        QCOMPARE(a.body, committed.toJson());
        server.thread->clearResult();
        QCOMPARE(curl(curlPath, {server.base + QStringLiteral("/routineresult")}).status, 404);

        // The browser's pre-flight.
        a = curl(curlPath, {QStringLiteral("-X"), QStringLiteral("OPTIONS"),
                            server.base + QStringLiteral("/routinemeta")});
        QCOMPARE(a.status, 200);
        QCOMPARE(a.headers.value(QStringLiteral("access-control-allow-origin")), QStringLiteral("*"));
        QCOMPARE(a.headers.value(QStringLiteral("access-control-allow-headers")),
                 QStringLiteral("content-type"));
        QCOMPARE(a.headers.value(QStringLiteral("access-control-allow-methods")), QStringLiteral("POST"));
        QCOMPARE(a.headers.value(QStringLiteral("access-control-max-age")), QStringLiteral("60"));

        const auto post = [&](const QByteArray &body, const QString &path = QStringLiteral("/routinemeta")) {
            return curl(curlPath,
                        {QStringLiteral("-H"), QStringLiteral("Content-Type: application/json"),
                         QStringLiteral("--data-binary"), QString::fromUtf8(body), server.base + path});
        };
        QCOMPARE(post(R"({"firstname":"Anna","lastname":"Brandt","age":17,"club":null})").status, 204);
        QTRY_COMPARE(meta.size(), 1);
        const auto map = meta.takeFirst().first().value<Meta>();
        QCOMPARE(map, (QMap<QString, QString>{{QStringLiteral("firstname"), QStringLiteral("Anna")},
                                              {QStringLiteral("lastname"), QStringLiteral("Brandt")}}));
        // An array is JSON: an empty map.
        QCOMPARE(post("[1, 2]").status, 204);
        QTRY_COMPARE(meta.size(), 1);
        QVERIFY(meta.takeFirst().first().value<Meta>().isEmpty());
        QCOMPARE(post("first=Anna").status, 400);
        QVERIFY(log.lines().contains(QStringLiteral("Failed to parse JSON document!")));
        // Paths are exact: the HTTP library's 404 for anything else.
        QCOMPARE(post(R"({"lastname":"Brandt"})", QStringLiteral("/RoutineMeta")).status, 404);
        QCOMPARE(curl(curlPath, {server.base + QStringLiteral("/nothing")}).status, 404);

        // Bounded input: a body above 64 KiB and a map of too many entries.
        QByteArray big = "{\"lastname\":\"" + QByteArray(70 * 1024, 'x') + "\"}";
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("big.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(big);
        file.close();
        a = curl(curlPath, {QStringLiteral("-H"), QStringLiteral("Content-Type: application/json"),
                            QStringLiteral("--data-binary"), QLatin1Char('@') + file.fileName(),
                            server.base + QStringLiteral("/routinemeta")});
        QCOMPARE(a.status, 413);
        QJsonObject many;
        for (int i = 0; i < 300; ++i)
            many.insert(QStringLiteral("k%1").arg(i), QStringLiteral("v"));
        QCOMPARE(post(QJsonDocument(many).toJson(QJsonDocument::Compact)).status, 413);
        // The meta value limit of every path: the longest value is taken
        // whole, one character more is refused with the reason.
        QCOMPARE(post("{\"club\":\"" + QByteArray(4096, 'c') + "\"}").status, 204);
        QTRY_COMPARE(meta.size(), 1);
        QCOMPARE(meta.takeFirst().first().value<Meta>().value(QStringLiteral("club")).size(), 4096);
        const Answer tooLong = post("{\"club\":\"" + QByteArray(4097, 'c') + "\"}");
        QCOMPARE(tooLong.status, 413);
        QVERIFY(tooLong.body.startsWith("Meta entry too long: 'club'"));
        QTest::qWait(50);
        QCOMPARE(meta.size(), 0);

        // The scoreboard page, with the WebSocket port filled in.
        server.thread->setWebSocketPort(8181);
        a = curl(curlPath, {server.base + QStringLiteral("/scoreboard")});
        QCOMPARE(a.status, 200);
        QVERIFY(a.headers.value(QStringLiteral("content-type")).startsWith(QStringLiteral("text/html")));
        QVERIFY(a.body.contains("const WEBSOCKET_PORT = 8181;"));
        QVERIFY(!a.body.contains("__OVRA_"));
        QCOMPARE(curl(curlPath, {server.base + QStringLiteral("/")}).body, a.body);
    }

    void bindFailuresAndRestarts()
    {
        // A port another program listens on.
        QTcpServer other;
        QVERIFY(other.listen(QHostAddress::LocalHost, 0));
        Server taken(other.serverPort());
        QSignalSpy failed(taken.relay.get(), &Relay::failedToBindPort);
        QSignalSpy stopped(taken.relay.get(), &Relay::stopped);
        QSignalSpy started(taken.relay.get(), &Relay::started);
        taken.thread->start();
        QTRY_COMPARE(failed.size(), 1);
        QTRY_COMPARE(stopped.size(), 1);
        QCOMPARE(started.size(), 0);

        // A host name that is no local address.
        Server foreign(ovra::test::freeTcpPort(), QStringLiteral("192.0.2.1"));
        QSignalSpy foreignFailed(foreign.relay.get(), &Relay::failedToBindPort);
        foreign.thread->start();
        QTRY_COMPARE(foreignFailed.size(), 1);

        // Regression: a restart on the same port while the old server still
        // held it reported a bind failure. A keep-alive client holds a
        // worker of the old server open meanwhile.
        RestServerSettings settings;
        settings.setEnabled(true);
        settings.setHostName(QStringLiteral("127.0.0.1"));
        settings.setPortNumber(ovra::test::freeTcpPort());
        WebSocketServerSettings webSocketSettings;
        NetworkServers servers(settings, webSocketSettings);
        QSignalSpy status(&servers, &NetworkServers::restServerStatusChanged);
        QSignalSpy bindFailed(&servers, &NetworkServers::restServerFailedToBind);
        servers.startRestServer();
        QTRY_COMPARE(status.size(), 1);
        QCOMPARE(status.takeFirst().first().toString(), QStringLiteral("success"));
        servers.publishState(state(ScoringStateType::Ready));

        httplib::Client keepAlive("127.0.0.1", settings.portNumber());
        keepAlive.set_keep_alive(true);
        QCOMPARE(keepAlive.Get("/health")->status, 204);
        QElapsedTimer clock;
        clock.start();
        servers.updateRestServer();
        QVERIFY2(clock.elapsed() < 500, "the window waited for the old server");
        QTRY_VERIFY(status.size() >= 2);
        // Stopped on purpose, the light goes grey, not red, until the new
        // server listens.
        QCOMPARE(status.at(0).first().toString(), QStringLiteral("off"));
        QCOMPARE(status.last().first().toString(), QStringLiteral("success"));
        QCOMPARE(bindFailed.size(), 0);
        // The new server serves the state the old one had.
        httplib::Client fresh("127.0.0.1", settings.portNumber());
        auto answer = fresh.Get("/state");
        QVERIFY(answer);
        QCOMPARE(answer->status, 200);

        // Destroying the servers while a client keeps its connection open
        // neither hangs nor calls back.
        QCOMPARE(keepAlive.Get("/health")->status, 204);
        clock.restart();
        servers.stopAll();
        // An idle keep-alive connection ends at the latest with its 1 s
        // keep-alive time-out, well within the bounded wait.
        QVERIFY2(clock.elapsed() < 2500, "stopping waited for the client");
        QVERIFY(!fresh.Get("/health"));
    }

    // Regression: sixteen connections that each sent one byte of a request
    // per second held every worker (the read time-out counted per read, not
    // per request), so /health, /state and the scoreboard stopped answering
    // for as long as they trickled, and quitting waited for them. Now one
    // address holds a bounded number of connections, a request must be
    // complete within its deadline however it trickles, and another address
    // is answered throughout.
    void tricklingClientsCannotStarveOthers()
    {
        Server server;
        QVERIFY(server.start());
        const int port = server.settings.portNumber();
        const QByteArray request = "GET /health HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        constexpr int kTricklers = 24;
        constexpr int kByteEveryMs = 150;
        // 150 ms a byte: the whole request would take about 6 s.
        QVERIFY(request.size() * kByteEveryMs > 2 * RestServerThread::kRequestDeadlineMs);

        struct Trickler
        {
            int fd = -1;
            qsizetype sent = 0;
            QByteArray received;
            bool ended = false;
        };
        std::vector<Trickler> tricklers(kTricklers);
        for (Trickler &t : tricklers) {
            t.fd = connectFrom("127.0.0.1", port);
            QVERIFY(t.fd >= 0);
        }
        std::atomic<bool> allEnded{false};
        std::thread trickle([&] {
            // The server has taken or turned away every connection before
            // the first byte comes.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            QDeadlineTimer give(20000);
            while (!give.hasExpired()) {
                int open = 0;
                for (Trickler &t : tricklers) {
                    if (t.ended)
                        continue;
                    bool ended = false;
                    t.received += readToEnd(t.fd, 0, &ended);
                    if (ended) {
                        t.ended = true;
                        continue;
                    }
                    ++open;
                    if (t.sent < request.size() &&
                        ::send(t.fd, request.constData() + t.sent, 1, MSG_NOSIGNAL) == 1)
                        ++t.sent;
                }
                if (open == 0)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(kByteEveryMs));
            }
            allEnded = true;
        });

        // Another address asks again and again while they trickle.
        int answers = 0;
        for (int i = 0; i < 12 && !allEnded; ++i) {
            const int fd = connectFrom("127.0.0.2", port);
            QVERIFY(fd >= 0);
            const QByteArray ask = "GET /health HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
            QCOMPARE(::send(fd, ask.constData(), static_cast<size_t>(ask.size()), MSG_NOSIGNAL), ask.size());
            const QByteArray answer = readToEnd(fd, 2000);
            ::close(fd);
            QVERIFY2(answer.startsWith("HTTP/1.1 204"), answer.constData());
            ++answers;
            QTest::qWait(250);
        }
        trickle.join();
        QVERIFY(answers >= 8);

        // The ones over the bound were told so at once; the others were
        // cut off unanswered before they had sent their request.
        int refused = 0;
        int cutOff = 0;
        for (const Trickler &t : tricklers) {
            QVERIFY(t.ended);
            if (t.received.startsWith("HTTP/1.1 503")) {
                ++refused;
                QCOMPARE(t.sent, qsizetype(0));
            } else {
                QVERIFY2(t.received.isEmpty(), t.received.constData());
                QVERIFY(t.sent > 0 && t.sent < request.size());
                ++cutOff;
            }
            ::close(t.fd);
        }
        QCOMPARE(cutOff, RestServerThread::kConnectionsPerPeer);
        QCOMPARE(refused, kTricklers - RestServerThread::kConnectionsPerPeer);

        // Quitting while clients hold every connection they may: the thread
        // ends without waiting for them.
        std::vector<int> holding;
        for (int i = 0; i < RestServerThread::kConnectionsPerPeer; ++i) {
            holding.push_back(connectFrom("127.0.0.3", port));
            QCOMPARE(::send(holding.back(), "GET", 3, MSG_NOSIGNAL), ssize_t(3));
        }
        QTest::qWait(200);
        server.thread->stop();
        QVERIFY(server.thread->wait(2000));
        for (const int fd : holding) {
            bool ended = false;
            readToEnd(fd, 2000, &ended);
            QVERIFY(ended);
            ::close(fd);
        }
    }

    // Any web page in a browser on the hall network can post routine meta
    // information; a list of hosts can restrict it. Asked from two loopback
    // addresses: only the listed one is taken, reading stays open to all,
    // and a mistyped list lets nobody in rather than everybody.
    void routineMetaOnlyFromAllowedHosts()
    {
        Server server;
        QSignalSpy meta(server.relay.get(), &Relay::receivedRoutineMeta);
        QVERIFY(server.start());
        const int port = server.settings.portNumber();
        const auto ask = [port](const char *source, const QByteArray &request) {
            const int fd = connectFrom(source, port);
            if (fd < 0)
                return QByteArray();
            ::send(fd, request.constData(), static_cast<size_t>(request.size()), MSG_NOSIGNAL);
            const QByteArray answer = readToEnd(fd, 5000);
            ::close(fd);
            return answer;
        };
        const QByteArray body = R"({"lastname":"Brandt"})";
        const QByteArray post = "POST /routinemeta HTTP/1.1\r\nHost: x\r\nConnection: close\r\n"
                                "Content-Type: application/json\r\nContent-Length: " +
                                QByteArray::number(body.size()) + "\r\n\r\n" + body;
        const QByteArray health = "GET /health HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";

        // Any host by default.
        QVERIFY(ask("127.0.0.2", post).startsWith("HTTP/1.1 204"));
        QTRY_COMPARE(meta.size(), 1);

        server.thread->setHostFilter(HostFilter(QStringLiteral("127.0.0.1, 10.0.0.0/8")));
        QVERIFY(ask("127.0.0.2", post).startsWith("HTTP/1.1 403"));
        QVERIFY(ask("127.0.0.2", health).startsWith("HTTP/1.1 204"));
        QVERIFY(ask("127.0.0.1", post).startsWith("HTTP/1.1 204"));
        QTRY_COMPARE(meta.size(), 2);

        server.thread->setHostFilter(HostFilter(QStringLiteral("127.0.0.2/33")));
        QVERIFY(ask("127.0.0.2", post).startsWith("HTTP/1.1 403"));
        QTest::qWait(50);
        QCOMPARE(meta.size(), 2);
    }

    // The scoreboard page loaded by a real browser from the program's HTTP
    // server: it shows the state and the committed result it fetched, and
    // the live result pushed over the WebSocket while it was open.
    void scoreboardInChromium()
    {
        OVRA_REQUIRE_PROGRAM(chromium, "chromium");
        RestServerSettings settings;
        settings.setEnabled(true);
        settings.setHostName(QStringLiteral("127.0.0.1"));
        settings.setPortNumber(ovra::test::freeTcpPort());
        WebSocketServerSettings webSocketSettings;
        webSocketSettings.setEnabled(true);
        webSocketSettings.setPortNumber(ovra::test::freeTcpPort());
        NetworkServers servers(settings, webSocketSettings);
        QSignalSpy up(&servers, &NetworkServers::restServerStatusChanged);
        servers.startWebSocketServer(state(ScoringStateType::Ready));
        servers.startRestServer();
        QTRY_COMPARE(up.size(), 1);
        servers.publishState(state(ScoringStateType::Review));
        servers.publishConfirmedResult(
            confirmedResult(15.27, {{QStringLiteral("firstname"), QStringLiteral("Anna")},
                                    {QStringLiteral("lastname"), QStringLiteral("Brandt")},
                                    {QStringLiteral("competition"), QStringLiteral("Youth final")}}));

        // The live result of the next routine, pushed once the page is
        // connected.
        ScoringResult live = confirmedResult(4.56, {{QStringLiteral("firstname"), QStringLiteral("Ben")},
                                                    {QStringLiteral("lastname"), QStringLiteral("Cole")}});
        live.setMaturity(ScoringResultMaturity(ScoringResultMaturity::Preliminary));
        connect(&servers, &NetworkServers::webSocketClientCountChanged, this, [&](int count) {
            if (count == 1) {
                servers.publishState(state(ScoringStateType::Routine));
                servers.publishPreliminaryResult(live);
            }
        });

        // The DOM is taken once the pushed live result and the fetched
        // committed one show.
        OVRA_REQUIRE_PROGRAM(python, "/usr/bin/python3");
        Browser browser(chromium, python);
        QVERIFY(browser.started());
        const QString url = QStringLiteral("http://127.0.0.1:%1/scoreboard").arg(settings.portNumber());
        bool shown = false;
        const QByteArray dom =
            browser.dom(url,
                        QStringLiteral("document.querySelector('#live [data-figure=tof]') && "
                                       "document.querySelector('#confirmed [data-figure=tof]')"),
                        shown, QStringLiteral("scoreboard.png"));
        QVERIFY2(shown, dom.constData());
        const auto figure = [&dom](const QByteArray &panel, const QByteArray &name) {
            return figureIn(dom, panel, name);
        };
        QCOMPARE(figure("confirmed", "tof"), QByteArray("15.27"));
        QCOMPARE(figure("live", "tof"), QByteArray("4.56"));
        QVERIFY2(dom.contains("data-state=\"routine\""), dom.constData());
        QVERIFY(dom.contains(">Ben Cole<"));
        QVERIFY(dom.contains("class=\"online\""));
    }

    // Regression: without the WebSocket server the scoreboard page showed no
    // live result, in READY it named the previous athlete instead of the one
    // up next, opened after START it showed no committed result at all, and
    // its polling of GET /routineresult raised the operator's "commit first"
    // hint every second of a review.
    void scoreboardFromTheHttpServerAlone()
    {
        OVRA_REQUIRE_PROGRAM(chromium, "chromium");
        OVRA_REQUIRE_PROGRAM(python, "/usr/bin/python3");
        RestServerSettings settings;
        settings.setEnabled(true);
        settings.setHostName(QStringLiteral("127.0.0.1"));
        settings.setPortNumber(ovra::test::freeTcpPort());
        WebSocketServerSettings webSocketSettings;
        NetworkServers servers(settings, webSocketSettings);
        QSignalSpy up(&servers, &NetworkServers::restServerStatusChanged);
        QSignalSpy hints(&servers, &NetworkServers::resultRequestedBeforeCommit);
        servers.startRestServer();
        QTRY_COMPARE(up.size(), 1);

        // Anna's routine was committed; Ben is up next.
        const Meta anna{{QStringLiteral("firstname"), QStringLiteral("Anna")},
                        {QStringLiteral("lastname"), QStringLiteral("Brandt")}};
        const Meta ben{{QStringLiteral("firstname"), QStringLiteral("Ben")},
                       {QStringLiteral("lastname"), QStringLiteral("Cole")},
                       {QStringLiteral("competition"), QStringLiteral("Youth final")}};
        servers.publishRoutineMeta(anna);
        servers.publishState(state(ScoringStateType::Review));
        servers.publishConfirmedResult(confirmedResult(15.27, anna));
        servers.publishState(state(ScoringStateType::Ready));
        servers.publishUpNext(ben);

        Browser browser(chromium, python);
        QVERIFY(browser.started());
        const QString url = QStringLiteral("http://127.0.0.1:%1/scoreboard").arg(settings.portNumber());
        bool shown = false;
        QByteArray dom =
            browser.dom(url,
                        QStringLiteral("document.querySelector('#confirmed [data-figure=tof]') && "
                                       "document.getElementById('athlete').textContent !== ''"),
                        shown, QStringLiteral("scoreboard-ready.png"));
        QVERIFY2(shown, dom.constData());
        QCOMPARE(athleteIn(dom), QByteArray("Ben Cole"));
        QVERIFY(dom.contains("id=\"athlete-heading\" data-t=\"Athlete\">Up next<"));
        QVERIFY(dom.contains("Youth final"));
        QCOMPARE(figureIn(dom, "confirmed", "tof"), QByteArray("15.27"));
        QCOMPARE(figureIn(dom, "live", "tof"), QByteArray());
        QVERIFY2(dom.contains("data-state=\"ready\""), dom.constData());

        // Ben's routine starts: the result display is cleared (GET
        // /routineresult has nothing any more), his first landings come.
        servers.publishState(state(ScoringStateType::Start));
        servers.clearResult();
        servers.publishUpNext({});
        servers.publishRoutineMeta(ben);
        servers.publishState(state(ScoringStateType::Routine));
        ScoringResult live = confirmedResult(4.56, ben);
        live.setMaturity(ScoringResultMaturity(ScoringResultMaturity::Preliminary));
        servers.publishPreliminaryResult(live);
        QVERIFY(!servers.restServer()->hasResult());

        // A page opened now.
        dom = browser.dom(url,
                          QStringLiteral("document.querySelector('#live [data-figure=tof]') && "
                                         "document.querySelector('#confirmed [data-figure=tof]')"),
                          shown, QStringLiteral("scoreboard-routine.png"));
        QVERIFY2(shown, dom.constData());
        QCOMPARE(figureIn(dom, "live", "tof"), QByteArray("4.56"));
        QCOMPARE(figureIn(dom, "confirmed", "tof"), QByteArray("15.27"));
        QCOMPARE(athleteIn(dom), QByteArray("Ben Cole"));
        QVERIFY(dom.contains("id=\"athlete-heading\" data-t=\"Athlete\">Athlete<"));
        QVERIFY2(dom.contains("data-state=\"routine\""), dom.constData());
        QVERIFY(dom.contains("class=\"online\""));
        QCOMPARE(hints.size(), 0);
        QCOMPARE(figureIn(dom, "live", "best"), QByteArray());

        // Asked for, the page shows Ben's personal best beside his live
        // total, as the workstation knows it.
        servers.publishPersonalBest(QStringLiteral("Cole, Ben"), 15.8);
        dom = browser.dom(url + QStringLiteral("?best=1"),
                          QStringLiteral("document.querySelector('#live [data-figure=tof]') && "
                                         "document.querySelector('#live [data-figure=best]')"),
                          shown, QStringLiteral("scoreboard-best.png"));
        QVERIFY2(shown, dom.constData());
        QCOMPARE(figureIn(dom, "live", "best"), QByteArray("15.80"));
        QCOMPARE(figureIn(dom, "live", "tof"), QByteArray("4.56"));
    }

    // The definitions delivered beside the program parse, every reference in
    // them resolves, the server's document names exactly the routes the
    // server registers, and what the scoring client really sends (paths,
    // headers, bodies) and what the server really answers fit them.
    void deliveredInterfaceDefinitionsMatchTheWire()
    {
        OVRA_REQUIRE_PROGRAM(python, "/usr/bin/python3");
        const QString client = QStringLiteral("scoring-system.yaml");
        const QString served = QStringLiteral("ovra-server.yaml");
        OpenApi api;
        const QString loadError = api.load(
            python, ovra::test::sourceDir() + QStringLiteral("/src/resources/openapi"), {client, served});
        QVERIFY2(loadError.isEmpty(), qPrintable(loadError));
        for (const QString &file : api.files()) {
            QVERIFY2(api.document(file)
                         .value(QStringLiteral("openapi"))
                         .toString()
                         .startsWith(QLatin1String("3.0.")),
                     qPrintable(file));
            const QStringList dangling = api.dangling(file, api.document(file));
            QVERIFY2(dangling.isEmpty(), qPrintable(dangling.join(QLatin1Char('\n'))));
        }
        QStringList routes = RestServerThread::routes();
        routes.sort();
        QCOMPARE(api.operations(served), routes);

        // The client against a scoring system whose base URL has a path.
        ovra::test::ScoringTestServer system;
        ScoringClientConfiguration configuration;
        configuration.enabled = true;
        configuration.state = true;
        configuration.url = QUrl(system.url(QStringLiteral("/api/")));
        ScoringClient scoringClient(configuration);
        scoringClient.checkHealth();
        const QList<ScoringResult> results = builtResults();
        for (const ScoringResult &result : results)
            scoringClient.sendResult(result, false);
        scoringClient.sendState(state(ScoringStateType::Review));
        QVERIFY(system.waitForRequests(QStringLiteral("/api/health"), 1));
        QVERIFY(system.waitForRequests(QStringLiteral("/api/routineresult"), 2));
        QVERIFY(system.waitForRequests(QStringLiteral("/api/state"), 1));
        QStringList sent;
        for (const ovra::test::ScoringTestServer::Request &request : system.requests()) {
            const QString path = request.path.mid(4);
            sent << request.method + QLatin1Char(' ') + path;
            const QJsonObject operation = api.operation(client, request.method, path);
            QVERIFY2(!operation.isEmpty(), qPrintable(sent.last()));
            for (const QJsonValue &parameter : operation.value(QStringLiteral("parameters")).toArray()) {
                QString file = client;
                const QJsonObject header = api.follow(file, parameter);
                QCOMPARE(header.value(QStringLiteral("in")).toString(), QStringLiteral("header"));
                const QString name = header.value(QStringLiteral("name")).toString().toLower();
                QVERIFY2(request.headers.contains(name), qPrintable(name));
                QVERIFY(api.mismatch(file, header.value(QStringLiteral("schema")).toObject(),
                                     request.headers.value(name), name)
                            .isEmpty());
            }
            const QJsonObject content = operation.value(QStringLiteral("requestBody"))
                                            .toObject()
                                            .value(QStringLiteral("content"))
                                            .toObject();
            QCOMPARE(request.body.isEmpty(), content.isEmpty());
            if (content.isEmpty())
                continue;
            QCOMPARE(content.keys(), QStringList{request.headers.value(QStringLiteral("content-type"))});
            const QJsonObject schema =
                content.constBegin()->toObject().value(QStringLiteral("schema")).toObject();
            const QString found =
                api.mismatch(client, schema, QJsonDocument::fromJson(request.body).object(), sent.last());
            QVERIFY2(found.isEmpty(), qPrintable(found));
        }
        sent.removeDuplicates();
        sent.sort();
        QCOMPARE(api.operations(client), sent);

        // The server: every documented operation, asked with its example
        // body, answers a documented status with the documented headers and
        // body.
        Server server;
        QVERIFY(server.start());
        server.thread->setResult(results.first());
        server.thread->setState(state(ScoringStateType::Review));
        httplib::Client http("127.0.0.1", server.settings.portNumber());
        for (const QString &entry : api.operations(served)) {
            const QString method = entry.section(QLatin1Char(' '), 0, 0);
            const QString path = entry.section(QLatin1Char(' '), 1);
            const QJsonObject operation = api.operation(served, method, path);
            const QJsonObject body = operation.value(QStringLiteral("requestBody"))
                                         .toObject()
                                         .value(QStringLiteral("content"))
                                         .toObject()
                                         .value(QStringLiteral("application/json"))
                                         .toObject();
            httplib::Request request;
            request.method = method.toStdString();
            request.path = path.toStdString();
            if (!body.isEmpty()) {
                request.body =
                    QJsonDocument(body.value(QStringLiteral("example")).toObject()).toJson().toStdString();
                request.set_header("Content-Type", "application/json");
            }
            const httplib::Result answer = http.send(request);
            QVERIFY2(answer, qPrintable(entry));
            QString file = served;
            const QJsonObject response = api.follow(file, operation.value(QStringLiteral("responses"))
                                                              .toObject()
                                                              .value(QString::number(answer->status)));
            QVERIFY2(!response.isEmpty(),
                     qPrintable(entry + QStringLiteral(" answered %1").arg(answer->status)));
            const QJsonObject headers = response.value(QStringLiteral("headers")).toObject();
            for (auto header = headers.begin(); header != headers.end(); ++header)
                QVERIFY2(answer->has_header(header.key().toStdString()),
                         qPrintable(entry + QLatin1Char(' ') + header.key()));
            const QJsonObject content = response.value(QStringLiteral("content")).toObject();
            QCOMPARE(content.keys(),
                     content.isEmpty()
                         ? QStringList()
                         : QStringList{QString::fromStdString(answer->get_header_value("Content-Type"))});
            if (content.contains(QStringLiteral("application/json"))) {
                const QString found = api.mismatch(
                    file,
                    content.value(QStringLiteral("application/json"))
                        .toObject()
                        .value(QStringLiteral("schema"))
                        .toObject(),
                    QJsonDocument::fromJson(QByteArray::fromStdString(answer->body)).object(), entry);
                QVERIFY2(found.isEmpty(), qPrintable(found));
            }
        }
    }

    // The athlete histories of a real database file, answered in this (the
    // GUI) thread while the workers wait: every answer fits its
    // definition, and says what the rows say.
    void athleteHistoriesFitTheirDefinition()
    {
        OVRA_REQUIRE_PROGRAM(python, "/usr/bin/python3");
        OpenApi api;
        const QString served = QStringLiteral("ovra-server.yaml");
        QVERIFY(api.load(python, ovra::test::sourceDir() + QStringLiteral("/src/resources/openapi"),
                         {QStringLiteral("scoring-system.yaml"), served})
                    .isEmpty());
        QTemporaryDir dir;
        wsDaten store;
        wsdb db(store, nullptr, false);
        QVERIFY(db.openDatabase(dir.filePath(QStringLiteral("h.db"))) &&
                db.createTables(QStringLiteral("main")));
        const auto add = [&](const QString &last, const QString &fig, const QString &last2,
                             const QByteArray &results, int day) {
            StartSelection s;
            s.eventName = QStringLiteral("Open");
            s.athlete1.lastName = last;
            s.athlete1.firstName = QStringLiteral("Ann");
            s.athlete1.idFig = fig;
            s.athlete2.lastName = last2;
            s.athlete2.firstName = last2.isEmpty() ? QString() : QStringLiteral("Bo");
            const QByteArray samples(32, '\0');
            const QJsonDocument r = QJsonDocument::fromJson(results);
            QVERIFY(db.insertMeasure(s, QDateTime(QDate(2026, 2, day), QTime(8, 0)), {}, {}, QString(), 0,
                                     samples.constData(), int(samples.size()), r, {}));
            if (r.isNull() && !results.isEmpty())
                QVERIFY(db.execute(QStringLiteral("UPDATE Measures SET Results=? WHERE idx=?;"),
                                   {results, db.lastInsertRowId()}));
        };
        const QByteArray individual = R"({"type":"individual","individualResult":{"startPenalty":0,
            "elementCount":2,"timeOfFlightInSeconds":%1,"horizontalDisplacement":1.8,"elements":[
            {"landingPositionInCm":{"x":3,"y":4}},{"landingPositionInCm":{"x":-6,"y":8}}]}})";
        add(QStringLiteral("Berg"), QStringLiteral("B7"), {},
            QString::fromUtf8(individual).arg(3.05).toUtf8(), 1);
        add(QStringLiteral("Berg"), QStringLiteral("B7"), {}, "{broken", 2);
        add(QStringLiteral("Berg"), QStringLiteral("B7"), {}, QString::fromUtf8(individual).arg(3.2).toUtf8(),
            3);
        add(QStringLiteral("Berg"), QString(), QStringLiteral("Falk"),
            R"({"type":"synchronized","synchronizedResult":{"startPenalty":0,"elementCount":1,
            "effectiveElementCount":1,"synchronizedScore":0.92,"horizontalDisplacementTrampoline1":1,
            "horizontalDisplacementTrampoline2":0.9,"horizontalDisplacement":0.95}})",
            4);
        add(QStringLiteral("Cole"), QString(), {}, QByteArray(), 5);

        ovra::history::HistoryService service([&db] { return db.connection(); });
        Server server;
        QVERIFY(server.start());
        server.thread->setHistoryProvider([&service](const QString &id) {
            const auto a = id.isEmpty() ? service.athletesAnswer() : service.historyAnswer(id);
            return RestServerThread::HistoryAnswer{a.status, a.body};
        });
        const int port = server.settings.portNumber();
        const auto get = [port](const std::string &path) {
            auto answer = std::async(std::launch::async, [port, path] {
                httplib::Client http("127.0.0.1", port);
                const auto r = http.Get(path.c_str());
                return r ? std::make_pair(r->status, QByteArray::fromStdString(r->body))
                         : std::make_pair(0, QByteArray());
            });
            while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
                QTest::qWait(5);
            return answer.get();
        };
        const auto fits = [&](const QString &path, const QByteArray &body) {
            QString file = served;
            const QJsonObject schema = api.follow(file, api.operation(served, QStringLiteral("GET"), path)
                                                            .value(QStringLiteral("responses"))
                                                            .toObject()
                                                            .value(QStringLiteral("200")))
                                           .value(QStringLiteral("content"))
                                           .toObject()
                                           .value(QStringLiteral("application/json"))
                                           .toObject()
                                           .value(QStringLiteral("schema"))
                                           .toObject();
            return api.mismatch(file, schema, QJsonDocument::fromJson(body).object(), path);
        };

        const auto [status, body] = get("/athletes");
        QCOMPARE(status, 200);
        QCOMPARE(fits(QStringLiteral("/athletes"), body), QString());
        QStringList seen;
        QHash<QString, QString> ids;
        for (const QJsonValue &a :
             QJsonDocument::fromJson(body).object().value(QStringLiteral("athletes")).toArray()) {
            const QJsonObject o = a.toObject();
            seen << o.value(QStringLiteral("name")).toString() + QLatin1Char('|') +
                        o.value(QStringLiteral("kind")).toString() + QLatin1Char('|') +
                        QString::number(o.value(QStringLiteral("routines")).toInt());
            ids.insert(o.value(QStringLiteral("name")).toString(), o.value(QStringLiteral("id")).toString());
        }
        // Ann Berg without a FIG id in the pair is the one Ann Berg there is.
        QCOMPARE(seen, (QStringList{QStringLiteral("Berg, Ann|individual|3"),
                                    QStringLiteral("Berg, Ann / Falk, Bo|pair|1"),
                                    QStringLiteral("Cole, Ann|individual|1")}));

        const auto history = [&](const QString &name) {
            const std::string path = "/athletes/" + ids.value(name).toStdString() + "/history";
            const auto reply = get(path);
            const int code = reply.first;
            const QByteArray text = reply.second;
            [&] { QCOMPARE(code, 200); }();
            [&] { QCOMPARE(fits(QStringLiteral("/athletes/{id}/history"), text), QString()); }();
            QStringList out;
            for (const QJsonValue &r :
                 QJsonDocument::fromJson(text).object().value(QStringLiteral("routines")).toArray()) {
                const QJsonObject o = r.toObject();
                out << QStringLiteral("%1 %2 %3 %4 %5")
                           .arg(o.value(QStringLiteral("date")).toString(),
                                o.value(QStringLiteral("result")).toString())
                           .arg(o.value(QStringLiteral("timeOfFlightInSeconds")).toDouble())
                           .arg(o.value(QStringLiteral("meanDistanceFromCentreInCm")).toDouble())
                           .arg(o.value(QStringLiteral("synchronizedScore")).toDouble());
            }
            return out;
        };
        // Mean distance: (5 + 10) / 2 cm.
        QCOMPARE(history(QStringLiteral("Berg, Ann")),
                 (QStringList{QStringLiteral("2026-02-01T08:00:00 scored 3.05 7.5 0"),
                              QStringLiteral("2026-02-02T08:00:00 invalid result 0 0 0"),
                              QStringLiteral("2026-02-03T08:00:00 scored 3.2 7.5 0")}));
        QCOMPARE(history(QStringLiteral("Berg, Ann / Falk, Bo")),
                 QStringList{QStringLiteral("2026-02-04T08:00:00 scored 0 0 0.92")});
        QCOMPARE(history(QStringLiteral("Cole, Ann")),
                 QStringList{QStringLiteral("2026-02-05T08:00:00 not scored 0 0 0")});
        QCOMPARE(get("/athletes/ffffffffffffffff/history").first, 404);
        db.closeDatabase();
        QCOMPARE(get("/athletes").first, 503);
    }

    // Many readers on the library's workers while the GUI thread replaces
    // the result and the state: every answer is one whole snapshot. Run under
    // ThreadSanitizer (the OVRA_TSAN build) this checks the guard.
    void concurrentReadersSeeWholeSnapshots()
    {
        Server server;
        QVERIFY(server.start());
        server.thread->setState(state(ScoringStateType::Ready));
        server.thread->setResult(confirmedResult(1.0));
        QSet<QByteArray> bodies;
        for (int i = 1; i <= 50; ++i)
            bodies.insert(confirmedResult(i).toJson());
        QSet<QByteArray> states;
        for (auto value : {ScoringStateType::Ready, ScoringStateType::Start, ScoringStateType::Routine})
            states.insert(state(value).toJson());

        std::atomic<bool> done{false};
        std::atomic<int> answered{0};
        std::atomic<int> torn{0};
        std::vector<std::thread> readers;
        const int port = server.settings.portNumber();
        for (int r = 0; r < 4; ++r) {
            readers.emplace_back([&, port] {
                httplib::Client client("127.0.0.1", port);
                client.set_keep_alive(true);
                while (!done) {
                    auto result = client.Get("/routineresult");
                    auto current = client.Get("/state");
                    if (!result || !current)
                        continue;
                    if (!bodies.contains(QByteArray::fromStdString(result->body)) ||
                        !states.contains(QByteArray::fromStdString(current->body)))
                        ++torn;
                    ++answered;
                }
            });
        }
        for (int i = 1; i <= 50; ++i) {
            server.thread->setResult(confirmedResult(i));
            server.thread->setState(
                state(i % 3 == 0 ? ScoringStateType::Ready
                                 : (i % 3 == 1 ? ScoringStateType::Start : ScoringStateType::Routine)));
            QTest::qWait(4);
        }
        done = true;
        for (std::thread &reader : readers)
            reader.join();
        QVERIFY(answered > 0);
        QCOMPARE(torn.load(), 0);
    }
};

OVRA_TEST_CORE_MAIN(TestRestServer)
#include "tst_restserver.moc"
