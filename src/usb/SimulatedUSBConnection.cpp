#include "usb/SimulatedUSBConnection.h"

#include "usb/SimulatedRecordings.h"

#include <QMetaMethod>
#include <QTimer>

namespace usb {

SimulatedUSBConnection::SimulatedUSBConnection(QObject *parent)
    : QThread(parent)
{}

SimulatedUSBConnection::~SimulatedUSBConnection()
{
    quit();
    wait();
}

void SimulatedUSBConnection::run()
{
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(kFrameIntervalMs);
    // The context object lives in the GUI thread, so the generator runs there
    // and needs no synchronisation with the measurement.
    connect(&timer, &QTimer::timeout, this, &SimulatedUSBConnection::generateFrame);
    timer.start();
    exec();
}

void SimulatedUSBConnection::generateFrame()
{
    auto *frame = new UsbFrame;
    frame->bytes[0] = UsbFrame::kMagic1;
    frame->bytes[1] = UsbFrame::kMagic2;
    frame->bytes[2] = '1';
    const int recording = static_cast<int>(m_mode);
    if (m_mode == NoActivity) {
        for (int k = 0; k < UsbFrame::kValuesPerFrame; ++k)
            frame->setSampleValue(k, kFlatValue);
    } else if (recording >= 1 && recording <= SimulatedRecordings::kRecordingCount) {
        const SimulatedRecordings &recordings = SimulatedRecordings::instance();
        const int length = SimulatedRecordings::length(recording);
        if (m_row < 0 || m_row >= length)
            m_row = 0;
        for (int s = 0; s < UsbFrame::kSamplesPerFrame; ++s)
            recordings.copySample(recording, m_row + s,
                                  frame->data() + s * SimulatedRecordings::kSampleBytes);
        m_row += UsbFrame::kSamplesPerFrame;
        if (m_row >= length)
            m_row = 0;
    }
    static const QMetaMethod readySignal = QMetaMethod::fromSignal(&SimulatedUSBConnection::usbFrameReady);
    if (!isSignalConnected(readySignal)) {
        delete frame;
        return;
    }
    Q_EMIT usbFrameReady(frame);
}

} // namespace usb
