#include "util/Clock.h"

namespace ovra::util {

namespace {

class SteadyClock final : public Clock
{
public:
    SteadyClock() { m_timer.start(); }
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace

const Clock &Clock::steady()
{
    static const SteadyClock clock;
    return clock;
}

} // namespace ovra::util
