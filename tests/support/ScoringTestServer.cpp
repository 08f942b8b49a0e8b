#include "support/ScoringTestServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>
#include <QThread>

#include <httplib.h>

#include <chrono>

namespace ovra::test {

ScoringTestServer::ScoringTestServer(Mode mode)
    : m_server(std::make_unique<httplib::Server>())
    , m_mode(mode)
{
    const auto handler = [this](const httplib::Request &req, httplib::Response &res) {
        int status = 0;
        std::string answer;
        std::multimap<std::string, std::string> headers(req.headers.begin(), req.headers.end());
        handle(req.method, req.path, headers, req.body, status, answer);
        res.status = status;
        if (!answer.empty())
            res.set_content(answer, "text/plain");
    };
    m_server->Get(".*", handler);
    m_server->Post(".*", handler);
    m_server->set_tcp_nodelay(true);
    m_server->new_task_queue = [] { return new httplib::ThreadPool(8); };
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // The library's stop() only works once the accept loop runs.
    QDeadlineTimer deadline(5000);
    while (!m_server->is_running() && !deadline.hasExpired())
        QThread::msleep(1);
}

ScoringTestServer::~ScoringTestServer()
{
    {
        std::lock_guard<std::mutex> lock(m_guard);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

void ScoringTestServer::setMode(Mode mode)
{
    std::lock_guard<std::mutex> lock(m_guard);
    m_mode = mode;
}

void ScoringTestServer::setSlowDelayMs(int ms)
{
    std::lock_guard<std::mutex> lock(m_guard);
    m_slowDelayMs = ms;
}

QString ScoringTestServer::url(const QString &suffix) const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port) + suffix;
}

void ScoringTestServer::handle(const std::string &method, const std::string &path,
                               const std::multimap<std::string, std::string> &headers,
                               const std::string &body, int &status, std::string &answer)
{
    Request request;
    request.method = QString::fromStdString(method);
    request.path = QString::fromStdString(path);
    for (const auto &[name, value] : headers)
        request.headers.insert(QString::fromStdString(name).toLower(), QString::fromStdString(value));
    request.body = QByteArray::fromStdString(body);

    std::unique_lock<std::mutex> lock(m_guard);
    const qsizetype index = m_requests.size();
    m_requests.append(request);
    const Mode mode = m_mode;
    if (mode == Mode::NoAnswer) {
        // Held until the server goes; the client gives up first.
        m_wake.wait_for(lock, std::chrono::seconds(30), [this] { return m_stopping; });
        status = 503;
        m_requests[index].status = status;
        return;
    }
    if (mode == Mode::Slow)
        m_wake.wait_for(lock, std::chrono::milliseconds(m_slowDelayMs), [this] { return m_stopping; });
    if (mode == Mode::HttpError) {
        status = 500;
        answer = "scoring system refused";
    } else {
        status = path == "/health" ? 204 : 200;
    }
    m_requests[index].status = status;
}

QList<ScoringTestServer::Request> ScoringTestServer::requests() const
{
    std::lock_guard<std::mutex> lock(m_guard);
    return m_requests;
}

QList<ScoringTestServer::Request> ScoringTestServer::requests(const QString &path) const
{
    QList<Request> matching;
    for (const Request &request : requests()) {
        if (request.path == path)
            matching.append(request);
    }
    return matching;
}

int ScoringTestServer::count(const QString &path, int status) const
{
    int n = 0;
    for (const Request &request : requests(path)) {
        if (status < 0 || request.status == status)
            ++n;
    }
    return n;
}

bool ScoringTestServer::waitForRequests(const QString &path, int n, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (count(path) < n) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

rest::client::ScoringResult individualResult(double timeOfFlight, int elementCount,
                                             const QMap<QString, QString> &meta,
                                             rest::client::ScoringResultMaturity::Value maturity)
{
    using namespace rest::client;
    ScoringIndividualResult individual;
    individual.setElementCount(elementCount);
    individual.setTimeOfFlightInSeconds(timeOfFlight);
    individual.setHorizontalDisplacement(0.9 * elementCount);
    individual.setStartPenalty(0.0);
    if (!meta.isEmpty())
        individual.setMeta(meta);
    ScoringResult result;
    result.setType(ScoringResultType(ScoringResultType::Individual));
    result.setMaturity(ScoringResultMaturity(maturity));
    result.setIndividualResult(individual);
    return result;
}

int freeTcpPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

QString findProgram(const QString &nameOrPath)
{
    if (nameOrPath.startsWith(QLatin1Char('/')))
        return QFileInfo(nameOrPath).isExecutable() ? nameOrPath : QString();
    return QStandardPaths::findExecutable(nameOrPath);
}

QByteArray runProgram(const QString &program, const QStringList &arguments, int timeoutMs, int *exitCode)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.start();
    if (!process.waitForStarted(5000))
        return QByteArray();
    QDeadlineTimer deadline(timeoutMs);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        process.waitForFinished(5);
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(2000);
        return QByteArray();
    }
    if (exitCode)
        *exitCode = process.exitCode();
    QByteArray out = process.readAllStandardOutput();
    if (out.isNull())
        out = QByteArray("");
    return out;
}

} // namespace ovra::test
