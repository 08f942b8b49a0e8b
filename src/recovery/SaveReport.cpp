#include "recovery/SaveReport.h"

#include <QDir>
#include <QFileInfo>

void SaveReport::addFile(const QString &path, bool saved)
{
    // A saved file is known by its name; a failed one by the whole path, so
    // that the operator sees where it could not be written.
    if (saved)
        m_lines << tr("Saved: %1").arg(QFileInfo(path).fileName());
    else
        m_lines << tr("Not saved: %1").arg(QDir::toNativeSeparators(path));
    m_failed = m_failed || !saved;
}

void SaveReport::addDatabase(bool stored, bool waiting)
{
    if (stored)
        m_lines << tr("Stored in the database");
    else if (waiting)
        m_lines << tr("Not stored in the database yet: it is tried again automatically");
    else
        m_lines << tr("Not stored in the database");
    m_failed = m_failed || !stored;
}

void SaveReport::addNothingStored()
{
    m_lines << tr("Not stored anywhere: autosave to file and to the database is off (F5)");
    m_failed = true;
}
