#pragma once

#include "data/StartSelection.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

class wsDaten;

// Who jumps next, and whom the routine on screen belongs to. Every source
// announces here: the database start list, the CSV start list and the
// network (HTTP and WebSocket). An announcement made while a routine is
// under way (START, ROUTINE, REVIEW) is that routine's at once; in every
// other state it becomes the upcoming announcement, which START applies.
// The latest announcement wins.
//
// The two start lists take turns: choosing an athlete in one makes it the
// active list and clears the other's choice; a network announcement clears
// both choices. After a committed live routine the active list moves on, but
// only when its choice is the athlete the routine was filed under. A
// dismissed live routine is announced again as a re-jump. A routine loaded
// from a file or the database keeps its own meta information and never
// moves a list.
class RoutineAnnouncements : public QObject
{
    Q_OBJECT
public:
    using Meta = QMap<QString, QString>;
    enum Source : int { NoSource = 0, DatabaseList = 1, CsvList = 2, Network = 3 };

    // currentState returns the machine's inner state (OvraState::InnerState
    // of whichever top-level state is active).
    RoutineAnnouncements(wsDaten &store, std::function<int()> currentState, QObject *parent = nullptr);

    // Completes the start entry that meta information names with what the
    // database start list knows about it; without one it stays as named.
    using StartEntryCompletion = std::function<StartSelection(const StartSelection &named)>;
    void setStartEntryCompletion(StartEntryCompletion completion) { m_complete = std::move(completion); }

    // START, ROUTINE and REVIEW: a routine is under way and takes what is
    // announced.
    static bool isRoutineUnderWay(int innerState);
    // The machine's inner state now.
    int currentState() const { return m_currentState ? m_currentState() : 0; }

    // entry: the database start entry of a database athlete, with the
    // details only the start list holds; otherwise the entry is what the
    // meta names.
    void announce(const Meta &meta, Source source, const StartSelection *entry = nullptr);
    // A list's choice went away (emptied list, new group, deselected row):
    // what it announced for the next routine goes with it.
    void withdraw(Source source);

    Meta upcoming() const { return m_upcoming.meta; }
    // The upcoming athlete is the one whose routine was dismissed.
    bool isRejump() const { return m_rejump; }
    // The database or CSV list; NoSource before either was used.
    Source activeList() const { return m_activeList; }
    // The list whose choice is the current one, and the meta it announced.
    Source listChoice() const { return m_choice.source; }

    // The routine's life. START or continuous training: the upcoming
    // announcement becomes the new live routine's.
    void routineStarted();
    // Leaving REVIEW: the announced athlete has jumped.
    void reviewLeft();
    // A data file or stored measure is shown: it keeps its own meta.
    void routineLoaded();
    // A routine replayed from the last-chance ring (it never was committed):
    // a live routine of the athlete due, that is of the upcoming one.
    void routineRecovered();
    // The temporary routine file of a routine that was not committed: a
    // live routine under its own meta information.
    void routineRestored();
    bool isLoadedRoutine() const { return m_loaded; }
    // Entering a dismiss state, before the routine's meta is emptied.
    void routineDismissed();
    // Leaving a commit state.
    void routineCommitted();
    // The operator's keys: the active list moves by step rows. Refused
    // (false) while a routine is under way or no list was used.
    bool stepAthlete(int step);

Q_SIGNALS:
    void upcomingChanged(QMap<QString, QString> meta, bool rejump);
    void activeListChanged(int source);
    // The list is to drop its choice without announcing anything.
    void listChoiceCleared(int source);
    // After a commit: the list moves on by its own rules.
    void listAdvanceRequested(int source);
    // The operator's keys: one row down (1) or up (-1).
    void listStepRequested(int source, int step);

private:
    struct Announcement
    {
        Meta meta;
        StartSelection entry;
        Source source = NoSource;
    };
    void setUpcoming(const Announcement &announcement, bool rejump);
    void applyToRoutine(const Announcement &announcement);
    StartSelection entryNamedBy(const Meta &meta) const;
    // A shown routine is filed under the entry its own meta names.
    void fileUnderOwnMeta();

    wsDaten &m_store;
    std::function<int()> m_currentState;
    StartEntryCompletion m_complete;
    Announcement m_upcoming;
    bool m_rejump = false;
    // The athlete chosen in a start list (at most one list has a choice).
    Announcement m_choice;
    Source m_activeList = NoSource;
    // Where the routine on screen got its meta information from.
    Source m_routineSource = NoSource;
    // The routine on screen came from a file or the database.
    bool m_loaded = false;
};
