#pragma once

#include <QWidget>

#include <array>

// The cables from the master box to the eight sensors, four per trampoline:
// a connected cable in dark grey, a missing one in light grey.
class CableWidget : public QWidget
{
    Q_OBJECT
public:
    static const QColor kConnectedColor;
    static const QColor kMissingColor;

    explicit CableWidget(QWidget *parent = nullptr);

    bool isConnected(int channel) const;
    QColor cableColor(int channel) const;
    // Where the cable of a channel ends at its sensor, in widget coordinates.
    QPointF sensorPoint(int channel) const;
    QPointF boxPoint(int channel) const;
    QSize sizeHint() const override { return QSize(320, 160); }

public Q_SLOTS:
    void setCableConnected(int channel, bool connected);
    // Bit c set: channel c is connected.
    void setConnections(quint8 connections);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<bool, 8> m_connected{};
};
