#include "widgets/MetaHighlights.h"

#include "data/StartSelection.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>
#include <QWidget>

QLabel *MetaHighlights::makeLabel(QWidget *parent, double scale, bool bold)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

namespace {

std::size_t slot(int area)
{
    return area == 2 ? 1 : 0;
}

} // namespace

QString MetaHighlights::athleteKey()
{
    // Meta keys come from start lists and the network as text; a control
    // character never does.
    return QStringLiteral("\u0001athlete");
}

MetaHighlights::MetaHighlights(QWidget *owner)
    : QObject(owner)
{
    m_hint = tr("Right-click to select highlight information");
    m_placeholders = {tr("Info 1"), tr("Info 2")};
    // Who jumps is shown without any configuration.
    m_keys = {athleteKey(), m_placeholders[1]};
    for (std::size_t a = 0; a < 2; ++a) {
        auto *frame = new QFrame(owner);
        frame->setObjectName(QStringLiteral("highlightWidget%1").arg(a + 1));
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setContextMenuPolicy(Qt::CustomContextMenu);
        auto *column = new QVBoxLayout(frame);
        m_labels[a] = {makeLabel(frame, 0.9, false), makeLabel(frame, 1.1, false),
                       makeLabel(frame, 1.8, true)};
        for (QLabel *label : m_labels[a])
            column->addWidget(label);
        m_areas[a] = frame;
    }
    show();
}

QFrame *MetaHighlights::area(int area) const
{
    return m_areas[slot(area)];
}

std::array<QLabel *, 3> MetaHighlights::labels(int area) const
{
    return m_labels[slot(area)];
}

QString MetaHighlights::key(int area) const
{
    return m_keys[slot(area)];
}

QMap<QString, QString> MetaHighlights::remainingMeta() const
{
    QMap<QString, QString> rest = m_meta;
    for (const QString &key : m_keys) {
        if (key == athleteKey()) {
            for (const QString &name : data::model::athleteKeys(m_meta))
                rest.remove(name);
        } else {
            rest.remove(key);
        }
    }
    return rest;
}

void MetaHighlights::setMeta(const QMap<QString, QString> &meta)
{
    m_meta = meta;
    show();
}

void MetaHighlights::setKeys(const QString &key1, const QString &key2)
{
    m_keys = {key1, key2};
    show();
}

void MetaHighlights::show()
{
    for (std::size_t a = 0; a < 2; ++a) {
        auto &labels = m_labels[a];
        if (m_meta.isEmpty()) {
            for (QLabel *label : labels)
                label->clear();
            continue;
        }
        labels[0]->setText(m_hint);
        if (m_keys[a] == athleteKey()) {
            const bool pair = !data::model::startSelectionOf(m_meta).athlete2.lastName.isEmpty();
            labels[1]->setText(pair ? tr("Pair") : tr("Athlete"));
            labels[2]->setText(data::model::athleteName(m_meta));
        } else {
            labels[1]->setText(m_keys[a]);
            labels[2]->setText(m_meta.value(m_keys[a], QString()));
        }
    }
    Q_EMIT shown();
}

QMenu *MetaHighlights::createMenu(QWidget *parent) const
{
    if (m_meta.isEmpty())
        return nullptr;
    auto *menu = new QMenu(parent);
    menu->setTitle(tr("Context menu"));
    QAction *nothing = menu->addAction(tr("highlight nothing"));
    nothing->setData(QString());
    menu->addSeparator();
    QAction *athlete = menu->addAction(tr("Athlete or pair"));
    athlete->setData(athleteKey());
    for (auto it = m_meta.cbegin(); it != m_meta.cend(); ++it) {
        QAction *action = menu->addAction(it.key());
        action->setData(it.key());
    }
    return menu;
}

void MetaHighlights::choose(int area, const QString &key)
{
    const std::size_t s = slot(area);
    m_keys[s] = key.isEmpty() ? m_placeholders[s] : key;
    show();
    Q_EMIT keysChosen(m_keys[0], m_keys[1]);
}

void MetaHighlights::showContextMenu(int area, const QPoint &position)
{
    QMenu *menu = createMenu(m_areas[slot(area)]);
    if (menu == nullptr)
        return;
    QAction *chosen = menu->exec(m_areas[slot(area)]->mapToGlobal(position));
    if (chosen != nullptr)
        choose(area, chosen->data().toString());
    menu->deleteLater();
}
