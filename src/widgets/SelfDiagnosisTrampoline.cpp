#include "widgets/SelfDiagnosisTrampoline.h"

#include "widgets/TrampolineGeometry.h"

#include <QPainter>

namespace geometry = widget::trampoline;

namespace {

const QColor kFrame(55, 60, 70);
const QColor kBed(226, 232, 240);
const QColor kZone(255, 255, 255);
const QColor kGood(46, 157, 74);
const QColor kBad(208, 48, 48);
const QColor kUnknown(150, 150, 150);
const QColor kMarker(30, 110, 200);

} // namespace

SelfDiagnosisTrampoline::SelfDiagnosisTrampoline(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("selfDiagnosisTrampoline"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SelfDiagnosisTrampoline::setTrampolineTitle(const QString &title)
{
    m_title = title;
    update();
}

QString SelfDiagnosisTrampoline::readoutText(int sensor) const
{
    if (sensor < 0 || sensor > 3 || !m_hasReadout)
        return QString();
    const widget::diagnosis::SensorReadout &s = m_readout.sensors[static_cast<std::size_t>(sensor)];
    return tr("P: %1\nT: %2\nN: %3")
        .arg(QString::number(s.raw, 'f', 1), QString::number(s.offset, 'f', 1),
             QString::number(s.net, 'f', 1));
}

void SelfDiagnosisTrampoline::setReadout(const widget::diagnosis::TrampolineReadout &readout)
{
    m_readout = readout;
    m_hasReadout = true;
    update();
}

void SelfDiagnosisTrampoline::setShowReadouts(bool show)
{
    m_showReadouts = show;
    update();
}

void SelfDiagnosisTrampoline::setLoadPosition(data::calc::LandingPosition position)
{
    m_position = position;
    m_hasPosition = true;
    update();
}

void SelfDiagnosisTrampoline::clearLoadPosition()
{
    m_hasPosition = false;
    update();
}

void SelfDiagnosisTrampoline::setActive(bool active)
{
    m_active = active;
    update();
}

void SelfDiagnosisTrampoline::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setWindow(geometry::windowRect());
    painter.setViewport(geometry::viewportFor(contentsRect().size()).translated(contentsRect().topLeft()));

    painter.setPen(Qt::NoPen);
    painter.setBrush(m_active ? kFrame : kUnknown);
    painter.drawRoundedRect(geometry::windowRect(), geometry::kFrameCornerRadius,
                            geometry::kFrameCornerRadius);
    painter.setBrush(kBed);
    painter.drawRect(geometry::bedRect());
    painter.setPen(QPen(kZone, geometry::kZoneLineWidth));
    for (const QLine &line : geometry::zoneLines())
        painter.drawLine(line);

    const auto marks = geometry::sensorMarks();
    const auto sensorColor = [this](std::size_t k) {
        if (!m_hasReadout || !m_active)
            return kUnknown;
        return m_readout.sensors[k].good ? kGood : kBad;
    };
    // Each cable joins a sensor to its neighbour around the frame; it is
    // whole only when both ends deliver.
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t next = (k + 1) % 4;
        const bool whole = m_hasReadout && m_readout.sensors[k].good && m_readout.sensors[next].good;
        QPen cable(whole && m_active ? QColor(200, 205, 212) : kBad, 45, whole ? Qt::SolidLine : Qt::DashLine,
                   Qt::RoundCap);
        if (!m_hasReadout || !m_active)
            cable.setColor(kUnknown);
        painter.setPen(cable);
        painter.drawLine(marks[k].centre, marks[next].centre);
    }

    QFont font = painter.font();
    font.setPixelSize(110);
    font.setBold(true);
    painter.setFont(font);
    for (std::size_t k = 0; k < 4; ++k) {
        const QPoint centre = marks[k].centre;
        painter.setPen(QPen(Qt::white, 20));
        painter.setBrush(sensorColor(k));
        painter.drawEllipse(centre, geometry::kSensorRadius + 40, geometry::kSensorRadius + 40);
        // The name sits on the frame beside the sensor, towards the middle,
        // over the cable.
        const bool left = centre.x() < 0;
        const QString name = tr("Sensor %1").arg(k + 1);
        const int width = painter.fontMetrics().horizontalAdvance(name) + 80;
        const QRect nameBox(left ? centre.x() + 170 : centre.x() - 170 - width, centre.y() - 90, width, 180);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_active ? kFrame : kUnknown);
        painter.drawRoundedRect(nameBox, 40, 40);
        painter.setPen(Qt::white);
        painter.drawText(nameBox, Qt::AlignCenter, name);
    }

    if (m_showReadouts && m_hasReadout) {
        font.setPixelSize(115);
        font.setBold(false);
        painter.setFont(font);
        painter.setPen(QColor(20, 20, 20));
        for (std::size_t k = 0; k < 4; ++k) {
            const QPoint centre = marks[k].centre;
            // Inside the bed, towards its centre from the sensor.
            const int x =
                centre.x() < 0 ? geometry::bedRect().left() + 60 : geometry::bedRect().right() - 960;
            const int y =
                centre.y() < 0 ? geometry::bedRect().top() + 40 : geometry::bedRect().bottom() - 420;
            painter.drawText(QRect(x, y, 900, 380),
                             (centre.x() < 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop,
                             readoutText(static_cast<int>(k)));
        }
    }

    if (m_hasPosition && m_active) {
        const QPoint point = geometry::drawingPointFor(m_position);
        painter.setPen(QPen(Qt::white, 25));
        painter.setBrush(kMarker);
        painter.drawEllipse(point, geometry::kMarkerRadius + 30, geometry::kMarkerRadius + 30);
        painter.setPen(QPen(kMarker, 20));
        painter.drawLine(point + QPoint(-260, 0), point + QPoint(260, 0));
        painter.drawLine(point + QPoint(0, -260), point + QPoint(0, 260));
    }

    if (!m_title.isEmpty()) {
        font.setPixelSize(130);
        font.setBold(true);
        painter.setFont(font);
        const int width = painter.fontMetrics().horizontalAdvance(m_title) + 120;
        const QRect box(geometry::kTitleCentre.x() - width / 2, geometry::kTitleCentre.y() - 110, width, 220);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_active ? kFrame : kUnknown);
        painter.drawRoundedRect(box, 40, 40);
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, m_title);
    }
}
