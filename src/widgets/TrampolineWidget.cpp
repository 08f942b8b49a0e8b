#include "widgets/TrampolineWidget.h"

#include "widgets/TrampolineGeometry.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace geometry = widget::trampoline;

const QColor TrampolineWidget::kDefaultLandingColor(200, 20, 20);
const QColor TrampolineWidget::kLandingColor1(0, 80, 0, 180);
const QColor TrampolineWidget::kLandingColor2(80, 0, 80, 180);

TrampolineWidget::TrampolineWidget(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("trampolineWidget"));
    m_colors = {QColor(0, 0, 0),      QColor(90, 90, 90),    QColor(90, 90, 90),    QColor(55, 60, 70),
                QColor(30, 110, 200), QColor(255, 255, 255), QColor(190, 215, 245), QColor(150, 150, 150)};
    setMinimumSize(173, 100);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

TrampolineWidget::~TrampolineWidget() = default;

void TrampolineWidget::setTitle(const QString &title)
{
    m_title = title;
    redraw();
}

void TrampolineWidget::setShowSensorPositions(bool show)
{
    m_showSensorPositions = show;
    redraw();
}

void TrampolineWidget::setTrampoline(int trampoline)
{
    Q_ASSERT(trampoline == 0 || trampoline == 1);
    m_trampoline = trampoline == 1 ? 1 : 0;
}

QColor TrampolineWidget::color(int role) const
{
    if (role < 0 || role >= geometry::kRoleCount)
        return QColor();
    return m_colors[static_cast<std::size_t>(role)];
}

void TrampolineWidget::setColor(int role, const QColor &color)
{
    if (role < 0 || role >= geometry::kRoleCount)
        return;
    m_colors[static_cast<std::size_t>(role)] = color;
    redraw();
}

QPointF TrampolineWidget::widgetPointFor(const QPoint &drawingPoint) const
{
    return geometry::widgetPointFor(drawingPoint, geometry::viewportFor(size()));
}

QSize TrampolineWidget::sizeHint() const
{
    return QSize(347, 200);
}

int TrampolineWidget::heightForWidth(int width) const
{
    return static_cast<int>(width / geometry::kAspectRatio);
}

void TrampolineWidget::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    redraw();
}

void TrampolineWidget::setTrampMode(data::model::TrampMode trampMode)
{
    using data::model::TrampMode;
    const TrampMode own = m_trampoline == 1 ? TrampMode::Trampoline2 : TrampMode::Trampoline1;
    setActive(trampMode == own || trampMode == TrampMode::Synchronized);
}

void TrampolineWidget::clear()
{
    m_markers.clear();
    redraw();
}

void TrampolineWidget::drawPosition(data::calc::LandingPosition landingPosition, QColor color)
{
    addMarker(landingPosition, -1, color);
}

void TrampolineWidget::drawPosition(data::calc::LandingPosition landingPosition)
{
    addMarker(landingPosition, -1, kDefaultLandingColor);
}

void TrampolineWidget::drawLanding(int index, data::model::Landing landing)
{
    addMarker(landing.landingPosition, index + 1, kDefaultLandingColor);
}

void TrampolineWidget::drawLandingColor1(int index, data::model::Landing landing)
{
    addMarker(landing.landingPosition, index + 1, kLandingColor1);
}

void TrampolineWidget::drawLandingColor2(int index, data::model::Landing landing)
{
    addMarker(landing.landingPosition, index + 1, kLandingColor2);
}

void TrampolineWidget::updateLanding(std::size_t index, data::model::Landing landing, DataUpdateReason reason)
{
    Q_UNUSED(reason);
    drawLanding(static_cast<int>(qMin<std::size_t>(index, 1000)), landing);
}

void TrampolineWidget::rolloverPositions()
{
    if (m_markers.isEmpty())
        return;
    m_markers.removeFirst();
    for (Marker &marker : m_markers) {
        if (marker.number >= 0)
            --marker.number;
    }
    redraw();
}

void TrampolineWidget::addMarker(const data::calc::LandingPosition &position, int number, const QColor &color)
{
    m_markers.append(Marker{geometry::drawingPointFor(position), number, color});
    redraw();
}

