#pragma once

#include "data/DataEnums.h"
#include "data/Landing.h"
#include "data/RoutineResults.h"

#include <QWidget>

#include <cstddef>

class BarChartWidget;
class HorizontalDisplacementResultWidget;
class TofSynResultWidget;
class TrampolineWidget;

// The continuous training page: the bed of the trampoline in use with the
// landings of the rolling routine, their flight times as bars, and the
// routine's time of flight and HD. Continuous mode records one trampoline.
class ContinuousResultWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ContinuousResultWidget(QWidget *parent = nullptr);

    TrampolineWidget *trampolineWidget() const { return m_trampoline; }
    BarChartWidget *barChartWidget() const { return m_barChart; }
    TofSynResultWidget *tofSynResultWidget() const { return m_tofSyn; }
    HorizontalDisplacementResultWidget *horizontalDisplacementResultWidget() const { return m_hd; }
    // 0 or 1: whose landings are shown.
    int shownTrampoline() const { return m_shownTrampoline; }

public Q_SLOTS:
    void setTrampMode(data::model::TrampMode trampMode);
    void setLandingsPerRoutine(int expectedLandingsPerRoutine);
    void updateLandingTrampoline1(std::size_t index, data::model::Landing landing, DataUpdateReason reason);
    void updateLandingTrampoline2(std::size_t index, data::model::Landing landing, DataUpdateReason reason);
    void setIndividualResult(const data::model::IndividualRoutineResult &result);
    // The routine dropped its oldest landing; result holds the remaining ones.
    void rolloverLandings(const data::model::IndividualRoutineResult &result);
    void clear();

private:
    void showLanding(std::size_t index, const data::model::Landing &landing, DataUpdateReason reason);

    TrampolineWidget *m_trampoline = nullptr;
    BarChartWidget *m_barChart = nullptr;
    TofSynResultWidget *m_tofSyn = nullptr;
    HorizontalDisplacementResultWidget *m_hd = nullptr;
    int m_shownTrampoline = 0;
};
