// The scoring client against a real HTTP scoring system on loopback: what
// goes over the wire, how answers, errors and time-outs come back, and how a
// commit waits for every system asked.

#include "rest/client/ScoringClient.h"
#include "rest/client/ScoringHttpRequestWorker.h"
#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringResultsApi.h"
#include "rest/client/ScoringSystems.h"
#include "support/MessageCapture.h"
#include "support/ScoringTestServer.h"
#include "support/TestSupport.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QUuid>

#include <algorithm>

using namespace ovra::rest::client;
using ovra::test::ScoringTestServer;
using Mode = ScoringTestServer::Mode;

namespace {

ScoringClientConfiguration configuration(const QString &url, int timeout = 3000, const QString &label = {})
{
    ScoringClientConfiguration c;
    c.enabled = true;
    c.label = label;
    c.url = QUrl(url);
    c.timeout = timeout;
    return c;
}

ScoringResult result(ScoringResultMaturity::Value maturity, int elementCount)
{
    return ovra::test::individualResult(1.5 * elementCount, elementCount, {}, maturity);
}

ScoringState state(ScoringStateType::Value value)
{
    ScoringState s;
    s.setState(ScoringStateType(value));
    return s;
}

QJsonObject json(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object();
}

QString maturityOf(const ScoringTestServer::Request &request)
{
    return json(request.body).value(QStringLiteral("maturity")).toString();
}

} // namespace

