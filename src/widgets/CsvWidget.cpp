#include "widgets/CsvWidget.h"

#include "util/CsvSource.h"

#include <QAction>
#include <QDebug>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

CsvWidget::CsvWidget(QWidget *parent)
    : QWidget(parent)
    , m_model(new QStandardItemModel(this))
    , m_tableView(new QTableView(this))
    , m_titleLabel(new QLabel(tr("Starting List"), this))
    , m_hintLabel(new QLabel(tr("Right-click for more options"), this))
{
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_hintLabel->setObjectName(QStringLiteral("hintLabel"));
    m_tableView->setObjectName(QStringLiteral("csvTableView"));
    m_tableView->setModel(m_model);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The keyboard stays with the main window: Space is the next-step key.
    m_tableView->setFocusPolicy(Qt::NoFocus);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    QFont headerFont = m_tableView->horizontalHeader()->font();
    headerFont.setPointSize(12);
    m_tableView->horizontalHeader()->setFont(headerFont);
    m_tableView->verticalHeader()->setVisible(false);
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableView->verticalHeader()->setDefaultSectionSize(24);
    m_tableView->setShowGrid(false);
    m_tableView->setAlternatingRowColors(true);
    m_tableView->setWordWrap(false);
    // The view keeps its one model, so this connection is made once however
    // often a list is imported.
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CsvWidget::csvTableViewSelectionChanged);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_titleLabel);
    layout->addWidget(m_tableView, 1);
    layout->addWidget(m_hintLabel);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *import = new QAction(tr("Open CSV import dialog"), this);
    connect(import, &QAction::triggered, this, &CsvWidget::openImportCsvDialog);
    auto *clearList = new QAction(tr("Clear list"), this);
    connect(clearList, &QAction::triggered, this, [this] {
        clear();
        Q_EMIT clearCsvWidget();
    });
    m_automaticallyProceed = new QAction(tr("Automatically proceed"), this);
    m_automaticallyProceed->setCheckable(true);
    m_automaticallyProceed->setChecked(true);
    m_restartAfterLast = new QAction(tr("Restart after last"), this);
    m_restartAfterLast->setCheckable(true);
    m_restartAfterLast->setChecked(true);
    auto *deselect = new QAction(tr("Deselect"), this);
    connect(deselect, &QAction::triggered, this, &CsvWidget::clearSelection);
    addActions({import, clearList, m_automaticallyProceed, m_restartAfterLast, deselect});
}

bool CsvWidget::loadSource(const CsvSource &source, CsvTable *read)
{
    m_tableView->clearSelection();
    return source.loadCsv(*m_model, -1, read);
}

int CsvWidget::selectedRow() const
{
    const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CsvWidget::selectRow(int row)
{
    m_tableView->selectRow(row);
}

void CsvWidget::step(int step)
{
    const int rows = m_model->rowCount();
    const int row = selectedRow();
    const int target = row < 0 ? (step > 0 ? 0 : -1) : row + step;
    if (target >= 0 && target < rows && target != row)
        selectRow(target);
}

void CsvWidget::clear()
{
    m_tableView->clearSelection();
    m_model->clear();
}

void CsvWidget::clearSelection()
{
    m_tableView->clearSelection();
}

void CsvWidget::next()
{
    const int row = selectedRow();
    if (!m_automaticallyProceed->isChecked() || row < 0)
        return;
    if (row + 1 < m_model->rowCount()) {
        selectRow(row + 1);
    } else if (m_restartAfterLast->isChecked()) {
        // A list of one row stays on it: its meta information is announced
        // again for the next routine.
        if (row == 0)
            emitSelectedRow();
        else
            selectRow(0);
    } else {
        clearSelection();
    }
}

void CsvWidget::csvTableViewSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    if (!selected.isEmpty())
        emitSelectedRow();
    else if (!deselected.isEmpty() && selectedRow() < 0)
        Q_EMIT rowDeselected();
}

void CsvWidget::emitSelectedRow()
{
    QMap<QString, QString> meta;
    QModelIndexList cells = m_tableView->selectionModel()->selectedIndexes();
    if (cells.isEmpty())
        return;
    std::sort(cells.begin(), cells.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.column() < b.column(); });
    for (const QModelIndex &cell : cells) {
        const QString key = m_model->headerData(cell.column(), Qt::Horizontal).toString();
        const QString value = cell.data().toString();
        qDebug().noquote() << key + QStringLiteral(": ") + value;
        meta.insert(key, value);
    }
    Q_EMIT receivedRoutineMeta(meta);
}
