#include "widgets/RoutineMetaWidget.h"

#include "widgets/MetaHighlights.h"

#include <QAction>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

RoutineMetaTableModel::RoutineMetaTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows({QStringList({QString(), QString()})})
{}

void RoutineMetaTableModel::setRoutineMeta(const QMap<QString, QString> &routineMeta)
{
    beginResetModel();
    m_rows.clear();
    for (auto it = routineMeta.cbegin(); it != routineMeta.cend(); ++it)
        m_rows.append({it.key(), it.value()});
    if (m_rows.isEmpty())
        m_rows.append({QString(), QString()});
    endResetModel();
}

int RoutineMetaTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RoutineMetaTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant RoutineMetaTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() > 1)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows.at(index.row()).at(index.column());
    case Qt::BackgroundRole:
        return QBrush(index.row() % 2 == 1 ? QColor(232, 232, 232) : QColor(248, 248, 248));
    case Qt::FontRole: {
        QFont font;
        font.setPointSize(12);
        return font;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

RoutineMetaWidget::RoutineMetaWidget(QWidget *parent)
    : QWidget(parent)
    , m_highlights(new MetaHighlights(this))
    , m_model(new RoutineMetaTableModel(this))
    , m_tableView(new QTableView(this))
{
    setObjectName(QStringLiteral("routineMetaWidget"));
    m_tableView->setObjectName(QStringLiteral("routineMetaTableView"));
    m_tableView->setModel(m_model);
    m_tableView->horizontalHeader()->setVisible(false);
    m_tableView->verticalHeader()->setVisible(false);
    m_tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_tableView->setShowGrid(false);
    m_tableView->setWordWrap(false);
    m_tableView->setFrameShape(QFrame::NoFrame);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
    m_tableView->setFocusPolicy(Qt::NoFocus);
    // As high as its rows: the highlight areas and the table stay together
    // and leave the rest of the page to the result.
    m_tableView->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_tableView->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    m_tableView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_tableView->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *clearAction = new QAction(tr("Clear information"), m_tableView);
    clearAction->setObjectName(QStringLiteral("clearInformationAction"));
    connect(clearAction, &QAction::triggered, this, &RoutineMetaWidget::clearRoutineMeta);
    m_tableView->addAction(clearAction);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_highlights->areaRow(this));
    layout->addWidget(m_tableView);
    // The table follows whatever the areas show: a key chosen here or
    // elsewhere leaves the table and the other key comes back into it.
    connect(m_highlights, &MetaHighlights::shown, this,
            [this] { m_model->setRoutineMeta(m_highlights->remainingMeta()); });
}

void RoutineMetaWidget::setRoutineMeta(QMap<QString, QString> newRoutineMeta)
{
    m_highlights->setMeta(newRoutineMeta);
}

void RoutineMetaWidget::receiveHighlightKeys(QString key1, QString key2)
{
    m_highlights->setKeys(key1, key2);
}

void RoutineMetaWidget::showContextMenuHighlightWidget1(QPoint position)
{
    m_highlights->showContextMenu(1, position);
}

void RoutineMetaWidget::showContextMenuHighlightWidget2(QPoint position)
{
    m_highlights->showContextMenu(2, position);
}

UpcomingRoutineMetaWidget::UpcomingRoutineMetaWidget(QWidget *parent)
    : QWidget(parent)
    , m_highlights(new MetaHighlights(this))
    , m_caption(MetaHighlights::makeLabel(this, 1.1, true))
    , m_rejump(MetaHighlights::makeLabel(this, 1.1, true))
{
    setObjectName(QStringLiteral("upcomingRoutineMetaWidget"));
    m_caption->setObjectName(QStringLiteral("captionLabel"));
    m_caption->setText(tr("up next:"));
    m_rejump->setObjectName(QStringLiteral("rejumpLabel"));
    m_rejump->setText(tr("RE-JUMP: the dismissed routine is jumped again"));
    m_rejump->setAttribute(Qt::WA_StyledBackground, true);
    m_rejump->setStyleSheet(QStringLiteral(
        "QLabel { color: white; background-color: #d07000; border-radius: 4px; padding: 2px 6px; }"));
    for (QLabel *label : {m_caption, m_rejump}) {
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        label->setVisible(false);
    }
    auto *captionRow = new QHBoxLayout;
    captionRow->addWidget(m_caption);
    captionRow->addWidget(m_rejump);
    captionRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(captionRow);
    layout->addLayout(m_highlights->areaRow(this));
}

void UpcomingRoutineMetaWidget::setRoutineMeta(QMap<QString, QString> newRoutineMeta)
{
    setAnnouncement(newRoutineMeta, false);
}

void UpcomingRoutineMetaWidget::setAnnouncement(QMap<QString, QString> newRoutineMeta, bool rejump)
{
    m_caption->setVisible(!newRoutineMeta.isEmpty());
    m_rejump->setVisible(rejump && !newRoutineMeta.isEmpty());
    m_highlights->setMeta(newRoutineMeta);
}

void UpcomingRoutineMetaWidget::clear()
{
    setRoutineMeta({});
}

void UpcomingRoutineMetaWidget::receiveHighlightKeys(QString key1, QString key2)
{
    m_highlights->setKeys(key1, key2);
}

void UpcomingRoutineMetaWidget::showContextMenuHighlightWidget1(QPoint position)
{
    m_highlights->showContextMenu(1, position);
}

void UpcomingRoutineMetaWidget::showContextMenuHighlightWidget2(QPoint position)
{
    m_highlights->showContextMenu(2, position);
}
