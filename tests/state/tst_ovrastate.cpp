#include "state/OvraState.h"
#include "state/OvraStateTriggers.h"
#include "support/MessageCapture.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QState>
#include <QStateMachine>

#include <functional>
#include <map>
#include <memory>

namespace {

using S = OvraState;
using Trigger = void (OvraStateTriggers::*)();

struct NamedTrigger
{
    const char *name;
    Trigger signal;
};

const NamedTrigger kTriggers[] = {
    {"usbConnected", &OvraStateTriggers::usbConnected},
    {"usbDisconnected", &OvraStateTriggers::usbDisconnected},
    {"nextInnerState", &OvraStateTriggers::nextInnerState},
    {"dismissRoutine", &OvraStateTriggers::dismissRoutine},
    {"routineTimedOut", &OvraStateTriggers::routineTimedOut},
    {"resetToReady", &OvraStateTriggers::resetToReady},
    {"beginLoad", &OvraStateTriggers::beginLoad},
    {"loadComplete", &OvraStateTriggers::loadComplete},
    {"toggleTara", &OvraStateTriggers::toggleTara},
    {"toggleDiagnosisState", &OvraStateTriggers::toggleDiagnosisState},
    {"mainWindowGotFocus", &OvraStateTriggers::mainWindowGotFocus},
    {"mainWindowLostFocus", &OvraStateTriggers::mainWindowLostFocus},
    {"singleDropTestTriggered", &OvraStateTriggers::singleDropTestTriggered},
};

// The operator's table of moves. -1 and -2 stand for the parents CONNECTED
// and DISCONNECTED as sources.
constexpr int kConnected = -1;
constexpr int kDisconnected = -2;
struct Row
{
    int source;
    const char *trigger;
    int target;
};
const Row kTable[] = {
    {kDisconnected, "usbConnected", S::READY},
    {S::DISPLAY, "usbConnected", S::LOAD},
    {S::DISCONNECTED_DIAGNOSIS, "usbConnected", S::CONNECTED_DIAGNOSIS},
    {S::DISCONNECTED_LOADING, "usbConnected", S::LOADING},
    {kConnected, "usbDisconnected", S::WAIT},
    {S::REVIEW, "usbDisconnected", S::DISPLAY},
    {S::LOAD, "usbDisconnected", S::DISPLAY},
    {S::CONNECTED_DIAGNOSIS, "usbDisconnected", S::DISCONNECTED_DIAGNOSIS},
    {S::LOADING, "usbDisconnected", S::DISCONNECTED_LOADING},
    {S::READY, "nextInnerState", S::START},
    {S::START, "nextInnerState", S::ROUTINE},
    {S::ROUTINE, "nextInnerState", S::REVIEW},
    {S::REVIEW, "nextInnerState", S::CONNECTED_COMMIT},
    {S::LOAD, "nextInnerState", S::CONNECTED_COMMIT},
    {S::CONNECTED_COMMIT, "nextInnerState", S::READY},
    {S::DROP_TEST, "nextInnerState", S::READY},
    {S::DISPLAY, "nextInnerState", S::DISCONNECTED_COMMIT},
    {S::DISCONNECTED_COMMIT, "nextInnerState", S::WAIT},
    {S::CONTINUOUS, "nextInnerState", S::PAUSE},
    {S::PAUSE, "nextInnerState", S::CONTINUOUS},
    {S::READY, "mainWindowLostFocus", S::NO_FOCUS},
    {S::NO_FOCUS, "mainWindowGotFocus", S::READY},
    // Dismissing passes through the DISMISS states without another signal.
    {S::REVIEW, "dismissRoutine", S::READY},
    {S::LOAD, "dismissRoutine", S::READY},
    {S::DISPLAY, "dismissRoutine", S::WAIT},
    {S::READY, "beginLoad", S::LOADING},
    {S::NO_FOCUS, "beginLoad", S::LOADING},
    {S::LOAD, "beginLoad", S::LOADING},
    {S::WAIT, "beginLoad", S::DISCONNECTED_LOADING},
    {S::DISPLAY, "beginLoad", S::DISCONNECTED_LOADING},
    {S::LOADING, "loadComplete", S::LOAD},
    {S::DISCONNECTED_LOADING, "loadComplete", S::DISPLAY},
    {kConnected, "routineTimedOut", S::REVIEW},
    {S::START, "resetToReady", S::READY},
    {S::CONTINUOUS, "resetToReady", S::READY},
    {S::PAUSE, "resetToReady", S::READY},
    {S::READY, "singleDropTestTriggered", S::DROP_TEST},
    {S::DROP_TEST, "singleDropTestTriggered", S::READY},
    {S::READY, "toggleDiagnosisState", S::CONNECTED_DIAGNOSIS},
    {S::CONNECTED_DIAGNOSIS, "toggleDiagnosisState", S::READY},
    {S::WAIT, "toggleDiagnosisState", S::DISCONNECTED_DIAGNOSIS},
    {S::DISCONNECTED_DIAGNOSIS, "toggleDiagnosisState", S::WAIT},
    {S::READY, "toggleTara", S::TARA},
    {S::TARA, "toggleTara", S::READY},
};

int expectedTarget(int source, const QByteArray &trigger)
{
    const int parent = source >= S::READY ? kConnected : kDisconnected;
    for (int from : {source, parent}) {
        for (const Row &row : kTable) {
            if (row.source == from && trigger == row.trigger)
                return row.target;
        }
    }
    return source;
}

// Signals that bring a fresh machine from WAIT into each stable state.
const std::map<int, QList<const char *>> kPaths = {
    {S::WAIT, {}},
    {S::DISPLAY, {"beginLoad", "loadComplete"}},
    {S::DISCONNECTED_DIAGNOSIS, {"toggleDiagnosisState"}},
    {S::DISCONNECTED_COMMIT, {"beginLoad", "loadComplete", "nextInnerState"}},
    {S::DISCONNECTED_LOADING, {"beginLoad"}},
    {S::READY, {"usbConnected"}},
    {S::START, {"usbConnected", "nextInnerState"}},
    {S::ROUTINE, {"usbConnected", "nextInnerState", "nextInnerState"}},
    {S::REVIEW, {"usbConnected", "nextInnerState", "nextInnerState", "nextInnerState"}},
    {S::DROP_TEST, {"usbConnected", "singleDropTestTriggered"}},
    {S::CONNECTED_DIAGNOSIS, {"usbConnected", "toggleDiagnosisState"}},
    {S::CONNECTED_COMMIT,
     {"usbConnected", "nextInnerState", "nextInnerState", "nextInnerState", "nextInnerState"}},
    {S::NO_FOCUS, {"usbConnected", "mainWindowLostFocus"}},
    {S::TARA, {"usbConnected", "toggleTara"}},
    {S::LOAD, {"usbConnected", "beginLoad", "loadComplete"}},
    {S::LOADING, {"usbConnected", "beginLoad"}},
    {S::CONTINUOUS, {"usbConnected", "nextInnerState"}},
    {S::PAUSE, {"usbConnected", "nextInnerState", "nextInnerState"}},
};

struct Machine
{
    OvraStateTriggers triggers;
    OvraState state;

