#include "widgets/PlotterScale.h"

#include <array>
#include <cmath>

namespace widget::plot {

namespace {

constexpr std::array<double, 11> kTimeMaxima{10, 20, 40, 60, 100, 180, 250, 400, 600, 800, 1000};
constexpr std::array<double, 7> kForceMaxima{2000, 4000, 8000, 12000, 16000, 20000, 26000};

struct TickStep
{
    double above;
    double tick;
};
// Checked from the top: the first threshold the maximum lies above wins.
constexpr std::array<TickStep, 8> kTimeTicks{{{600.5, 100},
                                              {400.5, 60},
                                              {250.5, 40},
                                              {180.5, 25},
                                              {100.5, 20},
                                              {60.5, 10},
                                              {20.5, 5},
                                              {10.5, 2}}};

} // namespace

PlotScale defaultScale()
{
    return PlotScale{AxisRange{0.0, 40.0, 5.0}, AxisRange{-2000.0, 18000.0, 2000.0}};
}

double timeMaximumFor(double durationSeconds)
{
    for (double maximum : kTimeMaxima) {
        if (durationSeconds <= maximum)
            return maximum;
    }
    return kTimeMaxima.back();
}

double timeTickFor(double timeMaximum)
{
    for (const TickStep &step : kTimeTicks) {
        if (timeMaximum > step.above)
            return step.tick;
    }
    return 1.0;
}

double forceMinimumFor(double smallest)
{
    return smallest > 0.0 ? 0.0 : -2000.0;
}

double forceMaximumFor(double largest)
{
    for (double maximum : kForceMaxima) {
        if (largest <= maximum)
            return maximum;
    }
    return kForceMaxima.back();
}

double forceTickFor(double minimum, double maximum)
{
    return maximum - minimum <= 10000.5 ? 1000.0 : 2000.0;
}

PlotScale autoScaleFor(std::size_t pointCount, const ForceExtent &extent)
{
    PlotScale scale = defaultScale();
    if (pointCount < kMinimumAutoScalePoints)
        return scale;

    const double duration = static_cast<double>(pointCount) / kSamplesPerSecond;
    scale.time.maximum = timeMaximumFor(duration);
    scale.time.tick = timeTickFor(scale.time.maximum);

    // Exactly 50 points keep the default force range; with nothing shown
    // there is nothing to fit either.
    if (pointCount > kMinimumAutoScalePoints && extent.valid) {
        scale.force.minimum = forceMinimumFor(extent.smallest);
        scale.force.maximum = forceMaximumFor(extent.largest);
    }
    scale.force.tick = forceTickFor(scale.force.minimum, scale.force.maximum);
    return scale;
}

QList<double> tickPositions(const AxisRange &axis)
{
    QList<double> ticks;
    if (!(axis.maximum >= axis.minimum))
        return ticks;
    const double span = axis.maximum - axis.minimum;
    // A tick that would give thousands of lines is a caller's mistake; show
    // the ends rather than freeze the painter.
    if (!(axis.tick > 0.0) || span / axis.tick > 1000.0) {
        ticks << axis.minimum << axis.maximum;
        return ticks;
    }
    const double first = std::ceil(axis.minimum / axis.tick - 1e-9) * axis.tick;
    for (int i = 0;; ++i) {
        const double value = first + i * axis.tick;
        if (value > axis.maximum + 1e-9)
            break;
        ticks << value;
    }
    return ticks;
}

} // namespace widget::plot
