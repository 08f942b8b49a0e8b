#pragma once

#include "settings/SettingsTargets.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class RoutineAnnouncements;
class wsDaten;
class wsdb;
struct StartSelection;

// The database start list in the main window: event, competition and group
// in three combo boxes, the athlete (or pair) of the group in a list. It
// keeps the store's start selection and announces the chosen athlete, with
// the start entry's details, to RoutineAnnouncements, which decides whose
// routine that is.
class StartListSelection : public QObject
{
    Q_OBJECT
public:
    struct Widgets
    {
        QComboBox *event = nullptr;
        QComboBox *competition = nullptr;
        QComboBox *group = nullptr;
        QListWidget *athletes = nullptr;
        QLabel *athleteLabel = nullptr;
    };

    StartListSelection(wsdb &database, wsDaten &store, const Widgets &widgets,
                       RoutineAnnouncements &announcements, QObject *parent = nullptr);
    ~StartListSelection() override;

    // What the settings store loads into and saves from ("Structure/...").
    // Until the lists are first filled from an open database they keep the
    // stored values, which are then applied through the cascade.
    IndexSelection &eventSelection() { return *m_targets[0]; }
    IndexSelection &competitionSelection() { return *m_targets[1]; }
    IndexSelection &groupSelection() { return *m_targets[2]; }
    IndexSelection &athleteSelection() { return *m_targets[3]; }

    void fillEventList();
    void fillCompetitionList();
    void fillGroupList();
    // Refills every list from the database, keeping the current choice where
    // it still exists. The first time the database is open it puts back the
    // choice the settings stored instead.
    void refresh();
    bool restoredStoredChoice() const { return m_restored; }
    // Another workstation changed the start lists: the lists follow at once
    // while no routine is under way (the entry chosen is read again from
    // the database), otherwise at refreshIfDeferred().
    void startListsChangedElsewhere();
    // The machine is ready again: a change that waited is shown now.
    void refreshIfDeferred();

    bool browseMeasuresMode() const { return m_browseMeasuresMode; }
    // After a committed routine: the next athlete of the group; after the
    // last one no athlete is chosen.
    void nextAthlete();
    // The operator's keys: the athlete step rows down (1) or up (-1),
    // within the group; without a chosen athlete one down is the first.
    void stepAthlete(int step);
    // No athlete chosen; what the list announced is withdrawn.
    void clearAthleteChoice();

    // The start entry that routine meta information names, completed from
    // the database: the event's city, code and dates and the competition's
    // gender and type when they exist, and, when exactly one entry of the
    // group has these names, its number, start order and the athletes'
    // details. Otherwise it stays as named.
    StartSelection completeStartEntry(const StartSelection &named) const;

    // The meta map of the athlete or pair in the selection.
    static QMap<QString, QString> athleteMeta(const StartSelection &selection, const QString &event,
                                              const QString &competition, const QString &group);

Q_SIGNALS:
    // A stored measure picked in the browse mode of the athlete list.
    void loadMeasure(QString name);
    void focusMainWindow();

public Q_SLOTS:
    void neuEvent(int index);
    void neuCompetition(int index);
    void neuGroup(int index);
    void neuAthlet();
    void neuAthletDetails();
    void neuClearAthlet();

private:
    class Target;
    void showAthletes(const QStringList &lines);
    void restoreStoredChoice();

    wsdb &m_database;
    wsDaten &m_store;
    Widgets m_w;
    RoutineAnnouncements &m_announcements;
    std::array<std::unique_ptr<IndexSelection>, 4> m_targets;
    // Event, competition and group index, athlete row, as the settings had
    // them; applied once the lists can take them.
    std::array<int, 4> m_stored{0, 0, 0, -1};
    bool m_restored = false;
    bool m_refreshDeferred = false;
    bool m_browseMeasuresMode = false;
};
