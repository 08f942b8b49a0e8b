#pragma once

#include "widgets/FittingLabel.h"

#include <QString>

// A wide banner above the result pages that names the state and its keys in
// large type, readable from the bed: START, ROUTINE, REVIEW (also in the
// detailed view), the commit, the drop test, training and its pause. The
// state machine sets its "kind" per state (empty: hidden). An open question
// about the reviewed routine takes its place until it is answered.
class StateBanner : public FittingLabel
{
    Q_OBJECT
    Q_PROPERTY(QString kind READ kind WRITE setKind)
public:
    explicit StateBanner(QWidget *parent = nullptr);

    QString kind() const { return m_kind; }
    void setKind(const QString &kind);
    QString question() const { return m_question; }
    void setQuestion(const QString &question);
    // The text for a kind, in the operator's language; empty for none.
    static QString textFor(const QString &kind);

private:
    void refresh();

    QString m_kind;
    QString m_question;
};
