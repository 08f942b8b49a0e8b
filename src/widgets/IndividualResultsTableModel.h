#pragma once

#include "data/DataEnums.h"
#include "data/Landing.h"
#include "data/RoutineResults.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <cstddef>

namespace widget::individual {

// The landings of an individual routine, one row each, and a totals row
// "Tot". Every cell holds the text shown.
class IndividualResultsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kLandingRows = 10;
    static constexpr int kRows = kLandingRows + 1;
    static constexpr int kTotalRow = kLandingRows;
    enum Column : int { ColumnToF = 0, ColumnHdDeduction, ColumnHd, ColumnX, ColumnY, kColumns };

    explicit IndividualResultsTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    QString text(int row, int column) const;

public Q_SLOTS:
    void setLanding(const int index, const data::model::Landing &landing);
    void setResult(const data::model::IndividualRoutineResult &result);
    // The store's landing update, taken as it is emitted.
    void updateLanding(std::size_t index, data::model::Landing landing, DataUpdateReason reason);
    // Empties every cell (the store's resetIndividualResultsTable).
    void clear();

private:
    std::array<std::array<QString, kColumns>, kRows> m_cells;
};

} // namespace widget::individual
