#pragma once

#include "data/Landing.h"

#include <QLine>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

// Geometry of the bed drawing in drawing units: millimetres of the bed with
// the y axis pointing down and (0, 0) at the bed centre. The widget only
// paints what these functions give.
namespace widget::trampoline {

// Width to height of the drawing viewport.
inline constexpr double kAspectRatio = 1.7329;
inline constexpr int kFrameCornerRadius = 150;
inline constexpr int kZoneLineWidth = 20;
inline constexpr int kSensorRadius = 100;
inline constexpr int kMarkerRadius = 80;
inline constexpr QPoint kTitleCentre{0, -1272};

// Drawing roles of the colour table.
enum Role : int {
    RoleText = 0,
    RoleReserved1 = 1,
    RoleReserved2 = 2,
    RoleFrame = 3,
    RoleBed = 4,
    RoleZoneLine = 5,
    RoleInnerZoneLine = 6,
    RoleInactive = 7,
};
inline constexpr int kRoleCount = 8;

// The whole drawing, (-2530, -1460) to (2529, 1459).
QRect windowRect();
// The bed, (-2140, -1070) to (2139, 1069).
QRect bedRect();

// Zone lines (role 5) and inner zone lines (role 6).
std::array<QLine, 6> zoneLines();
std::array<QLine, 2> innerZoneLines();

struct SensorMark
{
    QPoint centre;
    QString label; // "F1" to "F4", not translated
};
// S1 to S4 of the sensor layout, drawn with the y axis inverted.
std::array<SensorMark, 4> sensorMarks();

// Where a landing at (x, y) cm is drawn: (10 * int(x), -10 * int(y)).
QPoint drawingPointFor(const data::calc::LandingPosition &position);

// Where the numbers of landing markers are drawn: on the marker where it
// stands alone; where markers crowd (landings near the bed centre), beside
// it, at the first of eight places around it (then of eight a little
// farther) that keeps the number clear of every other marker and number, so
// that each number stays readable. The
// result has one point per marker, in the order given.
inline constexpr int kLabelSpacing = 2 * kMarkerRadius;
inline constexpr int kLabelOffset = 200;
std::vector<QPoint> labelPositions(const std::vector<QPoint> &markers);

// The largest rectangle with kAspectRatio centred in a widget of this size.
QRect viewportFor(const QSize &widgetSize);

// Widget coordinates of a drawing point for the given viewport, as the
// painter maps window to viewport.
QPointF widgetPointFor(const QPoint &drawingPoint, const QRect &viewport);

} // namespace widget::trampoline
