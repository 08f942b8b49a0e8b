#include "widgets/IndividualResultsTableModel.h"

#include <QDebug>
#include <QFont>

namespace widget::individual {

namespace {

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

IndividualResultsTableModel::IndividualResultsTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int IndividualResultsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kRows;
}

int IndividualResultsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QString IndividualResultsTableModel::text(int row, int column) const
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return QString();
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

QVariant IndividualResultsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= kRows || index.column() >= kColumns)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignCenter);
    case Qt::FontRole:
        if (index.row() == kTotalRow) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant IndividualResultsTableModel::headerData(int section, Qt::Orientation orientation,
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
    case ColumnToF:
        return tr("ToF [s]");
    case ColumnHdDeduction:
        return tr("HD-Ded");
    case ColumnHd:
        return tr("HD");
    case ColumnX:
        return tr("X [cm]");
    case ColumnY:
        return tr("Y [cm]");
    default:
        return QVariant();
    }
}

void IndividualResultsTableModel::setLanding(const int index, const data::model::Landing &landing)
{
    if (index < 0 || index >= kLandingRows)
        return;
    qDebug() << "Set landing" << index << ", ToF =" << landing.timeOfFlight
             << ", HD =" << 1.0 - landing.hdDeduction;
    beginResetModel();
    auto &row = m_cells[static_cast<std::size_t>(index)];
    row[ColumnToF] = fixed(landing.timeOfFlight * 0.001, 3);
    row[ColumnHdDeduction] = fixed(landing.hdDeduction, 1);
    row[ColumnHd] = fixed(1.0 - landing.hdDeduction, 1);
    row[ColumnX] = fixed(landing.landingPosition.x, 0);
    row[ColumnY] = fixed(landing.landingPosition.y, 0);
    endResetModel();
}

void IndividualResultsTableModel::setResult(const data::model::IndividualRoutineResult &result)
{
    qDebug() << "Set result: ToF =" << result.timeOfFlight << ", HD =" << result.horizontalDisplacement;
    auto &row = m_cells[kTotalRow];
    row[ColumnToF] = fixed(result.timeOfFlight, 2);
    row[ColumnHdDeduction] = fixed(result.hdDeductionSum, 1);
    row[ColumnHd] = fixed(result.horizontalDisplacement, 1);
    Q_EMIT dataChanged(index(kTotalRow, 0), index(kTotalRow, kColumns - 1));
}

void IndividualResultsTableModel::updateLanding(std::size_t index, data::model::Landing landing,
                                                DataUpdateReason reason)
{
    Q_UNUSED(reason);
    if (index >= static_cast<std::size_t>(kLandingRows))
        return;
    setLanding(static_cast<int>(index), landing);
}

void IndividualResultsTableModel::clear()
{
    beginResetModel();
    for (auto &row : m_cells)
        row.fill(QString());
    endResetModel();
}

} // namespace widget::individual
