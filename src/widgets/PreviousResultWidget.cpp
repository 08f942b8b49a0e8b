#include "widgets/PreviousResultWidget.h"

#include "widgets/MetaHighlights.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

PreviousResultWidget::PreviousResultWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("previousResultWidget"));
    m_hdKey = MetaHighlights::makeLabel(this, 1.2, false);
    m_hdValue = MetaHighlights::makeLabel(this, 2.0, true);
    m_scoreKey = MetaHighlights::makeLabel(this, 1.2, false);
    m_scoreValue = MetaHighlights::makeLabel(this, 2.0, true);
    m_hdKey->setText(tr("previous HD"));
    m_scoreKey->setText(tr("previous Time-of-Flight"));

    auto *results = new QGridLayout;
    results->addWidget(m_hdKey, 0, 0);
    results->addWidget(m_hdValue, 1, 0);
    results->addWidget(m_scoreKey, 0, 1);
    results->addWidget(m_scoreValue, 1, 1);

    m_highlights = new MetaHighlights(this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(results);
    layout->addLayout(m_highlights->areaRow(this));
}

QString PreviousResultWidget::hdKey() const
{
    return m_hdKey->text();
}

QString PreviousResultWidget::hdValue() const
{
    return m_hdValue->text();
}

QString PreviousResultWidget::scoreKey() const
{
    return m_scoreKey->text();
}

QString PreviousResultWidget::scoreValue() const
{
    return m_scoreValue->text();
}

QString PreviousResultWidget::highlightKey(int area) const
{
    return m_highlights->key(area);
}

std::array<QLabel *, 3> PreviousResultWidget::highlightLabels(int area) const
{
    return m_highlights->labels(area);
}

QMap<QString, QString> PreviousResultWidget::routineMeta() const
{
    return m_highlights->meta();
}

void PreviousResultWidget::setIndividualResult(const data::model::IndividualRoutineResult &result)
{
    m_hdKey->setText(tr("previous HD"));
    m_hdValue->setText(QString::number(result.horizontalDisplacement, 'f', 1));
    m_scoreKey->setText(tr("previous Time-of-Flight"));
    m_scoreValue->setText(QString::number(result.timeOfFlight, 'f', 2));
    setRoutineMeta(m_currentRoutineMeta);
}

void PreviousResultWidget::setSynchronizedResult(const data::model::SynchronizedRoutineResult &result)
{
    m_hdKey->setText(tr("previous HD"));
    m_hdValue->setText(tr("%1 / %2")
                           .arg(QString::number(result.horizontalDisplacementTrampoline1, 'f', 1),
                                QString::number(result.horizontalDisplacementTrampoline2, 'f', 1)));
    m_scoreKey->setText(tr("previous Syn"));
    m_scoreValue->setText(QString::number(result.synchronizedScore, 'f', 2));
    setRoutineMeta(m_currentRoutineMeta);
}

void PreviousResultWidget::setCurrentRoutineMeta(QMap<QString, QString> routineMeta)
{
    m_currentRoutineMeta = routineMeta;
}

void PreviousResultWidget::setRoutineMeta(QMap<QString, QString> newRoutineMeta)
{
    m_highlights->setMeta(newRoutineMeta);
}

void PreviousResultWidget::receiveHighlightKeys(QString key1, QString key2)
{
    m_highlights->setKeys(key1, key2);
}

QMenu *PreviousResultWidget::createHighlightMenu(QWidget *parent) const
{
    return m_highlights->createMenu(parent);
}

void PreviousResultWidget::showContextMenuHighlightWidget1(QPoint position)
{
    m_highlights->showContextMenu(1, position);
}

void PreviousResultWidget::showContextMenuHighlightWidget2(QPoint position)
{
    m_highlights->showContextMenu(2, position);
}

void PreviousResultWidget::chooseHighlight(int area, const QString &key)
{
    m_highlights->choose(area, key);
}
