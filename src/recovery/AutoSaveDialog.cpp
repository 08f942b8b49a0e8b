#include "recovery/AutoSaveDialog.h"

#include "recovery/AutoSaveName.h"
#include "settings/AutoSaveSettings.h"

#include <QCheckBox>
#include <QCompleter>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

AutoSaveDialog::AutoSaveDialog(AutoSaveSettings &settings, const QMap<QString, QString> &routineMeta,
                               QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_meta(routineMeta)
{
    setObjectName(QStringLiteral("AutoSaveDialog"));
    setWindowTitle(tr("Autosave"));
    auto *layout = new QVBoxLayout(this);

    m_fileGroup = new QGroupBox(tr("File system"), this);
    auto *fileLayout = new QVBoxLayout(m_fileGroup);
    m_fileSaveCheckBox = new QCheckBox(tr("Enable autosave to file"), m_fileGroup);
    m_fileSaveCheckBox->setObjectName(QStringLiteral("fileSaveCheckBox"));
    fileLayout->addWidget(m_fileSaveCheckBox);

    m_fileContent = new QWidget(m_fileGroup);
    auto *grid = new QGridLayout(m_fileContent);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *pathButton = new QPushButton(tr("Path"), m_fileContent);
    pathButton->setObjectName(QStringLiteral("pathButton"));
    m_pathLabel = new QLabel(m_fileContent);
    m_pathLabel->setObjectName(QStringLiteral("pathLabel"));
    grid->addWidget(pathButton, 0, 0);
    grid->addWidget(m_pathLabel, 0, 1, 1, 2);
    auto *heading = new QLabel(tr("Filename template"), m_fileContent);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    grid->addWidget(heading, 1, 0, 1, 3);
    auto *explanation = new QLabel(
        tr("Use {{date}}, {{time}} and the keys of the routine information in double braces; "
           "a \"/\" in the template creates a subfolder."),
        m_fileContent);
    explanation->setWordWrap(true);
    grid->addWidget(explanation, 2, 0, 1, 3);
    m_filenameTemplateLineEdit = new QLineEdit(m_fileContent);
    m_filenameTemplateLineEdit->setObjectName(QStringLiteral("filenameTemplateLineEdit"));
    m_restoreDefaultButton = new QPushButton(tr("Restore default"), m_fileContent);
    m_restoreDefaultButton->setObjectName(QStringLiteral("restoreDefaultButton"));
    grid->addWidget(m_filenameTemplateLineEdit, 3, 0, 1, 2);
    grid->addWidget(m_restoreDefaultButton, 3, 2);
    m_suppressWhitespaceCheckBox = new QCheckBox(tr("Remove spaces"), m_fileContent);
    m_suppressWhitespaceCheckBox->setObjectName(QStringLiteral("suppressWhitespaceCheckBox"));
    grid->addWidget(m_suppressWhitespaceCheckBox, 4, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Resulting filename:"), m_fileContent), 5, 0);
    m_resultLabel = new QLabel(m_fileContent);
    m_resultLabel->setObjectName(QStringLiteral("resultingFilenameLabel"));
    m_resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_resultLabel, 5, 1, 1, 2);
    fileLayout->addWidget(m_fileContent);
    layout->addWidget(m_fileGroup);

    auto *databaseGroup = new QGroupBox(tr("Database"), this);
    auto *databaseLayout = new QVBoxLayout(databaseGroup);
    m_databaseSaveCheckBox = new QCheckBox(tr("Enable autosave to database"), databaseGroup);
    m_databaseSaveCheckBox->setObjectName(QStringLiteral("databaseSaveCheckBox"));
    databaseLayout->addWidget(m_databaseSaveCheckBox);
    layout->addWidget(databaseGroup);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AutoSaveDialog::okButtonClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &AutoSaveDialog::reject);
    layout->addWidget(buttons);

    QStringList completions{QStringLiteral("{{date}}"), QStringLiteral("{{time}}")};
    for (auto it = m_meta.cbegin(); it != m_meta.cend(); ++it)
        completions << QStringLiteral("{{%1}}").arg(it.key());
    m_completer = new QCompleter(completions, this);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_filenameTemplateLineEdit->setCompleter(m_completer);

    m_fileSaveCheckBox->setChecked(settings.fileSave());
    m_fileContent->setEnabled(settings.fileSave());
    m_databaseSaveCheckBox->setChecked(settings.databaseSave());
    m_suppressWhitespaceCheckBox->setChecked(settings.suppressWhitespace());
    m_filenameTemplateLineEdit->setText(settings.filenameTemplate());
    setPath(settings.path());

    connect(m_fileSaveCheckBox, &QCheckBox::toggled, m_fileContent, &QWidget::setEnabled);
    connect(pathButton, &QPushButton::clicked, this, &AutoSaveDialog::choosePath);
    connect(m_restoreDefaultButton, &QPushButton::clicked, this, [this] {
        m_filenameTemplateLineEdit->setText(QString::fromLatin1(AutoSaveSettings::kDefaultFilenameTemplate));
    });
    connect(m_filenameTemplateLineEdit, &QLineEdit::textChanged, this, &AutoSaveDialog::updatePreview);
    connect(m_suppressWhitespaceCheckBox, &QCheckBox::toggled, this, &AutoSaveDialog::updatePreview);
    updatePreview();
}

void AutoSaveDialog::setPath(const QString &path)
{
    m_path = path;
    // No folder chosen yet: the default one is where routines go.
    m_pathLabel->setText(
        QDir::toNativeSeparators(path.isEmpty() ? AutoSaveSettings::defaultDirectory() : path));
}

void AutoSaveDialog::choosePath()
{
    const QString start = m_path.isEmpty() ? AutoSaveSettings::defaultDirectory() : m_path;
    const QString directory = QFileDialog::getExistingDirectory(this, tr("Open Directory"), start);
    if (!directory.isEmpty())
        setPath(directory);
}

void AutoSaveDialog::updatePreview()
{
    m_resultLabel->setText(ovra::recovery::autoSaveFileName(m_meta, m_filenameTemplateLineEdit->text(),
                                                            m_suppressWhitespaceCheckBox->isChecked(),
                                                            QDateTime::currentDateTime()));
}

void AutoSaveDialog::okButtonClicked()
{
    m_settings.setPath(m_path);
    m_settings.setFilenameTemplate(m_filenameTemplateLineEdit->text());
    m_settings.setSuppressWhitespace(m_suppressWhitespaceCheckBox->isChecked());
    m_settings.setDatabaseSave(m_databaseSaveCheckBox->isChecked());
    m_settings.setFileSave(m_fileSaveCheckBox->isChecked());
    accept();
}