    Machine() { state.addTransitions(triggers); }

    bool run()
    {
        QSignalSpy started(&state.machine(), &QStateMachine::started);
        return started.wait(2000) || state.machine().isRunning();
    }
    void fire(const QByteArray &name)
    {
        for (const NamedTrigger &trigger : kTriggers) {
            if (name == trigger.name) {
                Q_EMIT(triggers.*(trigger.signal))();
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no trigger ") + QString::fromLatin1(name)));
    }
    bool reach(int innerState)
    {
        if (innerState == S::CONTINUOUS || innerState == S::PAUSE)
            state.switchContinuousStateTransitions(true);
        for (const char *name : kPaths.at(innerState))
            fire(name);
        return state.innerState() == innerState;
    }
};

} // namespace

class TestOvraState : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsInWaitOnceTheEventLoopRuns()
    {
        MessageCapture log;
        Machine m;
        QVERIFY(!m.state.machine().isRunning());
        QVERIFY(m.run());
        QVERIFY(!m.state.isUsbConnected());
        QCOMPARE(m.state.disconnectedInnerState(), int(S::WAIT));
        QVERIFY(m.state.isIn(S::WAIT));
        QVERIFY(!m.state.machine().property("connectedInnerState").isValid());
        QCOMPARE(log.linesStartingWith(QStringLiteral("Entered state")),
                 QStringList{QStringLiteral("Entered state (usbConnected: false, innerState: WAIT )")});
    }

