#pragma once

#include "rest/client/ScoringResult.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace ovra::test {

// A scoring system on loopback for the tests: a real HTTP server (on the
// same library as the program's own) that answers GET /health, POST
// /routineresult and POST /state as its mode says and records every request.
class ScoringTestServer
{
public:
    enum class Mode {
        Success,   // 200 for results and states, 204 for health
        HttpError, // 500 with a short body
        Slow,      // success after the slow delay
        NoAnswer,  // keeps the connection open and never answers
    };
    struct Request
    {
        QString method;
        QString path;
        QMap<QString, QString> headers; // names in lower case
        QByteArray body;
        int status = 0; // what was answered; 0 while unanswered
    };

    explicit ScoringTestServer(Mode mode = Mode::Success);
    ~ScoringTestServer();
    ScoringTestServer(const ScoringTestServer &) = delete;
    ScoringTestServer &operator=(const ScoringTestServer &) = delete;

    void setMode(Mode mode);
    void setSlowDelayMs(int ms);
    int port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by the suffix.
    QString url(const QString &suffix = QString()) const;

    QList<Request> requests() const;
    QList<Request> requests(const QString &path) const;
    int count(const QString &path, int status = -1) const;
    // Processes events until the server has seen n requests on the path.
    bool waitForRequests(const QString &path, int n, int timeoutMs = 10000) const;

private:
    void handle(const std::string &method, const std::string &path,
                const std::multimap<std::string, std::string> &headers, const std::string &body, int &status,
                std::string &answer);

    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_guard; // guards everything below
    std::condition_variable m_wake;
    Mode m_mode;
    int m_slowDelayMs = 1000;
    bool m_stopping = false;
    QList<Request> m_requests;
};

// An individual result as the wire carries it: the totals of a routine of
// elementCount elements with the given time of flight, and the meta map.
rest::client::ScoringResult individualResult(
    double timeOfFlight, int elementCount = 10, const QMap<QString, QString> &meta = {},
    rest::client::ScoringResultMaturity::Value maturity = rest::client::ScoringResultMaturity::Confirmed);

// A TCP port on loopback that nothing listens on right now.
int freeTcpPort();

// The full path of a program the test needs (a name looked up in PATH, or
// an absolute path); empty when it is missing.
QString findProgram(const QString &nameOrPath);

// Runs a program to its end (at most timeoutMs) while the event loop keeps
// running; returns its standard output, or a null array when it failed to
// start or did not end in time.
QByteArray runProgram(const QString &program, const QStringList &arguments, int timeoutMs = 30000,
                      int *exitCode = nullptr);

} // namespace ovra::test

// Fails the test with a clear message when a program it needs is missing:
// the test command installs it, so a missing one is an error, not a skip.
#define OVRA_REQUIRE_PROGRAM(variable, nameOrPath)                                                           \
    const QString variable = ::ovra::test::findProgram(QStringLiteral(nameOrPath));                          \
    if (variable.isEmpty())                                                                                  \
        QFAIL(nameOrPath " is missing; the test command installs it (scripts/setup.sh)");
