#include "widgets/OverviewResultWidget.h"

#include "widgets/HorizontalDisplacementResultWidget.h"
#include "widgets/StyleProperty.h"
#include "widgets/TofSynResultWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel *makeLabel(QWidget *parent, const QString &text, const char *objectName, double scale = 1.0,
                  bool bold = false)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

OverviewResultWidget::OverviewResultWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("overviewResultWidget"));
    // A penalty makes its labels stand out; the property drives the style.
    setStyleSheet(QStringLiteral("QLabel[highlightPenalty=\"true\"] { color: white; "
                                 "background-color: rgb(200, 30, 30); border-radius: 4px; }"));

    m_routineType = makeLabel(this, tr("Individual"), "LB_routineType", 1.6, true);
    m_elementCount = makeLabel(this, QStringLiteral("0"), "LB_elementCount", 1.6, true);
    m_shiftedLandings = makeLabel(this, QStringLiteral("0"), "LB_shiftedLandings", 1.3);
    m_startTime = makeLabel(this, tr("37.2s"), "LB_startedAfter", 1.3);
    m_penaltyTitle = makeLabel(this, tr("Penalty"), "LB_penaltyTitle", 1.3);
    m_penalty = makeLabel(this, tr("0.0"), "LB_penalty", 1.3, true);
    m_deductionFrom = makeLabel(this, tr("deducted from the routine's score"), "LB_deductionFrom", 1.0);

    auto *grid = new QGridLayout;
    int row = 0;
    grid->addWidget(m_routineType, row, 0);
    grid->addWidget(m_elementCount, row++, 1);
    grid->addWidget(makeLabel(this, tr("Routine shifted"), "LB_routineShiftedTitle", 1.3), row, 0);
    grid->addWidget(m_shiftedLandings, row++, 1);
    grid->addWidget(makeLabel(this, tr("Started after"), "LB_startedAfterTitle", 1.3), row, 0);
    grid->addWidget(m_startTime, row++, 1);
    grid->addWidget(m_penaltyTitle, row, 0);
    grid->addWidget(m_penalty, row, 1);
    grid->addWidget(m_deductionFrom, row++, 2);
    grid->addWidget(makeLabel(this, tr("Arrow keys up and down"), "LB_hintUpDown", 1.0, true), row, 0);
    grid->addWidget(makeLabel(this, tr("lengthen or shorten the routine"), "LB_hintUpDownText"), row++, 1, 1,
                    2);
    grid->addWidget(makeLabel(this, tr("Arrow keys left and right"), "LB_hintLeftRight", 1.0, true), row, 0);
    grid->addWidget(makeLabel(this, tr("shift the routine"), "LB_hintLeftRightText"), row++, 1, 1, 2);
    grid->setColumnStretch(3, 1);

    m_hd = new HorizontalDisplacementResultWidget(this);
    m_tofSyn = new TofSynResultWidget(this);
    auto *results = new QHBoxLayout;
    results->addWidget(m_tofSyn, 1);
    results->addWidget(m_hd, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(results, 1);
    layout->addLayout(grid);
    setHighlightPenalty(false);
}

QList<QLabel *> OverviewResultWidget::penaltyLabels() const
{
    return {m_penaltyTitle, m_penalty, m_deductionFrom};
}

bool OverviewResultWidget::penaltyHighlighted() const
{
    return m_penalty->property("highlightPenalty").toBool();
}

QString OverviewResultWidget::elementCountText(const data::model::SynchronizedRoutineResult &result)
{
    if (result.elementCount == result.effectiveElementCount)
        return QString::number(result.elementCount);
    return tr("%1 / %2").arg(result.effectiveElementCount).arg(result.elementCount);
}

void OverviewResultWidget::setIndividualResult(const data::model::IndividualRoutineResult &result)
{
    m_routineType->setText(tr("Individual"));
    m_elementCount->setText(QString::number(result.elementCount));
    m_shiftedLandings->setText(QString::number(result.shiftedLandings));
    m_hd->setIndividualResult(result);
    m_tofSyn->setIndividualResult(result);
}

void OverviewResultWidget::setSynchronizedResult(const data::model::SynchronizedRoutineResult &result)
{
    m_routineType->setText(tr("Synchronized"));
    m_elementCount->setText(elementCountText(result));
    m_shiftedLandings->setText(QString::number(result.shiftedLandings));
    m_hd->setSynchronizedResult(result);
    m_tofSyn->setSynchronizedResult(result);
}

void OverviewResultWidget::setTrampMode(data::model::TrampMode trampMode)
{
    const bool synchronized = trampMode == data::model::TrampMode::Synchronized;
    m_routineType->setText(synchronized ? tr("Synchronized") : tr("Individual"));
    m_hd->setTrampMode(trampMode);
    m_tofSyn->setTrampMode(trampMode);
}

void OverviewResultWidget::setRoutineStartTime(double routineStartTime)
{
    m_startTime->setText(tr("%1s").arg(QString::number(routineStartTime, 'f', 1)));
}

void OverviewResultWidget::setPenalty(double penalty)
{
    m_penalty->setText(QString::number(penalty, 'f', 1));
    setHighlightPenalty(penalty > 0.0);
}

void OverviewResultWidget::reset()
{
    m_elementCount->setText(QStringLiteral("0"));
    m_shiftedLandings->setText(QStringLiteral("0"));
    m_hd->reset();
    m_tofSyn->reset();
}

void OverviewResultWidget::setHighlightPenalty(bool highlight)
{
    for (QLabel *label : penaltyLabels())
        ovra::widgets::setStyleProperty(label, "highlightPenalty", highlight);
}