class TestScoringClient : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void requestsOnTheWire()
    {
        ScoringTestServer server;
        // A base URL with a trailing "/" sends to the same paths.
        ScoringClient client(configuration(server.url(QStringLiteral("/api/"))));
        QSignalSpy health(&client, &ScoringClient::healthSignal);
        QSignalSpy accepted(&client, &ScoringClient::addRoutineResultsSignal);

        client.checkHealth();
        const ScoringResult confirmed = result(ScoringResultMaturity::Confirmed, 10);
        client.sendResult(confirmed, true);
        // REVIEW and CONNECTED_COMMIT are both "review": one request.
        client.sendState(state(ScoringStateType::Review));
        client.sendState(state(ScoringStateType::Review));
        QVERIFY(server.waitForRequests(QStringLiteral("/api/state"), 1));
        client.sendState(state(ScoringStateType::Ready));
        QVERIFY(server.waitForRequests(QStringLiteral("/api/state"), 2));
        QTRY_COMPARE(health.size(), 1);
        QTRY_COMPARE(accepted.size(), 1);
        QCOMPARE(health.first().first().toInt(), client.id());

        const QList<ScoringTestServer::Request> all = server.requests();
        QCOMPARE(all.size(), 4);
        for (const ScoringTestServer::Request &request : all) {
            QVERIFY2(request.path.startsWith(QStringLiteral("/api/")) &&
                         !request.path.contains(QStringLiteral("//")),
                     qPrintable(request.path));
            QCOMPARE(request.headers.value(QStringLiteral("user-agent")),
                     QStringLiteral("OpenAPI-Generator/1.0.0/cpp-qt"));
            QCOMPARE(request.headers.value(QStringLiteral("accept-encoding")), QStringLiteral("identity"));
            QVERIFY(!request.headers.contains(QStringLiteral("authorization")));
        }
        const ScoringTestServer::Request health0 = server.requests(QStringLiteral("/api/health")).value(0);
        QCOMPARE(health0.method, QStringLiteral("GET"));
        QVERIFY(health0.body.isEmpty());
        const ScoringTestServer::Request posted =
            server.requests(QStringLiteral("/api/routineresult")).value(0);
        QCOMPARE(posted.method, QStringLiteral("POST"));
        QCOMPARE(posted.headers.value(QStringLiteral("content-type")), QStringLiteral("application/json"));
        // The indented text of the result, as it is.
        QCOMPARE(posted.body, confirmed.toJson());
        // Only a confirmed result carries a key, one of its own.
        QVERIFY(!QUuid::fromString(posted.headers.value(QStringLiteral("idempotency-key"))).isNull());
        for (const ScoringTestServer::Request &request : all) {
            if (request.path != posted.path)
                QVERIFY(!request.headers.contains(QStringLiteral("idempotency-key")));
        }
        const QList<ScoringTestServer::Request> states = server.requests(QStringLiteral("/api/state"));
        QCOMPARE(json(states.value(0).body).value(QStringLiteral("state")).toString(),
                 QStringLiteral("review"));
        QCOMPARE(json(states.value(1).body).value(QStringLiteral("state")).toString(),
                 QStringLiteral("ready"));
    }

    // Regression: state messages left on parallel connections, so a
    // dismissed routine's "review" could reach a system after the "ready"
    // that followed it at once. One state is on its way at a time, and
    // states entered meanwhile give way to the newest: a burst arrives as
    // its first and its last state.
    void statesArriveInTheOrderTheyWereEntered()
    {
        ScoringTestServer server(Mode::Slow);
        server.setSlowDelayMs(300);
        ScoringClient client(configuration(server.url()));
        for (auto value : {ScoringStateType::Review, ScoringStateType::Ready, ScoringStateType::Start,
                           ScoringStateType::Routine, ScoringStateType::Review, ScoringStateType::Ready})
            client.sendState(state(value));
        QVERIFY(server.waitForRequests(QStringLiteral("/state"), 2));
        // Entered while "ready" is on its way (300 ms): "review" is replaced
        // by the return to "ready", which needs no message at all.
        client.sendState(state(ScoringStateType::Review));
        client.sendState(state(ScoringStateType::Ready));
        client.sendState(state(ScoringStateType::Start));
        QVERIFY(server.waitForRequests(QStringLiteral("/state"), 3));
        QTest::qWait(400);
        QStringList arrived;
        for (const ScoringTestServer::Request &request : server.requests(QStringLiteral("/state")))
            arrived << json(request.body).value(QStringLiteral("state")).toString();
        QCOMPARE(arrived,
                 (QStringList{QStringLiteral("review"), QStringLiteral("ready"), QStringLiteral("start")}));
    }

    // Regression: with time-out 0, the settings file's default, a system
    // that took the connection and never answered held every later state
    // back for good. Every request now has a deadline.
    void statesNeverWaitForGoodBehindASilentSystem()
    {
        ScoringTestServer silent(Mode::NoAnswer);
        ScoringClient client(configuration(silent.url(), 0));
        for (auto value : {ScoringStateType::Review, ScoringStateType::Ready, ScoringStateType::Start,
                           ScoringStateType::Routine})
            client.sendState(state(value));
        QVERIFY(silent.waitForRequests(QStringLiteral("/state"), 1));
        QVERIFY(
            silent.waitForRequests(QStringLiteral("/state"), 2,
                                   ovra::rest::client::ScoringHttpRequestWorker::kDefaultTimeOutMs + 10000));
        QStringList arrived;
        for (const ScoringTestServer::Request &request : silent.requests(QStringLiteral("/state")))
            arrived << json(request.body).value(QStringLiteral("state")).toString();
        QCOMPARE(arrived, (QStringList{QStringLiteral("review"), QStringLiteral("routine")}));
    }

    void errorsAndTimeOuts()
    {
        MessageCapture log;
        ScoringTestServer server(Mode::HttpError);
        ScoringClient client(configuration(server.url()));
        QSignalSpy failed(&client, &ScoringClient::addRoutineResultsErrorSignal);
        QSignalSpy healthFailed(&client, &ScoringClient::healthErrorSignal);
        client.checkHealth();
        client.sendResult(result(ScoringResultMaturity::Confirmed, 10), true);
        client.sendState(state(ScoringStateType::Ready));
        QTRY_COMPARE(failed.size(), 1);
        QTRY_COMPARE(healthFailed.size(), 1);
        // A refused state is only logged, with the answer's body.
        QTRY_VERIFY(
            !log.linesStartingWith(QStringLiteral("Unable to send state to scoring system:")).isEmpty());
        QVERIFY(log.linesStartingWith(QStringLiteral("Unable to send state to scoring system:"))
                    .first()
                    .contains(QStringLiteral("scoring system refused")));

        // No answer within the time-out: the request gives up with its own text.
        ScoringTestServer silent(Mode::NoAnswer);
        ovra::rest::client::ScoringResultsApi api(300);
        api.setNewServerForAllOperations(QUrl(silent.url()));
        QSignalSpy apiFailed(&api, &ScoringResultsApi::addRoutineResultSignalE);
        QElapsedTimer clock;
        clock.start();
        api.addRoutineResult(result(ScoringResultMaturity::Confirmed, 1));
        QTRY_COMPARE_WITH_TIMEOUT(apiFailed.size(), 1, 5000);
        QVERIFY(clock.elapsed() >= 290);
        QCOMPARE(apiFailed.first().at(0).value<QNetworkReply::NetworkError>(), QNetworkReply::TimeoutError);
        QCOMPARE(apiFailed.first().at(1).toString(), QStringLiteral("Timed out waiting for response, "));
        QTRY_COMPARE(api.pendingRequestCount(), 0);

        // Nothing listens: the network stack's own outcome, well before the
        // deadline that stands in for time-out 0.
        ScoringClient nobody(
            configuration(QStringLiteral("http://127.0.0.1:%1").arg(ovra::test::freeTcpPort()), 0));
        QSignalSpy unreachable(&nobody, &ScoringClient::healthErrorSignal);
        nobody.checkHealth();
        QTRY_COMPARE(unreachable.size(), 1);
    }

    // Regression: the feedback flag and the result to resend were the
    // client's, so a preliminary result sent while a confirmed one was
    // pending silenced the confirmation and became what Retry sent.
    void preliminarySendDoesNotSwallowPendingConfirmation()
    {
        ScoringTestServer server(Mode::Slow);
        server.setSlowDelayMs(300);
        ScoringClient client(configuration(server.url()));
        QSignalSpy accepted(&client, &ScoringClient::addRoutineResultsSignal);
        QSignalSpy failed(&client, &ScoringClient::addRoutineResultsErrorSignal);
        client.sendResult(result(ScoringResultMaturity::Confirmed, 10), true);
        client.sendResult(result(ScoringResultMaturity::Preliminary, 3), false);
        QVERIFY(server.waitForRequests(QStringLiteral("/routineresult"), 2));
        QTRY_COMPARE(server.count(QStringLiteral("/routineresult"), 200), 2);
        QTRY_COMPARE(accepted.size(), 1);
        QTest::qWait(50);
        QCOMPARE(accepted.size(), 1);
        QCOMPARE(failed.size(), 0);

        server.setMode(Mode::Success);
        client.resendResult();
        QVERIFY(server.waitForRequests(QStringLiteral("/routineresult"), 3));
        const QList<ScoringTestServer::Request> posted = server.requests(QStringLiteral("/routineresult"));
        QCOMPARE(maturityOf(posted.last()), QStringLiteral("confirmed"));
        QTRY_COMPARE(accepted.size(), 2);
        // The retry is the same result under the same key; the preliminary
        // one had none.
        const QString key = QStringLiteral("idempotency-key");
        const auto confirmedFirst = std::find_if(posted.begin(), posted.end(), [](const auto &request) {
            return maturityOf(request) == QStringLiteral("confirmed");
        });
        QVERIFY(!confirmedFirst->headers.value(key).isEmpty());
        QCOMPARE(posted.last().headers.value(key), confirmedFirst->headers.value(key));
        QCOMPARE(posted.last().body, confirmedFirst->body);
        for (const ScoringTestServer::Request &request : posted) {
            if (maturityOf(request) == QStringLiteral("preliminary"))
                QVERIFY(!request.headers.contains(key));
        }
    }

    void commitWaitsForEverySystemAsked()
    {
        MessageCapture log;
        ScoringTestServer first;
        ScoringTestServer third(Mode::HttpError);
        // Configurations 1 and 3 enabled, 2 disabled: ids 0 and 1.
        ScoringClientConfigurations configurations = {
            configuration(first.url(), 3000, QStringLiteral("Panel A")),
            configuration(QStringLiteral("http://127.0.0.1:1"), 3000, QStringLiteral("Unused")),
            configuration(third.url(), 3000, QStringLiteral("Panel C")),
        };
        configurations[1].enabled = false;
        configurations[2].state = true;
        ScoringSystems systems;
        QSignalSpy statuses(&systems, &ScoringSystems::statusChanged);
        QSignalSpy complete(&systems, &ScoringSystems::commitComplete);
        connect(&systems, &ScoringSystems::resultAccepted, &systems, &ScoringSystems::accepted);
        QList<int> asked;
        connect(&systems, &ScoringSystems::resultFailed, &systems, [&](int id) {
            if (systems.failed(id))
                asked << id;
        });
        systems.initClients(configurations, state(ScoringStateType::Ready));
        QCOMPARE(systems.clients().size(), 2);
        QCOMPARE(systems.clients().at(0)->id(), 0);
        QCOMPARE(systems.clients().at(1)->id(), 1);
        QCOMPARE(systems.label(1), QStringLiteral("Panel C"));
        QTRY_COMPARE(statuses.size(), 2);
        QVERIFY(log.lines().contains(
            QStringLiteral("Starting REST client with ID 1 for scoring system Panel C at ") + third.url()));
        // Only the system that takes state transitions got the state.
        QVERIFY(third.waitForRequests(QStringLiteral("/state"), 1));
        QCOMPARE(first.count(QStringLiteral("/state")), 0);

        QVERIFY(systems.sendConfirmedResult(result(ScoringResultMaturity::Confirmed, 10)));
        QTRY_COMPARE(asked, QList<int>{1});
        QVERIFY(systems.isCommitPending());
        QCOMPARE(complete.size(), 0);

        // Retry after the system came back delivers the result once more
        // and completes the commit once.
        third.setMode(Mode::Success);
        systems.resolve(1, true);
        QTRY_COMPARE(complete.size(), 1);
        QCOMPARE(third.count(QStringLiteral("/routineresult"), 200), 1);
        QCOMPARE(first.count(QStringLiteral("/routineresult"), 200), 1);
        QCOMPARE(maturityOf(third.requests(QStringLiteral("/routineresult")).last()),
                 QStringLiteral("confirmed"));

        // An answer outside a commit changes nothing.
        systems.accepted(0);
        QCOMPARE(systems.failed(1), false);
        QCOMPARE(complete.size(), 1);

        // Waived: the commit goes on without the system; its late answer is
        // not a second completion.
        third.setMode(Mode::HttpError);
        asked.clear();
        QVERIFY(systems.sendConfirmedResult(result(ScoringResultMaturity::Confirmed, 9)));
        QTRY_COMPARE(asked, QList<int>{1});
        QTRY_COMPARE(first.count(QStringLiteral("/routineresult"), 200), 2);
        QTRY_VERIFY(!systems.feedback().isEmpty() && systems.feedback().first().answered);
        systems.resolve(1, false);
        QCOMPARE(complete.size(), 2);
        systems.accepted(1);
        QCOMPARE(complete.size(), 2);

        // With errors ignored nothing is asked and the commit completes with
        // the other system's answer.
        systems.setIgnoreClientErrors(true);
        asked.clear();
        QVERIFY(systems.sendConfirmedResult(result(ScoringResultMaturity::Confirmed, 8)));
        QTRY_COMPARE(complete.size(), 3);
        QVERIFY(asked.isEmpty());

        // Without any enabled system nothing is sent and nothing is awaited.
        for (ScoringClientConfiguration &c : configurations)
            c.enabled = false;
        systems.initClients(configurations, state(ScoringStateType::Ready));
        QVERIFY(!systems.clientsExist());
        QVERIFY(!systems.sendConfirmedResult(result(ScoringResultMaturity::Confirmed, 10)));
        QVERIFY(!systems.isCommitPending());
    }
};

OVRA_TEST_CORE_MAIN(TestScoringClient)
#include "tst_scoringclient.moc"
