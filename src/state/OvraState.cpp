#include "state/OvraState.h"

#include "state/OvraStateTargets.h"
#include "state/OvraStateTriggers.h"

#include <QAbstractTransition>
#include <QDebug>
#include <QState>
#include <QStateMachine>

#include <utility>

namespace {

constexpr const char *kUsbConnected = "usbConnected";
constexpr const char *kConnectedInnerState = "connectedInnerState";
constexpr const char *kDisconnectedInnerState = "disconnectedInnerState";

const char *const kNames[OvraState::kInnerStateCount] = {
    "WAIT",
    "DISPLAY",
    "DISCONNECTED_DIAGNOSIS",
    "DISCONNECTED_COMMIT",
    "DISCONNECTED_DISMISS",
    "DISCONNECTED_LOADING",
    "READY",
    "START",
    "ROUTINE",
    "REVIEW",
    "DROP_TEST",
    "CONNECTED_DIAGNOSIS",
    "CONNECTED_COMMIT",
    "CONNECTED_DISMISS",
    "NO_FOCUS",
    "TARA",
    "LOAD",
    "LOADING",
    "CONTINUOUS",
    "PAUSE",
};

} // namespace

OvraState::OvraState(QObject *parent)
    : QObject(parent)
    , m_machine(std::make_unique<QStateMachine>())
{
    m_machine->setGlobalRestorePolicy(QState::RestoreProperties);

    m_disconnected = new QState();
    m_connected = new QState();
    m_disconnected->assignProperty(m_machine.get(), kUsbConnected, false);
    m_connected->assignProperty(m_machine.get(), kUsbConnected, true);
    m_machine->addState(m_disconnected);
    m_machine->addState(m_connected);
    m_machine->setInitialState(m_disconnected);

    for (int value = READY; value <= PAUSE; ++value)
        addChild(m_connected, static_cast<InnerState>(value), kConnectedInnerState);
    for (int value = WAIT; value <= DISCONNECTED_LOADING; ++value)
        addChild(m_disconnected, static_cast<InnerState>(value), kDisconnectedInnerState);
    m_connected->setInitialState(m_states[READY]);
    m_disconnected->setInitialState(m_states[WAIT]);

    for (int value = 0; value < kInnerStateCount; ++value)
        m_stateNames.insert(value, QString::fromLatin1(kNames[value]));

    for (QState *child : std::as_const(m_children))
        connect(child, &QState::entered, this, &OvraState::logStateEntered);

    m_machine->start();
}

OvraState::~OvraState() = default;

QState *OvraState::addChild(QState *parent, InnerState innerState, const char *property)
{
    auto *child = new QState(parent);
    child->setObjectName(QString::fromLatin1(kNames[innerState]));
    child->assignProperty(m_machine.get(), property, static_cast<int>(innerState));
    m_states[innerState] = child;
    m_children.append(child);
    return child;
}

bool OvraState::isUsbConnected() const
{
    return m_machine->property(kUsbConnected).toBool();
}

int OvraState::connectedInnerState() const
{
    return m_machine->property(kConnectedInnerState).toInt();
}

int OvraState::disconnectedInnerState() const
{
    return m_machine->property(kDisconnectedInnerState).toInt();
}

int OvraState::innerState() const
{
    return isUsbConnected() ? connectedInnerState() : disconnectedInnerState();
}

bool OvraState::isIn(InnerState state) const
{
    const bool connectedChild = state >= READY;
    return isUsbConnected() == connectedChild && innerState() == state;
}

bool OvraState::acceptsLoad() const
{
    return isIn(READY) || isIn(NO_FOCUS) || isIn(LOAD) || isIn(WAIT) || isIn(DISPLAY);
}

QString OvraState::stateName(int innerState)
{
    if (innerState < 0 || innerState >= kInnerStateCount)
        return QStringLiteral("UNKNOWN");
    return QString::fromLatin1(kNames[innerState]);
}

QState *OvraState::state(InnerState innerState) const
{
    const int index = static_cast<int>(innerState);
    Q_ASSERT(index >= 0 && index < kInnerStateCount);
    if (index < 0 || index >= kInnerStateCount)
        return nullptr;
    return m_states[index];
}

