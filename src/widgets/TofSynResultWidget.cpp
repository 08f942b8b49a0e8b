#include "widgets/TofSynResultWidget.h"

#include "widgets/ResultReadout.h"

#include <QVBoxLayout>

TofSynResultWidget::TofSynResultWidget(QWidget *parent)
    : QWidget(parent)
    , m_readout(new ResultReadout(this))
{
    setObjectName(QStringLiteral("tofSynResultWidget"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_readout);
    setSynchronized(false);
    reset();
}

void TofSynResultWidget::setTrampMode(data::model::TrampMode trampMode)
{
    // A time of flight must not stand under "Syn", nor a score under
    // "Time-of-Flight".
    const bool synchronized = trampMode == data::model::TrampMode::Synchronized;
    if (synchronized != m_synchronized)
        reset();
    setSynchronized(synchronized);
}

void TofSynResultWidget::setSynchronized(bool synchronized)
{
    m_synchronized = synchronized;
    m_readout->setTitle(synchronized ? tr("Syn") : tr("Time-of-Flight"));
}

void TofSynResultWidget::setIndividualResult(const data::model::IndividualRoutineResult &result)
{
    if (m_synchronized)
        setSynchronized(false);
    m_readout->setValue(QString::number(result.timeOfFlight, 'f', 2));
}

void TofSynResultWidget::setSynchronizedResult(const data::model::SynchronizedRoutineResult &result)
{
    if (!m_synchronized)
        setSynchronized(true);
    m_readout->setValue(QString::number(result.synchronizedScore, 'f', 2));
}

void TofSynResultWidget::reset()
{
    // As many decimals as a result shows.
    m_readout->setValue(QStringLiteral("0.00"));
}
