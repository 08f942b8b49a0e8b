#pragma once

#include "data/DataEnums.h"
#include "data/RoutineResults.h"

#include <QWidget>

class HorizontalDisplacementResultWidget;
class QLabel;
class TofSynResultWidget;

// What the operator checks in review: the kind of routine and its element
// count, the shift of the routine window, the start delay with its penalty,
// the results, and the keys that edit the routine.
class OverviewResultWidget : public QWidget
{
    Q_OBJECT
public:
    explicit OverviewResultWidget(QWidget *parent = nullptr);

    QLabel *routineTypeLabel() const { return m_routineType; }
    QLabel *elementCountLabel() const { return m_elementCount; }
    QLabel *shiftedLandingsLabel() const { return m_shiftedLandings; }
    QLabel *startTimeLabel() const { return m_startTime; }
    QLabel *penaltyLabel() const { return m_penalty; }
    QList<QLabel *> penaltyLabels() const;
    bool penaltyHighlighted() const;
    HorizontalDisplacementResultWidget *horizontalDisplacementResultWidget() const { return m_hd; }
    TofSynResultWidget *tofSynResultWidget() const { return m_tofSyn; }

    // "%1 / %2" when pairs stopped counting, else the count alone.
    static QString elementCountText(const data::model::SynchronizedRoutineResult &result);

public Q_SLOTS:
    void setIndividualResult(const data::model::IndividualRoutineResult &result);
    void setSynchronizedResult(const data::model::SynchronizedRoutineResult &result);
    // Seconds from START to the take-off into the first element.
    // The kind of routine under review follows the mode even before a result
    // arrives (a routine that ended without landings).
    void setTrampMode(data::model::TrampMode trampMode);
    void setRoutineStartTime(double routineStartTime);
    void setPenalty(double penalty);
    void reset();

private:
    void setHighlightPenalty(bool highlight);

    QLabel *m_routineType = nullptr;
    QLabel *m_elementCount = nullptr;
    QLabel *m_shiftedLandings = nullptr;
    QLabel *m_startTime = nullptr;
    QLabel *m_penaltyTitle = nullptr;
    QLabel *m_penalty = nullptr;
    QLabel *m_deductionFrom = nullptr;
    HorizontalDisplacementResultWidget *m_hd = nullptr;
    TofSynResultWidget *m_tofSyn = nullptr;
};
