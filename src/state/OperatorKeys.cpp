#include "state/OperatorKeys.h"

#include "state/OvraState.h"

OperatorKeys::OperatorKeys(const OvraState &state, std::function<int()> spaceDelayMs, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_spaceDelayMs(std::move(spaceDelayMs))
{
    m_spaceTimer.setSingleShot(true);
    connect(&m_spaceTimer, &QTimer::timeout, this, [this] { m_spaceEnabled = true; });
    m_escapeTimer.setSingleShot(true);
    m_escapeTimer.setInterval(kEscapeWindowMs);
    connect(&m_escapeTimer, &QTimer::timeout, this, [this] { m_escapeCount = 0; });
}

namespace {

// Keypad keys carry the keypad modifier; clickers and number pads send "1"
// and "." from there, so that one does not count as a modifier.
bool withoutModifier(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

bool OperatorKeys::isRoutineKey(int key, Qt::KeyboardModifiers modifiers)
{
    return withoutModifier(modifiers) &&
           (key == Qt::Key_Space || key == Qt::Key_Period || key == Qt::Key_1 || key == Qt::Key_X);
}

bool OperatorKeys::handleKeyPress(int key, Qt::KeyboardModifiers modifiers)
{
    if (!withoutModifier(modifiers))
        return false;
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Period:
    case Qt::Key_1:
        nextStepKey();
        return true;
    case Qt::Key_X:
        Q_EMIT dismissRoutine();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT confirmKey();
        return true;
    case Qt::Key_Escape:
        escapeKey();
        return true;
    default:
        return false;
    }
}

void OperatorKeys::nextStepKey()
{
    const bool connected = m_state.isUsbConnected();
    const bool accepted = connected ? m_state.connectedInnerState() != OvraState::CONNECTED_COMMIT
                                    : m_state.disconnectedInnerState() == OvraState::DISPLAY;
    if (m_spaceEnabled && accepted) {
        // The lock is set before the signal so that a key handled while the
        // state work runs is already refused.
        m_spaceEnabled = false;
        m_spaceTimer.start(std::max(0, m_spaceDelayMs ? m_spaceDelayMs() : 0));
        Q_EMIT nextInnerState();
    } else if (connected) {
        Q_EMIT nextStepRefused();
    }
}

void OperatorKeys::escapeKey()
{
    if (!m_state.isUsbConnected()) {
        if (m_state.disconnectedInnerState() == OvraState::DISPLAY)
            Q_EMIT keepRoutine();
        return;
    }
    const int state = m_state.connectedInnerState();
    if (state == OvraState::REVIEW || state == OvraState::LOAD) {
        Q_EMIT keepRoutine();
        return;
    }
    if (state == OvraState::START || state == OvraState::CONTINUOUS || state == OvraState::PAUSE) {
        Q_EMIT resetToReady();
        return;
    }
    if (state != OvraState::READY)
        return;
    if (m_escapeCount == 0) {
        m_escapeCount = 1;
        m_escapeTimer.start();
    } else if (m_escapeCount == 1) {
        m_escapeCount = 2;
    } else {
        // Counting starts over after a recovery, so a fourth press does not
        // open a second one.
        m_escapeCount = 0;
        m_escapeTimer.stop();
        Q_EMIT recoverData();
    }
}
