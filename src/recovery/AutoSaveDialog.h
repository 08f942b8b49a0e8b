#pragma once

#include <QDialog>
#include <QMap>

class AutoSaveSettings;
class QCheckBox;
class QCompleter;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Where committed routines are saved automatically: the file system target
// with its name template and a preview of the resulting name, and the
// database switch.
class AutoSaveDialog : public QDialog
{
    Q_OBJECT
public:
    AutoSaveDialog(AutoSaveSettings &settings, const QMap<QString, QString> &routineMeta,
                   QWidget *parent = nullptr);

    QCheckBox *fileSaveCheckBox() const { return m_fileSaveCheckBox; }
    QCheckBox *databaseSaveCheckBox() const { return m_databaseSaveCheckBox; }
    QCheckBox *suppressWhitespaceCheckBox() const { return m_suppressWhitespaceCheckBox; }
    QLineEdit *filenameTemplateLineEdit() const { return m_filenameTemplateLineEdit; }
    QLabel *pathLabel() const { return m_pathLabel; }
    QLabel *resultingFilenameLabel() const { return m_resultLabel; }
    QCompleter *completer() const { return m_completer; }
    QPushButton *restoreDefaultButton() const { return m_restoreDefaultButton; }

    void setPath(const QString &path);

public Q_SLOTS:
    void okButtonClicked();
    void updatePreview();

private:
    void choosePath();

    AutoSaveSettings &m_settings;
    QMap<QString, QString> m_meta;
    QString m_path;
    QGroupBox *m_fileGroup = nullptr;
    QWidget *m_fileContent = nullptr;
    QCheckBox *m_fileSaveCheckBox = nullptr;
    QCheckBox *m_databaseSaveCheckBox = nullptr;
    QCheckBox *m_suppressWhitespaceCheckBox = nullptr;
    QLineEdit *m_filenameTemplateLineEdit = nullptr;
    QLabel *m_pathLabel = nullptr;
    QLabel *m_resultLabel = nullptr;
    QCompleter *m_completer = nullptr;
    QPushButton *m_restoreDefaultButton = nullptr;
};
