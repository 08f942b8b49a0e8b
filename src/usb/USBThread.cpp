#include "usb/USBThread.h"

#include <QDebug>

#include <hidapi.h>

USBThread::USBThread(hid_device *handle, QObject *parent)
    : QThread(parent)
    , m_handle(handle)
{}

USBThread::~USBThread()
{
    start_stop(false);
}

void USBThread::start_stop(const bool start)
{
    if (start) {
        qInfo() << "Starting USB thread.";
        m_stop.store(false);
        QThread::start(QThread::TimeCriticalPriority);
    } else {
        qInfo() << "Stopping USB thread.";
        m_stop.store(true);
        wait();
    }
}

void USBThread::run()
{
    while (!m_stop.load()) {
        if (m_handle == nullptr) {
            qWarning() << "Device handle not set!";
            // Without a handle the loop would spin; the read time-out is the
            // pace it keeps otherwise.
            QThread::msleep(kReadTimeoutMs);
            continue;
        }
        const int count = hid_read_timeout(m_handle, m_buffer, kReportSize, kReadTimeoutMs);
        if (count >= kReportSize) {
            Q_EMIT usbCopyData(count, m_buffer);
        } else if (count > 0) {
            qWarning() << "Read" << count << "from USB device (expected" << kReportSize << ")!";
        } else if (count < 0) {
            // A failing device answers at once; pace the loop like a
            // time-out until the watchdog stops this thread.
            QThread::msleep(kReadTimeoutMs);
        }
    }
}
