#pragma once

#include "settings/SettingsTargets.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class wsDaten;
class wsdb;
struct StartSelection;

// The operator's start-list choice in the main window: event, competition
// and group in three combo boxes, the athlete (or pair) of the group in a
// list. It keeps the store's start selection and turns the athlete into the
// routine meta information; meta information from elsewhere (the CSV start
// list, the network) comes in through receiveRoutineMeta. A map is either
// applied to the routine on screen at once or kept for the next routine,
// depending on the state the machine is in.
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

    // currentState returns the machine's inner state (OvraState::InnerState
    // of whichever top-level state is active).
    StartListSelection(wsdb &database, wsDaten &store, const Widgets &widgets,
                       std::function<int()> currentState, QObject *parent = nullptr);
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
    QMap<QString, QString> upcomingRoutineMeta() const { return m_upcoming; }
    // The upcoming map becomes the routine's (entering START or CONTINUOUS).
    void applyUpcomingRoutineMeta();
    // Leaving the review: the announced routine has been seen.
    void clearUpcomingRoutineMeta();
    // After a committed or dismissed routine: the next athlete of the group;
    // after the last one no athlete is chosen.
    void nextAthlete();
    // The athlete choice as it was before the last one; nothing when none.
    void clearAthleteChoice();

    // The meta map of the athlete or pair in the selection.
    static QMap<QString, QString> athleteMeta(const StartSelection &selection, const QString &event,
                                              const QString &competition, const QString &group);

Q_SIGNALS:
    void upcomingRoutineMetaChanged(QMap<QString, QString> routineMeta);
    // A stored measure picked in the browse mode of the athlete list.
    void loadMeasure(QString name);
    // An athlete of the database became the source of the meta information.
    void athleteChosen();
    void focusMainWindow();

public Q_SLOTS:
    void neuEvent(int index);
    void neuCompetition(int index);
    void neuGroup(int index);
    void neuAthlet();
    void neuAthletDetails();
    void neuClearAthlet();
    // Meta information from outside the athlete list; it replaces the
    // database athlete in the start selection.
    void receiveRoutineMeta(QMap<QString, QString> routineMeta);

private:
    class Target;
    void deliver(const QMap<QString, QString> &meta, bool fromAthleteList);
    void setUpcoming(const QMap<QString, QString> &meta, bool fromAthleteList);
    void showAthletes(const QStringList &lines);
    void restoreStoredChoice();

    wsdb &m_database;
    wsDaten &m_store;
    Widgets m_w;
    std::function<int()> m_currentState;
    std::array<std::unique_ptr<IndexSelection>, 4> m_targets;
    // Event, competition and group index, athlete row, as the settings had
    // them; applied once the lists can take them.
    std::array<int, 4> m_stored{0, 0, 0, -1};
    bool m_restored = false;
    bool m_refreshDeferred = false;
    bool m_browseMeasuresMode = false;
    QMap<QString, QString> m_upcoming;
    bool m_upcomingFromAthleteList = false;
};
