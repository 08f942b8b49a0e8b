#include "widgets/ContinuousResultWidget.h"

#include "widgets/BarChartWidget.h"
#include "widgets/HorizontalDisplacementResultWidget.h"
#include "widgets/TofSynResultWidget.h"
#include "widgets/TrampolineWidget.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

ContinuousResultWidget::ContinuousResultWidget(QWidget *parent)
    : QWidget(parent)
    , m_trampoline(new TrampolineWidget(this))
    , m_barChart(new BarChartWidget(this))
    , m_tofSyn(new TofSynResultWidget(this))
    , m_hd(new HorizontalDisplacementResultWidget(this))
{
    setObjectName(QStringLiteral("continuousResultWidget"));
    m_trampoline->setObjectName(QStringLiteral("continuousTrampolineWidget"));
    m_barChart->setObjectName(QStringLiteral("continuousBarChartWidget"));

    auto *top = new QHBoxLayout;
    top->addWidget(m_trampoline, 1);
    auto *readouts = new QVBoxLayout;
    readouts->addWidget(m_tofSyn, 1);
    readouts->addWidget(m_hd, 1);
    top->addLayout(readouts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top, 1);
    layout->addWidget(m_barChart, 1);
    setTrampMode(data::model::TrampMode::Trampoline1);
}

void ContinuousResultWidget::setTrampMode(data::model::TrampMode trampMode)
{
    // Continuous mode records trampoline 1 when both are in use.
    m_shownTrampoline = trampMode == data::model::TrampMode::Trampoline2 ? 1 : 0;
    m_trampoline->setTrampoline(m_shownTrampoline);
    m_trampoline->setTitle(m_shownTrampoline == 1 ? tr("TRAMPOLINE 2") : tr("TRAMPOLINE 1"));
    m_barChart->setTrampMode(m_shownTrampoline == 1 ? data::model::TrampMode::Trampoline2
                                                    : data::model::TrampMode::Trampoline1);
}

void ContinuousResultWidget::setLandingsPerRoutine(int expectedLandingsPerRoutine)
{
    m_barChart->setLandingsPerRoutine(expectedLandingsPerRoutine);
}

void ContinuousResultWidget::updateLandingTrampoline1(std::size_t index, data::model::Landing landing,
                                                      DataUpdateReason reason)
{
    if (m_shownTrampoline == 0)
        showLanding(index, landing, reason);
}

void ContinuousResultWidget::updateLandingTrampoline2(std::size_t index, data::model::Landing landing,
                                                      DataUpdateReason reason)
{
    if (m_shownTrampoline == 1)
        showLanding(index, landing, reason);
}

void ContinuousResultWidget::showLanding(std::size_t index, const data::model::Landing &landing,
                                         DataUpdateReason reason)
{
    m_trampoline->updateLanding(index, landing, reason);
    if (m_shownTrampoline == 0)
        m_barChart->updateLandingTrampoline1(index, landing, reason);
    else
        m_barChart->updateLandingTrampoline2(index, landing, reason);
}

void ContinuousResultWidget::setIndividualResult(const data::model::IndividualRoutineResult &result)
{
    m_tofSyn->setIndividualResult(result);
    m_hd->setIndividualResult(result);
}

void ContinuousResultWidget::rolloverLandings(const data::model::IndividualRoutineResult &result)
{
    m_trampoline->rolloverPositions();
    m_barChart->rollover();
    setIndividualResult(result);
}

void ContinuousResultWidget::clear()
{
    m_trampoline->clear();
    m_barChart->clear();
    m_tofSyn->reset();
    m_hd->reset();
}
