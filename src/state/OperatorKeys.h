#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class OvraState;

// The operator's keys of the routine cycle, decided against the current
// state: the next-step keys (Space, "." and "1") with their delay lock, X to
// dismiss, Enter to answer yes to a question about the reviewed routine, and
// Escape, which resets START and continuous training, keeps the reviewed
// routine when a question about it is open, and, when pressed three times
// within 3000 ms in READY, asks for data recovery.
class OperatorKeys : public QObject
{
    Q_OBJECT
public:
    static constexpr int kEscapeWindowMs = 3000;

    // `spaceDelayMs` is asked for the delay lock on every accepted key, so
    // that a changed setting applies at once.
    OperatorKeys(const OvraState &state, std::function<int()> spaceDelayMs, QObject *parent = nullptr);

    // Returns true when the key is one of the operator's keys (whether it
    // was accepted or refused).
    bool handleKeyPress(int key, Qt::KeyboardModifiers modifiers);

    // The next-step keys and X, which the routine cycle owns in the whole
    // window (Escape is left to the control that has the focus).
    static bool isRoutineKey(int key, Qt::KeyboardModifiers modifiers);

    bool isSpaceEnabled() const { return m_spaceEnabled; }
    int escapeCount() const { return m_escapeCount; }

Q_SIGNALS:
    void nextInnerState();
    // A next-step key arrived while locked or in a state that refuses it,
    // with a master box connected.
    void nextStepRefused();
    void dismissRoutine();
    // Enter, and Escape in a review state (REVIEW, LOAD, DISPLAY).
    void confirmKey();
    void keepRoutine();
    void resetToReady();
    void recoverData();

private:
    void nextStepKey();
    void escapeKey();

    const OvraState &m_state;
    std::function<int()> m_spaceDelayMs;
    bool m_spaceEnabled = true;
    int m_escapeCount = 0;
    QTimer m_spaceTimer;
    QTimer m_escapeTimer;
};
