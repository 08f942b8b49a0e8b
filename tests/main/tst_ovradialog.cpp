#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "SelfDiagnosisDialog.h"
#include "StartListFixture.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "state/OperatorKeys.h"
#include "state/OvraState.h"
#include "support/MessageCapture.h"
#include "support/TestSupport.h"
#include "training/ContinuousModeCoordinator.h"
#include "training/RoutineStartTimer.h"
#include "util/Clock.h"
#include "widgets/HorizontalDisplacementResultWidget.h"
#include "widgets/PlotterWidget.h"
#include "widgets/Popup.h"
#include "widgets/ResultReadout.h"
#include "widgets/SecondScreenWindows.h"
#include "widgets/StateBanner.h"
#include "widgets/StateWidget.h"
#include "widgets/StatusLight.h"
#include "widgets/TofSynResultWidget.h"
#include "widgets/TrampolineWidget.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QState>
#include <QStateMachine>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <map>
#include <memory>

namespace {

using S = OvraState;

// Signals that bring a fresh window from WAIT into each state that the
// operator can stay in (the COMMIT and DISMISS states pass on by themselves
// while no scoring system is asked).
const std::map<int, QList<const char *>> kPaths = {
    {S::WAIT, {}},
    {S::DISPLAY, {"beginLoad", "loadComplete"}},
    {S::DISCONNECTED_DIAGNOSIS, {"toggleDiagnosisState"}},
    {S::DISCONNECTED_LOADING, {"beginLoad"}},
    {S::READY, {"usbConnected"}},
    {S::START, {"usbConnected", "nextInnerState"}},
    {S::ROUTINE, {"usbConnected", "nextInnerState", "nextInnerState"}},
    {S::REVIEW, {"usbConnected", "nextInnerState", "nextInnerState", "nextInnerState"}},
    {S::DROP_TEST, {"usbConnected", "dropTest"}},
    {S::CONNECTED_DIAGNOSIS, {"usbConnected", "toggleDiagnosisState"}},
    {S::NO_FOCUS, {"usbConnected", "mainWindowLostFocus"}},
    {S::TARA, {"usbConnected", "toggleTara"}},
    {S::LOAD, {"usbConnected", "beginLoad", "loadComplete"}},
    {S::LOADING, {"usbConnected", "beginLoad"}},
    {S::CONTINUOUS, {"usbConnected", "continuous", "nextInnerState"}},
    {S::PAUSE, {"usbConnected", "continuous", "nextInnerState", "nextInnerState"}},
};

const QStringList kManaged = {"PB_tara",
                              "CB_mode",
                              "CB_trampSelect",
                              "databaseWidget",
                              "csvWidget",
                              "logWidget",
                              "actionPosition_Test",
                              "actionSingle_Drop_Test",
                              "actionConfig",
                              "actionConfigAutoSave",
                              "actionNetwork",
                              "actionConfigRules",
                              "actionFont",
                              "actionSave",
                              "actionLoad",
                              "actionRecoverData",
                              "actionMove_selection_right",
                              "actionMove_selection_left",
                              "actionIncrease_selection",
                              "actionDecrease_selection",
                              "actionSetup_Instructions",
                              "actionUI_Tutorial",
                              "actionNetwork_Tutorial",
                              "actionSelf_Diagnosis",
                              "actionContinuous_Mode",
                              "actionMore_Landings",
                              "actionFewer_Landings",
                              "actionResultDetailView"};

const QStringList kDisconnected = {
    "actionConfig",      "actionConfigAutoSave", "actionNetwork",          "actionConfigRules",
    "actionFont",        "actionLoad",           "actionRecoverData",      "actionSetup_Instructions",
    "actionUI_Tutorial", "actionSelf_Diagnosis", "actionNetwork_Tutorial", "logWidget",
    "csvWidget",         "databaseWidget"};
const QStringList kSelection = {"actionMove_selection_right",
                                "actionMove_selection_left",
                                "actionIncrease_selection",
                                "actionDecrease_selection",
                                "actionSave",
                                "actionResultDetailView"};
const QStringList kReady = {"PB_tara",
                            "CB_mode",
                            "CB_trampSelect",
                            "actionPosition_Test",
                            "actionSingle_Drop_Test",
                            "actionSetup_Instructions",
                            "actionNetwork_Tutorial",
                            "actionUI_Tutorial",
                            "actionSelf_Diagnosis",
                            "actionConfig",
                            "actionConfigAutoSave",
                            "actionNetwork",
                            "actionConfigRules",
                            "actionFont",
                            "actionLoad",
                            "actionRecoverData",
                            "logWidget",
                            "csvWidget",
                            "actionContinuous_Mode",
                            "databaseWidget"};

struct Expectation
{
    QStringList enabled;
    int page;
    QString pill; // the enabled pill
};

std::map<int, Expectation> expectations()
{
    const QStringList review =
        kSelection + QStringList{"actionConfigAutoSave", "csvWidget", "databaseWidget"};
    return {
        {S::WAIT, {kDisconnected, 0, "labelStateDisconnected"}},
        {S::DISPLAY, {kDisconnected + kSelection, 5, "labelStateReview"}},
        {S::DISCONNECTED_DIAGNOSIS, {kDisconnected, 0, "labelStateDisconnected"}},
        {S::DISCONNECTED_LOADING, {kDisconnected, 6, "labelStateDisconnected"}},
        {S::READY, {kReady, 1, "labelStateReady"}},
        {S::START, {{}, 4, "labelStateStart"}},
        {S::ROUTINE, {{}, 4, "labelStateRoutine"}},
        {S::REVIEW, {review, 5, "labelStateReview"}},
        {S::DROP_TEST, {{"actionSingle_Drop_Test", "databaseWidget"}, 4, QString()}},
        {S::CONNECTED_DIAGNOSIS, {{"databaseWidget"}, 1, QString()}},
        {S::NO_FOCUS, {{"databaseWidget"}, 3, QString()}},
        {S::TARA, {{"databaseWidget"}, 2, QString()}},
        {S::LOAD,
         {review + QStringList{"actionLoad", "actionRecoverData", "logWidget"}, 5, "labelStateReview"}},
        {S::LOADING, {{"databaseWidget"}, 6, QString()}},
        {S::CONTINUOUS, {{"actionMore_Landings", "actionFewer_Landings"}, 7, "labelStateRoutine"}},
        {S::PAUSE, {{"actionMore_Landings", "actionFewer_Landings"}, 7, "labelStatePause"}},
    };
}

struct Window
{
    std::unique_ptr<OvraDialog> dialog;

    Window()
    {
        ovra::test::clearSettings();
        dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
        dialog->show();
        dialog->activateWindow();
    }
    ~Window()
    {
        // Closing would save settings; these tests leave them alone.
        dialog->hide();
    }
    bool run()
    {
        if (!QTest::qWaitForWindowActive(dialog.get()))
            return false;
        QDeadlineTimer deadline(2000);
        while (!dialog->ovraState().machine().isRunning() && !deadline.hasExpired())
            QTest::qWait(10);
        return dialog->ovraState().machine().isRunning();
    }
    void fire(const char *name)
    {
        if (qstrcmp(name, "dropTest") == 0)
            dialog->ui().actionSingle_Drop_Test->trigger();
        else if (qstrcmp(name, "continuous") == 0)
            dialog->ui().actionContinuous_Mode->trigger();
        else
            QVERIFY(QMetaObject::invokeMethod(dialog.get(), name));
    }
    bool reach(int state)
    {
        for (const char *name : kPaths.at(state))
            fire(name);
        return dialog->ovraState().innerState() == state;
    }
    int state() const { return dialog->ovraState().innerState(); }
    bool in(S::InnerState state) const { return dialog->ovraState().isIn(state); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(dialog.get(), key, modifiers);
    }
    // Waits out the next-step key's delay lock.
    void unlock() { QTRY_VERIFY(dialog->operatorKeys().isSpaceEnabled()); }
    bool isEnabled(const QString &name) const
    {
        QObject *object = dialog->findChild<QObject *>(name);
        Q_ASSERT(object);
        return object ? object->property("enabled").toBool() : false;
    }
};

} // namespace

class TestOvraDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void perStateControlsPagesAndPills_data()
    {
        QTest::addColumn<int>("state");
        for (const auto &[state, path] : kPaths)
            QTest::addRow("%s", qPrintable(OvraState::stateName(state))) << state;
    }

    void perStateControlsPagesAndPills()
    {
        QFETCH(int, state);
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.reach(state));
        const Expectation expected = expectations().at(state);
        for (const QString &name : kManaged)
            QVERIFY2(w.isEnabled(name) == expected.enabled.contains(name), qPrintable(name));
        QCOMPARE(w.dialog->ui().resultStack->currentIndex(), expected.page);

        StateWidget *pills = w.dialog->ui().stateWidget;
        const bool connected = state >= S::READY;
        QCOMPARE(pills->labelStateDisconnected()->isVisible(), !connected);
        const bool display = state == S::DISPLAY;
        for (QLabel *label : {pills->labelStateReady(), pills->labelStateStart(), pills->labelStateRoutine()})
            QCOMPARE(label->isVisible(), connected);
        QCOMPARE(pills->labelStateReview()->isVisible(), connected || display);
        // "NO USB" is never disabled, only hidden while connected.
        QVERIFY(pills->labelStateDisconnected()->isEnabled());
        for (QLabel *label : {pills->labelStateReady(), pills->labelStateStart(), pills->labelStateRoutine(),
                              pills->labelStateReview()})
            QVERIFY2(label->isEnabled() == (label->objectName() == expected.pill),
                     qPrintable(label->objectName()));
        // Training pauses in a pill of its own.
        const bool training = state == S::CONTINUOUS || state == S::PAUSE;
        QCOMPARE(pills->labelStatePause()->isVisible(), training);
        QCOMPARE(pills->labelStatePause()->isEnabled(), state == S::PAUSE);
        // The banner names every state whose page has no title, the review
        // in its detailed view too.
        const QList<int> bannered = {S::START,   S::ROUTINE,   S::REVIEW,     S::LOAD,
                                     S::DISPLAY, S::DROP_TEST, S::CONTINUOUS, S::PAUSE};
        StateBanner *banner = w.dialog->ui().stateBanner;
        QCOMPARE(banner->isVisible(), bannered.contains(state));
        if (bannered.contains(state))
            QVERIFY(!banner->text().isEmpty());
        const bool diagnosis =
            state == S::DROP_TEST || state == S::CONNECTED_DIAGNOSIS || state == S::DISCONNECTED_DIAGNOSIS;
        QCOMPARE(pills->labelStateDiagnostic()->isVisible(), diagnosis);
        QCOMPARE(w.dialog->ui().actionSingle_Drop_Test->isChecked(), state == S::DROP_TEST);
    }

    void leavingStatesRestoresTheControls()
    {
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.reach(S::DISPLAY));
        w.fire("nextInnerState"); // DISCONNECTED_COMMIT, and on to WAIT
        QVERIFY(w.in(S::WAIT));
        QVERIFY(!w.dialog->ui().stateWidget->labelStateReview()->isVisible());
        QVERIFY(!w.isEnabled(QStringLiteral("actionSave")));
        QCOMPARE(w.dialog->ui().resultStack->currentIndex(), 0);
        w.fire("usbConnected");
        w.fire("dropTest");
        QVERIFY(w.in(S::DROP_TEST));
        w.fire("dropTest");
        QVERIFY(w.in(S::READY));
        QVERIFY(!w.dialog->ui().actionSingle_Drop_Test->isChecked());
        w.fire("usbDisconnected");
        QVERIFY(w.in(S::WAIT));
        QVERIFY(!w.isEnabled(QStringLiteral("PB_tara")));
        QVERIFY(w.dialog->ui().stateWidget->labelStateDisconnected()->isVisible());
    }

    void keyboardRoutineCycleWithStateLog()
    {
        Window w;
        QVERIFY(w.run());
        w.dialog->settings().spaceDelaySettings().setSpaceDelayMs(50);
        MessageCapture log;
        w.fire("usbConnected");
        for (S::InnerState next : {S::START, S::ROUTINE, S::REVIEW}) {
            w.key(Qt::Key_Space);
            QVERIFY2(w.in(next), qPrintable(OvraState::stateName(w.state())));
            w.unlock();
        }
        // A routine without a landing is committed only when the operator
        // answers yes.
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::REVIEW));
        w.key(Qt::Key_Return);
        QVERIFY(w.in(S::READY));
        const QString on = QStringLiteral("Entered state (usbConnected: true, innerState: %1 )");
        QStringList expected;
        for (const char *name : {"READY", "START", "ROUTINE", "REVIEW", "CONNECTED_COMMIT", "READY"})
            expected << on.arg(QLatin1String(name));
        QCOMPARE(log.linesStartingWith(QStringLiteral("Entered state")), expected);
    }

    void holdingSpaceDoesNotSkipStatesAndFlashesThePopup()
    {
        Window w;
        QVERIFY(w.run());
        w.dialog->settings().spaceDelaySettings().setSpaceDelayMs(300);
        w.fire("usbConnected");
        for (int i = 0; i < 5; ++i)
            w.key(Qt::Key_Space);
        QVERIFY(w.in(S::START));
        QVERIFY(w.dialog->statePopup().isVisible());
        QCOMPARE(w.dialog->statePopup().color(), QColor(230, 90, 90, 230));
        QCOMPARE(w.dialog->statePopup().text(), QString());
        QVERIFY(w.dialog->statePopup().fills());
        // The popup leaves the keyboard with the main window.
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.dialog->windowHandle());
        QVERIFY(w.in(S::START));
        w.unlock();
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::ROUTINE));
        // The hidden actionOvraState does not catch Space.
        QVERIFY(w.dialog->ui().actionOvraState->associatedObjects().isEmpty());
        QCOMPARE(w.dialog->ui().actionOvraState->shortcut(), QKeySequence(Qt::Key_Space));
    }

    // The irreversible single actions on a measured routine ask first,
    // naming the athlete: X again discards, Escape keeps it; a routine of
    // fewer than three landings is committed only after Enter, and Space is
    // refused while the question is open. The buttons ask the same way.
    void guardedDiscardAndShortCommitThroughTheWindow()
    {
        Window w;
        QVERIFY(w.run());
        w.dialog->settings().spaceDelaySettings().setSpaceDelayMs(0);
        QVERIFY(w.reach(S::REVIEW));
        data::model::Routines &routine = w.dialog->daten().routines();
        routine.setRoutineMetaInformation({{QStringLiteral("lastname"), QStringLiteral("Dorn")},
                                           {QStringLiteral("firstname"), QStringLiteral("Clara")}});
        QSignalSpy dismissed(w.dialog->ovraState().state(S::CONNECTED_DISMISS), &QState::entered);
        QSignalSpy committed(w.dialog->ovraState().state(S::CONNECTED_COMMIT), &QState::entered);
        StateBanner *banner = w.dialog->ui().stateBanner;
        const QString review = banner->text();

        w.key(Qt::Key_X);
        QVERIFY(w.in(S::REVIEW));
        QCOMPARE(banner->text(),
                 QStringLiteral("Discard Clara Dorn's routine?\nX again to discard, Esc to keep"));
        QCOMPARE(banner->property("bannerKind").toString(), QStringLiteral("question"));
        w.unlock();
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::REVIEW));
        QVERIFY(w.dialog->statePopup().isVisible());
        w.key(Qt::Key_Escape);
        QVERIFY(w.in(S::REVIEW));
        QCOMPARE(banner->text(), review);
        QCOMPARE(dismissed.count(), 0);

        // A short routine: one landing.
        routine.landingCount = 1;
        w.unlock();
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::REVIEW));
        QCOMPARE(banner->text(),
                 QStringLiteral("Commit Clara Dorn's routine of only 1 landing?\nEnter to commit, "
                                "Esc to go on reviewing"));
        w.dialog->ui().confirmButton->click();
        w.key(Qt::Key_X);
        QVERIFY(w.in(S::REVIEW));
        QCOMPARE(committed.count(), 0);
        w.key(Qt::Key_Return);
        QCOMPARE(committed.count(), 1);
        QVERIFY(w.in(S::READY));
        QCOMPARE(dismissed.count(), 0);

        // Three landings are a routine: one key commits it. The buttons ask
        // as the keys do.
        for (int i = 0; i < 3; ++i)
            w.fire("nextInnerState");
        QVERIFY(w.in(S::REVIEW));
        routine.landingCount = 3;
        w.dialog->ui().confirmButton->click();
        QCOMPARE(committed.count(), 2);
        QVERIFY(w.in(S::READY));
        for (int i = 0; i < 3; ++i)
            w.fire("nextInnerState");
        w.dialog->ui().dismissButton->click();
        QVERIFY(w.in(S::REVIEW));
        QVERIFY(banner->text().startsWith(QStringLiteral("Discard this routine? It names no athlete.")));
        w.dialog->ui().dismissButton->click();
        QCOMPARE(dismissed.count(), 1);
        QVERIFY(w.in(S::READY));
        QCOMPARE(w.dialog->ui().resultStack->currentIndex(), 1);
        QVERIFY(!banner->isVisible());
    }

    void threeEscapesInReadyStartRecovery()
    {
        Window w;
        QVERIFY(w.run());
        w.fire("usbConnected");
        for (int i = 0; i < 3; ++i)
            w.key(Qt::Key_Escape);
        QCOMPARE(w.dialog->recoverRequestCount(), 1);
        // The recovery dialog opened; closing it gives the keys back.
        auto *recovery = w.dialog->findChild<QDialog *>(QStringLiteral("RecoveryDialog"));
        QVERIFY(recovery);
        QVERIFY(QTest::qWaitForWindowActive(recovery));
        recovery->reject();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        // The offscreen platform reports the focus change late and not always
        // its return.
        QTest::qWait(300);
        if (w.state() == S::NO_FOCUS)
            w.fire("mainWindowGotFocus");
        QTRY_COMPARE(w.state(), int(S::READY));
        w.key(Qt::Key_Escape);
        w.key(Qt::Key_Escape);
        QTest::qWait(OperatorKeys::kEscapeWindowMs + 200);
        w.key(Qt::Key_Escape);
        QCOMPARE(w.dialog->recoverRequestCount(), 1);
        w.key(Qt::Key_Escape);
        w.key(Qt::Key_Escape);
        QCOMPARE(w.dialog->recoverRequestCount(), 2);
        w.dialog->findChild<QDialog *>(QStringLiteral("RecoveryDialog"))->reject();
    }

    // The drop test measures on a fresh measurement: a routine that still
    // holds its landings would keep any drop from being evaluated.
    // Escapes that close a menu or leave the menu bar are the menu's: only
    // those that reach the window in READY count toward the recovery.
    void escapesThatCloseMenusDoNotOpenRecovery()
    {
        Window w;
        QVERIFY(w.run());
        w.fire("usbConnected");
        OvraDialogUi &ui = w.dialog->ui();
        // Where a keyboard delivers a key: to an open popup, else to the
        // widget with the focus.
        const auto type = [&w](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QWidget *target = QApplication::activePopupWidget();
            if (target == nullptr)
                target = QApplication::focusWidget() ? QApplication::focusWidget() : w.dialog.get();
            QTest::keyClick(target, key, modifiers);
            QTest::qWait(30);
        };
        type(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(ui.menuConfig));
        for (int i = 0; i < 3; ++i)
            type(Qt::Key_Escape);
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QCOMPARE(w.dialog->recoverRequestCount(), 0);
        QCOMPARE(w.dialog->operatorKeys().escapeCount(), 2);
        type(Qt::Key_Escape);
        QCOMPARE(w.dialog->recoverRequestCount(), 1);
        w.dialog->findChild<QDialog *>(QStringLiteral("RecoveryDialog"))->reject();
    }

    void dropTestStartsAFreshMeasurement()
    {
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.reach(S::READY));
        wsDaten &store = w.dialog->daten();
        for (int i = 0; i < 960; ++i)
            store.appendSample(wsDaten::Sample{});
        store.routines().landingCount = 10;
        store.routines().exerciseStart = 100;
        QSignalSpy cleared(w.dialog.get(), &OvraDialog::clearAllResultWidgets);
        w.fire("dropTest");
        QVERIFY(w.in(S::DROP_TEST));
        QCOMPARE(store.sampleCount(), 0);
        QCOMPARE(store.routines().landingCount, quint64(0));
        QCOMPARE(store.routines().exerciseStart, -1);
        QCOMPARE(cleared.count(), 1);
    }

    // A held Escape repeats; the repeats are not presses of their own.
    void heldEscapeDoesNotOpenRecovery()
    {
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.reach(S::START));
        w.key(Qt::Key_Escape);
        QVERIFY(w.in(S::READY));
        for (int i = 0; i < 5; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(w.dialog.get(), &repeat);
        }
        QCOMPARE(w.dialog->recoverRequestCount(), 0);
    }

    // The menu entry reaches the recorder also after the box is gone.
    void recoveryFromTheMenuWhileDisconnected()
    {
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.in(S::WAIT));
        QVERIFY(w.dialog->ui().actionRecoverData->isEnabled());
        w.dialog->ui().actionRecoverData->trigger();
        QCOMPARE(w.dialog->recoverRequestCount(), 1);
        auto *recovery = w.dialog->findChild<QDialog *>(QStringLiteral("RecoveryDialog"));
        QVERIFY(recovery);
        recovery->reject();
        QVERIFY(w.reach(S::START));
        QVERIFY(!w.dialog->ui().actionRecoverData->isEnabled());
    }

    // The first connection asks for a tara; while a file is shown it waits
    // for READY instead of throwing the shown samples away.
    void taraOfTheFirstConnectionWaitsForReady()
    {
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.reach(S::DISPLAY));
        wsDaten &store = w.dialog->daten();
        for (int i = 0; i < 480; ++i)
            store.appendSample(wsDaten::Sample{});
        QSignalSpy toggles(w.dialog.get(), &OvraDialog::toggleTara);
        w.fire("usbConnected");
        QVERIFY(w.in(S::LOAD));
        w.dialog->evaluateTara();
        QCOMPARE(toggles.count(), 0);
        QCOMPARE(store.sampleCount(), 480);
        QVERIFY(w.in(S::LOAD));
        QSignalSpy taraEntered(w.dialog->ovraState().state(S::TARA), &QState::entered);
        w.fire("dismissRoutine");
        QTRY_COMPARE_WITH_TIMEOUT(toggles.count(), 2, 5000);
        QCOMPARE(taraEntered.count(), 1);
        QVERIFY(w.in(S::READY));
        // Asked once, done once.
        QTest::qWait(50);
        w.fire("nextInnerState");
        QVERIFY(w.in(S::START));
        QCOMPARE(toggles.count(), 2);
    }

    void losingTheBox_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("REVIEW") << int(S::REVIEW) << int(S::DISPLAY);
        QTest::newRow("READY") << int(S::READY) << int(S::WAIT);
        QTest::newRow("START") << int(S::START) << int(S::WAIT);
        QTest::newRow("ROUTINE") << int(S::ROUTINE) << int(S::WAIT);
    }

    void losingTheBox()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.reach(from));
        w.fire("usbDisconnected");
        QCOMPARE(OvraState::stateName(w.state()), OvraState::stateName(to));
        QCOMPARE(w.dialog->ui().resultStack->currentIndex(), to == S::DISPLAY ? 5 : 0);
    }

    void scoringErrorSwitchIsReadOnceAtConstruction()
    {
        qputenv("OVRA_IGNORE_REST_CLIENT_ERROR", "1");
        OvraDialog ignoring(ovra::startup::logHandler());
        qunsetenv("OVRA_IGNORE_REST_CLIENT_ERROR");
        QVERIFY(ignoring.ignoreRestClientError());
        OvraDialog strict(ovra::startup::logHandler());
        QVERIFY(!strict.ignoreRestClientError());
        qputenv("OVRA_IGNORE_REST_CLIENT_ERROR", "1");
        QVERIFY(!strict.ignoreRestClientError()); // a later change has no effect
        // Present but empty is not set.
        qputenv("OVRA_IGNORE_REST_CLIENT_ERROR", "");
        OvraDialog empty(ovra::startup::logHandler());
        qunsetenv("OVRA_IGNORE_REST_CLIENT_ERROR");
        QVERIFY(!empty.ignoreRestClientError());
    }

    void focusLossAndReturn()
    {
        Window w;
        QVERIFY(w.run());
        w.fire("usbConnected");
        QWidget other;
        other.setWindowTitle(QStringLiteral("another application"));
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(w.in(S::NO_FOCUS));
        QCOMPARE(w.dialog->ui().resultStack->currentIndex(), 3);
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY(w.in(S::READY));
        QCOMPARE(w.dialog->ui().resultStack->currentIndex(), 1);
    }

    // The window's own menus and combo lists are not another application:
    // READY stays, with every entry it enables, while they are open.
    void ownMenusAndComboListsDoNotCountAsFocusLoss()
    {
        Window w;
        QVERIFY(w.run());
        w.fire("usbConnected");
        OvraDialogUi &ui = w.dialog->ui();

        // "&Config" opened from the menu bar with the keyboard, "Single
        // &Drop Test" chosen from it.
        QTest::keyClick(w.dialog.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(ui.menuConfig));
        QTRY_COMPARE(QGuiApplication::focusWindow(), ui.menuConfig->windowHandle());
        QTest::qWait(50);
        QVERIFY2(w.in(S::READY), qPrintable(OvraState::stateName(w.state())));
        QVERIFY(ui.actionSingle_Drop_Test->isEnabled());
        QTest::keyClick(ui.menuConfig, Qt::Key_D);
        QTRY_VERIFY(w.in(S::DROP_TEST));
        QVERIFY(!ui.menuConfig->isVisible());
        ui.actionSingle_Drop_Test->trigger();
        QVERIFY(w.in(S::READY));

        // The trampoline list stays open and a choice from it counts.
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.dialog->windowHandle());
        ui.CB_trampSelect->showPopup();
        QTRY_VERIFY(ui.CB_trampSelect->view()->isVisible());
        QTRY_COMPARE(QGuiApplication::focusWindow(), ui.CB_trampSelect->view()->window()->windowHandle());
        QTest::qWait(50);
        QVERIFY(w.in(S::READY));
        QVERIFY(ui.CB_trampSelect->view()->isVisible());
        QCOMPARE(ui.CB_trampSelect->currentIndex(), 3);
        QTest::keyClick(ui.CB_trampSelect->view(), Qt::Key_Up);
        QTest::keyClick(ui.CB_trampSelect->view(), Qt::Key_Return);
        QTRY_VERIFY(!ui.CB_trampSelect->view()->isVisible());
        QCOMPARE(ui.CB_trampSelect->currentIndex(), 2);
        QCOMPARE(w.dialog->daten().trampolineSelectionIndex(), 2);
        QVERIFY(w.in(S::READY));

        // A window of another program still takes the focus away, also
        // while that program shows a menu of its own.
        QWidget other;
        other.setWindowTitle(QStringLiteral("another application"));
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(w.in(S::NO_FOCUS));
        QMenu foreign(&other);
        foreign.addAction(QStringLiteral("entry"));
        foreign.popup(other.mapToGlobal(QPoint(5, 5)));
        QTRY_COMPARE(QGuiApplication::focusWindow(), foreign.windowHandle());
        QTest::qWait(50);
        QVERIFY(w.in(S::NO_FOCUS));
        foreign.close();
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY(w.in(S::READY));
    }

    // A control that has the keyboard focus does not keep the next-step
    // key for itself: after a keyboard choice in the configuration, with
    // the focus on a combo box, and after one Escape that closed a menu.
    void nextStepKeyIsNotTrappedByControlsOrTheMenuBar()
    {
        Window w;
        QVERIFY(w.run());
        w.dialog->settings().spaceDelaySettings().setSpaceDelayMs(50);
        w.fire("usbConnected");
        OvraDialogUi &ui = w.dialog->ui();

        ui.CB_trampSelect->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ui.CB_trampSelect, Qt::Key_Up);
        QCOMPARE(ui.CB_trampSelect->currentIndex(), 2);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.dialog.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(w.in(S::START));
        QTRY_VERIFY(!ui.CB_trampSelect->view()->isVisible());
        w.key(Qt::Key_Escape);
        QVERIFY(w.in(S::READY));

        // Tabbed into the weight class: Space starts, the list stays shut.
        w.unlock();
        ui.CB_mode->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ui.CB_mode, Qt::Key_Space);
        QVERIFY(w.in(S::START));
        // Handed over once: a second delivery would be refused and flashed.
        QVERIFY(!w.dialog->statePopup().isVisible());
        QTest::qWait(50);
        QVERIFY(!ui.CB_mode->view()->isVisible());
        w.key(Qt::Key_Escape);
        QVERIFY(w.in(S::READY));

        // One Escape closes the File menu and leaves the menu bar.
        w.unlock();
        w.dialog->setFocus();
        QTest::keyClick(w.dialog.get(), Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(ui.menuFile));
        QTest::keyClick(ui.menuFile, Qt::Key_Escape);
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        // The offscreen platform does not hand the focus back by itself
        // when a menu closes; a desktop does.
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QTRY_VERIFY(!w.dialog->menuBar()->hasFocus());
        QTest::keyClick(w.dialog->focusWidget(), Qt::Key_Space);
        QVERIFY2(w.in(S::START), qPrintable(OvraState::stateName(w.state())));
        QVERIFY(QApplication::activePopupWidget() == nullptr);
    }

    // The first start opens the window over most of the screen, so the
    // results can be read from the bed; later starts keep the size left.
    void firstStartUsesTheScreenLaterStartsKeepTheirSize()
    {
        ovra::test::clearSettings();
        {
            OvraDialog first(ovra::startup::logHandler());
            QVERIFY(first.screen());
            QCOMPARE(first.size(), (first.screen()->availableSize() * OvraDialog::kFirstStartScreenShare)
                                       .expandedTo(first.minimumSize()));
            first.resize(first.minimumSizeHint().expandedTo(QSize(1000, 700)));
            const QSize left = first.size();
            first.quit();
            OvraDialog second(ovra::startup::logHandler());
            QCOMPARE(second.size(), left);
            second.hide();
        }
        ovra::test::clearSettings();
    }

    // Read from the bed: at the first start's size on a 1600 by 1000
    // screen, and at the window's smallest, the live page shows every row
    // (the totals included) and column of the synchronized table and both
    // beds' HD read-outs with their digits whole.
    void livePageShowsTheWholeTableAndBothReadouts()
    {
        Window w;
        QVERIFY(w.run());
        w.dialog->daten().setTrampolineSelection(wsDaten::kSelectionBoth);
        QCOMPARE(w.dialog->daten().trampMode(), data::model::TrampMode::Synchronized);
        QVERIFY(w.reach(S::ROUTINE));
        OvraDialogUi &ui = w.dialog->ui();
        QCOMPARE(ui.resultTableStack->currentIndex(), 1);
        auto *hd = qobject_cast<HorizontalDisplacementResultWidget *>(ui.hdResultWidget);
        auto *tof = qobject_cast<TofSynResultWidget *>(ui.tofResultWidget);
        QVERIFY(hd && tof);
        for (const QSize size : {QSize(1440, 900), QSize(1, 1)}) {
            w.dialog->resize(size);
            QTest::qWait(50);
            const QString at = QStringLiteral("%1x%2").arg(w.dialog->width()).arg(w.dialog->height());
            QTableView *table = ui.synchronizedResultsTableView;
            QVERIFY2(table->verticalHeader()->length() <= table->viewport()->height(), qPrintable(at));
            QVERIFY2(table->horizontalHeader()->length() <= table->viewport()->width(), qPrintable(at));
            for (ResultReadout *readout :
                 {hd->readoutTrampoline1(), hd->readoutTrampoline2(), tof->readout()}) {
                QVERIFY2(readout->isVisible(), qPrintable(at));
                const QLabel *value = readout->valueLabel();
                const QFontMetrics metrics(value->font());
                QVERIFY2(metrics.height() <= value->contentsRect().height(), qPrintable(at));
                QVERIFY2(metrics.horizontalAdvance(value->text()) <= value->contentsRect().width(),
                         qPrintable(at));
            }
        }
    }

    void continuousModeRetargetsAndKeepsItsCount()
    {
        Window w;
        QVERIFY(w.run());
        w.dialog->settings().spaceDelaySettings().setSpaceDelayMs(0);
        w.fire("usbConnected");
        auto &coordinator = w.dialog->continuousModeCoordinator();
        QSignalSpy expected(&coordinator, &training::ContinuousModeCoordinator::expectedLandingsPerRoutine);
        QAction *toggle = w.dialog->ui().actionContinuous_Mode;
        toggle->trigger();
        QVERIFY(toggle->isChecked());
        QCOMPARE(w.dialog->ui().readyPageLabelReady->text(), QStringLiteral("READY (TRAINING)"));
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::CONTINUOUS));
        QVERIFY(coordinator.isActive());
        QCOMPARE(expected.last().at(0).toInt(), 10);
        for (int i = 0; i < 25; ++i)
            w.dialog->ui().actionMore_Landings->trigger();
        QCOMPARE(coordinator.landingsPerRoutine(), 20);
        for (int i = 0; i < 25; ++i)
            w.dialog->ui().actionFewer_Landings->trigger();
        QCOMPARE(coordinator.landingsPerRoutine(), 1);
        for (int i = 0; i < 13; ++i)
            w.dialog->ui().actionMore_Landings->trigger();
        QCOMPARE(expected.last().at(0).toInt(), 14);
        w.unlock();
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::PAUSE));
        w.key(Qt::Key_Escape);
        QVERIFY(w.in(S::READY));
        QCOMPARE(expected.last().at(0).toInt(), 10);
        // Outside training the landing actions are disabled and do nothing.
        QVERIFY(!w.dialog->ui().actionMore_Landings->isEnabled());
        coordinator.increase();
        QCOMPARE(coordinator.landingsPerRoutine(), 14);
        w.unlock();
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::CONTINUOUS));
        QCOMPARE(expected.last().at(0).toInt(), 14);
        w.key(Qt::Key_Escape);
        toggle->trigger();
        QCOMPARE(w.dialog->ui().readyPageLabelReady->text(), QStringLiteral("READY TO GO"));
        w.unlock();
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::START));
    }

    void startTimingWithAnInjectedClock()
    {
        Window w;
        QVERIFY(w.run());
        ovra::util::ManualClock clock;
        w.dialog->setClock(&clock);
        w.dialog->settings().rulesSettings().setPlayWarningSound(true);
        QVERIFY(w.reach(S::START));
        QCOMPARE(w.dialog->ui().resultTableStack->currentIndex(), 2);
        // The start page shows the time with its unit and the late-start
        // penalty beside it, marked as soon as one applies.
        struct Step
        {
            qint64 ms;
            double penalty;
            const char *label;
            const char *penaltyLabel;
        };
        for (const Step &step : {Step{60900, 0.0, "60.9s", "0.0"}, Step{61000, 0.2, "61.0s", "0.2"},
                                 Step{181000, 10.0, "181.0s", "10.0"}}) {
            clock.setNowMs(step.ms);
            w.dialog->processStartTiming();
            QCOMPARE(w.dialog->startPenalty(), step.penalty);
            QCOMPARE(w.dialog->ui().LB_routineStartTime->text(), QString::fromLatin1(step.label));
            QCOMPARE(w.dialog->ui().LB_routineStartPenalty->text(), QString::fromLatin1(step.penaltyLabel));
            QCOMPARE(w.dialog->ui().LB_routineStartPenalty->property("highlightPenalty").toBool(),
                     step.penalty > 0.0);
        }
        QVERIFY(w.dialog->ui().LB_routineStartPenalty->isVisible());
        QVERIFY(w.dialog->ui().LB_routineStartTime->isVisible());
        // The warning sounded once, at the first block after 151 s.
        QCOMPARE(w.dialog->warningSoundPlayCount(), 1);
        clock.setNowMs(300000);
        w.dialog->processStartTiming();
        QVERIFY(w.in(S::START));
        QCOMPARE(w.dialog->warningSoundPlayCount(), 1);
        clock.setNowMs(300016);
        w.dialog->processStartTiming();
        QVERIFY(w.in(S::REVIEW));
    }

    void warningSoundOnlyWhenTheRulesAskForIt()
    {
        Window w;
        QVERIFY(w.run());
        ovra::util::ManualClock clock;
        w.dialog->setClock(&clock);
        w.dialog->settings().rulesSettings().setPlayWarningSound(false);
        QVERIFY(w.reach(S::START));
        for (qint64 t = 150000; t < 153000; t += 16) {
            clock.setNowMs(t);
            w.dialog->processStartTiming();
        }
        QCOMPARE(w.dialog->warningSoundPlayCount(), 0);
        w.dialog->settings().rulesSettings().setPlayWarningSound(true);
        for (qint64 t = 153000; t < 154000; t += 16) {
            clock.setNowMs(t);
            w.dialog->processStartTiming();
        }
        QCOMPARE(w.dialog->warningSoundPlayCount(), 1);
    }

    void thirtySecondRuleEndsTheRoutine()
    {
        Window w;
        QVERIFY(w.run());
        ovra::util::ManualClock clock;
        w.dialog->setClock(&clock);
        QVERIFY(w.reach(S::ROUTINE));
        w.dialog->startRoutineFinishTimer();
        clock.advanceMs(30000);
        w.dialog->checkRoutineFinishTime(false, 100, 9000);
        QVERIFY(w.in(S::ROUTINE));
        clock.advanceMs(16);
        MessageCapture log;
        w.dialog->checkRoutineFinishTime(false, 100, 9000);
        QVERIFY(w.in(S::REVIEW));
        QVERIFY(log.lines().contains(QStringLiteral("Routine aborted (duration was longer than 30s)")));
    }

    void menusShortcutsAndToolBar()
    {
        qunsetenv("OVRA_ENABLE_SIMULATION");
        Window w;
        OvraDialogUi &ui = w.dialog->ui();
        QStringList titles;
        for (QAction *menu : w.dialog->menuBar()->actions()) {
            if (menu->isVisible())
                titles << menu->text();
        }
        QCOMPARE(titles, QStringList({"Fi&le", "&Config", "Res&ults", "S&tructure", "&Database", "T&raining",
                                      "&View", "Hel&p"}));
        // Every menu opens with Alt and a letter of its own, in English and
        // in German (the Simulation menu as well).
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/i18n/ovra_de.qm")));
        for (const bool inGerman : {false, true}) {
            QSet<QChar> letters;
            for (const QString &title : titles + QStringList{ui.menuSimulation->title()}) {
                const QString shown =
                    inGerman ? german.translate("OvraDialog", title.toUtf8().constData()) : title;
                const qsizetype at = shown.indexOf(QLatin1Char('&'));
                QVERIFY2(at >= 0 && at + 1 < shown.size() && shown.count(QLatin1Char('&')) == 1,
                         qPrintable(shown));
                QVERIFY2(!letters.contains(shown.at(at + 1).toLower()), qPrintable(shown));
                letters.insert(shown.at(at + 1).toLower());
            }
        }
        QVERIFY(!ui.menuSimulation->isEnabled());
        QVERIFY(!ui.actionConnectUsbMaster->isEnabled());
        QCOMPARE(ui.actionLoad->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QCOMPARE(ui.actionLoad->toolTip(), QStringLiteral("Ctrl+L: Load data"));
        QCOMPARE(ui.menuFile->actions(),
                 QList<QAction *>({ui.actionLoad, ui.actionSave, ui.actionRecoverData, ui.actionQuit}));
        QCOMPARE(ui.actionRecoverData->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
        QCOMPARE(ui.actionConfigAutoSave->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(ui.actionMore_Landings->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Up));
        QCOMPARE(ui.actionResultDetailView->toolTip(), QStringLiteral("Show detailed results (Press D)"));
        QVERIFY(ui.actionResultDetailView->isCheckable());
        QVERIFY(ui.actionPosition_Test->associatedObjects().isEmpty());
        QStringList tools;
        for (QAction *action : ui.toolBar->actions())
            tools << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
        QCOMPARE(tools,
                 QStringList({"actionConfig", "actionSave", "actionLoad", "|", "actionConfigAutoSave", "|",
                              "actionEvents", "actionCompetitions", "actionGroups", "actionAthlets",
                              "actionImport_CSV_file", "|", "actionSecondScreenTrampoline",
                              "actionSecondScreenResults", "actionResultDetailView"}));
    }

    void simulationMenuWithTheSwitch()
    {
        qputenv("OVRA_ENABLE_SIMULATION", "1");
        Window w;
        qunsetenv("OVRA_ENABLE_SIMULATION");
        OvraDialogUi &ui = w.dialog->ui();
        QVERIFY(w.dialog->menuBar()->actions().contains(ui.menuSimulation->menuAction()));
        QVERIFY(ui.menuSimulation->isEnabled());
        QCOMPARE(ui.actionConnectUsbMaster->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
        QVERIFY(ui.actionConnectUsbMaster->isCheckable());
        QCOMPARE(ui.actionSimulateTrampoline_1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_6));
    }

    void pagesStatusBarAndTabOrder()
    {
        Window w;
        QVERIFY(w.run());
        OvraDialogUi &ui = w.dialog->ui();
        QCOMPARE(ui.resultStack->count(), 8);
        const QStringList pages = {"disconnectedPage", "readyPage",    "taraPage",    "noFocusPage",
                                   "detailedPage",     "overviewPage", "loadingPage", "continuousPage"};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(ui.resultStack->widget(i)->objectName(), pages.at(i));
        QCOMPARE(ui.resultTableStack->count(), 3);
        QCOMPARE(ui.CB_trampSelect->count(), 4);
        QCOMPARE(ui.CB_mode->itemText(4), QStringLiteral("Automatic"));
        QCOMPARE(ui.confirmButton->text(), QStringLiteral("CONFIRM\npress space"));
        QCOMPARE(ui.statusAutoSave->text(), QStringLiteral("AutoSave off"));
        w.dialog->updateAutoSaveLabel(true);
        QCOMPARE(ui.statusAutoSave->text(), QStringLiteral("AutoSave on"));
        QCOMPARE(ui.statusAutoSave->styleSheet(), QStringLiteral("QLabel{color: green}"));
        w.dialog->updateAutoSaveLabel(false);
        QCOMPARE(ui.statusAutoSave->styleSheet(), QStringLiteral("QLabel{color: black}"));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!ui.statusScoringSystem[i]->isVisible());
            QVERIFY(!ui.statusScoringSystemLight[i]->isVisible());
        }
        QCOMPARE(ui.statusHttpServerLight->status(), QStringLiteral("off"));
        QCOMPARE(ui.statusWebSocketServer->text(), QStringLiteral("WebSocket Server (0)"));
        QVERIFY(!ui.statusRoutineInformationIndicator->isEnabled());
        QCOMPARE(ui.statusTimeSeconds->text(), QString());
        w.dialog->updateTimeDisplay(125.5);
        QCOMPARE(ui.statusTimeSeconds->text(), QStringLiteral("125.500s"));
        QCOMPARE(ui.statusTimeMinutes->text(), QStringLiteral("02:05.500"));
        w.dialog->updateTimeDisplay(5.28);
        QCOMPARE(ui.statusTimeMinutes->text(), QStringLiteral("00:05.280"));
        // An aborted START's time and a file's name go when READY comes.
        ui.statusLoadedMeasure->setText(QStringLiteral("/data/routine.dat"));
        w.fire("usbConnected");
        w.fire("nextInnerState");
        QVERIFY(w.in(S::START));
        w.key(Qt::Key_Escape);
        QVERIFY(w.in(S::READY));
        QCOMPARE(ui.statusTimeSeconds->text(), QString());
        QCOMPARE(ui.statusTimeMinutes->text(), QString());
        QCOMPARE(ui.statusLoadedMeasure->text(), QString());
        for (const auto &[weight, text] : std::map<double, QString>{{1149.9, "Children (800N)"},
                                                                    {1150.0, "Teenager (1150N)"},
                                                                    {2500.0, "Normal (2500N)"},
                                                                    {4999.0, "Normal (2500N)"},
                                                                    {5000.0, "Adults (5000N)"}}) {
            w.dialog->updateEstimatedWeightClass(weight);
            QCOMPARE(ui.LB_mode->text(), text);
        }
        w.dialog->updateTrampolineSelectionLabel(data::model::TrampMode::Synchronized);
        QCOMPARE(ui.statusTrampolineMode->text(), QStringLiteral("Tramp 1 and 2 selected"));
        QCOMPARE(ui.TB_configurationHeader->nextInFocusChain(), ui.CB_trampSelect);
        QCOMPARE(ui.CB_trampSelect->nextInFocusChain(), ui.CB_mode);
        QCOMPARE(ui.CB_group->nextInFocusChain(), ui.LW_athlets);
    }

    void warningsReachTheReadyPage()
    {
        Window w;
        QVERIFY(w.run());
        w.fire("usbConnected");
        OvraDialogUi &ui = w.dialog->ui();
        // Nothing stores the committed routines until an autosave is on.
        const QString notStored =
            QStringLiteral("- Committed routines are not stored: autosave to file and database is off");
        QVERIFY(ui.readyPageLabelWarningText->isVisible());
        QCOMPARE(ui.readyPageLabelWarningText->text(), notStored);
        AutoSaveSettings &autoSave = w.dialog->settings().autoSaveSettings();
        autoSave.setDatabaseSave(true);
        QVERIFY(!ui.readyPageLabelWarningText->isVisible());
        autoSave.setDatabaseSave(false);
        autoSave.setFileSave(true);
        QVERIFY(!ui.readyPageLabelWarningText->isVisible());
        autoSave.setFileSave(false);
        QCOMPARE(ui.readyPageLabelWarningText->text(), notStored);
        autoSave.setDatabaseSave(true);
        ui.CB_trampSelect->setCurrentIndex(1);
        Q_EMIT ui.CB_trampSelect->activated(1);
        QVERIFY(ui.readyPageLabelWarningText->isVisible());
        QVERIFY(ui.readyPageLabelWarningIcon->isVisible());
        QCOMPARE(ui.readyPageLabelWarningText->text(),
                 QStringLiteral("- Trampoline is not set to 'Automatic'"));
        w.dialog->settings().warningSettings().setShouldShowTrampolineSelectionWarning(false);
        QVERIFY(!ui.readyPageLabelWarningText->isVisible());
    }

    void plotterShowsTheBedsOfTheSelectedMode()
    {
        Window w;
        QVERIFY(w.run());
        OvraDialogUi &ui = w.dialog->ui();
        PlotterWidget &plotter = w.dialog->plotter();
        QSignalSpy bed1(w.dialog.get(), &OvraDialog::setTramp1Active);
        QSignalSpy bed2(w.dialog.get(), &OvraDialog::setTramp2Active);
        const struct
        {
            int index;
            bool bed1;
            bool bed2;
        } cases[] = {{1, false, true}, {2, true, true}, {0, true, false}, {1, false, true}};
        for (const auto &c : cases) {
            ui.CB_trampSelect->setCurrentIndex(c.index);
            Q_EMIT ui.CB_trampSelect->activated(c.index);
            QCOMPARE(plotter.tramp1Active(), c.bed1);
            QCOMPARE(plotter.tramp2Active(), c.bed2);
            QCOMPARE(bed1.last().at(0).toBool(), c.bed1);
            QCOMPARE(bed2.last().at(0).toBool(), c.bed2);
        }
        QCOMPARE(bed1.count(), 4);
    }

    // The second screens show what the window shows, from the moment they
    // are opened.
    void secondScreensFollowTheStore()
    {
        Window w;
        QVERIFY(w.run());
        w.dialog->ui().actionSecondScreenTrampoline->setChecked(true);
        w.dialog->ui().actionSecondScreenResults->setChecked(true);
        auto *beds = w.dialog->findChild<SecondScreenTrampolineWindow *>();
        auto *results = w.dialog->findChild<SecondScreenResultWindow *>();
        QVERIFY(beds);
        QVERIFY(results);

        data::model::Landing landing;
        landing.landingNumber = 0;
        landing.landingPosition = {10.0, -5.0};
        Q_EMIT w.dialog->daten().updateLandingTrampoline2(0, landing, DataUpdateReason::Measurement);
        QCOMPARE(beds->trampoline2Widget()->markers().size(), 1);
        QVERIFY(beds->trampoline1Widget()->markers().isEmpty());
        data::model::IndividualRoutineResult result;
        result.horizontalDisplacement = 8.4;
        Q_EMIT w.dialog->daten().updateResultIndividualRoutine(result, DataUpdateReason::Measurement);
        QCOMPARE(results->horizontalDisplacementResultWidget()->readoutTrampoline1()->value(),
                 QStringLiteral("8.4"));

        Q_EMIT w.dialog->clearAllResultWidgets();
        QVERIFY(beds->trampoline2Widget()->markers().isEmpty());
        w.dialog->ui().actionSecondScreenTrampoline->setChecked(false);
        w.dialog->ui().actionSecondScreenResults->setChecked(false);
    }

    // The audience windows never take the keyboard: clicking one (for its
    // context menu) leaves READY and the next-step key with the operator, a
    // key that reaches one goes to the main window, the context menu's
    // Escape is the menu's, and the audience sees no swap button.
    void audienceWindowsLeaveTheKeysWithTheOperator()
    {
        Window w;
        QVERIFY(w.run());
        w.dialog->settings().spaceDelaySettings().setSpaceDelayMs(0);
        w.fire("usbConnected");
        w.dialog->ui().actionSecondScreenTrampoline->setChecked(true);
        w.dialog->ui().actionSecondScreenResults->setChecked(true);
        auto *beds = w.dialog->findChild<SecondScreenTrampolineWindow *>();
        auto *results = w.dialog->findChild<SecondScreenResultWindow *>();
        QVERIFY(beds && results);
        QVERIFY(QTest::qWaitForWindowExposed(results));
        w.dialog->daten().setTrampMode(data::model::TrampMode::Synchronized);
        QVERIFY(!w.dialog->ui()
                     .detailedPage->findChild<HorizontalDisplacementResultWidget *>()
                     ->swapButton()
                     ->isHidden());
        QVERIFY(results->horizontalDisplacementResultWidget()->swapButton()->isHidden());
        QVERIFY(results->actions().contains(results->swapTrampolinesAction()));
        results->swapTrampolinesAction()->trigger();
        QVERIFY(results->horizontalDisplacementResultWidget()->isSwapped());

        // A click on each audience window, as a desktop would take it.
        for (QMainWindow *audience :
             {static_cast<QMainWindow *>(results), static_cast<QMainWindow *>(beds)}) {
            QTest::mouseClick(audience->centralWidget(), Qt::LeftButton);
            audience->activateWindow();
            QTest::qWait(100);
            QCOMPARE(QGuiApplication::focusWindow(), w.dialog->windowHandle());
            QVERIFY2(w.in(S::READY), qPrintable(OvraState::stateName(w.state())));
        }
        QVERIFY(results->focusWidget() == nullptr);
        // A key that reaches the audience anyway is the operator's.
        QTest::keyClick(results->horizontalDisplacementResultWidget()->swapButton(), Qt::Key_Space);
        QVERIFY2(w.in(S::START), qPrintable(OvraState::stateName(w.state())));
        QVERIFY(results->horizontalDisplacementResultWidget()->isSwapped());

        // The context menu of the result window keeps the operator's keys,
        // and the Escape that closes it does not end START.
        QMenu menu(results);
        menu.addActions(results->actions());
        menu.popup(results->mapToGlobal(QPoint(20, 20)));
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(&menu));
        QTest::qWait(50);
        QVERIFY2(w.in(S::START), qPrintable(OvraState::stateName(w.state())));
        QTest::keyClick(&menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu.isVisible());
        QVERIFY2(w.in(S::START), qPrintable(OvraState::stateName(w.state())));
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::ROUTINE));
        w.dialog->ui().actionSecondScreenTrampoline->setChecked(false);
        w.dialog->ui().actionSecondScreenResults->setChecked(false);
    }

    // D in the review shows the detailed page and back; leaving the review
    // unchecks it. Outside the review states it does nothing.
    void resultDetailsInTheReview()
    {
        Window w;
        QVERIFY(w.run());
        OvraDialogUi &ui = w.dialog->ui();
        QVERIFY(w.reach(S::READY));
        w.key(Qt::Key_D);
        QVERIFY(!ui.actionResultDetailView->isChecked());
        QCOMPARE(ui.resultStack->currentIndex(), 1);
        w.fire("nextInnerState");
        w.fire("nextInnerState");
        w.fire("nextInnerState");
        QVERIFY(w.in(S::REVIEW));
        QCOMPARE(ui.resultStack->currentIndex(), 5);
        w.key(Qt::Key_D);
        QVERIFY(ui.actionResultDetailView->isChecked());
        QCOMPARE(ui.resultStack->currentIndex(), 4);
        w.key(Qt::Key_D);
        QCOMPARE(ui.resultStack->currentIndex(), 5);
        w.key(Qt::Key_D);
        QCOMPARE(ui.resultStack->currentIndex(), 4);
        w.fire("dismissRoutine");
        QTRY_VERIFY(w.in(S::READY));
        QVERIFY(!ui.actionResultDetailView->isChecked());
        QCOMPARE(ui.resultStack->currentIndex(), 1);
    }

    // Clicking a control leaves the keyboard with the window, so Space
    // still starts the routine.
    void clickedControlsKeepTheNextStepKey()
    {
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.reach(S::READY));
        OvraDialogUi &ui = w.dialog->ui();
        ui.LW_athlets->addItem(QStringLiteral("Athlete"));
        w.dialog->setFocus();
        QTest::mouseClick(ui.LW_athlets->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(ui.TB_configurationHeader, Qt::LeftButton);
        QTest::mouseClick(ui.individualResultsTableView->viewport(), Qt::LeftButton);
        QVERIFY(QApplication::focusWidget() != ui.LW_athlets);
        QVERIFY(QApplication::focusWidget() != ui.TB_configurationHeader);
        for (QWidget *combo : {static_cast<QWidget *>(ui.CB_mode), static_cast<QWidget *>(ui.CB_trampSelect)})
            QCOMPARE(combo->focusPolicy(), Qt::TabFocus);
        w.unlock();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.dialog.get(),
                        Qt::Key_Space);
        QVERIFY(w.in(S::START));
    }

    // Under automatic selection with both beds busy, training takes
    // trampoline 1 for itself but leaves the automatic watch on.
    void continuousTrainingKeepsTheAutomaticSelection()
    {
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.reach(S::READY));
        OvraDialogUi &ui = w.dialog->ui();
        QCOMPARE(ui.CB_trampSelect->currentIndex(), 3);
        w.dialog->daten().setTrampolineSelection(wsDaten::kSelectionBoth);
        QCOMPARE(w.dialog->daten().trampMode(), data::model::TrampMode::Synchronized);
        w.fire("continuous");
        w.fire("nextInnerState");
        QVERIFY(w.in(S::CONTINUOUS));
        QCOMPARE(w.dialog->daten().trampolineSelection(), wsDaten::kSelectionTrampoline1);
        QCOMPARE(w.dialog->daten().trampMode(), data::model::TrampMode::Trampoline1);
        QVERIFY(w.dialog->daten().automaticSelection());
        QCOMPARE(ui.CB_trampSelect->currentIndex(), 3);
        w.key(Qt::Key_Escape);
        QVERIFY(w.in(S::READY));
        QVERIFY(!ui.readyPageLabelWarningText->text().contains(QLatin1String("Trampoline")));
    }

    // The start-list selection is stored from and restored into the
    // window's combo boxes and athlete list once they are filled from the
    // database; an index beyond its list is not applied.
    void startListSelectionRoundTripsThroughTheSettings()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("structure.db"));
        QVERIFY(ovra::test::writeCompetitionFile(path));
        ovra::test::clearSettings();
        ovra::test::storeDatabaseSetting(path);
        {
            auto storage = OvraSettings::openStorage();
            storage->setValue(QStringLiteral("Structure/EventIdx"), 1);
            storage->setValue(QStringLiteral("Structure/CompetitionIdx"), 2);
            storage->setValue(QStringLiteral("Structure/GroupIdx"), 7);
            storage->setValue(QStringLiteral("Structure/AthletIdx"), 0);
            storage->sync();
        }
        auto dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
        OvraDialogUi &ui = dialog->ui();
        QCOMPARE(ui.CB_event->currentIndex(), 1);
        QCOMPARE(ui.CB_competition->currentIndex(), 2);
        QCOMPARE(ui.CB_group->currentIndex(), 0);
        QCOMPARE(ui.LW_athlets->count(), 0);
        ui.CB_group->setCurrentIndex(1);
        ui.LW_athlets->setCurrentRow(0);
        dialog->settings().writeSettings(800, 600, QFont());
        auto storage = OvraSettings::openStorage();
        QCOMPARE(storage->value(QStringLiteral("Structure/EventIdx")).toInt(), 1);
        QCOMPARE(storage->value(QStringLiteral("Structure/CompetitionIdx")).toInt(), 2);
        QCOMPARE(storage->value(QStringLiteral("Structure/GroupIdx")).toInt(), 1);
        QCOMPARE(storage->value(QStringLiteral("Structure/AthletIdx")).toInt(), 0);
    }

    // What the operator and the audience see follows edits, rollovers and
    // new measurements, and a second screen opened late catches up.
    void resultViewsFollowEditsRolloversAndNewMeasurements()
    {
        Window w;
        QVERIFY(w.run());
        wsDaten &store = w.dialog->daten();
        store.setTrampMode(data::model::TrampMode::Trampoline1);
        auto landingAt = [](int k) {
            data::model::Landing l;
            l.landingNumber = k;
            l.landingTime = 1000 * (k + 1);
            l.takeoffTime = 1000 * (k + 1) + 300;
            l.timeOfFlight = 1200;
            l.landingPosition = {double(k), 0.0};
            return l;
        };
        auto &routine = store.routines();
        for (int k = 0; k < 3; ++k) {
            routine.individualLandingsTrampoline1[std::size_t(k)] = landingAt(k);
            Q_EMIT store.updateLandingTrampoline1(std::size_t(k), landingAt(k),
                                                  DataUpdateReason::Measurement);
        }
        routine.landingCount = 3;
        auto *table = w.dialog->ui().individualResultsTableView->model();
        QVERIFY(!table->data(table->index(2, 0)).toString().isEmpty());
        // An edit republishes the bed: the table is rebuilt with it.
        Q_EMIT store.resetTrampoline1();
        QVERIFY(table->data(table->index(2, 0)).toString().isEmpty());

        // A second screen opened now shows the routine so far.
        w.dialog->ui().actionSecondScreenTrampoline->setChecked(true);
        auto *beds = w.dialog->findChild<SecondScreenTrampolineWindow *>();
        QVERIFY(beds);
        QCOMPARE(beds->trampoline1Widget()->markers().size(), 3);
        QVERIFY(beds->trampoline2Widget()->markers().isEmpty());

        // Continuous training rolls the oldest landing out of the bed views.
        Q_EMIT routine.rolloverLandings(data::model::IndividualRoutineResult{});
        QCOMPARE(beds->trampoline1Widget()->markers().size(), 2);
        QCOMPARE(beds->trampoline1Widget()->markers().first().number, 1);
        w.dialog->ui().actionSecondScreenTrampoline->setChecked(false);

        // The force plot starts each measurement on its default axes.
        PlotterWidget &plotter = w.dialog->plotter();
        std::vector<widget::plot::ChannelForces> samples(150000, widget::plot::ChannelForces{});
        plotter.appendSamples(samples);
        QVERIFY(plotter.scale().time.maximum > 100.0);
        Q_EMIT w.dialog->clearAllResultWidgets();
        QCOMPARE(plotter.scale().time.maximum, 40.0);
    }

    void taraShowsItsPageWhileWaitingAndSavesTheSettings()
    {
        Window w;
        QVERIFY(w.run());
        w.fire("usbConnected");
        QVERIFY(!OvraSettings::openStorage()->contains(QStringLiteral("File/Width")));
        QList<int> seen;
        QTimer::singleShot(OvraDialog::kTaraWaitMs / 2, w.dialog.get(),
                           [&] { seen << w.state() << w.dialog->ui().resultStack->currentIndex(); });
        QElapsedTimer elapsed;
        elapsed.start();
        w.dialog->ui().PB_tara->click();
        QVERIFY(elapsed.elapsed() >= OvraDialog::kTaraWaitMs);
        QCOMPARE(seen, QList<int>({int(S::TARA), 2}));
        QVERIFY(w.in(S::READY));
        QVERIFY(OvraSettings::openStorage()->contains(QStringLiteral("File/Width")));
    }

    void selfDiagnosisTogglesTheDiagnosisStates()
    {
        Window w;
        QVERIFY(w.run());
        QList<int> seen;
        bool connected = false;
        QTimer::singleShot(100, w.dialog.get(), [&] {
            seen << w.state();
            Q_EMIT w.dialog->usbConnected();
            seen << w.state();
            auto *dialog = w.dialog->findChild<SelfDiagnosisDialog *>(QStringLiteral("selfDiagnosisDialog"));
            QVERIFY(dialog);
            connected = dialog->isUsbConnectionShown();
            dialog->reject();
        });
        w.dialog->ui().actionSelf_Diagnosis->trigger();
        QCOMPARE(seen, QList<int>({int(S::DISCONNECTED_DIAGNOSIS), int(S::CONNECTED_DIAGNOSIS)}));
        QVERIFY(connected);
        QTRY_VERIFY(w.in(S::READY));
    }

    void fontSelectionBecomesTheProgramFontAndIsSaved()
    {
        Window w;
        QVERIFY(w.run());
        QFont chosen = QApplication::font();
        chosen.setPointSize(chosen.pointSize() + 5);
        bool sawDialog = false;
        QTimer::singleShot(100, w.dialog.get(), [&] {
            auto *dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
            sawDialog = dialog != nullptr;
            if (!dialog)
                return;
            dialog->setCurrentFont(chosen);
            dialog->accept();
        });
        w.dialog->ui().actionFont->setEnabled(true);
        w.dialog->ui().actionFont->trigger();
        QVERIFY(sawDialog);
        QCOMPARE(QApplication::font().pointSize(), chosen.pointSize());
        QFont stored;
        QVERIFY(stored.fromString(
            OvraSettings::openStorage()->value(QStringLiteral("ProgrammFont/Font")).toString()));
        QCOMPARE(stored.pointSize(), chosen.pointSize());
        chosen.setPointSize(chosen.pointSize() - 5);
        QApplication::setFont(chosen);
    }

    void everyTextHasGermanAndEnglish()
    {
        QProcess check;
        check.setWorkingDirectory(ovra::test::sourceDir());
        check.start(QStringLiteral("python3"), {QStringLiteral("tools/i18n.py"), QStringLiteral("check")});
        QVERIFY(check.waitForFinished(30000));
        QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());

        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/i18n/ovra_de.qm")));
        QCOMPARE(german.translate("OvraDialog", "READY (TRAINING)"), QStringLiteral("BEREIT (TRAINING)"));
        QCOMPARE(german.translate("OvraDialog", "CONFIRM\npress space"),
                 QStringLiteral("BESTÄTIGEN\nLeertaste drücken"));
        QCOMPARE(german.translate("StateWidget", "REVIEW"), QStringLiteral("PRÜFEN"));
        QCOMPARE(
            german.translate("ovra::util::Warnings",
                             "- Committed routines are not stored: autosave to file and database is off"),
            QStringLiteral("- Bestätigte Übungen werden nicht gespeichert: Autosave in Datei und Datenbank "
                           "ist aus"));
    }

    void swapExchangesHdAndTof()
    {
        Window w;
        OvraDialogUi &ui = w.dialog->ui();
        auto rowOf = [&ui](QWidget *widget) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            ui.resultWidgetsLayout->getItemPosition(ui.resultWidgetsLayout->indexOf(widget), &row, &column,
                                                    &rowSpan, &columnSpan);
            return row;
        };
        const int hdRow = rowOf(ui.hdResultWidget);
        const int tofRow = rowOf(ui.tofResultWidget);
        QVERIFY(hdRow != tofRow);
        MessageCapture log;
        ui.hdTofSwapButton->click();
        QCOMPARE(rowOf(ui.hdResultWidget), tofRow);
        QCOMPARE(rowOf(ui.tofResultWidget), hdRow);
        QVERIFY(log.lines().contains(QStringLiteral("Swap HD and ToF result widgets")));
    }
};

OVRA_TEST_GUI_MAIN(TestOvraDialog)
#include "tst_ovradialog.moc"