    void namesValuesAndChildOrder()
    {
        Machine m;
        QCOMPARE(OvraState::stateName(-1), QStringLiteral("UNKNOWN"));
        QCOMPARE(OvraState::stateName(20), QStringLiteral("UNKNOWN"));
        QCOMPARE(OvraState::stateName(S::CONNECTED_DISMISS), QStringLiteral("CONNECTED_DISMISS"));
        QCOMPARE(m.state.stateNames().size(), 20);
        const QList<QState *> &children = m.state.childStates();
        QCOMPARE(children.size(), 20);
        QStringList order;
        for (QState *child : children)
            order << child->objectName();
        QCOMPARE(order.first(), QStringLiteral("READY"));
        QCOMPARE(order.at(13), QStringLiteral("PAUSE"));
        QCOMPARE(order.at(14), QStringLiteral("WAIT"));
        QCOMPARE(order.last(), QStringLiteral("DISCONNECTED_LOADING"));
        for (int value = 0; value < OvraState::kInnerStateCount; ++value) {
            QState *state = m.state.state(static_cast<S::InnerState>(value));
            QCOMPARE(state->objectName(), OvraState::stateName(value));
            QCOMPARE(state->parentState(),
                     value >= S::READY ? m.state.connectedState() : m.state.disconnectedState());
        }
    }

    void everyTriggerFromEveryState_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QByteArray>("trigger");
        QTest::addColumn<int>("target");
        for (const auto &[source, path] : kPaths) {
            for (const NamedTrigger &trigger : kTriggers) {
                int target = expectedTarget(source, trigger.name);
                QTest::addRow("%s %s", qPrintable(OvraState::stateName(source)), trigger.name)
                    << source << QByteArray(trigger.name) << target;
            }
        }
    }

    void everyTriggerFromEveryState()
    {
        QFETCH(int, source);
        QFETCH(QByteArray, trigger);
        QFETCH(int, target);
        Machine m;
        QVERIFY(m.run());
        QVERIFY(m.reach(source));
        m.fire(trigger);
        QCOMPARE(OvraState::stateName(m.state.innerState()), OvraState::stateName(target));
        QCOMPARE(m.state.isUsbConnected(), target >= S::READY);
        // The inner state of the inactive top-level state reads 0.
        if (m.state.isUsbConnected())
            QCOMPARE(m.state.disconnectedInnerState(), 0);
        else
            QCOMPARE(m.state.connectedInnerState(), 0);
    }

    void dismissStatesRunTheirEntryOnceAndPassThrough()
    {
        Machine m;
        QSignalSpy connectedDismiss(m.state.state(S::CONNECTED_DISMISS), &QState::entered);
        QSignalSpy disconnectedDismiss(m.state.state(S::DISCONNECTED_DISMISS), &QState::entered);
        QSignalSpy ready(m.state.state(S::READY), &QState::entered);
        QSignalSpy wait(m.state.state(S::WAIT), &QState::entered);
        QVERIFY(m.run());
        QVERIFY(m.reach(S::REVIEW));
        QCOMPARE(ready.count(), 1);
        m.fire("dismissRoutine");
        QCOMPARE(connectedDismiss.count(), 1);
        QCOMPARE(ready.count(), 2);
        QVERIFY(m.state.isIn(S::READY));

        m.fire("usbDisconnected");
        m.fire("beginLoad");
        m.fire("loadComplete");
        QVERIFY(m.state.isIn(S::DISPLAY));
        const int waits = static_cast<int>(wait.count());
        m.fire("dismissRoutine");
        QCOMPARE(disconnectedDismiss.count(), 1);
        QCOMPARE(wait.count(), waits + 1);
        QVERIFY(m.state.isIn(S::WAIT));
    }

