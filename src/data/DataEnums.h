#pragma once

#include <QMetaType>

namespace data::model {

// Which trampoline(s) the current routine uses. Trampoline 1 has the sensor
// channels 0 to 3, trampoline 2 the channels 4 to 7.
enum class TrampMode : int {
    Trampoline1 = 1,
    Trampoline2 = 2,
    Synchronized = 3,
};

// One of the two trampolines.
enum class TrampNumber : int {
    Trampoline1 = 0,
    Trampoline2 = 1,
};

// First sensor channel of a trampoline.
constexpr int firstChannelOf(TrampNumber trampoline)
{
    return trampoline == TrampNumber::Trampoline2 ? 4 : 0;
}

} // namespace data::model

// Travels with every landing and result update so receivers can tell live
// data from recomputed data.
enum class DataUpdateReason : int {
    Measurement = 0,
    Replay = 1,
    Edit = 2,
};

Q_DECLARE_METATYPE(data::model::TrampMode)
Q_DECLARE_METATYPE(data::model::TrampNumber)
Q_DECLARE_METATYPE(DataUpdateReason)
