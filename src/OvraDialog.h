#pragma once

#include "usb/SimulatedUSBConnection.h"
#include "usb/UsbFrame.h"

#include <QFont>
#include <QMainWindow>

#include <memory>

class OvraSettings;
class QAction;
class QMenu;

namespace usb {
class DeviceLink;
}

namespace ovra::util {
class LogHandler;
}

// The main window and the controller of the workstation. It owns every
// long-lived component for the life of the process.
class OvraDialog : public QMainWindow
{
    Q_OBJECT
public:
    explicit OvraDialog(ovra::util::LogHandler &logHandler, QWidget *parent = nullptr);
    ~OvraDialog() override;

    OvraSettings &settings() { return *m_settings; }
    bool isQuitting() const { return m_quitting; }
    // The connection, reader thread, watchdog and simulated box.
    usb::DeviceLink &deviceLink() { return *m_deviceLink; }

Q_SIGNALS:
    void usbConnected();
    void usbDisconnected();

public Q_SLOTS:
    // Device link (OvraDialogUsb.cpp); each delegates to the DeviceLink.
    void connectUSB();
    void initUSB();
    void trampDataReady(const UsbFrame *usbFrameCopy);
    void slot_usbConnectedTimer();
    void initSimulatedUSB();
    void setSimulatedInputMode(usb::SimulatedUSBMode mode);

    // Stops the device link and saves the settings; only the first call does
    // the work, every call closes the window.
    void quit();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createDeviceLink();
    void createSimulationMenu();
    void connectDeviceLink();

    ovra::util::LogHandler &m_logHandler;
    std::unique_ptr<OvraSettings> m_settings;
    QFont m_font;
    QAction *m_actionQuit = nullptr;
    usb::DeviceLink *m_deviceLink = nullptr;
    QMenu *m_menuSimulation = nullptr;
    QAction *m_actionConnectUsbMaster = nullptr;
    QAction *m_actionSimulateNoActivity = nullptr;
    QAction *m_actionSimulateTrampoline_1 = nullptr;
    QAction *m_actionSimulateTrampoline_2 = nullptr;
    QAction *m_actionSimulateBothTrampolines = nullptr;
    bool m_quitting = false;
};
