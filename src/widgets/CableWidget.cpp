#include "widgets/CableWidget.h"

#include <QPainter>
#include <QPainterPath>

const QColor CableWidget::kConnectedColor(64, 64, 64);
const QColor CableWidget::kMissingColor(205, 205, 205);

CableWidget::CableWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("cableWidget"));
    setMinimumSize(160, 80);
}

bool CableWidget::isConnected(int channel) const
{
    return channel >= 0 && channel < 8 && m_connected[static_cast<std::size_t>(channel)];
}

QColor CableWidget::cableColor(int channel) const
{
    return isConnected(channel) ? kConnectedColor : kMissingColor;
}

void CableWidget::setCableConnected(int channel, bool connected)
{
    if (channel < 0 || channel >= 8)
        return;
    m_connected[static_cast<std::size_t>(channel)] = connected;
    update();
}

void CableWidget::setConnections(quint8 connections)
{
    for (int channel = 0; channel < 8; ++channel)
        m_connected[static_cast<std::size_t>(channel)] = (connections >> channel) & 1U;
    update();
}

// Trampoline 1's sensors hang on the left, trampoline 2's on the right; the
// master box sits in the middle with one socket per channel.
QPointF CableWidget::sensorPoint(int channel) const
{
    const double x = channel < 4 ? width() * 0.08 : width() * 0.92;
    const double y = height() * (0.14 + 0.24 * (channel % 4));
    return QPointF(x, y);
}

QPointF CableWidget::boxPoint(int channel) const
{
    const double x = channel < 4 ? width() * 0.40 : width() * 0.60;
    const double y = height() * (0.32 + 0.12 * (channel % 4));
    return QPointF(x, y);
}

void CableWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pen = std::max(2.0, height() / 40.0);
    for (int channel = 0; channel < 8; ++channel) {
        const QPointF from = boxPoint(channel);
        const QPointF to = sensorPoint(channel);
        QPainterPath cable(from);
        const double middle = (from.x() + to.x()) / 2.0;
        cable.cubicTo(QPointF(middle, from.y()), QPointF(middle, to.y()), to);
        painter.setPen(QPen(cableColor(channel), pen, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(cable);
        painter.setBrush(cableColor(channel));
        painter.drawEllipse(to, pen * 1.8, pen * 1.8);
    }
    const QRectF box(width() * 0.40, height() * 0.22, width() * 0.20, height() * 0.56);
    painter.setPen(QPen(kConnectedColor, 1.5));
    painter.setBrush(QColor(235, 235, 235));
    painter.drawRoundedRect(box, 6, 6);
}
