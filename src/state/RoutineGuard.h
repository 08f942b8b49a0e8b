#pragma once

#include <QObject>
#include <QString>

// The operator's irreversible single actions on a measured routine ask
// first: X discards it only when pressed again, and a routine of fewer than
// kMinimumLandings landings is committed (saved and sent) only after Enter.
// Escape keeps the routine. While a question is open every other next-step
// key is refused, so that keys pressed by habit answer nothing.
//
// The guard decides and words the question; the window shows it and does
// what it returns.
class RoutineGuard : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMinimumLandings = 3;
    enum class Question { None, Discard, ShortCommit };

    explicit RoutineGuard(QObject *parent = nullptr);

    // X or the dismiss button. athlete names the routine's athlete (empty
    // when it names nobody); guarded is false for a routine that loses
    // nothing when dismissed (one loaded from a file or the database).
    // True when the routine is to be discarded now.
    bool requestDismiss(const QString &athlete, bool guarded);
    // The next-step key, the confirm button or a remote command in review.
    // True when the routine is to be committed now.
    bool requestCommit(const QString &athlete, int landings, bool guarded);
    // Enter: true when it answered the commit question with yes.
    bool confirm();
    // Escape: true when it closed a question (the routine is kept).
    bool keep();
    // The routine changed (an edit) or the review ended: no question stands.
    void clear();

    Question question() const { return m_question; }
    QString questionText() const { return m_text; }

    static QString discardQuestion(const QString &athlete);
    static QString shortCommitQuestion(const QString &athlete, int landings);

Q_SIGNALS:
    // The question to show; empty when none is open.
    void questionChanged(const QString &text);

private:
    void ask(Question question, const QString &text);

    Question m_question = Question::None;
    QString m_text;
};
