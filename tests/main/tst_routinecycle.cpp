// The operator's routine cycle end to end: the virtual master box streams the
// simulated recordings through the program's own USB code into the window.

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "state/OperatorKeys.h"
#include "state/OvraState.h"
#include "support/MessageCapture.h"
#include "support/TestSupport.h"
#include "support/VirtualMasterBox.h"
#include "training/RoutineStartTimer.h"
#include "usb/DeviceLink.h"
#include "util/Clock.h"
#include "widgets/PlotterWidget.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>

#include <memory>

namespace {

using S = OvraState;
using ovra::test::VirtualMasterBox;
constexpr int kConnectMs = 20000;
constexpr int kRoutineMs = 60000;

VirtualMasterBox &box()
{
    return VirtualMasterBox::instance();
}

struct Window
{
    std::unique_ptr<OvraDialog> dialog;
    ovra::util::ManualClock clock;

    explicit Window(int trampolineIndex)
    {
        ovra::test::clearSettings();
        dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
        dialog->settings().spaceDelaySettings().setSpaceDelayMs(50);
        dialog->setClock(&clock);
        dialog->ui().CB_trampSelect->setCurrentIndex(trampolineIndex);
        dialog->handleTrampolineSelection(trampolineIndex);
        dialog->show();
        dialog->activateWindow();
    }
    ~Window()
    {
        dialog->hide();
        dialog->deviceLink().shutdown();
    }
    bool in(S::InnerState state) const { return dialog->ovraState().isIn(state); }
    wsDaten &d() { return dialog->daten(); }
    data::model::Routines &r() { return dialog->daten().routines(); }
    void key(Qt::Key key) { QTest::keyClick(dialog.get(), key); }
    void space()
    {
        QTRY_VERIFY_WITH_TIMEOUT(dialog->operatorKeys().isSpaceEnabled(), 5000);
        key(Qt::Key_Space);
    }
};

QStringList connectedStates(const MessageCapture &log)
{
    QStringList names;
    const QString prefix = QStringLiteral("Entered state (usbConnected: true, innerState: ");
    for (const QString &line : log.linesStartingWith(prefix))
        names << line.mid(prefix.size()).chopped(2);
    return names;
}

// The routine's start time from its first landing: the take-off into the
// first element, counted from the start of the measurement.
double startFromFirstLanding(const data::model::Landing &first)
{
    return (first.landingTime - first.timeOfFlight) * 0.001;
}

} // namespace

