#include "widgets/PreviousResultWidget.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace {

QLabel *makeLabel(QWidget *parent, double scale, bool bold)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

PreviousResultWidget::PreviousResultWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("previousResultWidget"));
    m_hint = tr("Right-click to select highlight information");
    m_placeholders = {tr("Info 1"), tr("Info 2")};
    m_highlightKeys = m_placeholders;

    m_hdKey = makeLabel(this, 1.2, false);
    m_hdValue = makeLabel(this, 2.0, true);
    m_scoreKey = makeLabel(this, 1.2, false);
    m_scoreValue = makeLabel(this, 2.0, true);
    m_hdKey->setText(tr("previous HD"));
    m_scoreKey->setText(tr("previous Time-of-Flight"));

    auto *results = new QGridLayout;
    results->addWidget(m_hdKey, 0, 0);
    results->addWidget(m_hdValue, 1, 0);
    results->addWidget(m_scoreKey, 0, 1);
    results->addWidget(m_scoreValue, 1, 1);

    auto *highlights = new QHBoxLayout;
    for (std::size_t area = 0; area < 2; ++area) {
        auto *frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("highlightWidget%1").arg(area + 1));
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setContextMenuPolicy(Qt::CustomContextMenu);
        auto *column = new QVBoxLayout(frame);
        m_highlight[area] = {makeLabel(frame, 0.9, false), makeLabel(frame, 1.1, false),
                             makeLabel(frame, 1.8, true)};
        for (QLabel *label : m_highlight[area])
            column->addWidget(label);
        highlights->addWidget(frame, 1);
        m_areas[area] = frame;
    }
    connect(m_areas[0], &QWidget::customContextMenuRequested, this,
            &PreviousResultWidget::showContextMenuHighlightWidget1);
    connect(m_areas[1], &QWidget::customContextMenuRequested, this,
            &PreviousResultWidget::showContextMenuHighlightWidget2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(results);
    layout->addLayout(highlights);
    showMeta();
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
    return area == 2 ? m_highlightKeys[1] : m_highlightKeys[0];
}

std::array<QLabel *, 3> PreviousResultWidget::highlightLabels(int area) const
{
    return area == 2 ? m_highlight[1] : m_highlight[0];
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
    m_meta = newRoutineMeta;
    showMeta();
}

void PreviousResultWidget::showMeta()
{
    for (std::size_t area = 0; area < 2; ++area) {
        auto &labels = m_highlight[area];
        if (m_meta.isEmpty()) {
            for (QLabel *label : labels)
                label->clear();
            continue;
        }
        labels[0]->setText(m_hint);
        labels[1]->setText(m_highlightKeys[area]);
        labels[2]->setText(m_meta.value(m_highlightKeys[area], QString()));
    }
}

void PreviousResultWidget::receiveHighlightKeys(QString key1, QString key2)
{
    m_highlightKeys = {key1, key2};
    showMeta();
}

QMenu *PreviousResultWidget::createHighlightMenu(QWidget *parent) const
{
    if (m_meta.isEmpty())
        return nullptr;
    auto *menu = new QMenu(parent);
    menu->setTitle(tr("Context menu"));
    QAction *nothing = menu->addAction(tr("highlight nothing"));
    nothing->setData(QString());
    menu->addSeparator();
    for (auto it = m_meta.cbegin(); it != m_meta.cend(); ++it) {
        QAction *action = menu->addAction(it.key());
        action->setData(it.key());
    }
    return menu;
}

void PreviousResultWidget::showContextMenuHighlightWidget1(QPoint position)
{
    showContextMenu(1, position);
}

void PreviousResultWidget::showContextMenuHighlightWidget2(QPoint position)
{
    showContextMenu(2, position);
}

void PreviousResultWidget::showContextMenu(int area, const QPoint &position)
{
    QMenu *menu = createHighlightMenu(this);
    if (menu == nullptr)
        return;
    QWidget *source = m_areas[area == 2 ? 1 : 0];
    QAction *chosen = menu->exec(source->mapToGlobal(position));
    if (chosen != nullptr)
        chooseHighlight(area, chosen->data().toString());
    menu->deleteLater();
}

void PreviousResultWidget::chooseHighlight(int area, const QString &key)
{
    const std::size_t slot = area == 2 ? 1 : 0;
    m_highlightKeys[slot] = key.isEmpty() ? m_placeholders[slot] : key;
    showMeta();
    Q_EMIT sendHighlightKeys(m_highlightKeys[0], m_highlightKeys[1]);
}
