#include "settings/AutoSaveSettings.h"

#include <QDir>
#include <QStandardPaths>

QString AutoSaveSettings::targetDirectory() const
{
    return m_path.isEmpty() ? defaultDirectory() : m_path;
}

QString AutoSaveSettings::defaultDirectory()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("Ovra"));
}

void AutoSaveSettings::setPath(const QString &path)
{
    if (m_path == path)
        return;
    m_path = path;
    Q_EMIT pathChanged(m_path);
}

void AutoSaveSettings::setFileSave(bool fileSave)
{
    if (m_fileSave == fileSave)
        return;
    m_fileSave = fileSave;
    Q_EMIT fileSaveChanged(m_fileSave);
}

void AutoSaveSettings::setDatabaseSave(bool databaseSave)
{
    if (m_databaseSave == databaseSave)
        return;
    m_databaseSave = databaseSave;
    Q_EMIT databaseSaveChanged(m_databaseSave);
}

void AutoSaveSettings::setSuppressWhitespace(bool suppressWhitespace)
{
    if (m_suppressWhitespace == suppressWhitespace)
        return;
    m_suppressWhitespace = suppressWhitespace;
    Q_EMIT suppressWhitespaceChanged(m_suppressWhitespace);
}

void AutoSaveSettings::setFilenameTemplate(const QString &filenameTemplate)
{
    if (m_filenameTemplate == filenameTemplate)
        return;
    m_filenameTemplate = filenameTemplate;
    Q_EMIT filenameTemplateChanged(m_filenameTemplate);
}
