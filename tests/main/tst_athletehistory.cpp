// Athlete histories through the real window: a workstation whose database
// holds an athlete's earlier routines commits a new one; the stored result
// is the one the scoring system received; the history window opened with
// Ctrl+H lists it and opens a routine in the main window; the HTTP server
// on loopback answers /athletes; the audience screen and the scoreboard
// data show the athlete's personal best.

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "StartListFixture.h"
#include "data/wsDaten.h"
#include "history/AthleteHistoryWindow.h"
#include "rest/server/RestServerSettings.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "support/ScoringTestServer.h"
#include "support/TestSupport.h"
#include "widgets/SecondScreenWindows.h"

#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStateMachine>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <httplib.h>

#include <future>
#include <memory>

namespace {

using S = OvraState;

// Miller's earlier routines, scored by hand: total ToF 14.9, 15.35, 15.1 s.
const QList<double> kEarlierTof = {14.9, 15.35, 15.1};

QJsonDocument individualResult(double tof)
{
    return QJsonDocument(QJsonObject{
        {QStringLiteral("type"), QStringLiteral("individual")},
        {QStringLiteral("maturity"), QStringLiteral("confirmed")},
        {QStringLiteral("individualResult"), QJsonObject{{QStringLiteral("startPenalty"), 0.0},
                                                         {QStringLiteral("elementCount"), 10},
                                                         {QStringLiteral("timeOfFlightInSeconds"), tof},
                                                         {QStringLiteral("horizontalDisplacement"), 9.0}}}});
}

struct Answer
{
    int status = 0;
    QJsonObject body;
};

// A GET on its own thread, while this one serves the event loop: the
// workstation answers histories in the GUI thread.
Answer get(int port, const std::string &path)
{
    auto answer = std::async(std::launch::async, [port, path] {
        httplib::Client http("127.0.0.1", port);
        Answer a;
        if (const auto r = http.Get(path.c_str())) {
            a.status = r->status;
            a.body = QJsonDocument::fromJson(QByteArray::fromStdString(r->body)).object();
        }
        return a;
    });
    while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(5);
    return answer.get();
}

} // namespace

class TestAthleteHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void historyOfTheWorkstation()
    {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("competition.db"));
        QVERIFY(ovra::test::writeCompetitionFile(database));
        {
            wsDaten store;
            wsdb db(store, nullptr, false);
            QVERIFY(db.openDatabase(database));
            StartSelection miller;
            miller.eventName = QStringLiteral("Worlds");
            miller.competitionName = QStringLiteral("Seniors");
            miller.groupName = QStringLiteral("Qualification");
            miller.athlete1.lastName = QStringLiteral("Miller");
            miller.athlete1.firstName = QStringLiteral("John");
            miller.athlete1.idFig = QStringLiteral("F1");
            miller.athlete1.year = 1999;
            const QByteArray samples(160, '\0');
            for (int i = 0; i < kEarlierTof.size(); ++i) {
                store.measurementName = QStringLiteral("earlier%1").arg(i);
                QVERIFY(db.insertMeasure(miller, QDateTime(QDate(2026, 1, 10 + i), QTime(11, 0)), {}, {},
                                         QString(), 0, samples.constData(), int(samples.size()),
                                         individualResult(kEarlierTof.at(i)), {}));
            }
        }
        ovra::test::clearSettings();
        ovra::test::storeDatabaseSetting(database);
        ovra::test::ScoringTestServer scoring;
        const int httpPort = ovra::test::freeTcpPort();
        {
            auto storage = OvraSettings::openStorage();
            ovra::rest::client::ScoringClientConfiguration system;
            system.enabled = true;
            system.label = QStringLiteral("Panel");
            system.url = QUrl(scoring.url());
            system.timeout = 3000;
            OvraSettings::saveScoringClientConfigurations(*storage, {system});
            ovra::rest::server::RestServerSettings rest;
            rest.setEnabled(true);
            rest.setHostName(QStringLiteral("127.0.0.1"));
            rest.setPortNumber(httpPort);
            OvraSettings::saveRestServerSettings(*storage, rest);
            storage->sync();
        }
        OvraDialog dialog(ovra::startup::logHandler());
        dialog.settings().spaceDelaySettings().setSpaceDelayMs(0);
        dialog.settings().autoSaveSettings().setFileSave(false);
        dialog.settings().autoSaveSettings().setDatabaseSave(true);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTRY_VERIFY(dialog.ovraState().machine().isRunning());
        OvraDialogUi &ui = dialog.ui();
        QVERIFY(QMetaObject::invokeMethod(&dialog, "usbConnected"));
        QVERIFY(dialog.ovraState().isIn(S::READY));

        // Miller is up next: his best so far is on the audience screen once
        // asked for, and in the scoreboard data.
        ui.CB_event->setCurrentIndex(1);
        ui.CB_competition->setCurrentIndex(1);
        ui.CB_group->setCurrentIndex(1);
        ui.LW_athlets->setCurrentRow(0);
        QTRY_COMPARE(dialog.personalBestText(), QStringLiteral("Personal best 15.35 s"));
        ui.actionSecondScreenResults->setChecked(true);
        auto *audience = dialog.findChild<SecondScreenResultWindow *>();
        QVERIFY(audience);
        QVERIFY(audience->personalBestLabel()->isHidden());
        audience->showPersonalBestAction()->setChecked(true);
        QVERIFY(!audience->personalBestLabel()->isHidden());
        QCOMPARE(audience->personalBestLabel()->text(), QStringLiteral("Personal best 15.35 s"));
        const Answer board = get(httpPort, "/scoreboard/data");
        QCOMPARE(board.status, 200);
        QCOMPARE(board.body.value(QStringLiteral("personalBest")).toObject(),
                 (QJsonObject{{QStringLiteral("athlete"), QStringLiteral("Miller, John")},
                              {QStringLiteral("timeOfFlightInSeconds"), 15.35}}));

        // Other programs read his history from the HTTP server.
        const Answer athletes = get(httpPort, "/athletes");
        QCOMPARE(athletes.status, 200);
        const QJsonArray list = athletes.body.value(QStringLiteral("athletes")).toArray();
        QCOMPARE(list.size(), 1);
        const QString id = list.first().toObject().value(QStringLiteral("id")).toString();
        QCOMPARE(list.first().toObject().value(QStringLiteral("figId")).toString(), QStringLiteral("F1"));
        const Answer history = get(httpPort, "/athletes/" + id.toStdString() + "/history");
        QCOMPARE(history.status, 200);
        QList<double> tof;
        for (const QJsonValue &r : history.body.value(QStringLiteral("routines")).toArray())
            tof << r.toObject().value(QStringLiteral("timeOfFlightInSeconds")).toDouble();
        QCOMPARE(tof, kEarlierTof);
        QCOMPARE(get(httpPort, "/athletes/0123456789abcdef/history").status, 404);

        // He jumps; the committed routine is stored with the result the
        // scoring system received.
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTRY_VERIFY(dialog.ovraState().isIn(S::READY));
        const auto space = [&dialog] {
            QTest::keyClick(&dialog, Qt::Key_Space);
            QTest::qWait(1);
        };
        space();
        QVERIFY(dialog.ovraState().isIn(S::START));
        space();
        QVERIFY(dialog.ovraState().isIn(S::ROUTINE));
        for (int i = 0; i < 480; ++i) {
            wsDaten::Sample s;
            s.fill(2560);
            dialog.daten().appendSample(s);
        }
        space();
        QVERIFY(dialog.ovraState().isIn(S::REVIEW));
        // No landings: Space asks, Enter commits.
        space();
        QVERIFY(dialog.ovraState().isIn(S::REVIEW));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(scoring.waitForRequests(QStringLiteral("/routineresult"), 1));
        QTRY_VERIFY(dialog.ovraState().isIn(S::READY));
        QJsonObject sent;
        for (const auto &request : scoring.requests(QStringLiteral("/routineresult"))) {
            const QJsonObject r = QJsonDocument::fromJson(request.body).object();
            if (r.value(QStringLiteral("maturity")).toString() == QLatin1String("confirmed"))
                sent = r;
        }
        QVERIFY(!sent.isEmpty());
        const QStringList stored = ovra::test::queryRows(
            database, "SELECT Results FROM Measures WHERE LastName1 = 'Miller' ORDER BY idx DESC LIMIT 1;");
        QCOMPARE(QJsonDocument::fromJson(stored.value(0).toUtf8()).object(), sent);

        // Ctrl+H, from the Results menu.
        auto *action = dialog.findChild<QAction *>(QStringLiteral("actionAthleteHistory"));
        QVERIFY(action);
        QVERIFY(ui.menuResults->actions().contains(action));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
        QTest::keyClick(&dialog, Qt::Key_H, Qt::ControlModifier);
        ovra::history::AthleteHistoryWindow *window = dialog.historyWindow();
        QVERIFY(window);
        QTRY_VERIFY(window->isVisible());
        window->athleteList()->setCurrentRow(0);
        QCOMPARE(window->athleteList()->count(), 1);
        QCOMPARE(window->routines().size(), 4);
        QCOMPARE(window->routines().last().elements, sent.value(QStringLiteral("individualResult"))
                                                         .toObject()
                                                         .value(QStringLiteral("elementCount"))
                                                         .toInt());

        // The oldest routine, opened from the table, is shown in the main
        // window as a stored measure.
        window->table()->sortByColumn(ovra::history::AthleteHistoryWindow::Date, Qt::AscendingOrder);
        window->table()->selectRow(0);
        QTest::mouseClick(window->openButton(), Qt::LeftButton);
        QTRY_VERIFY(ui.statusLoadedMeasure->text().startsWith(QLatin1String("earlier0: Worlds")));
    }
};

OVRA_TEST_GUI_MAIN(TestAthleteHistory)
#include "tst_athletehistory.moc"