void TrampolineWidget::redraw()
{
    if (m_pixmap.isNull())
        return;
    m_pixmap.fill(palette().color(backgroundRole()));
    QPainter painter(&m_pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setWindow(geometry::windowRect());
    painter.setViewport(geometry::viewportFor(m_pixmap.deviceIndependentSize().toSize()));

    std::array<QColor, 8> colors = m_colors;
    if (!m_active) {
        for (int role : {int(geometry::RoleReserved1), int(geometry::RoleReserved2), int(geometry::RoleFrame),
                         int(geometry::RoleZoneLine), int(geometry::RoleInnerZoneLine)})
            colors[static_cast<std::size_t>(role)] = colors[geometry::RoleInactive];
    }
    const auto roleColor = [&](int role) { return colors[static_cast<std::size_t>(role)]; };

    painter.setPen(QPen(roleColor(geometry::RoleFrame), 10));
    painter.setBrush(roleColor(geometry::RoleFrame));
    painter.drawRoundedRect(geometry::windowRect(), geometry::kFrameCornerRadius,
                            geometry::kFrameCornerRadius);

    painter.setPen(QPen(roleColor(geometry::RoleBed), 10));
    painter.setBrush(roleColor(geometry::RoleBed));
    painter.drawRect(geometry::bedRect());

    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(roleColor(geometry::RoleZoneLine), geometry::kZoneLineWidth, Qt::SolidLine, Qt::FlatCap));
    for (const QLine &line : geometry::zoneLines())
        painter.drawLine(line);
    painter.setPen(
        QPen(roleColor(geometry::RoleInnerZoneLine), geometry::kZoneLineWidth, Qt::SolidLine, Qt::FlatCap));
    for (const QLine &line : geometry::innerZoneLines())
        painter.drawLine(line);

    QFont font = painter.font();
    if (m_showSensorPositions) {
        font.setPixelSize(110);
        painter.setFont(font);
        for (const geometry::SensorMark &sensor : geometry::sensorMarks()) {
            painter.setPen(QPen(roleColor(geometry::RoleBed), 10));
            painter.setBrush(roleColor(geometry::RoleBed));
            painter.drawEllipse(sensor.centre, geometry::kSensorRadius, geometry::kSensorRadius);
            painter.setPen(roleColor(geometry::RoleText));
            const QRect box(sensor.centre.x() - 200, sensor.centre.y() - 100, 400, 200);
            painter.drawText(box, Qt::AlignCenter, sensor.label);
        }
    }

    font.setPixelSize(100);
    font.setBold(true);
    painter.setFont(font);
    std::vector<QPoint> points;
    for (const Marker &marker : m_markers) {
        if (marker.number >= 0)
            points.push_back(marker.point);
        painter.setPen(Qt::NoPen);
        painter.setBrush(marker.color);
        painter.drawEllipse(marker.point, geometry::kMarkerRadius, geometry::kMarkerRadius);
    }
    // The numbers on top, beside their markers where markers crowd.
    const std::vector<QPoint> labels = geometry::labelPositions(points);
    std::size_t n = 0;
    for (const Marker &marker : m_markers) {
        if (marker.number < 0)
            continue;
        const QPoint at = labels[n++];
        if (at != marker.point) {
            painter.setPen(QPen(marker.color, 16));
            painter.drawLine(marker.point, at);
            painter.setPen(QPen(Qt::white, 10));
            painter.setBrush(marker.color);
            painter.drawEllipse(at, geometry::kMarkerRadius - 10, geometry::kMarkerRadius - 10);
        }
        painter.setPen(Qt::white);
        const QRect box(at.x() - 150, at.y() - 100, 300, 200);
        painter.drawText(box, Qt::AlignCenter, QString::number(marker.number));
    }

    if (!m_title.isEmpty()) {
        font.setPixelSize(150);
        painter.setFont(font);
        painter.setPen(roleColor(geometry::RoleBed));
        const QRect box(geometry::kTitleCentre.x() - 2000, geometry::kTitleCentre.y() - 120, 4000, 240);
        painter.drawText(box, Qt::AlignCenter, m_title);
    }
    painter.end();
    update();
}

void TrampolineWidget::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_pixmap.isNull())
        return;
    QPainter painter(this);
    const qreal ratio = m_pixmap.devicePixelRatio();
    const QRectF target(event->rect());
    painter.drawPixmap(target, m_pixmap, QRectF(target.topLeft() * ratio, target.size() * ratio));
}

void TrampolineWidget::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    // Drawn at the screen's resolution, so the bed stays sharp on HiDPI screens.
    m_pixmap = QPixmap();
    if (!event->size().isEmpty()) {
        const qreal ratio = devicePixelRatioF();
        m_pixmap = QPixmap(event->size() * ratio);
        m_pixmap.setDevicePixelRatio(ratio);
    }
    redraw();
}