class TestRoutineCycle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        box().reset();
        box().streamFlat(2560);
        box().plugIn();
    }
    void cleanup() { box().reset(); }

    void individualRoutineOperatedByKeyboard()
    {
        MessageCapture log;
        Window w(0);
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        // Connection, then the tara of the first connection on the flat
        // stream.
        QTRY_VERIFY_WITH_TIMEOUT(connectedStates(log).size() >= 3 && w.in(S::READY), kConnectMs);
        QCOMPARE(connectedStates(log).mid(0, 3), QStringList({"READY", "TARA", "READY"}));
        for (double offset : w.d().taraRecord(0).offsets)
            QCOMPARE(offset, 2560.0);

        QSignalSpy approved(&w.d(), &wsDaten::approvedResultIndividualRoutine);
        w.space();
        QVERIFY(w.in(S::START));
        QCOMPARE(w.dialog->ui().resultTableStack->currentIndex(), 2);
        QCOMPARE(
            log.linesStartingWith(QStringLiteral("Tara: ")),
            QStringList({QStringLiteral("Tara: 2560.0 2560.0 2560.0 2560.0 2560.0 2560.0 2560.0 2560.0")}));
        // The athlete warms up in START: these landings are detected but
        // belong to no routine.
        box().streamRecording(1, true);
        QTRY_VERIFY_WITH_TIMEOUT(w.d().landingCount(0) >= 2, kRoutineMs);
        QCOMPARE(w.r().landingCount, quint64(0));
        w.space();
        QVERIFY(w.in(S::ROUTINE));
        QCOMPARE(w.dialog->ui().resultTableStack->currentIndex(), 0);
        const int windowStart = w.r().exerciseStart;
        const int warmUpLandings = w.d().landingCount(0);
        QVERIFY(windowStart > 0);
        QVERIFY(w.r().routineRecording);
        QVERIFY(!w.dialog->ui().LB_routineComplete->isVisible());

        // The tenth landing in the window closes it and the block handling
        // stops the recording.
        QTRY_VERIFY_WITH_TIMEOUT(w.r().exerciseStart < w.r().exerciseEnd && !w.r().routineRecording,
                                 kRoutineMs);
        QVERIFY(w.in(S::ROUTINE));
        QCOMPARE(w.r().landingCount, quint64(10));
        // The page says so, and that the next-step key ends the routine.
        QVERIFY(w.dialog->ui().LB_routineComplete->isVisible());
        QCOMPARE(w.d().trampMode(), data::model::TrampMode::Trampoline1);
        const data::model::Landing first = w.r().individualLandingsTrampoline1[0];
        QVERIFY(first.landingTime > windowStart);
        QCOMPARE(w.r().routineStartTime(), startFromFirstLanding(first));
        QCOMPARE(w.r().penalty(),
                 RoutineStartTimer::startDelayPenalty(first.landingTime - first.timeOfFlight));
        QCOMPARE(w.dialog->ui().LB_routineStartTime->text(),
                 QString::number(startFromFirstLanding(first), 'f', 1) + QLatin1Char('s'));
        QVERIFY(w.dialog->ui().individualResultsTableView->model()->rowCount() >= 10);
        QVERIFY(w.dialog->plotter().isVisible());

        // The athlete goes on jumping after the routine: the landing after
        // the tenth is there to shift the routine onto.
        QTRY_VERIFY_WITH_TIMEOUT(w.d().landingCount(0) > warmUpLandings + 10, kRoutineMs);
        w.space();
        QVERIFY(w.in(S::REVIEW));
        QVERIFY(!w.dialog->ui().LB_routineComplete->isVisibleTo(w.dialog.get()));

        // The arrow keys edit the routine.
        w.key(Qt::Key_Down);
        QCOMPARE(w.r().landingCount, quint64(9));
        QCOMPARE(w.d().currentIndividualResult().elementCount, quint64(9));
        w.key(Qt::Key_Up);
        QCOMPARE(w.r().landingCount, quint64(10));
        w.key(Qt::Key_Right);
        QCOMPARE(w.r().shiftedLandings, 1);
        const data::model::Landing second = w.r().individualLandingsTrampoline1[0];
        QVERIFY(second.landingTime > first.landingTime);
        QCOMPARE(w.r().routineStartTime(), startFromFirstLanding(second));
        QCOMPARE(w.dialog->ui().LB_routineStartTime->text(),
                 QString::number(startFromFirstLanding(second), 'f', 1) + QLatin1Char('s'));
        w.key(Qt::Key_Left);
        QCOMPARE(w.r().shiftedLandings, 0);
        QCOMPARE(w.r().individualLandingsTrampoline1[0].landingTime, first.landingTime);
        QCOMPARE(w.r().routineStartTime(), startFromFirstLanding(first));
        QCOMPARE(w.r().landingCount, quint64(10));

        w.space();
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::READY), 5000);
        QCOMPARE(approved.count(), 1);
        QCOMPARE(approved.at(0).at(0).value<data::model::IndividualRoutineResult>().elementCount,
                 quint64(10));
        QCOMPARE(connectedStates(log), QStringList({"READY", "TARA", "READY", "START", "ROUTINE", "REVIEW",
                                                    "CONNECTED_COMMIT", "READY"}));
    }

    // Both trampolines chosen, one athlete jumping: no pair forms, and the
    // page says why instead of counting nothing in silence.
    void synchronizedWithOneBedJumpingSaysWhy()
    {
        Window w(2);
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::READY) && w.d().taraRecord(0).offsets[0] != 0.0, kConnectMs);
        w.space();
        w.space();
        QVERIFY(w.in(S::ROUTINE));
        QCOMPARE(w.d().trampMode(), data::model::TrampMode::Synchronized);
        QLabel *why = w.dialog->ui().LB_loneBed;
        QVERIFY(!why->isVisible());
        box().streamRecording(1, true);
        QTRY_VERIFY_WITH_TIMEOUT(why->isVisible(), kRoutineMs);
        QVERIFY2(why->text().contains(QStringLiteral("only trampoline 1 is jumping")),
                 qPrintable(why->text()));
        QTRY_VERIFY_WITH_TIMEOUT(w.d().landingCount(0) >= 3, kRoutineMs);
        QCOMPARE(w.r().landingCount, quint64(0));
        QVERIFY(why->isVisible());
        w.space();
        QVERIFY(w.in(S::REVIEW));
        QVERIFY(!why->isVisibleTo(w.dialog.get()));
        w.key(Qt::Key_X);
        w.key(Qt::Key_X);
        QVERIFY(w.in(S::READY));
    }

    void synchronizedRoutineEndsByTheThirtySecondRule()
    {
        MessageCapture log;
        Window w(2);
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY_WITH_TIMEOUT(connectedStates(log).size() >= 3 && w.in(S::READY), kConnectMs);
        QSignalSpy approved(&w.d(), &wsDaten::approvedResultSynchronizedRoutine);
        w.space();
        QVERIFY(w.in(S::START));
        w.space();
        QVERIFY(w.in(S::ROUTINE));
        box().streamRecording(3, true);
        QTRY_VERIFY_WITH_TIMEOUT(w.r().exerciseStart < w.r().exerciseEnd && !w.r().routineRecording,
                                 kRoutineMs);
        QCOMPARE(w.d().trampMode(), data::model::TrampMode::Synchronized);
        QCOMPARE(w.dialog->ui().resultTableStack->currentIndex(), 1);
        QCOMPARE(w.r().landingCount, quint64(10));
        QCOMPARE(w.r().routineStartTime(), startFromFirstLanding(w.r().synchronizedLandingsTrampoline1[0]));
        QVERIFY(w.dialog->ui().synchronizedResultsTableView->model()->rowCount() >= 10);

        // Nobody ends the routine: 30 s after the window closed it ends
        // itself at the next block.
        w.clock.advanceMs(30000);
        QTest::qWait(200);
        QVERIFY(w.in(S::ROUTINE));
        w.clock.advanceMs(1);
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::REVIEW), 5000);
        QVERIFY(log.lines().contains(QStringLiteral("Routine aborted (duration was longer than 30s)")));

        w.space();
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::READY), 5000);
        QCOMPARE(approved.count(), 1);
        QCOMPARE(connectedStates(log), QStringList({"READY", "TARA", "READY", "START", "ROUTINE", "REVIEW",
                                                    "CONNECTED_COMMIT", "READY"}));
    }

    void dropTestEndsItselfAfterTheDrop()
    {
        MessageCapture log;
        Window w(0);
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY_WITH_TIMEOUT(connectedStates(log).size() >= 3 && w.in(S::READY), kConnectMs);
        QAction *dropTest = w.dialog->ui().actionSingle_Drop_Test;
        dropTest->trigger();
        QVERIFY(w.in(S::DROP_TEST));
        QVERIFY(dropTest->isChecked());
        box().streamRecording(1, true);
        // The first contact is the drop: once it is evaluated the action is
        // unchecked and the machine is back in READY.
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::READY), kRoutineMs);
        QVERIFY(!dropTest->isChecked());
        QVERIFY(log.lines().contains(QStringLiteral("DropTest")));
        QCOMPARE(connectedStates(log).mid(3), QStringList({"DROP_TEST", "READY"}));
    }

    void continuousTrainingRollsOverAtTheChosenCount()
    {
        MessageCapture log;
        Window w(2);
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY_WITH_TIMEOUT(connectedStates(log).size() >= 3 && w.in(S::READY), kConnectMs);
        w.dialog->ui().actionContinuous_Mode->trigger();
        w.space();
        QVERIFY(w.in(S::CONTINUOUS));
        // One bed in continuous training.
        QCOMPARE(w.d().trampolineSelection(), wsDaten::kSelectionTrampoline1);
        QCOMPARE(w.dialog->ui().CB_trampSelect->currentIndex(), 0);
        QVERIFY(w.r().routineRecording);
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(w.dialog.get(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(w.r().expectedLandingsPerRoutine, 3);

        QSignalSpy rollover(&w.r(), &data::model::Routines::rolloverLandings);
        box().streamRecording(1, true);
        QTRY_VERIFY_WITH_TIMEOUT(rollover.count() >= 2, kRoutineMs);
        QCOMPARE(w.r().landingCount, quint64(3));

        w.space();
        QVERIFY(w.in(S::PAUSE));
        QVERIFY(!w.r().routineRecording);
        w.key(Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::READY), 5000);
        QCOMPARE(w.r().expectedLandingsPerRoutine, 10);
    }

    void sensorCheckInReadyFeedsTheWarnings()
    {
        MessageCapture log;
        Window w(0);
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY_WITH_TIMEOUT(connectedStates(log).size() >= 3 && w.in(S::READY), kConnectMs);
        QLabel *text = w.dialog->ui().readyPageLabelWarningText;
        const QString notConnected = QStringLiteral("Not all sensors are connected properly");
        const QString unusual = QStringLiteral("Unexpected sensor data collected");
        QVERIFY(!text->text().contains(notConnected));
        box().streamFlat(0);
        QTRY_VERIFY_WITH_TIMEOUT(text->text().contains(notConnected), 5000);
        QVERIFY(text->isVisible());
        QVERIFY(!text->text().contains(unusual));
        box().streamFlat(-5);
        QTRY_VERIFY_WITH_TIMEOUT(text->text().contains(unusual) && !text->text().contains(notConnected),
                                 5000);
        box().streamFlat(2560);
        QTRY_VERIFY_WITH_TIMEOUT(!text->text().contains(unusual), 5000);
        QVERIFY(!text->text().contains(notConnected));
    }

    void startTimingRunsOnTheBlocks()
    {
        Window w(0);
        w.dialog->settings().rulesSettings().setPlayWarningSound(true);
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::READY) && w.d().taraRecord(0).offsets[0] == 2560.0, kConnectMs);
        QTest::qWait(100);
        QVERIFY(w.in(S::READY));
        w.space();
        QVERIFY(w.in(S::START));
        w.clock.setNowMs(61000);
        QTRY_COMPARE_WITH_TIMEOUT(w.r().penalty(), 0.2, 5000);
        QCOMPARE(w.r().routineStartTime(), 61.0);
        QCOMPARE(w.dialog->ui().LB_routineStartTime->text(), QStringLiteral("61.0s"));
        QCOMPARE(w.dialog->ui().LB_routineStartPenalty->text(), QStringLiteral("0.2"));
        QCOMPARE(w.dialog->warningSoundPlayCount(), 0);
        w.clock.setNowMs(151000);
        QTRY_COMPARE_WITH_TIMEOUT(w.dialog->warningSoundPlayCount(), 1, 5000);
        w.clock.setNowMs(300000);
        QTest::qWait(200);
        QVERIFY(w.in(S::START));
        QCOMPARE(w.dialog->warningSoundPlayCount(), 1);
        w.clock.setNowMs(300001);
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::REVIEW), 5000);
        // No routine was recorded: the window never opened.
        QCOMPARE(w.r().landingCount, quint64(0));
    }
};

OVRA_TEST_GUI_MAIN(TestRoutineCycle)
#include "tst_routinecycle.moc"
