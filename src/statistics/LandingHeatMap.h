#pragma once

#include "statistics/CompetitionStatistics.h"

#include <QImage>
#include <QList>
#include <QString>

#include <vector>

// The heat map of a competition's landing positions: both beds drawn to
// scale with their zones, the landings as a density and a legend.
namespace ovra::statistics {

// Landing density over the drawing of one bed (the bed and its frame).
// Cell (column, row) covers x from left + column * cell to the next cell and,
// downwards in the drawing, y from top - row * cell (centimetres from the bed
// centre, y up as in landing positions). Every landing spreads as a
// two-dimensional Gaussian that integrates to one landing, so the values are
// landings per square metre.
struct DensityGrid
{
    int columns = 0;
    int rows = 0;
    double cellCm = 0.0;
    double leftCm = 0.0;
    double topCm = 0.0;
    std::vector<double> values;
    double maximum = 0.0;

    double at(int column, int row) const { return values[static_cast<std::size_t>(row * columns + column)]; }
};

inline constexpr double kHeatMapCellCm = 2.0;
inline constexpr double kHeatMapBandwidthCm = 12.0;

DensityGrid landingDensity(const QList<LandingSample> &landings, double cellCm = kHeatMapCellCm,
                           double bandwidthCm = kHeatMapBandwidthCm);

// Both beds side by side on one colour scale. Texts need a GUI application
// (fonts); without one the picture is drawn without them.
QImage renderHeatMap(const CompetitionStatistics &statistics);

// Writes the heat map as a PNG; true when it was written.
bool saveHeatMap(const CompetitionStatistics &statistics, const QString &path);

} // namespace ovra::statistics
