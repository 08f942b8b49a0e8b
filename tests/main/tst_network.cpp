// The window's network side end to end: a commit waits for real scoring
// systems on loopback, the operator retries or waives a refusing one, the
// state goes out on every state entry, and the servers the settings enable
// answer on their ports and go with the window.

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "config/NetworkDialog.h"
#include "data/wsDaten.h"
#include "rest/client/ScoringSystems.h"
#include "rest/server/NetworkServers.h"
#include "rest/server/RestServerSettings.h"
#include "settings/OvraSettings.h"
#include "settings/WebSocketServerSettings.h"
#include "state/OvraState.h"
#include "support/ScoringTestServer.h"
#include "support/TestSupport.h"
#include "util/RESTUtils.h"
#include "util/Warnings.h"
#include "websocket/WebSocketServer.h"
#include "widgets/Popup.h"
#include "widgets/StatusLight.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStateMachine>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>
#include <QtTest>

#include <httplib.h>

#include <memory>

using namespace ovra::rest::client;
using ovra::test::ScoringTestServer;
using S = OvraState;

namespace {

ScoringClientConfiguration system(const QString &label, const QString &url, bool state = false,
                                  bool intermediate = false)
{
    ScoringClientConfiguration c;
    c.enabled = true;
    c.label = label;
    c.url = QUrl(url);
    c.timeout = 3000;
    c.state = state;
    c.intermediate = intermediate;
    return c;
}

// Network settings as a previous session left them.
void storeNetworkSettings(const ScoringClientConfigurations &systems, int httpPort = 0, int webSocketPort = 0)
{
    ovra::test::clearSettings();
    auto storage = OvraSettings::openStorage();
    OvraSettings::saveScoringClientConfigurations(*storage, systems);
    ovra::rest::server::RestServerSettings rest;
    rest.setEnabled(httpPort > 0);
    rest.setHostName(QStringLiteral("127.0.0.1"));
    rest.setPortNumber(httpPort > 0 ? httpPort : 8080);
    OvraSettings::saveRestServerSettings(*storage, rest);
    WebSocketServerSettings webSocket;
    webSocket.setEnabled(webSocketPort > 0);
    webSocket.setPortNumber(webSocketPort > 0 ? webSocketPort : 8081);
    OvraSettings::saveWebSocketServerSettings(*storage, webSocket);
    storage->sync();
}

struct Window
{
    std::unique_ptr<OvraDialog> dialog;
    QStringList asked;
    bool retry = true;

    // With realBox the operator's "Network error" box comes up.
    explicit Window(bool realBox = false)
    {
        dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
        if (!realBox) {
            dialog->setRetryAsker([this](const QString &label) {
                asked << label;
                return retry;
            });
        }
        dialog->show();
        QDeadlineTimer deadline(3000);
        while (!dialog->ovraState().machine().isRunning() && !deadline.hasExpired())
            QTest::qWait(10);
    }
    ~Window()
    {
        if (dialog)
            dialog->hide();
    }
    void fire(const char *name) { QVERIFY(QMetaObject::invokeMethod(dialog.get(), name)); }
    int state() const { return dialog->ovraState().innerState(); }
    OvraDialogUi &ui() { return dialog->ui(); }
    // READY -> START -> ROUTINE -> REVIEW, with a few samples recorded.
    void toReview()
    {
        fire("usbConnected");
        fire("nextInnerState");
        fire("nextInnerState");
        wsDaten &store = dialog->store();
        for (int i = 0; i < 480; ++i) {
            wsDaten::Sample s;
            s.fill(2560);
            store.appendSample(s);
        }
        fire("nextInnerState");
        QCOMPARE(state(), int(S::REVIEW));
    }
};

void saveShot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("OVRA_SHOTS_DIR");
    if (!dir.isEmpty())
        widget->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QString maturityOf(const ScoringTestServer::Request &request)
{
    return QJsonDocument::fromJson(request.body).object().value(QStringLiteral("maturity")).toString();
}

QStringList statesPosted(const ScoringTestServer &server)
{
    QStringList states;
    for (const ScoringTestServer::Request &request : server.requests(QStringLiteral("/state")))
        states << QJsonDocument::fromJson(request.body).object().value(QStringLiteral("state")).toString();
    return states;
}

} // namespace