void OvraState::logStateEntered()
{
    if (isUsbConnected()) {
        qDebug().noquote() << "Entered state (usbConnected: true, innerState:"
                           << m_stateNames.value(connectedInnerState(), QStringLiteral("UNKNOWN")) << ")";
    } else {
        qDebug().noquote() << "Entered state (usbConnected: false, innerState:"
                           << m_stateNames.value(disconnectedInnerState(), QStringLiteral("UNKNOWN")) << ")";
    }
}

void OvraState::switchContinuousStateTransitions(bool enable)
{
    QState *from = enable ? m_states[START] : m_states[CONTINUOUS];
    QState *to = enable ? m_states[CONTINUOUS] : m_states[START];
    if (enable)
        qDebug() << "enable continous trainig mode";
    else
        qDebug() << "disable continous trainig mode";
    const QList<QAbstractTransition *> transitions = m_states[READY]->transitions();
    for (QAbstractTransition *transition : transitions) {
        if (transition->targetState() == from)
            transition->setTargetState(to);
    }
}

void OvraState::addTransitions(const OvraStateTriggers &t)
{
    using T = OvraStateTriggers;
    auto *const s = m_states.data();

    m_disconnected->addTransition(&t, &T::usbConnected, m_connected);
    s[DISPLAY]->addTransition(&t, &T::usbConnected, s[LOAD]);
    s[DISCONNECTED_DIAGNOSIS]->addTransition(&t, &T::usbConnected, s[CONNECTED_DIAGNOSIS]);
    s[DISCONNECTED_LOADING]->addTransition(&t, &T::usbConnected, s[LOADING]);

    m_connected->addTransition(&t, &T::usbDisconnected, m_disconnected);
    s[REVIEW]->addTransition(&t, &T::usbDisconnected, s[DISPLAY]);
    s[LOAD]->addTransition(&t, &T::usbDisconnected, s[DISPLAY]);
    s[CONNECTED_DIAGNOSIS]->addTransition(&t, &T::usbDisconnected, s[DISCONNECTED_DIAGNOSIS]);
    s[LOADING]->addTransition(&t, &T::usbDisconnected, s[DISCONNECTED_LOADING]);

    s[READY]->addTransition(&t, &T::nextInnerState, s[START]);
    s[START]->addTransition(&t, &T::nextInnerState, s[ROUTINE]);
    s[ROUTINE]->addTransition(&t, &T::nextInnerState, s[REVIEW]);
    s[REVIEW]->addTransition(&t, &T::nextInnerState, s[CONNECTED_COMMIT]);
    s[LOAD]->addTransition(&t, &T::nextInnerState, s[CONNECTED_COMMIT]);
    s[CONNECTED_COMMIT]->addTransition(&t, &T::nextInnerState, s[READY]);
    s[DROP_TEST]->addTransition(&t, &T::nextInnerState, s[READY]);
    s[DISPLAY]->addTransition(&t, &T::nextInnerState, s[DISCONNECTED_COMMIT]);
    s[DISCONNECTED_COMMIT]->addTransition(&t, &T::nextInnerState, s[WAIT]);
    s[CONTINUOUS]->addTransition(&t, &T::nextInnerState, s[PAUSE]);
    s[PAUSE]->addTransition(&t, &T::nextInnerState, s[CONTINUOUS]);

    s[READY]->addTransition(&t, &T::mainWindowLostFocus, s[NO_FOCUS]);
    s[NO_FOCUS]->addTransition(&t, &T::mainWindowGotFocus, s[READY]);

    s[REVIEW]->addTransition(&t, &T::dismissRoutine, s[CONNECTED_DISMISS]);
    s[LOAD]->addTransition(&t, &T::dismissRoutine, s[CONNECTED_DISMISS]);
    s[CONNECTED_DISMISS]->addTransition(s[READY]);
    s[DISPLAY]->addTransition(&t, &T::dismissRoutine, s[DISCONNECTED_DISMISS]);
    s[DISCONNECTED_DISMISS]->addTransition(s[WAIT]);

    s[READY]->addTransition(&t, &T::beginLoad, s[LOADING]);
    s[NO_FOCUS]->addTransition(&t, &T::beginLoad, s[LOADING]);
    s[LOAD]->addTransition(&t, &T::beginLoad, s[LOADING]);
    s[WAIT]->addTransition(&t, &T::beginLoad, s[DISCONNECTED_LOADING]);
    s[DISPLAY]->addTransition(&t, &T::beginLoad, s[DISCONNECTED_LOADING]);
    s[LOADING]->addTransition(&t, &T::loadComplete, s[LOAD]);
    s[DISCONNECTED_LOADING]->addTransition(&t, &T::loadComplete, s[DISPLAY]);

    m_connected->addTransition(&t, &T::routineTimedOut, s[REVIEW]);
    s[START]->addTransition(&t, &T::resetToReady, s[READY]);
    s[CONTINUOUS]->addTransition(&t, &T::resetToReady, s[READY]);
    s[PAUSE]->addTransition(&t, &T::resetToReady, s[READY]);

    s[READY]->addTransition(&t, &T::singleDropTestTriggered, s[DROP_TEST]);
    s[DROP_TEST]->addTransition(&t, &T::singleDropTestTriggered, s[READY]);

    s[READY]->addTransition(&t, &T::toggleDiagnosisState, s[CONNECTED_DIAGNOSIS]);
    s[CONNECTED_DIAGNOSIS]->addTransition(&t, &T::toggleDiagnosisState, s[READY]);
    s[WAIT]->addTransition(&t, &T::toggleDiagnosisState, s[DISCONNECTED_DIAGNOSIS]);
    s[DISCONNECTED_DIAGNOSIS]->addTransition(&t, &T::toggleDiagnosisState, s[WAIT]);

    s[READY]->addTransition(&t, &T::toggleTara, s[TARA]);
    s[TARA]->addTransition(&t, &T::toggleTara, s[READY]);
}

