#pragma once

#include "data/DataEnums.h"
#include "widgets/SensorDiagnosis.h"

#include <QDialog>
#include <QElapsedTimer>

#include <array>
#include <functional>

class CableWidget;
class QAction;
class QFrame;
class QLabel;
class QPushButton;
class SelfDiagnosisTrampoline;
class wsDaten;

// The measuring chain before a competition: computer, USB connection,
// master box, cables and the four sensors of each bed, with a check per
// sensor, the read-outs, where the load sits and a tara. It reads the live
// store, which keeps recording blocks in the diagnosis states.
class SelfDiagnosisDialog : public QDialog
{
    Q_OBJECT
public:
    // Read-outs are refreshed at most this often.
    static constexpr int kUpdateIntervalMs = 500;

    // tara is the main window's tara; it returns when the offsets are
    // computed and saved.
    SelfDiagnosisDialog(wsDaten &store, bool usbConnected, std::function<void()> tara,
                        QWidget *parent = nullptr);

    bool isActive() const { return m_active; }
    bool isUsbConnectionShown() const { return m_usbConnected; }
    SelfDiagnosisTrampoline *trampolineView(int trampoline) const;
    CableWidget *cableWidget() const { return m_cables; }
    QPushButton *taraButton() const { return m_taraButton; }
    QPushButton *closeButton() const { return m_closeButton; }
    QLabel *pleaseWaitLabel() const { return m_pleaseWait; }
    // What P, T and N of the detailed read-outs mean; shown with them.
    QLabel *legendLabel() const { return m_legend; }
    QLabel *boxPicture() const { return m_boxPicture; }
    QAction *showDetailsAction() const { return m_showDetails; }
    // The check mark of sensor 0 to 3, or with sensor 4 of the whole bed.
    bool checkShowsGood(int trampoline, int sensor) const;
    int updateCount() const { return m_updates; }

public Q_SLOTS:
    // Works only while active; activating also enables the buttons.
    void setActive(bool active);
    void updateSensorValues();
    void updateSensorConnections(widget::diagnosis::SensorConnections connections);
    void updateUsbConnection(bool connection);
    void usbConnected();
    void usbDisconnected();
    void updateChecksTramp(data::model::TrampNumber trampoline);
    void updatePosition(data::model::TrampNumber trampoline);
    void evaluateTara();
    // A dark grey frame when enabled, light grey when not.
    void setColorBlack(QFrame *frame, bool enabled);
    // The window close waits for a tara under way.
    void reject() override;

private:
    QFrame *framed(const char *name);
    void setCheck(QLabel *label, bool good);
    void updateButtons();

    wsDaten &m_store;
    std::function<void()> m_tara;
    bool m_active = false;
    bool m_usbConnected = false;
    bool m_taraRunning = false;
    QElapsedTimer m_lastUpdate;
    int m_updates = 0;
    std::array<widget::diagnosis::TrampolineReadout, 2> m_readouts{};
    bool m_haveReadouts = false;

    QFrame *m_chainFrame = nullptr;
    std::array<QFrame *, 2> m_trampolineFrames{};
    QLabel *m_boxPicture = nullptr;
    QLabel *m_usbCheck = nullptr;
    CableWidget *m_cables = nullptr;
    std::array<SelfDiagnosisTrampoline *, 2> m_trampolines{};
    // Four sensors and the bed, per trampoline.
    std::array<std::array<QLabel *, 5>, 2> m_checks{};
    QPushButton *m_taraButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_pleaseWait = nullptr;
    QLabel *m_legend = nullptr;
    QAction *m_showDetails = nullptr;
};
