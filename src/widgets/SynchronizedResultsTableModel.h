#pragma once

#include "data/DataEnums.h"
#include "data/Landing.h"
#include "data/RoutineResults.h"

#include <QAbstractTableModel>

#include <array>
#include <cstddef>

namespace widget::synchronized {

// The pairs of a synchronized routine, one row each, and a totals row "Tot".
// A pair that is not synchronous is set apart in red: from that pair on
// nothing counts, so the pairs after it are greyed.
class SynchronizedResultsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kLandingRows = 10;
    static constexpr int kRows = kLandingRows + 1;
    static constexpr int kTotalRow = kLandingRows;
    enum Column : int {
        ColumnHd1Deduction = 0,
        ColumnHd2Deduction,
        ColumnHd1,
        ColumnHd2,
        ColumnSynDeduction,
        ColumnSyn,
        ColumnTimeDifference,
        kColumns
    };
    static const QColor kNotSynchronousBackground;
    static const QColor kNotSynchronousForeground;
    static const QColor kNotCountingForeground;

    explicit SynchronizedResultsTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    QString text(int row, int column) const;
    bool isNotSynchronous(int row) const;
    // A pair after the first one that is not synchronous.
    bool isNotCounting(int row) const;

public Q_SLOTS:
    void setLanding(int index, data::model::Landing landingTrampoline1,
                    data::model::Landing landingTrampoline2);
    void setResult(data::model::SynchronizedRoutineResult result);
    // The store's pair update, taken as it is emitted.
    void updateLanding(std::size_t index, data::model::Landing landingTrampoline1,
                       data::model::Landing landingTrampoline2, DataUpdateReason reason);
    // Empties every cell (the store's resetSynchronizedResultsTable).
    void clear();

private:
    std::array<std::array<QString, kColumns>, kRows> m_cells;
    std::array<bool, kRows> m_notSynchronous{};
};

} // namespace widget::synchronized
