#include "DatabaseConfigDialog.h"

#include "widgets/StatusLight.h"
#include "wsdb.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

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

    // The kind of database: the local file or a competition server.
    auto *kind = new QGroupBox(tr("Database"), this);
    m_fileChoice = new QRadioButton(tr("Local file"), kind);
    m_fileChoice->setObjectName(QStringLiteral("fileChoice"));
    m_serverChoice = new QRadioButton(tr("Competition server"), kind);
    m_serverChoice->setObjectName(QStringLiteral("serverChoice"));
    auto *choices = new QButtonGroup(kind);
    choices->addButton(m_fileChoice);
    choices->addButton(m_serverChoice);
    m_host = new QLineEdit(kind);
    m_host->setObjectName(QStringLiteral("serverHost"));
    m_port = new QSpinBox(kind);
    m_port->setObjectName(QStringLiteral("serverPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(ovra::db::ServerAddress::kDefaultPort);
    m_databaseName = new QLineEdit(kind);
    m_databaseName->setObjectName(QStringLiteral("serverDatabase"));
    m_user = new QLineEdit(kind);
    m_user->setObjectName(QStringLiteral("serverUser"));
    m_password = new QLineEdit(kind);
    m_password->setObjectName(QStringLiteral("serverPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setPlaceholderText(tr("from ~/.pgpass or PGPASSWORD"));
    m_test = actionButton(kind, "testServerButton", tr("Test"));
    m_testLight = new StatusLight(kind);
    m_testLight->setObjectName(QStringLiteral("testServerLight"));
    m_testLight->setStatus(QStringLiteral("off"));
    m_testLabel = new QLabel(kind);
    m_testLabel->setObjectName(QStringLiteral("testServerLabel"));
    m_testLabel->setWordWrap(true);
    m_use = actionButton(kind, "useDatabaseButton", tr("Use"));
    auto *kindRow = new QHBoxLayout;
    kindRow->addWidget(m_fileChoice);
    kindRow->addWidget(m_serverChoice);
    kindRow->addStretch();
    auto *form = new QFormLayout;
    form->addRow(tr("Host"), m_host);
    form->addRow(tr("Port"), m_port);
    form->addRow(tr("Database name"), m_databaseName);
    form->addRow(tr("User"), m_user);
    form->addRow(tr("Password"), m_password);
    auto *testRow = new QHBoxLayout;
    testRow->addWidget(m_test);
    testRow->addWidget(m_testLight);
    testRow->addWidget(m_testLabel, 1);
    testRow->addWidget(m_use);
    auto *kindLayout = new QVBoxLayout(kind);
    kindLayout->addLayout(kindRow);
    kindLayout->addLayout(form);
    kindLayout->addLayout(testRow);
    m_probe = new QFutureWatcher<ovra::db::PostgresConnection::Probe>(this);
    connect(m_probe, &QFutureWatcher<ovra::db::PostgresConnection::Probe>::finished, this,
            &DatabaseConfigDialog::testFinished);
    connect(m_serverChoice, &QRadioButton::toggled, this, &DatabaseConfigDialog::updateChoice);
    connect(m_test, &QPushButton::clicked, this, &DatabaseConfigDialog::testServer);
    connect(m_use, &QPushButton::clicked, this, &DatabaseConfigDialog::useChoice);
    for (QLineEdit *edit : {m_host, m_databaseName, m_user})
        connect(edit, &QLineEdit::textChanged, this, &DatabaseConfigDialog::updateChoice);
    connect(m_port, &QSpinBox::valueChanged, this, &DatabaseConfigDialog::updateChoice);
    m_mergeServer = actionButton(this, "mergeServerButton", tr("Merge from Server"));
    connect(m_mergeServer, &QPushButton::clicked, this, &DatabaseConfigDialog::mergeFromServer);
    auto *mergeButtons = new QHBoxLayout;
    mergeButtons->addStretch();
    mergeButtons->addWidget(m_mergeServer);

    auto *layout = new QVBoxLayout(this);
    auto *currentRow = new QHBoxLayout;
    currentRow->addWidget(new QLabel(tr("Current database"), this));
    currentRow->addWidget(m_current, 1);
    layout->addLayout(currentRow);
    layout->addWidget(kind);
    layout->addWidget(actionGroup(this, tr("Load"), tr("Open an existing database file..."), load));
    layout->addWidget(actionGroup(this, tr("Save as"), tr("Save the current DB file as..."), save));
    layout->addWidget(actionGroup(this, tr("Create"),
                                  tr("Create a new DB file and copy the following tables, if desired..."),
                                  create, tables));
    layout->addWidget(
        actionGroup(this, tr("Merge"),
                    tr("Add data from another DB file without duplicates, or from the competition "
                       "server into the current file"),
                    merge, mergeButtons));
    layout->addWidget(m_result);
    layout->addWidget(buttons);
    resize(560, 760);

    connect(load, &QPushButton::clicked, this, &DatabaseConfigDialog::neuBrowseLoad);
    connect(save, &QPushButton::clicked, this, &DatabaseConfigDialog::neuBrowseSave);
    connect(create, &QPushButton::clicked, this, &DatabaseConfigDialog::neuBrowseCreate);
    connect(merge, &QPushButton::clicked, this, &DatabaseConfigDialog::neuBrowseMerge);
    reload();
}

void DatabaseConfigDialog::reload()
{
    const bool server = m_database.kind() == wsdb::Kind::Server;
    const QString path = m_database.databasePath();
    if (!m_database.isOpen())
        m_current->setText(tr("(no database open)"));
    else if (server)
        m_current->setText(tr("Competition server %1").arg(m_database.location()));
    else
        m_current->setText(QFileInfo(path).absoluteFilePath());
    if (server)
        setServerAddress(m_database.serverAddress());
    (server ? m_serverChoice : m_fileChoice)->setChecked(true);
    if (!m_probe->isRunning()) {
        m_testLight->setStatus(!server                    ? QStringLiteral("off")
                               : m_database.isReachable() ? QStringLiteral("success")
                                                          : QStringLiteral("failed"));
        m_testLabel->clear();
    }
    updateChoice();
}

void DatabaseConfigDialog::setServerAddress(const ovra::db::ServerAddress &address)
{
    m_host->setText(address.host);
    m_port->setValue(address.port > 0 ? address.port : ovra::db::ServerAddress::kDefaultPort);
    m_databaseName->setText(address.database);
    m_user->setText(address.user);
}

ovra::db::ServerAddress DatabaseConfigDialog::serverAddress() const
{
    ovra::db::ServerAddress address;
    address.host = m_host->text().trimmed();
    address.port = m_port->value();
    address.database = m_databaseName->text().trimmed();
    address.user = m_user->text().trimmed();
    return address;
}

void DatabaseConfigDialog::updateChoice()
{
    const bool server = m_serverChoice->isChecked();
    const bool complete = serverAddress().isComplete();
    for (QWidget *w : std::initializer_list<QWidget *>{m_host, m_port, m_databaseName, m_user, m_password})
        w->setEnabled(server);
    m_test->setEnabled(server && complete && !m_probe->isRunning());
    const bool onServer = m_database.kind() == wsdb::Kind::Server;
    m_use->setEnabled(server ? complete && !(onServer && serverAddress() == m_database.serverAddress())
                             : onServer || !m_database.isOpen());
    m_mergeServer->setEnabled(complete && m_database.isOpen() && !onServer);
}

QString DatabaseConfigDialog::currentDirectory() const
{
    const QString path = m_database.databasePath();
    return path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath();
}

bool DatabaseConfigDialog::storePassword()
{
    if (m_password->text().isEmpty())
        return true;
    QString error;
    if (!ovra::db::writePasswordEntry(serverAddress(), m_password->text(), &error)) {
        showResult(tr("The password could not be written into %1: %2").arg(ovra::db::passwordFile(), error),
                   true);
        return false;
    }
    m_password->clear();
    return true;
}

void DatabaseConfigDialog::testServer()
{
    if (m_probe->isRunning())
        return;
    m_testLight->setStatus(QStringLiteral("unknown"));
    m_testLabel->setText(tr("Connecting to %1 ...").arg(serverAddress().displayName()));
    // The password typed is tried as it is and written only once it works.
    m_probe->setFuture(QtConcurrent::run(&ovra::db::PostgresConnection::probe,
                                         serverAddress().conninfo(m_password->text())));
    updateChoice();
}

void DatabaseConfigDialog::testFinished()
{
    const ovra::db::PostgresConnection::Probe probe = m_probe->result();
    m_testLight->setStatus(probe.ok ? QStringLiteral("success") : QStringLiteral("failed"));
    QString text = probe.message;
    if (probe.ok)
        text += QLatin1Char(' ') + (probe.tablesPresent ? tr("(the competition tables are there)")
                                                        : tr("(the competition tables will be created)"));
    m_testLabel->setText(text);
    if (probe.ok)
        storePassword();
    updateChoice();
}

void DatabaseConfigDialog::useChoice()
{
    if (m_serverChoice->isChecked()) {
        const ovra::db::ServerAddress address = serverAddress();
        if (!address.isComplete() || !storePassword())
            return;
        bool used = false;
        {
            WaitCursor wait;
            used = m_database.switchToServer(address);
        }
        if (!used) {
            m_testLight->setStatus(QStringLiteral("failed"));
            showResult(tr("The competition server %1 does not answer. The current database stays open.")
                           .arg(address.displayName()),
                       true);
            return;
        }
        m_testLight->setStatus(QStringLiteral("success"));
        reload();
        showResult(tr("Now working on the competition server %1.").arg(address.displayName()), false);
        Q_EMIT databaseChanged(m_database.databasePath());
        return;
    }
    if (m_localFile.isEmpty())
        return;
    const QString server = m_database.location();
    const int waiting = m_database.kind() == wsdb::Kind::Server ? m_database.pendingMeasures() : 0;
    bool switched = false;
    {
        WaitCursor wait;
        switched = m_database.switchDatabase(m_localFile);
    }
    if (!switched) {
        showResult(tr("%1 is not an Ovra database. The current database stays open.").arg(m_localFile), true);
        return;
    }
    reload();
    QString text = tr("Now working on %1.").arg(m_localFile);
    // Routines the server has not taken stay on this workstation for it.
    if (waiting > 0)
        text += QLatin1Char('\n') +
                tr("%n routine(s) still wait for the competition server %1; they are stored there when it is "
                   "used again.",
                   nullptr, waiting)
                    .arg(server);
    showResult(text, waiting > 0);
    Q_EMIT databaseChanged(m_database.databasePath());
}

void DatabaseConfigDialog::mergeFromServer()
{
    const ovra::db::ServerAddress address = serverAddress();
    wsdb::MergeResult result;
    {
        WaitCursor wait;
        result = m_database.mergeFromServer(address.conninfo(m_password->text()));
    }
    if (!result.ok) {
        showResult(result.error, true);
        return;
    }
    storePassword();
    showResult(tr("Merged %1:").arg(address.displayName()) + QLatin1Char('\n') +
                   wsdb::mergeReport(result).join(QLatin1Char('\n')),
               false);
    Q_EMIT databaseMerged();
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
    // The competition server stays in use: the file is a copy of it (the
    // other workstations still save there).
    if (m_database.kind() == wsdb::Kind::Server) {
        bool copied = false;
        {
            WaitCursor wait;
            copied = m_database.copyToNewDatabase(chosen, flags);
        }
        showResult(copied
                       ? tr("The competition server was copied to %1; the server stays in use.").arg(chosen)
                       : tr("The database could not be written to %1.").arg(chosen),
                   !copied);
        return;
    }
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
