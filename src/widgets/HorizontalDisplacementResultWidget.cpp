#include "widgets/HorizontalDisplacementResultWidget.h"

#include "widgets/ResultReadout.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>
#include <QVBoxLayout>

HorizontalDisplacementResultWidget::HorizontalDisplacementResultWidget(QWidget *parent)
    : QWidget(parent)
    , m_readout1(new ResultReadout(this))
    , m_readout2(new ResultReadout(this))
    , m_readoutLayout(new QVBoxLayout)
    , m_swapButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("horizontalDisplacementResultWidget"));
    m_swapButton->setObjectName(QStringLiteral("hdSwapButton"));
    m_swapButton->setIcon(QIcon(QStringLiteral(":/icon/swap_vertical.png")));
    m_swapButton->setIconSize(QSize(24, 24));
    m_swapButton->setToolTip(tr("Swap trampolines"));
    m_swapButton->setAutoRaise(true);
    connect(m_swapButton, &QToolButton::clicked, this, &HorizontalDisplacementResultWidget::swap);

    m_readoutLayout->setContentsMargins(0, 0, 0, 0);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_readoutLayout, 1);
    layout->addWidget(m_swapButton, 0, Qt::AlignVCenter);
    placeReadouts();
    setSynchronized(false);
    reset();
}

void HorizontalDisplacementResultWidget::setTrampMode(data::model::TrampMode trampMode)
{
    // A value of the other kind of routine must not stand under the new
    // titles.
    const bool synchronized = trampMode == data::model::TrampMode::Synchronized;
    if (synchronized != m_synchronized)
        reset();
    setSynchronized(synchronized);
}

void HorizontalDisplacementResultWidget::setSynchronized(bool synchronized)
{
    m_synchronized = synchronized;
    if (synchronized) {
        m_readout1->setTitle(tr("Horizontal Displacement Trampoline 1"));
        m_readout2->setTitle(tr("Horizontal Displacement Trampoline 2"));
    } else {
        m_readout1->setTitle(tr("Horizontal Displacement"));
    }
    m_readout2->setVisible(synchronized);
    m_swapButton->setVisible(synchronized && m_swapButtonAllowed);
}

void HorizontalDisplacementResultWidget::setSwapButtonAllowed(bool allowed)
{
    m_swapButtonAllowed = allowed;
    m_swapButton->setVisible(m_synchronized && allowed);
}

void HorizontalDisplacementResultWidget::setIndividualResult(
    const data::model::IndividualRoutineResult &result)
{
    if (m_synchronized)
        setSynchronized(false);
    m_readout1->setValue(QString::number(result.horizontalDisplacement, 'f', 1));
}

void HorizontalDisplacementResultWidget::setSynchronizedResult(
    const data::model::SynchronizedRoutineResult &result)
{
    if (!m_synchronized)
        setSynchronized(true);
    m_readout1->setValue(QString::number(result.horizontalDisplacementTrampoline1, 'f', 1));
    m_readout2->setValue(QString::number(result.horizontalDisplacementTrampoline2, 'f', 1));
}

void HorizontalDisplacementResultWidget::reset()
{
    m_readout1->setValue(QStringLiteral("0.0"));
    m_readout2->setValue(QStringLiteral("0.0"));
}

void HorizontalDisplacementResultWidget::swap()
{
    m_swapped = !m_swapped;
    placeReadouts();
}

void HorizontalDisplacementResultWidget::placeReadouts()
{
    m_readoutLayout->removeWidget(m_readout1);
    m_readoutLayout->removeWidget(m_readout2);
    m_readoutLayout->addWidget(m_swapped ? m_readout2 : m_readout1, 1);
    m_readoutLayout->addWidget(m_swapped ? m_readout1 : m_readout2, 1);
}
