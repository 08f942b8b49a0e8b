#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What the operator is told after saving a routine: one line per target
// (a file by its name, the database), green when every save succeeded and
// red as soon as one failed.
class SaveReport
{
    Q_DECLARE_TR_FUNCTIONS(SaveReport)
public:
    void addFile(const QString &path, bool saved);
    // waiting: a measure not stored yet is kept and tried again.
    void addDatabase(bool stored, bool waiting = false);
    // Neither autosave is on: the routine is kept nowhere, which the
    // operator is told after every commit.
    void addNothingStored();

    bool isEmpty() const { return m_lines.isEmpty(); }
    bool failed() const { return m_failed; }
    QString text() const { return m_lines.join(QLatin1Char('\n')); }

private:
    QStringList m_lines;
    bool m_failed = false;
};