    void stateLogLinesFollowTheRoutineCycle()
    {
        MessageCapture log;
        Machine m;
        QVERIFY(m.run());
        for (const char *trigger : {"usbConnected", "nextInnerState", "nextInnerState", "nextInnerState",
                                    "dismissRoutine", "nextInnerState", "nextInnerState", "nextInnerState",
                                    "usbDisconnected", "nextInnerState", "nextInnerState"})
            m.fire(trigger);
        const QString on = QStringLiteral("Entered state (usbConnected: true, innerState: %1 )");
        const QString off = QStringLiteral("Entered state (usbConnected: false, innerState: %1 )");
        const QStringList expected = {
            off.arg(QLatin1String("WAIT")),    on.arg(QLatin1String("READY")),
            on.arg(QLatin1String("START")),    on.arg(QLatin1String("ROUTINE")),
            on.arg(QLatin1String("REVIEW")),   on.arg(QLatin1String("CONNECTED_DISMISS")),
            on.arg(QLatin1String("READY")),    on.arg(QLatin1String("START")),
            on.arg(QLatin1String("ROUTINE")),  on.arg(QLatin1String("REVIEW")),
            off.arg(QLatin1String("DISPLAY")), off.arg(QLatin1String("DISCONNECTED_COMMIT")),
            off.arg(QLatin1String("WAIT"))};
        QCOMPARE(log.linesStartingWith(QStringLiteral("Entered state")), expected);
    }

    void unknownInnerStateIsLoggedAsUnknown()
    {
        Machine m;
        QVERIFY(m.run());
        MessageCapture log;
        m.state.machine().setProperty("disconnectedInnerState", 42);
        m.state.logStateEntered();
        QCOMPARE(log.linesStartingWith(QStringLiteral("Entered state")),
                 QStringList{QStringLiteral("Entered state (usbConnected: false, innerState: UNKNOWN )")});
    }

    void continuousTransitionsSwitchBackAndForth()
    {
        Machine m;
        QVERIFY(m.run());
        m.fire("usbConnected");
        {
            MessageCapture log;
            m.state.switchContinuousStateTransitions(true);
            m.state.switchContinuousStateTransitions(true);
            QCOMPARE(log.linesStartingWith(QStringLiteral("enable")).size(), 2);
            QCOMPARE(log.lines().first(), QStringLiteral("enable continous trainig mode"));
        }
        m.fire("nextInnerState");
        QVERIFY(m.state.isIn(S::CONTINUOUS));
        m.fire("nextInnerState");
        QVERIFY(m.state.isIn(S::PAUSE));
        m.fire("nextInnerState");
        QVERIFY(m.state.isIn(S::CONTINUOUS));
        m.fire("resetToReady");
        QVERIFY(m.state.isIn(S::READY));
        {
            MessageCapture log;
            m.state.switchContinuousStateTransitions(false);
            QCOMPARE(log.lines(), QStringList{QStringLiteral("disable continous trainig mode")});
        }
        m.state.switchContinuousStateTransitions(false);
        m.fire("nextInnerState");
        QVERIFY(m.state.isIn(S::START));
        // Only READY's transition moves: START's own next step is unchanged.
        m.fire("resetToReady");
        m.state.switchContinuousStateTransitions(true);
        m.state.switchContinuousStateTransitions(false);
        m.fire("nextInnerState");
        m.fire("nextInnerState");
        QVERIFY(m.state.isIn(S::ROUTINE));
    }
};

OVRA_TEST_CORE_MAIN(TestOvraState)
#include "tst_ovrastate.moc"
