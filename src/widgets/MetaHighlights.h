#pragma once

#include <QFrame>
#include <QHBoxLayout>
#include <QMap>
#include <QObject>
#include <QPoint>
#include <QString>

#include <array>

class QLabel;
class QMenu;
class QWidget;

// The two highlight areas that the routine meta widgets share: each shows
// one entry of the meta information large (hint, key, value). The operator
// picks the key by right-clicking an area; the choice travels to the other
// meta widgets through keysChosen and comes in through setKeys. Area 1
// shows who jumps (athlete or pair) until the operator picks another key.
class MetaHighlights : public QObject
{
    Q_OBJECT
public:
    // The key that shows the athlete or pair (data::model::athleteName)
    // instead of one entry; no meta entry can have it.
    static QString athleteKey();
    // Creates the two areas as children of owner; the owner lays them out.
    explicit MetaHighlights(QWidget *owner);

    // A label whose font is the default scaled by scale.
    static QLabel *makeLabel(QWidget *parent, double scale, bool bold);

    // The two areas side by side for owner's layout, connected to owner's
    // showContextMenuHighlightWidget1/2 slots and sendHighlightKeys signal.
    template <typename Owner> QHBoxLayout *areaRow(Owner *owner)
    {
        auto *row = new QHBoxLayout;
        row->addWidget(area(1), 1);
        row->addWidget(area(2), 1);
        connect(area(1), &QWidget::customContextMenuRequested, owner,
                &Owner::showContextMenuHighlightWidget1);
        connect(area(2), &QWidget::customContextMenuRequested, owner,
                &Owner::showContextMenuHighlightWidget2);
        connect(this, &MetaHighlights::keysChosen, owner, &Owner::sendHighlightKeys);
        return row;
    }

    // Area 1 or 2.
    QFrame *area(int area) const;
    std::array<QLabel *, 3> labels(int area) const;
    QString key(int area) const;
    const QMap<QString, QString> &meta() const { return m_meta; }
    // The shown map without the two highlighted entries.
    QMap<QString, QString> remainingMeta() const;

    void setMeta(const QMap<QString, QString> &meta);
    // Shows the map under these keys; announces nothing.
    void setKeys(const QString &key1, const QString &key2);
    // The menu of a right-click: "highlight nothing" and one entry per key;
    // null while no meta information is shown.
    QMenu *createMenu(QWidget *parent) const;
    // What choosing an entry does; an empty key means "highlight nothing".
    void choose(int area, const QString &key);
    // Opens the menu at position (in the area's coordinates) and applies
    // the choice.
    void showContextMenu(int area, const QPoint &position);

Q_SIGNALS:
    void keysChosen(QString key1, QString key2);
    // After every change of what the areas show.
    void shown();

private:
    void show();

    std::array<QFrame *, 2> m_areas{};
    std::array<std::array<QLabel *, 3>, 2> m_labels{};
    std::array<QString, 2> m_keys;
    std::array<QString, 2> m_placeholders;
    QString m_hint;
    QMap<QString, QString> m_meta;
};
