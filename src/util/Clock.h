#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

namespace ovra::util {

// A monotonic millisecond clock. The timers of the routine cycle run for
// minutes (start delay, routine end); they read time through this interface
// so that tests can move time forward without waiting.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() const = 0;

    // The process-wide monotonic clock.
    static const Clock &steady();
};

// A clock that only moves when told to.
class ManualClock final : public Clock
{
public:
    qint64 nowMs() const override { return m_now; }
    void setNowMs(qint64 now) { m_now = now; }
    void advanceMs(qint64 delta) { m_now += delta; }

private:
    qint64 m_now = 0;
};

// QElapsedTimer's interface on top of a Clock.
class ElapsedTimer
{
public:
    explicit ElapsedTimer(const Clock *clock = nullptr)
        : m_clock(clock ? clock : &Clock::steady())
    {}

    void setClock(const Clock *clock) { m_clock = clock ? clock : &Clock::steady(); }
    void start()
    {
        m_start = m_clock->nowMs();
        m_valid = true;
    }
    void restart() { start(); }
    void invalidate() { m_valid = false; }
    bool isValid() const { return m_valid; }
    // Milliseconds since start(); 0 for a timer that was never started.
    qint64 elapsed() const { return m_valid ? m_clock->nowMs() - m_start : 0; }

private:
    const Clock *m_clock;
    qint64 m_start = 0;
    bool m_valid = false;
};

} // namespace ovra::util
