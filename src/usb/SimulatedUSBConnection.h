#pragma once

#include "usb/UsbFrame.h"

#include <QThread>

class QTimer;

namespace usb {

// Input of the simulated master box, chosen from the "Simulate Input" menu.
enum SimulatedUSBMode : int {
    NoActivity = 0,
    Trampoline1 = 1,
    Trampoline2 = 2,
    BothTrampolines = 3,
};

// Stands in for the master box: every 3 ms a data frame of the real format,
// flat (mode 0) or from the built-in recordings (modes 1 to 3). The object
// lives in the GUI thread, so the frames are produced there; the thread only
// runs the event loop that owns the timer.
class SimulatedUSBConnection : public QThread
{
    Q_OBJECT
public:
    static constexpr int kFrameIntervalMs = 3;
    static constexpr std::int16_t kFlatValue = 2560;

    explicit SimulatedUSBConnection(QObject *parent = nullptr);
    ~SimulatedUSBConnection() override;

    SimulatedUSBMode mode() const { return m_mode; }
    void setMode(SimulatedUSBMode mode) { m_mode = mode; }
    int row() const { return m_row; }
    void setRow(int row) { m_row = row; }

    // One pass of the generator; the timer calls it every 3 ms.
    void generateFrame();

Q_SIGNALS:
    // The receiver owns the frame and deletes it.
    void usbFrameReady(const UsbFrame *usbFrameCopy);

protected:
    void run() override;

private:
    int m_row = 0;
    SimulatedUSBMode m_mode = NoActivity;
};

} // namespace usb

Q_DECLARE_METATYPE(usb::SimulatedUSBMode)
