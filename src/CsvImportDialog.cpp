#include "CsvImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

CsvImportDialog::CsvImportDialog(QWidget *parent)
    : QDialog(parent)
    , m_path(new QLabel(this))
    , m_problems(new QLabel(this))
    , m_separator(new QComboBox(this))
    , m_header(new QCheckBox(tr("(file contains a header row)"), this))
    , m_preview(new QStandardItemModel(this))
    , m_previewView(new QTableView(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("csvImportDialog"));
    setWindowTitle(tr("CSV Import"));
    m_fileChooser = [](QWidget *p, const QString &title, const QString &start) {
        return QFileDialog::getOpenFileName(p, title, start);
    };

    m_path->setObjectName(QStringLiteral("pathLabel"));
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_path->setMinimumWidth(320);
    auto *browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("browseButton"));
    browse->setText(QStringLiteral("..."));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(browse);

    m_separator->setObjectName(QStringLiteral("separatorCombo"));
    m_separator->addItems({tr("Comma"), tr("Colon"), tr("Semicolon"), tr("Pipe"), tr("Tab")});
    m_header->setObjectName(QStringLiteral("headerCheckBox"));
    m_previewView->setObjectName(QStringLiteral("previewView"));
    m_previewView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_previewView->verticalHeader()->setVisible(false);

    auto *form = new QFormLayout;
    form->addRow(tr("File:"), fileRow);
    form->addRow(tr("Separator:"), m_separator);
    form->addRow(tr("Header:"), m_header);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Preview"), this));
    layout->addWidget(m_previewView, 1);
    m_problems->setObjectName(QStringLiteral("problemsLabel"));
    m_problems->setWordWrap(true);
    m_problems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_problems);
    layout->addWidget(m_buttons);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    resize(640, 420);

    connect(browse, &QToolButton::clicked, this, &CsvImportDialog::chooseFile);
    connect(m_separator, &QComboBox::currentIndexChanged, this, &CsvImportDialog::refreshPreview);
    connect(m_header, &QCheckBox::toggled, this, &CsvImportDialog::refreshPreview);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CsvImportDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CsvImportDialog::reject);
}

void CsvImportDialog::chooseFile()
{
    const QString chosen = m_fileChooser(this, tr("Open"), m_file);
    if (!chosen.isEmpty())
        setFile(chosen);
}

void CsvImportDialog::setFile(const QString &path)
{
    m_file = path;
    m_path->setText(path);
    CsvSource source;
    source.path = path;
    const CsvSource::Proposal proposal = source.propose();
    if (proposal.opened) {
        // One refresh for both changes.
        const QSignalBlocker separatorBlocker(m_separator);
        const QSignalBlocker headerBlocker(m_header);
        m_separator->setCurrentIndex(CsvSource::indexOfSeparator(proposal.separator));
        m_header->setChecked(proposal.header);
    }
    refreshPreview();
}

CsvSource CsvImportDialog::current() const
{
    CsvSource source;
    source.path = m_file;
    source.separator = CsvSource::separatorForIndex(m_separator->currentIndex());
    source.header = m_header->isChecked();
    return source;
}

void CsvImportDialog::refreshPreview()
{
    // A file that cannot be read shows no preview and cannot be imported.
    CsvTable table;
    const bool loaded = !m_file.isEmpty() && current().loadCsv(*m_preview, kPreviewRows, &table);
    m_previewView->setModel(loaded ? m_preview : nullptr);
    if (loaded)
        m_previewView->resizeColumnsToContents();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(loaded);
    QStringList lines;
    if (loaded) {
        lines << tr("Encoding: %1").arg(table.encoding);
        if (!table.unreadable.isEmpty())
            lines << tr("%n row(s) cannot be read and will not be imported:", nullptr,
                        int(table.unreadable.size()));
        for (const CsvProblem &problem : std::as_const(table.unreadable))
            lines << tr("line %1: %2 (%3)").arg(problem.line).arg(problem.text.left(80), problem.reason);
    } else if (!m_file.isEmpty()) {
        lines << tr("The file cannot be read: %1").arg(table.error);
    }
    m_problems->setText(lines.join(QLatin1Char('\n')));
    m_problems->setStyleSheet(
        table.unreadable.isEmpty() && loaded ? QString() : QStringLiteral("QLabel { color: #c02020; }"));
}

void CsvImportDialog::accept()
{
    m_source = current();
    QDialog::accept();
}
