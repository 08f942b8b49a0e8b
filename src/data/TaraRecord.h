#pragma once

#include <array>

// Zero offsets of the four sensors of one trampoline. Every force the program
// evaluates is taken relative to the offsets in use; the computed offsets are
// what the settings store writes back.
struct TaraRecord
{
    int trampoline = 0;
    int channelOffset = 0;
    std::array<double, 4> offsets{};
    std::array<double, 4> computedOffsets{};
    std::array<double, 4> reserved{};

    void setBoth(const std::array<double, 4> &values)
    {
        offsets = values;
        computedOffsets = values;
    }
};
