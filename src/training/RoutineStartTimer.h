#pragma once

#include "util/Clock.h"

#include <QObject>

// Time from arming a routine (START) to the first element: it drives the
// late-start penalty, the one-time warning sound and the five-minute limit.
class RoutineStartTimer : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kWarningMs = 151000;
    static constexpr qint64 kStartLimitMs = 300000;

    // What one block of frames in START asks for.
    struct StartProgress
    {
        double routineStartTime = 0.0; // seconds
        double penalty = 0.0;
        bool playWarningSound = false;
        bool timedOut = false; // more than kStartLimitMs in START
    };

    explicit RoutineStartTimer(const ovra::util::Clock *clock = nullptr, QObject *parent = nullptr);

    void setClock(const ovra::util::Clock *clock) { m_timer.setClock(clock); }

    void start();
    qint64 elapsed() const;
    // True once per start(), at the first call from 151 s on.
    bool shouldPlayStartWarning();

    // The block handling in START: start time and penalty from the clock,
    // whether to sound the warning (only when the rules ask for it, so that
    // switching it on later still sounds it once) and the start limit.
    StartProgress progress(bool warningSoundEnabled);

    // The late-start penalty for a start delay of `ms` milliseconds.
    static double startDelayPenalty(qint64 ms);

private:
    ovra::util::ElapsedTimer m_timer;
    bool m_warned = false;
};

// The 30 s rule: a routine whose window closed (`exerciseStart` below
// `exerciseEnd`, recording off) ends itself 30 s later.
class RoutineFinishTimer
{
public:
    static constexpr qint64 kFinishMs = 30000;

    explicit RoutineFinishTimer(const ovra::util::Clock *clock = nullptr)
        : m_timer(clock)
    {}
    void setClock(const ovra::util::Clock *clock) { m_timer.setClock(clock); }
    void start() { m_timer.start(); }
    qint64 elapsed() const { return m_timer.elapsed(); }
    bool isTimedOut(bool routineRecording, int exerciseStart, int exerciseEnd) const
    {
        return !routineRecording && exerciseStart < exerciseEnd && m_timer.isValid() &&
               m_timer.elapsed() > kFinishMs;
    }

private:
    ovra::util::ElapsedTimer m_timer;
};
