#pragma once

#include <QList>

#include <cstddef>

// Axis arithmetic of the force plotter: the table of time and force ranges
// that autoScale picks from, and the tick steps. Kept free of widgets so the
// boundaries can be checked without a display.
namespace widget::plot {

struct AxisRange
{
    double minimum = 0.0;
    double maximum = 0.0;
    double tick = 1.0;

    bool operator==(const AxisRange &) const = default;
};

struct PlotScale
{
    AxisRange time;  // seconds
    AxisRange force; // newtons

    bool operator==(const PlotScale &) const = default;
};

// Below this many points autoScale keeps the default picture.
inline constexpr std::size_t kMinimumAutoScalePoints = 50;
// Samples per second of the master box.
inline constexpr double kSamplesPerSecond = 1000.0;
// The time axis grows by this much when the measurement outruns it.
inline constexpr double kTimeExtensionSeconds = 20.0;

// Smallest and largest force seen over the points of the shown trampolines.
struct ForceExtent
{
    double smallest = 0.0;
    double largest = 0.0;
    bool valid = false;

    void include(double value)
    {
        if (!valid) {
            smallest = largest = value;
            valid = true;
            return;
        }
        if (value < smallest)
            smallest = value;
        if (value > largest)
            largest = value;
    }
    void include(const ForceExtent &other)
    {
        if (other.valid) {
            include(other.smallest);
            include(other.largest);
        }
    }
};

// 0 to 40 s with tick 5, -2000 to 18000 N with tick 2000.
PlotScale defaultScale();

// First of 10, 20, 40, 60, 100, 180, 250, 400, 600, 800, 1000 s that the
// duration does not exceed; 1000 at most.
double timeMaximumFor(double durationSeconds);

// Tick step of a time axis ending at timeMaximum seconds.
double timeTickFor(double timeMaximum);

// 0 when every value is above 0, else -2000.
double forceMinimumFor(double smallest);

// First of 2000, 4000, 8000, 12000, 16000, 20000, 26000 N that the largest
// value does not exceed; 26000 at most.
double forceMaximumFor(double largest);

// 1000 N for a range of at most 10000.5 N, else 2000 N.
double forceTickFor(double minimum, double maximum);

// The whole autoScale rule for a list of points long pointCount.
PlotScale autoScaleFor(std::size_t pointCount, const ForceExtent &extent);

// Tick positions from the axis minimum (rounded up to a multiple of the
// tick) to its maximum. An unusable tick gives the two ends only.
QList<double> tickPositions(const AxisRange &axis);

} // namespace widget::plot
