#include "state/RoutineGuard.h"

#include <QDebug>

RoutineGuard::RoutineGuard(QObject *parent)
    : QObject(parent)
{}

QString RoutineGuard::discardQuestion(const QString &athlete)
{
    return athlete.isEmpty()
               ? tr("Discard this routine? It names no athlete.\nX again to discard, Esc to keep")
               : tr("Discard %1's routine?\nX again to discard, Esc to keep").arg(athlete);
}

QString RoutineGuard::shortCommitQuestion(const QString &athlete, int landings)
{
    if (athlete.isEmpty()) {
        return landings == 1 ? tr("Commit a routine of only 1 landing? It names no athlete.\nEnter to "
                                  "commit, Esc to go on "
                                  "reviewing")
                             : tr("Commit a routine of only %1 landings? It names no athlete.\nEnter to "
                                  "commit, Esc to go "
                                  "on reviewing")
                                   .arg(landings);
    }
    return landings == 1
               ? tr("Commit %1's routine of only 1 landing?\nEnter to commit, Esc to go on reviewing")
                     .arg(athlete)
               : tr("Commit %1's routine of only %2 landings?\nEnter to commit, Esc to go on reviewing")
                     .arg(athlete)
                     .arg(landings);
}

bool RoutineGuard::requestDismiss(const QString &athlete, bool guarded)
{
    if (m_question == Question::Discard) {
        clear();
        return true;
    }
    // The commit question is answered with Enter or Escape first.
    if (m_question == Question::ShortCommit)
        return false;
    if (!guarded)
        return true;
    ask(Question::Discard, discardQuestion(athlete));
    return false;
}

bool RoutineGuard::requestCommit(const QString &athlete, int landings, bool guarded)
{
    if (m_question != Question::None)
        return false;
    if (!guarded || landings >= kMinimumLandings)
        return true;
    ask(Question::ShortCommit, shortCommitQuestion(athlete, landings));
    return false;
}

bool RoutineGuard::confirm()
{
    if (m_question != Question::ShortCommit)
        return false;
    clear();
    return true;
}

bool RoutineGuard::keep()
{
    if (m_question == Question::None)
        return false;
    qInfo().noquote() << "The routine is kept:" << m_text;
    clear();
    return true;
}

void RoutineGuard::clear()
{
    if (m_question == Question::None)
        return;
    m_question = Question::None;
    m_text.clear();
    Q_EMIT questionChanged(QString());
}

void RoutineGuard::ask(Question question, const QString &text)
{
    m_question = question;
    m_text = text;
    qInfo().noquote() << "Asking:" << text;
    Q_EMIT questionChanged(text);
}
