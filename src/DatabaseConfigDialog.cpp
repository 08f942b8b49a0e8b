#include "DatabaseConfigDialog.h"

#include "wsdb.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The wait cursor while a database action runs.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

QGroupBox *actionGroup(QWidget *parent, const QString &title, const QString &explanation, QPushButton *button,
                       QLayout *extra = nullptr)
{
    auto *group = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(group);
    auto *text = new QLabel(explanation, group);
    text->setWordWrap(true);
    layout->addWidget(text);
    if (extra)
        layout->addLayout(extra);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    layout->addLayout(row);
    return group;
}

QPushButton *actionButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

DatabaseConfigDialog::DatabaseConfigDialog(wsdb &database, wsDaten &store, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
{
    Q_UNUSED(store)
    setObjectName(QStringLiteral("databaseConfigDialog"));
    setWindowTitle(tr("DB Config"));
    m_fileChooser = [this](bool save, const QString &title, const QString &start, const QString &filter) {
        return save ? QFileDialog::getSaveFileName(this, title, start, filter)
                    : QFileDialog::getOpenFileName(this, title, start, filter);
    };

    m_current = new QLabel(this);
    m_current->setObjectName(QStringLiteral("currentFileLabel"));
    m_current->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_current->setWordWrap(true);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("resultLabel"));
    m_result->setWordWrap(true);

    QPushButton *load = actionButton(this, "loadButton", tr("Browse and Load"));
    QPushButton *save = actionButton(this, "saveButton", tr("Browse and Save as"));
    QPushButton *create = actionButton(this, "createButton", tr("Browse and Create"));
    QPushButton *merge = actionButton(this, "mergeButton", tr("Browse and Merge"));
    auto *tables = new QHBoxLayout;
    const QString names[5] = {tr("Athlets"), tr("Events"), tr("Competitions"), tr("Groups"), tr("Measures")};
    for (int i = 0; i < 5; ++i) {
        m_tables[i] = new QCheckBox(names[i], this);
        m_tables[i]->setObjectName(QStringLiteral("tableBox%1").arg(i));
        tables->addWidget(m_tables[i]);
    }
    tables->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    auto *currentRow = new QHBoxLayout;
    currentRow->addWidget(new QLabel(tr("Current DB file"), this));
    currentRow->addWidget(m_current, 1);
    layout->addLayout(currentRow);
    layout->addWidget(actionGroup(this, tr("Load"), tr("Open an existing database file..."), load));
    layout->addWidget(actionGroup(this, tr("Save as"), tr("Save the current DB file as..."), save));
    layout->addWidget(actionGroup(this, tr("Create"),
                                  tr("Create a new DB file and copy the following tables, if desired..."),
                                  create, tables));
    layout->addWidget(
        actionGroup(this, tr("Merge"), tr("Add data from another DB file without duplicates"), merge));
    layout->addWidget(m_result);
    layout->addWidget(buttons);
    resize(560, 520);

    connect(load, &QPushButton::clicked, this, &DatabaseConfigDialog::neuBrowseLoad);
    connect(save, &QPushButton::clicked, this, &DatabaseConfigDialog::neuBrowseSave);
    connect(create, &QPushButton::clicked, this, &DatabaseConfigDialog::neuBrowseCreate);
    connect(merge, &QPushButton::clicked, this, &DatabaseConfigDialog::neuBrowseMerge);
    reload();
}

void DatabaseConfigDialog::reload()
{
    const QString path = m_database.databasePath();
    m_current->setText(path.isEmpty() ? tr("(no database open)") : QFileInfo(path).absoluteFilePath());
}

QString DatabaseConfigDialog::currentDirectory() const
{
    return QFileInfo(m_database.databasePath()).absolutePath();
}

void DatabaseConfigDialog::showResult(const QString &text, bool failed)
{
    m_result->setText(text);
    m_result->setStyleSheet(failed ? QStringLiteral("QLabel { color: #c02020; }") : QString());
}

void DatabaseConfigDialog::neuBrowseLoad()
{
    const QString chosen =
        m_fileChooser(false, tr("Open Database"), m_database.databasePath(), tr("Database (*.db)"));
    if (chosen.isEmpty())
        return;
    bool switched = false;
    {
        WaitCursor wait;
        switched = m_database.switchDatabase(chosen);
    }
    if (!switched) {
        showResult(tr("%1 is not an Ovra database. The current database stays open.").arg(chosen), true);
        return;
    }
    reload();
    showResult(tr("Loaded %1.").arg(chosen), false);
    Q_EMIT databaseChanged(m_database.databasePath());
}

void DatabaseConfigDialog::copyAndSwitch(const QString &title, int flags)
{
    const QString chosen = m_fileChooser(true, title, currentDirectory(), tr("Database (*.db)"));
    if (chosen.isEmpty())
        return;
    bool copied = false;
    bool switched = false;
    {
        WaitCursor wait;
        copied = m_database.copyToNewDatabase(chosen, flags);
        switched = copied && m_database.switchDatabase(chosen);
    }
    if (!copied) {
        showResult(
            tr("The database could not be written to %1. The current database stays open.").arg(chosen),
            true);
        return;
    }
    if (!switched) {
        showResult(
            tr("The database was written to %1 but could not be opened. The current database stays open.")
                .arg(chosen),
            true);
        return;
    }
    reload();
    showResult(tr("Now working on %1.").arg(chosen), false);
    Q_EMIT databaseChanged(m_database.databasePath());
}

void DatabaseConfigDialog::neuBrowseSave()
{
    copyAndSwitch(tr("Save Database as"), wsdb::CopyAll);
}

void DatabaseConfigDialog::neuBrowseCreate()
{
    int flags = 0;
    for (int i = 0; i < 5; ++i) {
        if (m_tables[i]->isChecked())
            flags |= 1 << i;
    }
    copyAndSwitch(tr("Create Database"), flags);
}

void DatabaseConfigDialog::neuBrowseMerge()
{
    const QString chosen = m_fileChooser(false, tr("Merge Database, Select Source File"), currentDirectory(),
                                         tr("Database (*.db)"));
    if (chosen.isEmpty())
        return;
    wsdb::MergeResult result;
    {
        WaitCursor wait;
        result = m_database.mergeFromDatabase(chosen);
    }
    if (!result.ok) {
        showResult(result.error.isEmpty() ? tr("%1 could not be merged; nothing was added.").arg(chosen)
                                          : result.error,
                   true);
        return;
    }
    showResult(tr("Merged %1:").arg(chosen) + QLatin1Char('\n') +
                   wsdb::mergeReport(result).join(QLatin1Char('\n')),
               false);
    Q_EMIT databaseMerged();
}
