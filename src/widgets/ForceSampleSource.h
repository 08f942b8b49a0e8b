#pragma once

#include <array>

namespace widget::plot {

// Forces of the eight channels of one sample, zero offsets removed (N).
using ChannelForces = std::array<double, 8>;

// What the plotter needs of the sample store: the number of samples of the
// measurement and the forces of one of them.
class ForceSampleSource
{
public:
    virtual ~ForceSampleSource() = default;
    virtual int sampleCount() const = 0;
    virtual ChannelForces forces(int sample) const = 0;
};

// Adapts any store with sampleCount() and channelValue(channel, sample,
// offsetsRemoved) to the plotter, so the plotter does not depend on the
// store's class.
template <typename Store>
class StoreForceSource final : public ForceSampleSource
{
public:
    explicit StoreForceSource(const Store &store)
        : m_store(store)
    {
    }
    int sampleCount() const override { return m_store.sampleCount(); }
    ChannelForces forces(int sample) const override
    {
        ChannelForces values{};
        for (int channel = 0; channel < 8; ++channel)
            values[static_cast<std::size_t>(channel)] = m_store.channelValue(channel, sample, true);
        return values;
    }

private:
    const Store &m_store;
};

} // namespace widget::plot
