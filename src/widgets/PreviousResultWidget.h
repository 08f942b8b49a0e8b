#pragma once

#include "data/RoutineResults.h"

#include <QMap>
#include <QWidget>

#include <array>

class MetaHighlights;
class QLabel;
class QMenu;

// The last confirmed routine on the ready page: its HD and its time of
// flight or synchronisation score, and two entries of its meta information
// shown large. Which two keys are shown is chosen by right-clicking and
// shared with the other meta widgets through sendHighlightKeys.
class PreviousResultWidget : public QWidget
{
    Q_OBJECT
public:
    explicit PreviousResultWidget(QWidget *parent = nullptr);

    QString hdKey() const;
    QString hdValue() const;
    QString scoreKey() const;
    QString scoreValue() const;
    QString highlightKey(int area) const;
    // The hint, key and value labels of highlight area 1 or 2.
    std::array<QLabel *, 3> highlightLabels(int area) const;
    QMap<QString, QString> routineMeta() const;
    // The menu a right-click on a highlight area offers; null for an empty map.
    QMenu *createHighlightMenu(QWidget *parent) const;

Q_SIGNALS:
    void sendHighlightKeys(QString key1, QString key2);

public Q_SLOTS:
    void setIndividualResult(const data::model::IndividualRoutineResult &result);
    void setSynchronizedResult(const data::model::SynchronizedRoutineResult &result);
    // The meta information of the routine under way; it becomes the shown
    // one when that routine's result is confirmed.
    void setCurrentRoutineMeta(QMap<QString, QString> routineMeta);
    void setRoutineMeta(QMap<QString, QString> newRoutineMeta);
    void receiveHighlightKeys(QString key1, QString key2);
    void showContextMenuHighlightWidget1(QPoint position);
    void showContextMenuHighlightWidget2(QPoint position);
    // What choosing an entry of the menu does; an empty key means
    // "highlight nothing".
    void chooseHighlight(int area, const QString &key);

private:
    QLabel *m_hdKey = nullptr;
    QLabel *m_hdValue = nullptr;
    QLabel *m_scoreKey = nullptr;
    QLabel *m_scoreValue = nullptr;
    MetaHighlights *m_highlights = nullptr;
    QMap<QString, QString> m_currentRoutineMeta;
};
