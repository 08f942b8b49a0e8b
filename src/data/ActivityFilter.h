#pragma once

#include <array>

// FIR filter over the per-block mean force of each trampoline. Its
// coefficients nearly cancel for a constant load, so an athlete standing on
// the bed produces almost no output while bouncing does.
class ActivityFilter
{
public:
    static constexpr int kTaps = 32;
    static constexpr int kTrampolines = 2;

    static const std::array<double, kTaps> &coefficients();

    // Feeds one block mean of trampoline t (0 or 1) and returns the output.
    double filter(int trampoline, double blockMean);

private:
    std::array<std::array<double, kTaps>, kTrampolines> m_history{};
    std::array<int, kTrampolines> m_index{};
};
