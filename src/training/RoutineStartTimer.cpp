#include "training/RoutineStartTimer.h"

RoutineStartTimer::RoutineStartTimer(const ovra::util::Clock *clock, QObject *parent)
    : QObject(parent)
    , m_timer(clock)
{
    m_timer.start();
}

void RoutineStartTimer::start()
{
    m_timer.restart();
    m_warned = false;
}

qint64 RoutineStartTimer::elapsed() const
{
    return m_timer.elapsed();
}

bool RoutineStartTimer::shouldPlayStartWarning()
{
    if (static_cast<double>(elapsed()) >= static_cast<double>(kWarningMs) && !m_warned) {
        m_warned = true;
        return true;
    }
    return false;
}

RoutineStartTimer::StartProgress RoutineStartTimer::progress(bool warningSoundEnabled)
{
    StartProgress result;
    const qint64 ms = elapsed();
    result.routineStartTime = static_cast<double>(ms) * 0.001;
    result.penalty = startDelayPenalty(ms);
    result.playWarningSound = warningSoundEnabled && shouldPlayStartWarning();
    result.timedOut = ms > kStartLimitMs;
    return result;
}

double RoutineStartTimer::startDelayPenalty(qint64 ms)
{
    const double s = static_cast<double>(ms) * 0.001;
    if (s >= 181.0)
        return 10.0;
    if (s >= 121.0)
        return 0.6;
    if (s >= 91.0)
        return 0.4;
    if (s >= 61.0)
        return 0.2;
    return 0.0;
}
