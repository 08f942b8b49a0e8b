#include "widgets/SynchronizedResultsTableModel.h"

#include <QColor>
#include <QFont>

namespace widget::synchronized {

namespace {

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

const QColor SynchronizedResultsTableModel::kNotSynchronousBackground(255, 205, 205);
const QColor SynchronizedResultsTableModel::kNotSynchronousForeground(170, 0, 0);
const QColor SynchronizedResultsTableModel::kNotCountingForeground(160, 160, 160);

SynchronizedResultsTableModel::SynchronizedResultsTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int SynchronizedResultsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kRows;
}

int SynchronizedResultsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QString SynchronizedResultsTableModel::text(int row, int column) const
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return QString();
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool SynchronizedResultsTableModel::isNotSynchronous(int row) const
{
    return row >= 0 && row < kRows && m_notSynchronous[static_cast<std::size_t>(row)];
}

bool SynchronizedResultsTableModel::isNotCounting(int row) const
{
    if (row < 0 || row >= kLandingRows || m_cells[static_cast<std::size_t>(row)][ColumnSyn].isEmpty())
        return false;
    for (int earlier = 0; earlier < row; ++earlier) {
        if (m_notSynchronous[static_cast<std::size_t>(earlier)])
            return true;
    }
    return false;
}

QVariant SynchronizedResultsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= kRows || index.column() >= kColumns)
        return QVariant();
    const bool apart = isNotSynchronous(index.row());
    const bool notCounting = !apart && isNotCounting(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignCenter);
    case Qt::BackgroundRole:
        return apart ? QVariant(kNotSynchronousBackground) : QVariant();
    case Qt::ForegroundRole:
        if (apart)
            return QVariant(kNotSynchronousForeground);
        return notCounting ? QVariant(kNotCountingForeground) : QVariant();
    case Qt::ToolTipRole:
        if (apart)
            return QVariant(tr("Not synchronous: this pair and all later pairs do not count"));
        return notCounting ? QVariant(tr("Does not count: an earlier pair was not synchronous")) : QVariant();
    case Qt::FontRole:
        if (index.row() == kTotalRow || apart || notCounting) {
            QFont font;
            font.setBold(index.row() == kTotalRow);
            font.setStrikeOut(apart);
            font.setItalic(notCounting);
            return font;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant SynchronizedResultsTableModel::headerData(int section, Qt::Orientation orientation,
                                                   int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical) {
        if (section < 0 || section >= kRows)
            return QVariant();
        return section == kTotalRow ? tr("Tot") : QString::number(section + 1);
    }
    switch (section) {
    case ColumnHd1Deduction:
        return tr("HD1-Ded");
    case ColumnHd2Deduction:
        return tr("HD2-Ded");
    case ColumnHd1:
        return tr("HD1");
    case ColumnHd2:
        return tr("HD2");
    case ColumnSynDeduction:
        return tr("Syn-Ded");
    case ColumnSyn:
        return tr("Syn");
    case ColumnTimeDifference:
        return tr("dT [s]");
    default:
        return QVariant();
    }
}

void SynchronizedResultsTableModel::setLanding(int index, data::model::Landing landingTrampoline1,
                                               data::model::Landing landingTrampoline2)
{
    if (index < 0 || index >= kLandingRows)
        return;
    beginResetModel();
    auto &row = m_cells[static_cast<std::size_t>(index)];
    row[ColumnHd1Deduction] = fixed(landingTrampoline1.hdDeduction, 1);
    row[ColumnHd2Deduction] = fixed(landingTrampoline2.hdDeduction, 1);
    row[ColumnHd1] = fixed(1.0 - landingTrampoline1.hdDeduction, 1);
    row[ColumnHd2] = fixed(1.0 - landingTrampoline2.hdDeduction, 1);
    // The store writes the synchronisation into both landings of a pair.
    row[ColumnSynDeduction] = fixed(landingTrampoline1.synDeduction, 2);
    row[ColumnSyn] = fixed(landingTrampoline1.synScore, 2);
    row[ColumnTimeDifference] = fixed(landingTrampoline1.landingTimeDifference, 3);
    m_notSynchronous[static_cast<std::size_t>(index)] = landingTrampoline1.notSynchronous;
    endResetModel();
}

void SynchronizedResultsTableModel::setResult(data::model::SynchronizedRoutineResult result)
{
    auto &row = m_cells[kTotalRow];
    row[ColumnHd1Deduction] = fixed(result.hdDeductionSumTrampoline1, 1);
    row[ColumnHd2Deduction] = fixed(result.hdDeductionSumTrampoline2, 1);
    row[ColumnHd1] = fixed(result.horizontalDisplacementTrampoline1, 1);
    row[ColumnHd2] = fixed(result.horizontalDisplacementTrampoline2, 1);
    row[ColumnSynDeduction] = fixed(result.synDeductionSum, 2);
    row[ColumnSyn] = fixed(result.synchronizedScore, 2);
    row[ColumnTimeDifference] = fixed(result.landingTimeDifferenceSum, 3);
    Q_EMIT dataChanged(index(kTotalRow, 0), index(kTotalRow, kColumns - 1));
}

void SynchronizedResultsTableModel::updateLanding(std::size_t index,
                                                  data::model::Landing landingTrampoline1,
                                                  data::model::Landing landingTrampoline2,
                                                  DataUpdateReason reason)
{
    Q_UNUSED(reason);
    if (index >= static_cast<std::size_t>(kLandingRows))
        return;
    setLanding(static_cast<int>(index), landingTrampoline1, landingTrampoline2);
}

void SynchronizedResultsTableModel::clear()
{
    beginResetModel();
    for (auto &row : m_cells)
        row.fill(QString());
    m_notSynchronous.fill(false);
    endResetModel();
}

} // namespace widget::synchronized
