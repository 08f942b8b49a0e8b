#include "widgets/TrampolineGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace widget::trampoline {

QRect windowRect()
{
    return QRect(QPoint(-2530, -1460), QPoint(2529, 1459));
}

QRect bedRect()
{
    return QRect(QPoint(-2140, -1070), QPoint(2139, 1069));
}

std::array<QLine, 6> zoneLines()
{
    return {QLine(-2140, -535, 2140, -535), QLine(-2140, 535, 2140, 535), QLine(-1070, -1070, -1070, 1070),
            QLine(1070, -1070, 1070, 1070), QLine(-350, 0, 350, 0),       QLine(0, -350, 0, 350)};
}

std::array<QLine, 2> innerZoneLines()
{
    return {QLine(-535, -525, -535, 525), QLine(535, -525, 535, 525)};
}

std::array<SensorMark, 4> sensorMarks()
{
    return {SensorMark{QPoint(-1825, 1212), QStringLiteral("F1")},
            SensorMark{QPoint(-1825, -1212), QStringLiteral("F2")},
            SensorMark{QPoint(1825, -1212), QStringLiteral("F3")},
            SensorMark{QPoint(1825, 1212), QStringLiteral("F4")}};
}

QPoint drawingPointFor(const data::calc::LandingPosition &position)
{
    // Whole centimetres only; a position that is not a number lands in the
    // centre rather than at an undefined place.
    const auto whole = [](double value) {
        if (!std::isfinite(value))
            return 0;
        const double truncated = std::trunc(value);
        if (truncated > 100000.0)
            return 100000;
        if (truncated < -100000.0)
            return -100000;
        return static_cast<int>(truncated);
    };
    return QPoint(10 * whole(position.x), -10 * whole(position.y));
}

QRect viewportFor(const QSize &widgetSize)
{
    const int width = widgetSize.width();
    const int height = widgetSize.height();
    if (width <= 0 || height <= 0)
        return QRect();
    int viewportWidth = width;
    int viewportHeight = static_cast<int>(std::lround(width / kAspectRatio));
    if (viewportHeight > height) {
        viewportHeight = height;
        viewportWidth = static_cast<int>(std::lround(height * kAspectRatio));
        if (viewportWidth > width)
            viewportWidth = width;
    }
    return QRect((width - viewportWidth) / 2, (height - viewportHeight) / 2, viewportWidth, viewportHeight);
}

QPointF widgetPointFor(const QPoint &drawingPoint, const QRect &viewport)
{
    const QRect window = windowRect();
    const double sx = static_cast<double>(viewport.width()) / window.width();
    const double sy = static_cast<double>(viewport.height()) / window.height();
    return QPointF(viewport.x() + (drawingPoint.x() - window.x()) * sx,
                   viewport.y() + (drawingPoint.y() - window.y()) * sy);
}

} // namespace widget::trampoline

namespace widget::trampoline {

namespace {

double distance(const QPoint &a, const QPoint &b)
{
    return std::hypot(double(a.x() - b.x()), double(a.y() - b.y()));
}

} // namespace

std::vector<QPoint> labelPositions(const std::vector<QPoint> &markers)
{
    std::vector<QPoint> labels;
    labels.reserve(markers.size());
    // How far a number at point p stays from everything else drawn.
    const auto clearance = [&markers, &labels](std::size_t own, const QPoint &p) {
        double nearest = std::numeric_limits<double>::max();
        for (std::size_t k = 0; k < markers.size(); ++k) {
            if (k != own)
                nearest = std::min(nearest, distance(p, markers[k]));
        }
        for (const QPoint &label : labels)
            nearest = std::min(nearest, distance(p, label));
        return nearest;
    };
    // Right, left, up, down, then the diagonals.
    static const std::array<QPointF, 8> directions = {
        QPointF(1, 0),           QPointF(-1, 0),           QPointF(0, -1),
        QPointF(0, 1),           QPointF(0.7071, -0.7071), QPointF(-0.7071, -0.7071),
        QPointF(0.7071, 0.7071), QPointF(-0.7071, 0.7071)};
    for (std::size_t i = 0; i < markers.size(); ++i) {
        QPoint best = markers[i];
        double bestClearance = clearance(i, best);
        // Near places first; a second ring where the crowd is dense.
        for (const int offset : {kLabelOffset, kLabelOffset * 17 / 10}) {
            for (const QPointF &d : directions) {
                if (bestClearance >= kLabelSpacing)
                    break;
                const QPoint candidate = markers[i] + (d * offset).toPoint();
                const double c = clearance(i, candidate);
                if (c > bestClearance) {
                    best = candidate;
                    bestClearance = c;
                }
            }
        }
        labels.push_back(best);
    }
    return labels;
}

} // namespace widget::trampoline
