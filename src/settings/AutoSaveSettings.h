#pragma once

#include <QObject>
#include <QString>

// Where and how committed routines are saved automatically. Every setter
// announces a value only when it differs from the one held.
class AutoSaveSettings : public QObject
{
    Q_OBJECT
public:
    explicit AutoSaveSettings(QObject *parent = nullptr) : QObject(parent) {}

    QString path() const { return m_path; }
    // The folder routines are saved to: the chosen one, or "Ovra" in the
    // user's documents while none has been chosen (the program's working
    // directory is nowhere an operator would look for them).
    QString targetDirectory() const;
    static QString defaultDirectory();
    bool fileSave() const { return m_fileSave; }
    bool databaseSave() const { return m_databaseSave; }
    bool suppressWhitespace() const { return m_suppressWhitespace; }
    QString filenameTemplate() const { return m_filenameTemplate; }

    void setPath(const QString &path);
    void setFileSave(bool fileSave);
    void setDatabaseSave(bool databaseSave);
    void setSuppressWhitespace(bool suppressWhitespace);
    void setFilenameTemplate(const QString &filenameTemplate);

    static constexpr const char *kDefaultFilenameTemplate = "{{date}}_{{time}}";

Q_SIGNALS:
    void pathChanged(QString path);
    void fileSaveChanged(bool fileSave);
    void databaseSaveChanged(bool databaseSave);
    void suppressWhitespaceChanged(bool whitespaceChanges);
    void filenameTemplateChanged(QString filenameTemplate);

private:
    QString m_path;
    bool m_fileSave = false;
    bool m_databaseSave = false;
    bool m_suppressWhitespace = false;
    QString m_filenameTemplate = QString::fromLatin1(kDefaultFilenameTemplate);
};
