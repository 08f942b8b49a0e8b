#pragma once

#include "usb/SimulatedUSBConnection.h"
#include "usb/UsbFrame.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>

class USBConnection;
class USBThread;

namespace usb {

// The main window's device link: connects the master box (retrying once a
// second), configures it, dispatches its frames, drops it when it falls
// silent, and attaches or detaches the simulated box. Lives in the GUI
// thread; the reader thread only reaches it through queued frames.
class DeviceLink : public QObject
{
    Q_OBJECT
public:
    static constexpr int kReconnectIntervalMs = 1000;
    static constexpr int kWatchdogIntervalMs = 1000;
    static constexpr qint64 kSilenceLimitMs = 1100;

    explicit DeviceLink(QObject *parent = nullptr);
    ~DeviceLink() override;

    // Busy-waits in slices of 40 ms and processes pending events after every
    // slice and after the remainder, so frames keep arriving.
    static void waitProcessingEvents(int ms);

    USBConnection *connection() const { return m_connection; }
    USBThread *thread() const { return m_thread; }
    SimulatedUSBConnection *simulatedConnection() const { return m_simulated; }
    bool isConnected() const { return m_connected; }
    quint32 masterId() const { return m_masterId; }
    qint64 msSinceLastFrame() const { return m_lastFrameTimer.elapsed(); }
    bool isReconnectPending() const { return m_reconnectTimer.isActive(); }
    bool isWatchdogActive() const { return m_usbConnectedTimer.isActive(); }

    // Restarts the frame clock (used around long synchronous work such as a
    // database save) and stops or re-arms the watchdog.
    void restartLastFrameTimer() { m_lastFrameTimer.restart(); }
    void stopWatchdog() { m_usbConnectedTimer.stop(); }
    void restartWatchdog() { m_usbConnectedTimer.start(kWatchdogIntervalMs); }

public Q_SLOTS:
    void connectUSB();
    void initUSB();
    // Takes ownership of the frame and deletes it.
    void trampDataReady(const UsbFrame *usbFrameCopy);
    void slot_usbConnectedTimer();
    void initSimulatedUSB();
    void setSimulatedInputMode(usb::SimulatedUSBMode mode);
    // The closing sequence of the program: mode 0 and frequency 0 to the box,
    // reader stopped, device closed, no more reconnects. Only the first call
    // does anything.
    void shutdown();

Q_SIGNALS:
    void usbConnected();
    void usbDisconnected();
    // Every data frame ('1', '2', '3'), in arrival order; the block handling
    // of the measurement takes it from here.
    void dataFrameReceived(const UsbFrame &frame);
    // Every frame received, data or not, for the last-chance recorder.
    void frameReceived(const UsbFrame &frame);
    // The tara procedure is due: on the first connection of a master box
    // after start and on every attach of the simulated box.
    void taraRequested();
    void masterIdChanged(quint32 masterId);
    void simulationActiveChanged(bool active);

private:
    void dropConnection();

    USBConnection *m_connection = nullptr;
    USBThread *m_thread = nullptr;
    QPointer<SimulatedUSBConnection> m_simulated;
    QFutureWatcher<bool> m_openWatcher;
    QTimer m_reconnectTimer;
    QTimer m_usbConnectedTimer;
    QElapsedTimer m_lastFrameTimer;
    quint32 m_masterId = 0;
    bool m_connected = false;
    bool m_firstConnection = true;
    bool m_shutDown = false;
};

} // namespace usb
