#include "state/OperatorKeys.h"
#include "state/OvraState.h"
#include "state/OvraStateTriggers.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QStateMachine>

namespace {

// The keys drive the machine the way the main window wires them.
struct Rig
{
    OvraStateTriggers triggers;
    OvraState state;
    int spaceDelay = 200;
    OperatorKeys keys{state, [this] { return spaceDelay; }};

    Rig()
    {
        state.addTransitions(triggers);
        QObject::connect(&keys, &OperatorKeys::nextInnerState, &triggers, &OvraStateTriggers::nextInnerState);
        QObject::connect(&keys, &OperatorKeys::dismissRoutine, &triggers, &OvraStateTriggers::dismissRoutine);
        QObject::connect(&keys, &OperatorKeys::resetToReady, &triggers, &OvraStateTriggers::resetToReady);
    }
    bool run()
    {
        QSignalSpy started(&state.machine(), &QStateMachine::started);
        return started.wait(2000) || state.machine().isRunning();
    }
    bool press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        return keys.handleKeyPress(key, modifiers);
    }
};

} // namespace

class TestOperatorKeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void holdingSpaceDoesNotSkipStates()
    {
        Rig rig;
        QVERIFY(rig.run());
        Q_EMIT rig.triggers.usbConnected();
        QSignalSpy refused(&rig.keys, &OperatorKeys::nextStepRefused);
        // Auto-repeat delivers presses faster than the delay lock.
        for (int i = 0; i < 10; ++i)
            QVERIFY(rig.press(Qt::Key_Space));
        QVERIFY(rig.state.isIn(OvraState::START));
        QCOMPARE(refused.count(), 9);
        QVERIFY(!rig.keys.isSpaceEnabled());
        QTRY_VERIFY(rig.keys.isSpaceEnabled());
        rig.press(Qt::Key_Period);
        QVERIFY(rig.state.isIn(OvraState::ROUTINE));
        QTRY_VERIFY(rig.keys.isSpaceEnabled());
        rig.press(Qt::Key_1, Qt::KeypadModifier);
        QVERIFY(rig.state.isIn(OvraState::REVIEW));
    }

    void nextStepKeyIsRefusedInCommitAndWithModifiers()
    {
        Rig rig;
        rig.spaceDelay = 0;
        QVERIFY(rig.run());
        Q_EMIT rig.triggers.usbConnected();
        QVERIFY(!rig.press(Qt::Key_Space, Qt::ControlModifier));
        QVERIFY(rig.state.isIn(OvraState::READY));
        for (int i = 0; i < 4; ++i) {
            rig.press(Qt::Key_Space);
            QTRY_VERIFY(rig.keys.isSpaceEnabled());
        }
        QVERIFY(rig.state.isIn(OvraState::CONNECTED_COMMIT));
        QSignalSpy refused(&rig.keys, &OperatorKeys::nextStepRefused);
        QSignalSpy next(&rig.keys, &OperatorKeys::nextInnerState);
        rig.press(Qt::Key_Space);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(next.count(), 0);
        QVERIFY(rig.keys.isSpaceEnabled());
    }

    void withoutBoxOnlyDisplayAcceptsTheNextStepKey()
    {
        Rig rig;
        rig.spaceDelay = 0;
        QVERIFY(rig.run());
        QSignalSpy refused(&rig.keys, &OperatorKeys::nextStepRefused);
        QSignalSpy next(&rig.keys, &OperatorKeys::nextInnerState);
        rig.press(Qt::Key_Space);
        QCOMPARE(next.count(), 0);
        QCOMPARE(refused.count(), 0); // no popup without a box
        Q_EMIT rig.triggers.beginLoad();
        Q_EMIT rig.triggers.loadComplete();
        rig.press(Qt::Key_Space);
        QVERIFY(rig.state.isIn(OvraState::DISCONNECTED_COMMIT));
        QTRY_VERIFY(rig.keys.isSpaceEnabled());
        rig.press(Qt::Key_Space);
        QCOMPARE(next.count(), 1);
        Q_EMIT rig.triggers.nextInnerState();
        QVERIFY(rig.state.isIn(OvraState::WAIT));
    }

    void xDismissesInReview()
    {
        Rig rig;
        rig.spaceDelay = 0;
        QVERIFY(rig.run());
        Q_EMIT rig.triggers.usbConnected();
        QVERIFY(rig.press(Qt::Key_X));
        QVERIFY(rig.state.isIn(OvraState::READY));
        for (int i = 0; i < 3; ++i)
            Q_EMIT rig.triggers.nextInnerState();
        QVERIFY(rig.state.isIn(OvraState::REVIEW));
        QSignalSpy dismissed(rig.state.state(OvraState::CONNECTED_DISMISS), &QState::entered);
        rig.press(Qt::Key_X);
        QCOMPARE(dismissed.count(), 1);
        QVERIFY(rig.state.isIn(OvraState::READY));
    }

    void escapeResetsStartAndTraining()
    {
        Rig rig;
        QVERIFY(rig.run());
        Q_EMIT rig.triggers.usbConnected();
        Q_EMIT rig.triggers.nextInnerState();
        QVERIFY(rig.state.isIn(OvraState::START));
        rig.press(Qt::Key_Escape);
        QVERIFY(rig.state.isIn(OvraState::READY));
        QCOMPARE(rig.keys.escapeCount(), 0);
        rig.state.switchContinuousStateTransitions(true);
        Q_EMIT rig.triggers.nextInnerState();
        Q_EMIT rig.triggers.nextInnerState();
        QVERIFY(rig.state.isIn(OvraState::PAUSE));
        rig.press(Qt::Key_Escape);
        QVERIFY(rig.state.isIn(OvraState::READY));
        // In ROUTINE Escape does nothing.
        rig.state.switchContinuousStateTransitions(false);
        Q_EMIT rig.triggers.nextInnerState();
        Q_EMIT rig.triggers.nextInnerState();
        QSignalSpy reset(&rig.keys, &OperatorKeys::resetToReady);
        rig.press(Qt::Key_Escape);
        QCOMPARE(reset.count(), 0);
        QVERIFY(rig.state.isIn(OvraState::ROUTINE));
    }

    void threeEscapesInReadyAskForRecovery()
    {
        Rig rig;
        QVERIFY(rig.run());
        QSignalSpy recover(&rig.keys, &OperatorKeys::recoverData);
        rig.press(Qt::Key_Escape); // no box: not counted
        QCOMPARE(rig.keys.escapeCount(), 0);
        Q_EMIT rig.triggers.usbConnected();
        rig.press(Qt::Key_Escape);
        rig.press(Qt::Key_Escape);
        QCOMPARE(recover.count(), 0);
        rig.press(Qt::Key_Escape);
        QCOMPARE(recover.count(), 1);
        rig.press(Qt::Key_Escape);
        QCOMPARE(recover.count(), 1);
    }

    void aPauseResetsTheEscapeCount()
    {
        Rig rig;
        QVERIFY(rig.run());
        Q_EMIT rig.triggers.usbConnected();
        QSignalSpy recover(&rig.keys, &OperatorKeys::recoverData);
        rig.press(Qt::Key_Escape);
        rig.press(Qt::Key_Escape);
        QCOMPARE(rig.keys.escapeCount(), 2);
        QTest::qWait(OperatorKeys::kEscapeWindowMs + 200);
        QCOMPARE(rig.keys.escapeCount(), 0);
        rig.press(Qt::Key_Escape);
        QCOMPARE(recover.count(), 0);
        rig.press(Qt::Key_Escape);
        rig.press(Qt::Key_Escape);
        QCOMPARE(recover.count(), 1);
    }
};

OVRA_TEST_CORE_MAIN(TestOperatorKeys)
#include "tst_operatorkeys.moc"
