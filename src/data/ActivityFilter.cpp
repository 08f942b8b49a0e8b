#include "data/ActivityFilter.h"

#include <QtGlobal>

namespace {

// h0 to h15; the second half mirrors the first (h(31 - k) = h(k)).
constexpr std::array<double, 16> kHalf = {-0.00003, -0.0005,  -0.00319, -0.00013, -0.0061,  -0.01993,
                                          -0.01589, -0.00491, -0.03397, -0.06856, -0.03118, -0.00032,
                                          -0.09933, -0.16621, 0.05803,  0.39485};

constexpr std::array<double, ActivityFilter::kTaps> makeCoefficients()
{
    std::array<double, ActivityFilter::kTaps> h{};
    for (std::size_t k = 0; k < kHalf.size(); ++k) {
        h[k] = kHalf[k];
        h[ActivityFilter::kTaps - 1 - k] = kHalf[k];
    }
    return h;
}

constexpr std::array<double, ActivityFilter::kTaps> kCoefficients = makeCoefficients();

} // namespace

const std::array<double, ActivityFilter::kTaps> &ActivityFilter::coefficients()
{
    return kCoefficients;
}

double ActivityFilter::filter(int trampoline, double blockMean)
{
    Q_ASSERT(trampoline >= 0 && trampoline < kTrampolines);
    if (trampoline < 0 || trampoline >= kTrampolines)
        return 0.0;
    const auto t = static_cast<std::size_t>(trampoline);
    auto &history = m_history[t];
    const int i = m_index[t];
    history[static_cast<std::size_t>(i)] = blockMean;
    double output = 0.0;
    for (int k = 0; k < kTaps; ++k)
        output += kCoefficients[static_cast<std::size_t>(k)] *
                  history[static_cast<std::size_t>((i - k + kTaps) % kTaps)];
    m_index[t] = (i + 1) % kTaps;
    return output;
}
