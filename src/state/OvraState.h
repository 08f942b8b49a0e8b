#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <memory>

class QAbstractState;
class QState;
class QStateMachine;
class OvraStateTriggers;
struct OvraStateTargets;

// The operating state of the workstation: whether a master box is connected
// and, within that, which step of the measurement work the operator is in.
// The machine restores every property a state assigned when the state is
// left. Its three dynamic properties ("usbConnected", "connectedInnerState",
// "disconnectedInnerState") live on the QStateMachine object itself.
class OvraState : public QObject
{
    Q_OBJECT
public:
    // Values are fixed: they are logged, published and stored in the
    // machine's properties.
    enum InnerState : int {
        WAIT = 0,
        DISPLAY = 1,
        DISCONNECTED_DIAGNOSIS = 2,
        DISCONNECTED_COMMIT = 3,
        DISCONNECTED_DISMISS = 4,
        DISCONNECTED_LOADING = 5,
        READY = 6,
        START = 7,
        ROUTINE = 8,
        REVIEW = 9,
        DROP_TEST = 10,
        CONNECTED_DIAGNOSIS = 11,
        CONNECTED_COMMIT = 12,
        CONNECTED_DISMISS = 13,
        NO_FOCUS = 14,
        TARA = 15,
        LOAD = 16,
        LOADING = 17,
        CONTINUOUS = 18,
        PAUSE = 19,
    };
    Q_ENUM(InnerState)
    static constexpr int kInnerStateCount = 20;

    // Builds the states, properties and entry logging and starts the
    // machine; it enters DISCONNECTED/WAIT when the event loop next runs, so
    // transitions and property assignments are added before that.
    explicit OvraState(QObject *parent = nullptr);
    ~OvraState() override;

    bool isUsbConnected() const;
    int connectedInnerState() const;
    int disconnectedInnerState() const;
    // The inner state of whichever top-level state is active.
    int innerState() const;
    bool isIn(InnerState state) const;
    // Whether a stored measure may be loaded now: only where beginLoad leads
    // to a loading state (READY, NO_FOCUS, LOAD, WAIT, DISPLAY), never over a
    // routine under way.
    bool acceptsLoad() const;

    // The name that logs show; "UNKNOWN" for a value without one.
    static QString stateName(int innerState);
    const QHash<int, QString> &stateNames() const { return m_stateNames; }

    QStateMachine &machine() { return *m_machine; }
    QState *connectedState() const { return m_connected; }
    QState *disconnectedState() const { return m_disconnected; }
    QState *state(InnerState innerState) const;
    // The 20 children: connected ones first (READY ... PAUSE), then the
    // disconnected ones (WAIT ... DISCONNECTED_LOADING).
    const QList<QState *> &childStates() const { return m_children; }

    // Adds the whole transition table driven by the given trigger signals.
    // Called once, before the event loop runs.
    void addTransitions(const OvraStateTriggers &triggers);

    // Disables the controls that only some states enable, then assigns the
    // per-state properties to them. Called once, before the event loop runs.
    void assignWidgetProperties(const OvraStateTargets &targets);

    // Retargets READY's transitions between START and CONTINUOUS.
    void switchContinuousStateTransitions(bool enable);

public Q_SLOTS:
    void logStateEntered();

private:
    QState *addChild(QState *parent, InnerState innerState, const char *property);

    std::unique_ptr<QStateMachine> m_machine; // no parent: owned here
    QState *m_connected = nullptr;
    QState *m_disconnected = nullptr;
    std::array<QState *, kInnerStateCount> m_states{};
    QList<QState *> m_children;
    QHash<int, QString> m_stateNames;
};