class TestNetwork : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commitWithOneScoringSystemDownRetriesOnce()
    {
        ScoringTestServer panel;
        ScoringTestServer judges(ScoringTestServer::Mode::HttpError);
        storeNetworkSettings({system(QStringLiteral("Panel"), panel.url(), true),
                              system(QStringLiteral("Judges"), judges.url())});
        Window w(true);
        if (!qEnvironmentVariableIsEmpty("OVRA_SHOTS_DIR"))
            w.dialog->resize(1400, 760);
        OvraDialogUi &ui = w.ui();
        QCOMPARE(ui.statusScoringSystem[0]->text(), QStringLiteral("Scoring System 1: Panel"));
        QCOMPARE(ui.statusScoringSystem[1]->text(), QStringLiteral("Scoring System 2: Judges"));
        QVERIFY(ui.statusScoringSystem[1]->toolTip().endsWith(judges.url()));
        QVERIFY(!ui.statusScoringSystem[0]->isHidden() && ui.statusScoringSystem[2]->isHidden());
        QTRY_COMPARE(ui.statusScoringSystemLight[0]->status(), QStringLiteral("success"));
        QTRY_COMPARE(ui.statusScoringSystemLight[1]->status(), QStringLiteral("failed"));

        w.toReview();
        // The box names the refusing system; the operator retries once it is
        // back.
        QString boxTitle;
        QString boxText;
        bool retryIsDefault = false;
        QTimer operatorAtTheBox;
        connect(&operatorAtTheBox, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            operatorAtTheBox.stop();
            boxTitle = box->windowTitle();
            boxText = box->text();
            retryIsDefault = box->defaultButton() == box->button(QMessageBox::Retry);
            saveShot(w.dialog.get(), QStringLiteral("commit-waiting"));
            saveShot(box, QStringLiteral("network-error-box"));
            judges.setMode(ScoringTestServer::Mode::Success);
            box->button(QMessageBox::Retry)->click();
        });
        operatorAtTheBox.start(20);
        w.fire("nextInnerState");
        QCOMPARE(w.state(), int(S::CONNECTED_COMMIT));
        QTRY_COMPARE(w.state(), int(S::READY));
        QCOMPARE(boxTitle, QStringLiteral("Network error"));
        QCOMPARE(boxText, QStringLiteral("Failed to send result to \"Judges\""));
        QVERIFY(retryIsDefault);
        saveShot(w.dialog.get(), QStringLiteral("commit-delivered"));
        QCOMPARE(judges.count(QStringLiteral("/routineresult")), 2);
        QCOMPARE(judges.count(QStringLiteral("/routineresult"), 200), 1);
        QCOMPARE(panel.count(QStringLiteral("/routineresult"), 200), 1);
        QCOMPARE(maturityOf(judges.requests(QStringLiteral("/routineresult")).last()),
                 QStringLiteral("confirmed"));
        QCOMPARE(ui.statusScoringSystemLight[1]->status(), QStringLiteral("success"));

        // The state entries go to the panel (it takes states) in the order
        // they were entered, a repeated state string once (REVIEW and
        // CONNECTED_COMMIT are one "review"); states entered while another
        // was on its way give way to the newest, and the last one arrives.
        const QStringList entered{QStringLiteral("other"),  QStringLiteral("ready"),
                                  QStringLiteral("start"),  QStringLiteral("routine"),
                                  QStringLiteral("review"), QStringLiteral("ready")};
        // The review lasted until the operator retried: its state left.
        QTRY_VERIFY(statesPosted(panel).contains(QStringLiteral("review")) &&
                    statesPosted(panel).constLast() == QStringLiteral("ready"));
        const QStringList posted = statesPosted(panel);
        QCOMPARE(posted.value(0), QStringLiteral("other"));
        qsizetype at = 0;
        for (const QString &state : posted) {
            at = entered.indexOf(state, at);
            QVERIFY2(at >= 0, qPrintable(posted.join(QLatin1Char(' '))));
            ++at;
        }
        QCOMPARE(judges.count(QStringLiteral("/state")), 0);

        // Regression: a late or repeated answer outside a commit moved the
        // machine on (READY to START).
        w.dialog->setRetryAsker([&w](const QString &label) {
            w.asked << label;
            return true;
        });
        w.dialog->scoreSentSuccess(0);
        w.dialog->scoreSentError(1);
        QTest::qWait(50);
        QCOMPARE(w.state(), int(S::READY));
        QVERIFY(w.asked.isEmpty());
    }

    void cancelGoesOnAndKeepsTheRoutineSaved()
    {
        QTemporaryDir dir;
        ScoringTestServer judges(ScoringTestServer::Mode::HttpError);
        storeNetworkSettings({system(QStringLiteral("Judges"), judges.url())});
        Window w;
        w.retry = false;
        AutoSaveSettings &autoSave = w.dialog->settings().autoSaveSettings();
        autoSave.setPath(dir.path());
        autoSave.setFileSave(true);
        w.toReview();
        w.fire("nextInnerState");
        QTRY_COMPARE(w.state(), int(S::READY));
        QCOMPARE(w.asked, QStringList{QStringLiteral("Judges")});
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::NoSort).size(), 1);
        QCOMPARE(w.ui().statusScoringSystemLight[0]->status(), QStringLiteral("failed"));
    }

    void ignoredErrorsAndIntermediateResults()
    {
        qputenv("OVRA_IGNORE_REST_CLIENT_ERROR", "1");
        ScoringTestServer panel;
        ScoringTestServer judges(ScoringTestServer::Mode::HttpError);
        storeNetworkSettings({system(QStringLiteral("Panel"), panel.url(), false, true),
                              system(QStringLiteral("Judges"), judges.url())});
        Window w;
        qunsetenv("OVRA_IGNORE_REST_CLIENT_ERROR");
        QVERIFY(w.dialog->ignoreRestClientError());
        w.toReview();
        // Live results go to the system that wants them, replays do not.
        wsDaten &store = w.dialog->store();
        Q_EMIT store.updateResultIndividualRoutine({}, DataUpdateReason::Measurement);
        Q_EMIT store.updateResultIndividualRoutine({}, DataUpdateReason::Replay);
        QVERIFY(panel.waitForRequests(QStringLiteral("/routineresult"), 1));
        w.fire("nextInnerState");
        QTRY_COMPARE(w.state(), int(S::READY));
        QVERIFY(w.asked.isEmpty());
        QCOMPARE(judges.count(QStringLiteral("/routineresult")), 1);
        QStringList maturities;
        for (const ScoringTestServer::Request &request : panel.requests(QStringLiteral("/routineresult")))
            maturities << maturityOf(request);
        QCOMPARE(maturities, (QStringList{QStringLiteral("preliminary"), QStringLiteral("confirmed")}));
        QCOMPARE(judges.count(QStringLiteral("/routineresult")), 1);
    }

    // Red means a server that should run does not: both ports are taken
    // by another program.
    void serversThatCannotListenShowRed()
    {
        QTcpServer http;
        QTcpServer webSocket;
        QVERIFY(http.listen(QHostAddress::LocalHost, 0));
        QVERIFY(webSocket.listen(QHostAddress::Any, 0));
        storeNetworkSettings({}, http.serverPort(), webSocket.serverPort());
        Window w;
        QTRY_COMPARE(w.ui().statusHttpServerLight->status(), QStringLiteral("failed"));
        QTRY_COMPARE(w.ui().statusWebSocketServerLight->status(), QStringLiteral("failed"));
    }

    // Regression: a WebSocket port of 70000 in the settings file was used
    // modulo 65536 (the server listened on 4464 under a green light). Ports
    // outside 1 to 65535 and malformed host names are refused: red light,
    // a message that names the value, and nothing listens anywhere.
    void outOfRangeServerSettingsAreRefused()
    {
        const int httpPort = ovra::test::freeTcpPort();
        const int webSocketPort = ovra::test::freeTcpPort();
        storeNetworkSettings({}, httpPort + 65536, webSocketPort + 65536);
        {
            Window w;
            QCOMPARE(w.ui().statusHttpServerLight->status(), QStringLiteral("failed"));
            QCOMPARE(w.ui().statusWebSocketServerLight->status(), QStringLiteral("failed"));
            // The WebSocket server starts last: its message is on show.
            QVERIFY2(w.dialog->notificationPopup().text().contains(QString::number(webSocketPort + 65536)),
                     qPrintable(w.dialog->notificationPopup().text()));
            QTest::qWait(100);
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::Any, static_cast<quint16>(httpPort)));
            probe.close();
            QVERIFY(probe.listen(QHostAddress::Any, static_cast<quint16>(webSocketPort)));
        }

        storeNetworkSettings({}, httpPort, 0);
        OvraSettings::openStorage()->setValue(QStringLiteral("RestServer/HostName"),
                                              QStringLiteral("127.0.0.1:8080"));
        Window w;
        QCOMPARE(w.ui().statusHttpServerLight->status(), QStringLiteral("failed"));
        QVERIFY2(w.dialog->notificationPopup().text().contains(QStringLiteral("\"127.0.0.1:8080\"")),
                 qPrintable(w.dialog->notificationPopup().text()));
        QTest::qWait(100);
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::Any, static_cast<quint16>(httpPort)));
    }

    // Regression: a failed bind cleared the warning that no client is
    // connected to the WebSocket server.
    void failedRestartKeepsTheNoClientWarning()
    {
        storeNetworkSettings({}, 0, ovra::test::freeTcpPort());
        Window w;
        QCOMPARE(w.ui().statusWebSocketServerLight->status(), QStringLiteral("success"));
        QVERIFY(w.dialog->warnings().warningText().contains(QStringLiteral("WebSocket")));

        // The operator moves the server to a port another program holds.
        QTcpServer other;
        QVERIFY(other.listen(QHostAddress::Any, 0));
        QTimer operatorAtTheDialog;
        connect(&operatorAtTheDialog, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<NetworkDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            operatorAtTheDialog.stop();
            dialog->webSocketPortEdit()->setText(QString::number(other.serverPort()));
            dialog->okButton()->click();
        });
        operatorAtTheDialog.start(20);
        w.ui().actionNetwork->setEnabled(true);
        w.ui().actionNetwork->trigger();
        QTRY_COMPARE(w.ui().statusWebSocketServerLight->status(), QStringLiteral("failed"));
        QVERIFY(w.dialog->notificationPopup().text().startsWith(
            QStringLiteral("Unable to start the WebSocket server.")));
        QVERIFY(w.dialog->warnings().warningText().contains(QStringLiteral("WebSocket")));
    }

    // Regression: software that polls GET /routineresult every second (the
    // program's own scoreboard did) raised the yellow hint with every 404
    // of a review, over the review's read-outs for as long as it lasted.
    // Once per routine on screen is enough.
    void notCommittedHintOncePerRoutine()
    {
        const int httpPort = ovra::test::freeTcpPort();
        storeNetworkSettings({}, httpPort, 0);
        Window w;
        QTRY_COMPARE(w.ui().statusHttpServerLight->status(), QStringLiteral("success"));
        Popup &popup = w.dialog->notificationPopup();
        const QString hint = QStringLiteral(
            "Software on the network asked for this result. It gets the result once you commit the routine.");
        httplib::Client http("127.0.0.1", httpPort);
        const auto askUntilHint = [&] {
            popup.setPopupText(Popup::Black, QStringLiteral("marker"));
            for (int i = 0; i < 5; ++i) {
                QCOMPARE(http.Get("/routineresult")->status, 404);
                QTest::qWait(30);
            }
            QTRY_VERIFY(popup.text() != QStringLiteral("marker"));
            QCOMPARE(popup.text(), hint);
            popup.setPopupText(Popup::Black, QStringLiteral("marker"));
            for (int i = 0; i < 5; ++i) {
                QCOMPARE(http.Get("/routineresult")->status, 404);
                QTest::qWait(30);
            }
            QCOMPARE(popup.text(), QStringLiteral("marker"));
        };
        // Outside a review nobody is told anything.
        w.fire("usbConnected");
        popup.setPopupText(Popup::Black, QStringLiteral("marker"));
        QCOMPARE(http.Get("/routineresult")->status, 404);
        QTest::qWait(100);
        QCOMPARE(popup.text(), QStringLiteral("marker"));

        w.toReview();
        askUntilHint();
        // Committed, then the next routine up to its review: told once more.
        w.fire("nextInnerState");
        QTRY_COMPARE(w.state(), int(S::READY));
        QCOMPARE(http.Get("/routineresult")->status, 200);
        w.fire("nextInnerState");
        w.fire("nextInnerState");
        for (int i = 0; i < 480; ++i) {
            wsDaten::Sample sample;
            sample.fill(2560);
            w.dialog->store().appendSample(sample);
        }
        w.fire("nextInnerState");
        QCOMPARE(w.state(), int(S::REVIEW));
        askUntilHint();
    }

    void serversAnswerAndGoWithTheWindow()
    {
        const int httpPort = ovra::test::freeTcpPort();
        const int webSocketPort = ovra::test::freeTcpPort();
        storeNetworkSettings({}, httpPort, webSocketPort);
        auto w = std::make_unique<Window>();
        OvraDialogUi &ui = w->ui();
        QTRY_COMPARE(ui.statusHttpServerLight->status(), QStringLiteral("success"));
        QCOMPARE(ui.statusWebSocketServerLight->status(), QStringLiteral("success"));
        QCOMPARE(ui.statusWebSocketServer->text(), QStringLiteral("WebSocket Server (0)"));
        QVERIFY(w->dialog->warnings().warningText().contains(QStringLiteral("WebSocket")));

        QWebSocket client;
        QSignalSpy received(&client, &QWebSocket::textMessageReceived);
        client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(webSocketPort)));
        QTRY_COMPARE(ui.statusWebSocketServer->text(), QStringLiteral("WebSocket Server (1)"));
        QVERIFY(!w->dialog->warnings().warningText().contains(QStringLiteral("WebSocket")));

        httplib::Client http("127.0.0.1", httpPort);
        w->fire("usbConnected");
        auto answer = http.Get("/state");
        QVERIFY(answer && answer->status == 200);
        QCOMPARE(QJsonDocument::fromJson(QByteArray::fromStdString(answer->body))
                     .object()
                     .value(QStringLiteral("state")),
                 QJsonValue(QStringLiteral("ready")));
        // Without the remote-control switch a command changes nothing.
        QTRY_COMPARE(client.state(), QAbstractSocket::ConnectedState);
        client.sendTextMessage(QStringLiteral(R"({"operation":"command","body":{}})"));
        QTRY_VERIFY(received.size() >= 3);
        QCOMPARE(w->state(), int(S::READY));

        w->toReview();
        QCOMPARE(http.Get("/routineresult")->status, 404);
        w->fire("nextInnerState");
        QTRY_COMPARE(w->state(), int(S::READY));
        answer = http.Get("/routineresult");
        QVERIFY(answer && answer->status == 200);
        QCOMPARE(QJsonDocument::fromJson(QByteArray::fromStdString(answer->body))
                     .object()
                     .value(QStringLiteral("maturity")),
                 QJsonValue(QStringLiteral("confirmed")));
        // A new routine clears it.
        w->fire("nextInnerState");
        QCOMPARE(w->state(), int(S::START));
        QCOMPARE(http.Get("/routineresult")->status, 404);

        // Gone with the window: both ports are free again.
        w.reset();
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, static_cast<quint16>(httpPort)));
        probe.close();
        QVERIFY(probe.listen(QHostAddress::Any, static_cast<quint16>(webSocketPort)));
    }

    void networkDialogAppliesAndRestartsWhatChanged()
    {
        ScoringTestServer panel;
        const int webSocketPort = ovra::test::freeTcpPort();
        const int httpPort = ovra::test::freeTcpPort();
        storeNetworkSettings({}, 0, webSocketPort);
        Window w;
        QWebSocket client;
        client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(webSocketPort)));
        QTRY_COMPARE(client.state(), QAbstractSocket::ConnectedState);
        QSignalSpy disconnected(&client, &QWebSocket::disconnected);
        // Switched off is grey, not the red of a failure.
        QCOMPARE(w.ui().statusHttpServerLight->status(), QStringLiteral("off"));

        // The operator fills the dialog and presses OK (then, a second
        // time, changes something and cancels).
        bool cancel = false;
        QTimer operatorAtTheDialog;
        connect(&operatorAtTheDialog, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<NetworkDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            operatorAtTheDialog.stop();
            dialog->httpServerCheckBox()->setChecked(true);
            dialog->httpPortEdit()->setText(QString::number(cancel ? httpPort + 1 : httpPort));
            const NetworkDialog::Row &row = dialog->row(0);
            row.enabled->setChecked(true);
            row.label->setText(cancel ? QStringLiteral("Other") : QStringLiteral("Panel"));
            row.url->setText(panel.url());
            if (cancel)
                dialog->reject();
            else
                dialog->okButton()->click();
        });
        operatorAtTheDialog.start(20);
        w.ui().actionNetwork->setEnabled(true);
        w.ui().actionNetwork->trigger();
        QTRY_COMPARE(w.ui().statusHttpServerLight->status(), QStringLiteral("success"));
        httplib::Client http("127.0.0.1", httpPort);
        QTRY_VERIFY(http.Get("/health") && http.Get("/health")->status == 204);
        QCOMPARE(w.ui().statusScoringSystem[0]->text(), QStringLiteral("Scoring System 1: Panel"));
        QVERIFY(panel.waitForRequests(QStringLiteral("/health"), 1));
        // The WebSocket server's settings did not change: its clients stay.
        QTest::qWait(50);
        QCOMPARE(disconnected.size(), 0);
        auto storage = OvraSettings::openStorage();
        QCOMPARE(storage->value(QStringLiteral("RestServer/Enabled")).toBool(), true);
        QCOMPARE(storage->value(QStringLiteral("ScoringClientConfigurations/label_0")).toString(),
                 QStringLiteral("Panel"));
        QCOMPARE(storage->value(QStringLiteral("ScoringClientConfigurations/timeout_0")).toInt(), 3000);

        cancel = true;
        operatorAtTheDialog.start(20);
        w.ui().actionNetwork->trigger();
        QCOMPARE(w.dialog->settings().restServerSettings().portNumber(), httpPort);
        QCOMPARE(w.dialog->settings().scoringClientConfigurations().value(0).label, QStringLiteral("Panel"));
        QCOMPARE(w.ui().statusScoringSystem[0]->text(), QStringLiteral("Scoring System 1: Panel"));
    }

    // The settings file can name the hosts that may post routine meta
    // information or send commands; both servers keep to it and the list
    // is written back.
    void onlyAllowedHostsChangeTheRoutine()
    {
        qputenv("OVRA_ENABLE_REMOTE_CONTROL", "1");
        const int httpPort = ovra::test::freeTcpPort();
        const int webSocketPort = ovra::test::freeTcpPort();
        storeNetworkSettings({}, httpPort, webSocketPort);
        OvraSettings::openStorage()->setValue(QStringLiteral("Network/AllowedRemoteHosts"),
                                              QStringLiteral("192.0.2.7"));
        Window w;
        qunsetenv("OVRA_ENABLE_REMOTE_CONTROL");
        w.fire("usbConnected");
        QTRY_COMPARE(w.ui().statusHttpServerLight->status(), QStringLiteral("success"));
        QSignalSpy taken(&w.dialog->networkServers(),
                         &ovra::rest::server::NetworkServers::receivedRoutineMeta);
        httplib::Client http("127.0.0.1", httpPort);
        const auto answer = http.Post("/routinemeta", R"({"lastname":"Brandt"})", "application/json");
        QVERIFY(answer);
        QCOMPARE(answer->status, 403);

        QWebSocket client;
        QSignalSpy received(&client, &QWebSocket::textMessageReceived);
        client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(webSocketPort)));
        QTRY_COMPARE(received.size(), 1);
        client.sendTextMessage(QStringLiteral(R"({"operation":"command","body":{}})"));
        client.sendTextMessage(QStringLiteral(R"({"operation":"routinemeta","body":{"lastname":"Cole"}})"));
        QTRY_COMPARE(received.size(), 3);
        for (int i = 1; i < 3; ++i) {
            const QJsonObject body = QJsonDocument::fromJson(received.at(i).first().toString().toUtf8())
                                         .object()
                                         .value(QStringLiteral("body"))
                                         .toObject();
            QCOMPARE(body.value(QStringLiteral("code")).toInt(), 403);
        }
        QCOMPARE(w.state(), int(S::READY));
        QCOMPARE(taken.size(), 0);

        w.dialog->settings().writeSettings(900, 700, QFont());
        QCOMPARE(OvraSettings::openStorage()->value(QStringLiteral("Network/AllowedRemoteHosts")).toString(),
                 QStringLiteral("192.0.2.7"));
    }

    void remoteControlStepsTheMachine()
    {
        qputenv("OVRA_ENABLE_REMOTE_CONTROL", "1");
        const int webSocketPort = ovra::test::freeTcpPort();
        storeNetworkSettings({}, 0, webSocketPort);
        Window w;
        qunsetenv("OVRA_ENABLE_REMOTE_CONTROL");
        w.fire("usbConnected");
        QWebSocket client;
        QSignalSpy received(&client, &QWebSocket::textMessageReceived);
        client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(webSocketPort)));
        QTRY_COMPARE(received.size(), 1);
        client.sendTextMessage(QStringLiteral(R"({"operation":"Command","body":{}})"));
        QTRY_COMPARE(w.state(), int(S::START));
    }
};

OVRA_TEST_GUI_MAIN(TestNetwork)
#include "tst_network.moc"
