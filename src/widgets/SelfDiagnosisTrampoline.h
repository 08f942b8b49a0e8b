#pragma once

#include "data/Landing.h"
#include "widgets/SensorDiagnosis.h"

#include <QFrame>
#include <QString>

// One bed as the self-diagnosis shows it: the four sensors at the corners,
// green when they deliver and red when not, the cables between neighbouring
// sensors, the read-out of every sensor (raw value, offset in use and their
// difference) and a marker where the load sits now.
class SelfDiagnosisTrampoline : public QFrame
{
    Q_OBJECT
public:
    explicit SelfDiagnosisTrampoline(QWidget *parent = nullptr);

    QString trampolineTitle() const { return m_title; }
    void setTrampolineTitle(const QString &title);
    const widget::diagnosis::TrampolineReadout &readout() const { return m_readout; }
    bool hasReadout() const { return m_hasReadout; }
    // "P: raw", "T: offset" and "N: difference" of sensor 0 to 3.
    QString readoutText(int sensor) const;
    bool showReadouts() const { return m_showReadouts; }
    bool hasLoadPosition() const { return m_hasPosition; }
    data::calc::LandingPosition loadPosition() const { return m_position; }
    bool isActive() const { return m_active; }

    QSize sizeHint() const override { return QSize(420, 260); }
    QSize minimumSizeHint() const override { return QSize(260, 160); }

public Q_SLOTS:
    void setReadout(const widget::diagnosis::TrampolineReadout &readout);
    void setShowReadouts(bool show);
    void setLoadPosition(data::calc::LandingPosition position);
    void clearLoadPosition();
    void setActive(bool active);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    widget::diagnosis::TrampolineReadout m_readout;
    bool m_hasReadout = false;
    bool m_showReadouts = false;
    bool m_hasPosition = false;
    data::calc::LandingPosition m_position;
    bool m_active = true;
};
