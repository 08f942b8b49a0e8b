#pragma once

#include <QFrame>

class QLabel;

// Pill-shaped labels, one per phase of the routine cycle. The state
// machine enables and shows them per state; an enabled pill is coloured, a
// disabled one grey on no colour.
class StateWidget : public QFrame
{
    Q_OBJECT
public:
    explicit StateWidget(QWidget *parent = nullptr);

    QLabel *labelStateDisconnected() const { return m_disconnected; }
    QLabel *labelStateReady() const { return m_ready; }
    QLabel *labelStateStart() const { return m_start; }
    QLabel *labelStateRoutine() const { return m_routine; }
    QLabel *labelStateReview() const { return m_review; }
    QLabel *labelStateDiagnostic() const { return m_diagnostic; }
    // Shown in continuous training, coloured while it pauses.
    QLabel *labelStatePause() const { return m_pause; }

private:
    QLabel *addPill(const char *objectName, const QString &text, const QString &enabledColors);

    QLabel *m_disconnected;
    QLabel *m_ready;
    QLabel *m_start;
    QLabel *m_routine;
    QLabel *m_review;
    QLabel *m_diagnostic;
    QLabel *m_pause;
};
