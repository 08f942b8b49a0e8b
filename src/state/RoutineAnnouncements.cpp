#include "state/RoutineAnnouncements.h"

#include "data/wsDaten.h"
#include "state/OvraState.h"

#include <QDebug>

using data::model::Routines;

RoutineAnnouncements::RoutineAnnouncements(wsDaten &store, std::function<int()> currentState, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_currentState(std::move(currentState))
{}

bool RoutineAnnouncements::isRoutineUnderWay(int innerState)
{
    return innerState == OvraState::START || innerState == OvraState::ROUTINE ||
           innerState == OvraState::REVIEW;
}

void RoutineAnnouncements::announce(const Meta &meta, Source source, const StartSelection *entry)
{
    const Announcement announcement{meta, entry ? *entry : entryNamedBy(meta), source};
    const bool list = source == DatabaseList || source == CsvList;
    m_choice = list ? announcement : Announcement();
    if (list && m_activeList != source) {
        m_activeList = source;
        Q_EMIT activeListChanged(source);
    }
    if (isRoutineUnderWay(m_currentState())) {
        applyToRoutine(announcement);
    } else {
        // The same athlete chosen again (or the list refilled) is still the
        // one who jumps again.
        const bool same = Routines::normalizeMeta(meta) == Routines::normalizeMeta(m_upcoming.meta);
        setUpcoming(announcement, m_rejump && same);
    }
    for (const Source other : {DatabaseList, CsvList}) {
        if (other != source)
            Q_EMIT listChoiceCleared(other);
    }
}

StartSelection RoutineAnnouncements::entryNamedBy(const Meta &meta) const
{
    const StartSelection named = data::model::startSelectionOf(meta);
    return m_complete ? m_complete(named) : named;
}

void RoutineAnnouncements::fileUnderOwnMeta()
{
    m_store.setRoutineStartEntry(entryNamedBy(m_store.routines().routineMeta()));
    m_routineSource = NoSource;
}

void RoutineAnnouncements::withdraw(Source source)
{
    if (m_choice.source == source)
        m_choice = Announcement();
    if (m_upcoming.source == source && !m_upcoming.meta.isEmpty())
        setUpcoming(Announcement(), false);
}

void RoutineAnnouncements::setUpcoming(const Announcement &announcement, bool rejump)
{
    m_upcoming = announcement;
    m_rejump = rejump && !announcement.meta.isEmpty();
    Q_EMIT upcomingChanged(m_upcoming.meta, m_rejump);
}

void RoutineAnnouncements::applyToRoutine(const Announcement &announcement)
{
    m_store.routines().setRoutineMetaInformation(announcement.meta);
    m_store.setRoutineStartEntry(announcement.entry);
    m_routineSource = announcement.source;
}

void RoutineAnnouncements::routineStarted()
{
    m_loaded = false;
    // Also an empty announcement: the last athlete must not carry over to a
    // routine nobody announced.
    applyToRoutine(m_upcoming);
}

void RoutineAnnouncements::reviewLeft()
{
    setUpcoming(Announcement(), false);
}

void RoutineAnnouncements::routineLoaded()
{
    m_loaded = true;
    fileUnderOwnMeta();
}

void RoutineAnnouncements::routineRecovered()
{
    m_loaded = false;
    if (m_store.routines().routineMeta().isEmpty())
        applyToRoutine(m_upcoming);
    else
        fileUnderOwnMeta();
}

void RoutineAnnouncements::routineRestored()
{
    m_loaded = false;
    fileUnderOwnMeta();
}

void RoutineAnnouncements::routineDismissed()
{
    const Meta meta = m_store.routines().routineMeta();
    if (m_loaded || meta.isEmpty())
        return;
    // What was announced after the routine ended (shown without a box) is
    // newer and stays.
    if (!m_upcoming.meta.isEmpty() && Routines::normalizeMeta(m_upcoming.meta) != meta)
        return;
    qInfo().noquote() << "Dismissed: up next again" << data::model::athleteName(meta);
    setUpcoming({meta, m_store.routineStartEntry(), m_routineSource}, true);
}

void RoutineAnnouncements::routineCommitted()
{
    if (m_loaded)
        return;
    const bool list = m_choice.source == DatabaseList || m_choice.source == CsvList;
    if (list && Routines::normalizeMeta(m_choice.meta) == m_store.routines().routineMeta())
        Q_EMIT listAdvanceRequested(m_choice.source);
}

bool RoutineAnnouncements::stepAthlete(int step)
{
    if (isRoutineUnderWay(m_currentState()) || m_activeList == NoSource) {
        qInfo() << "The start list does not move while a routine is under way or before a list is used";
        return false;
    }
    Q_EMIT listStepRequested(m_activeList, step);
    return true;
}