void OvraState::assignWidgetProperties(const OvraStateTargets &w)
{
    auto set = [](QState *state, QObject *target, const char *property, const QVariant &value) {
        if (target)
            state->assignProperty(target, property, value);
    };
    auto enable = [&set](QState *state, std::initializer_list<QObject *> targets) {
        for (QObject *target : targets)
            set(state, target, "enabled", true);
    };
    auto page = [&set, &w](QState *state, int index) { set(state, w.resultStack, "currentIndex", index); };
    auto *const s = m_states.data();

    // Controls that only some states enable start disabled.
    for (QObject *target : {w.taraButton,
                            w.trampolineSelectionCombo,
                            w.weightClassCombo,
                            w.singleDropTest,
                            w.positionTest,
                            w.configuration,
                            w.autoSaveConfiguration,
                            w.network,
                            w.rules,
                            w.font,
                            w.save,
                            w.load,
                            w.moveSelectionRight,
                            w.moveSelectionLeft,
                            w.increaseSelection,
                            w.decreaseSelection,
                            w.restoreRoutine,
                            w.recoverData,
                            w.setupInstructions,
                            w.uiTutorial,
                            w.networkTutorial,
                            w.selfDiagnosis,
                            w.continuousMode,
                            w.moreLandings,
                            w.fewerLandings,
                            w.resultDetailView,
                            w.startList,
                            w.savedFilesList}) {
        if (target)
            target->setProperty("enabled", false);
    }
    for (QObject *target : {w.singleDropTest, w.positionTest}) {
        if (target)
            target->setProperty("checked", false);
    }
    if (w.resultStack)
        w.resultStack->setProperty("currentIndex", 0);

    enable(m_disconnected, {w.configuration, w.autoSaveConfiguration, w.network, w.rules, w.font, w.load,
                            w.recoverData, w.setupInstructions, w.uiTutorial, w.selfDiagnosis,
                            w.networkTutorial, w.savedFilesList, w.startList});
    for (QObject *label : {w.labelStateReady, w.labelStateStart, w.labelStateRoutine, w.labelStateReview})
        set(m_disconnected, label, "visible", false);
    set(m_connected, w.labelStateDisconnected, "visible", false);

    enable(s[READY], {w.taraButton,
                      w.weightClassCombo,
                      w.trampolineSelectionCombo,
                      w.positionTest,
                      w.singleDropTest,
                      w.setupInstructions,
                      w.networkTutorial,
                      w.uiTutorial,
                      w.selfDiagnosis,
                      w.configuration,
                      w.autoSaveConfiguration,
                      w.network,
                      w.rules,
                      w.font,
                      w.load,
                      w.recoverData,
                      w.savedFilesList,
                      w.startList,
                      w.continuousMode,
                      w.labelStateReady});
    set(s[READY], w.positionTest, "checked", false);
    set(s[READY], w.singleDropTest, "checked", false);
    page(s[READY], 1);

    page(s[TARA], 2);
    page(s[NO_FOCUS], 3);

    for (QState *state : {s[START], s[ROUTINE]}) {
        set(state, w.databaseWidget, "enabled", false);
        page(state, 4);
    }
    enable(s[START], {w.labelStateStart});
    enable(s[ROUTINE], {w.labelStateRoutine});

    enable(s[DROP_TEST], {w.singleDropTest});
    set(s[DROP_TEST], w.singleDropTest, "checked", true);
    set(s[DROP_TEST], w.labelStateDiagnostic, "visible", true);
    page(s[DROP_TEST], 4);

    const std::initializer_list<QObject *> selection = {w.moveSelectionRight, w.moveSelectionLeft,
                                                        w.increaseSelection, w.decreaseSelection, w.save};
    enable(s[REVIEW], selection);
    enable(s[REVIEW], {w.autoSaveConfiguration, w.resultDetailView, w.startList, w.labelStateReview});
    page(s[REVIEW], 5);

    enable(s[LOAD], selection);
    enable(s[LOAD], {w.autoSaveConfiguration, w.resultDetailView, w.startList, w.load, w.recoverData,
                     w.savedFilesList, w.labelStateReview});
    page(s[LOAD], 5);

    enable(s[CONNECTED_COMMIT], selection);
    enable(s[CONNECTED_COMMIT], {w.autoSaveConfiguration, w.resultDetailView, w.labelStateReview});
    page(s[CONNECTED_COMMIT], 5);

    for (QState *state : {s[DISPLAY], s[DISCONNECTED_COMMIT]}) {
        enable(state, selection);
        enable(state, {w.resultDetailView, w.labelStateReview});
        set(state, w.labelStateReview, "visible", true);
        page(state, 5);
    }

    // Undoing the edits belongs to the review, not to a routine on its way
    // out.
    for (QState *state : {s[REVIEW], s[LOAD], s[DISPLAY]})
        enable(state, {w.restoreRoutine});

    page(s[LOADING], 6);
    page(s[DISCONNECTED_LOADING], 6);

    for (QState *state : {s[CONTINUOUS], s[PAUSE]}) {
        enable(state, {w.moreLandings, w.fewerLandings});
        set(state, w.databaseWidget, "enabled", false);
        page(state, 7);
    }
    enable(s[CONTINUOUS], {w.labelStateRoutine});
    // Training pauses in a state of its own, not in a review.
    for (QState *state : {s[CONTINUOUS], s[PAUSE]})
        set(state, w.labelStatePause, "visible", true);
    enable(s[PAUSE], {w.labelStatePause});

    // The banner names the states whose page has no title of its own,
    // also the review in its detailed view.
    const std::pair<QState *, const char *> banners[] = {{s[START], "start"},
                                                         {s[ROUTINE], "routine"},
                                                         {s[REVIEW], "review"},
                                                         {s[LOAD], "review"},
                                                         {s[DISPLAY], "review"},
                                                         {s[CONNECTED_COMMIT], "commit"},
                                                         {s[DISCONNECTED_COMMIT], "commit"},
                                                         {s[DROP_TEST], "dropTest"},
                                                         {s[CONTINUOUS], "training"},
                                                         {s[PAUSE], "pause"}};
    for (const auto &[state, kind] : banners)
        set(state, w.stateBanner, "kind", QString::fromLatin1(kind));

    set(s[CONNECTED_DIAGNOSIS], w.labelStateDiagnostic, "visible", true);
    page(s[CONNECTED_DIAGNOSIS], 1);
    set(s[DISCONNECTED_DIAGNOSIS], w.labelStateDiagnostic, "visible", true);
    page(s[DISCONNECTED_DIAGNOSIS], 0);
}
