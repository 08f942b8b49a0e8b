#pragma once

#include <QAbstractTableModel>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class MetaHighlights;
class QLabel;
class QTableView;

// The routine meta information as a two-column table (key, value), in the
// map's key order; an empty map is one row of two empty cells.
class RoutineMetaTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit RoutineMetaTableModel(QObject *parent = nullptr);

    void setRoutineMeta(const QMap<QString, QString> &routineMeta);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<QStringList> m_rows;
};

// The meta information of the routine under way: two entries large, the
// rest in a table. Shown with the reviewed routine, so the operator checks
// whose routine is committed.
class RoutineMetaWidget : public QWidget
{
    Q_OBJECT
public:
    explicit RoutineMetaWidget(QWidget *parent = nullptr);

    RoutineMetaTableModel *model() const { return m_model; }
    QTableView *tableView() const { return m_tableView; }
    MetaHighlights &highlights() const { return *m_highlights; }

Q_SIGNALS:
    void clearRoutineMeta();
    void sendHighlightKeys(QString key1, QString key2);

public Q_SLOTS:
    void setRoutineMeta(QMap<QString, QString> newRoutineMeta);
    void receiveHighlightKeys(QString key1, QString key2);
    void showContextMenuHighlightWidget1(QPoint position);
    void showContextMenuHighlightWidget2(QPoint position);

private:
    MetaHighlights *m_highlights = nullptr;
    RoutineMetaTableModel *m_model = nullptr;
    QTableView *m_tableView = nullptr;
};

// The meta information announced for the next routine ("up next:"), two
// entries large, on the ready page.
class UpcomingRoutineMetaWidget : public QWidget
{
    Q_OBJECT
public:
    explicit UpcomingRoutineMetaWidget(QWidget *parent = nullptr);

    MetaHighlights &highlights() const { return *m_highlights; }
    QLabel *captionLabel() const { return m_caption; }
    // Shown beside the caption while the athlete up next jumps again after
    // a dismissed routine.
    QLabel *rejumpLabel() const { return m_rejump; }

Q_SIGNALS:
    void sendHighlightKeys(QString key1, QString key2);

public Q_SLOTS:
    void setRoutineMeta(QMap<QString, QString> newRoutineMeta);
    // The meta information up next, marked when it is a re-jump.
    void setAnnouncement(QMap<QString, QString> newRoutineMeta, bool rejump);
    void clear();
    void receiveHighlightKeys(QString key1, QString key2);
    void showContextMenuHighlightWidget1(QPoint position);
    void showContextMenuHighlightWidget2(QPoint position);

private:
    MetaHighlights *m_highlights = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_rejump = nullptr;
};
