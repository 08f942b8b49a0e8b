#pragma once

#include "data/Landing.h"
#include "data/TaraRecord.h"
#include "data/wsDaten.h"

#include <QtGlobal>

#include <array>

// What the self-diagnosis shows of the sensors, computed from the store
// without a display.
namespace widget::diagnosis {

// One sensor: its present raw value, the offset in use and their difference.
struct SensorReadout
{
    double raw = 0.0;
    double offset = 0.0;
    double net = 0.0;
    // The sensor delivers a signal: exactly 0 or -1 means none.
    bool good = false;
};

struct TrampolineReadout
{
    std::array<SensorReadout, 4> sensors;
    // All four sensors deliver.
    bool good = false;
};

// Which of the eight channels deliver; channel c is sensor c % 4 + 1 of
// trampoline c / 4 + 1.
struct SensorConnections
{
    std::array<bool, 8> connected{};
    quint8 bits() const;
    bool operator==(const SensorConnections &) const = default;
};

bool sensorDelivers(qint16 raw);

// The read-outs of one trampoline (0 or 1) from one sample.
TrampolineReadout readTrampoline(const wsDaten::Sample &sample, int trampoline, const TaraRecord &tara);
SensorConnections connectionsOf(const std::array<TrampolineReadout, 2> &trampolines);

// Samples the load position is averaged over: one block.
inline constexpr int kPositionSamples = wsDaten::kSamplesPerBlock;

// Where the load on a bed sits now: the centre of pressure over the newest
// kPositionSamples samples of the measurement with the offsets in use. False
// with fewer samples or below the position's minimum load.
bool currentLoadPosition(const wsDaten &store, int trampoline, data::calc::LandingPosition &position);

} // namespace widget::diagnosis
