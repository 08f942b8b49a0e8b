#pragma once

#include "data/wsDaten.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

// Synthetic force signals and a feeder that pushes them through the store
// frame by frame, as the controller does.
namespace storetest {

using data::store::InnerState;

// One contact: a half-sine of the given peak over `duration` samples from
// `touch`, centred at (x, y) cm.
struct Contact
{
    int touch = 0;
    int duration = 450;
    double peak = 3000.0;
    double x = 0.0;
    double y = 0.0;
};

struct BedSignal
{
    std::vector<Contact> contacts; // sorted by touch
    double base = 2560.0;          // raw value of every sensor when unloaded
    double standing = 0.0;         // constant extra load (a standing athlete)
    double length = 3650.0;
    double width = 2425.0;

    // Raw values of S1 to S4 at sample i.
    std::array<double, 4> raw(int i) const
    {
        double force = standing;
        double x = 0.0;
        double y = 0.0;
        auto it = std::upper_bound(contacts.begin(), contacts.end(), i,
                                   [](int s, const Contact &c) { return s < c.touch; });
        if (it != contacts.begin()) {
            const Contact &c = *(it - 1);
            const int k = i - c.touch;
            if (k >= 0 && k <= c.duration) {
                force += c.peak * std::sin(M_PI * k / c.duration);
                x = c.x;
                y = c.y;
            }
        }
        const double a = x / (0.05 * length);
        const double b = y / (0.05 * width);
        return {base + force / 4 * (1 - a - b), base + force / 4 * (1 - a + b),
                base + force / 4 * (1 + a + b), base + force / 4 * (1 + a - b)};
    }

    // Regular bouncing: `count` contacts from `first`, each followed by a flight.
    static BedSignal bouncing(int first, int count, int flight, double peak = 3000.0, int duration = 450)
    {
        BedSignal signal;
        for (int k = 0; k < count; ++k)
            signal.contacts.push_back({first + k * (duration + flight), duration, peak, 0.0, 0.0});
        return signal;
    }
};

inline wsDaten::Sample makeSample(const BedSignal &bed1, const BedSignal &bed2, int i)
{
    wsDaten::Sample sample{};
    const auto r1 = bed1.raw(i);
    const auto r2 = bed2.raw(i);
    for (std::size_t k = 0; k < 4; ++k) {
        sample[k] = static_cast<qint16>(std::lround(r1[k]));
        sample[k + 4] = static_cast<qint16>(std::lround(r2[k]));
    }
    return sample;
}

// Feeds samples of a signal through addFrame and the per-state block work.
// `next` is the signal's own sample index, independent of the store's count.
struct Feeder
{
    wsDaten &store;
    std::function<wsDaten::Sample(int)> signal;
    int next = 0;
    int rule = 0;
    qint64 clockMs = 0;
    std::vector<data::store::BlockWork> work;

    Feeder(wsDaten &s, std::function<wsDaten::Sample(int)> f)
        : store(s)
        , signal(std::move(f))
    {
        // The activity timers follow the signal: one sample per millisecond.
        store.setClock([this]() { return clockMs; });
    }

    void block(InnerState state)
    {
        for (int frame = 0; frame < wsDaten::kFramesPerBlock; ++frame) {
            wsDaten::FrameValues values{};
            for (int s = 0; s < 3; ++s) {
                const wsDaten::Sample sample = signal(next++);
                std::copy(sample.begin(), sample.end(), values.begin() + s * 8);
            }
            clockMs += 3;
            store.addFrame(values);
        }
        work.push_back(store.handleBlock(state, rule));
    }

    void blocks(int n, InnerState state)
    {
        for (int k = 0; k < n; ++k)
            block(state);
    }

    // Feeds blocks until the signal index reaches at least `sample`.
    void until(int sample, InnerState state)
    {
        while (next < sample)
            block(state);
    }
};

} // namespace storetest
