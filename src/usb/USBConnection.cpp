#include "usb/USBConnection.h"

#include <QDebug>
#include <QFile>
#include <QMetaMethod>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <hidapi.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kReportSize = 65;
constexpr int kStaleReadTimeoutMs = 50;

// Serialises the lines of "frames.log": sent frames are logged by the GUI
// thread, received ones by the reader thread.
QMutex &frameLogMutex()
{
    static QMutex mutex;
    return mutex;
}

} // namespace

USBConnection::USBConnection(QObject *parent)
    : QObject(parent)
    , m_frameLog(qEnvironmentVariableIsSet("OVRA_LOG_USB_FRAMES"))
{
    qRegisterMetaType<const UsbFrame *>();
    if (m_frameLog)
        m_logClock.start();
}

USBConnection::~USBConnection()
{
    // The owner closes the device before deleting the connection; a handle
    // still open here is closed so it does not outlive its owner.
    if (m_handle.load() != nullptr)
        closeDevice(false);
}

bool USBConnection::openDevice(unsigned short vendorId, unsigned short productId)
{
    if (hid_device *old = m_handle.exchange(nullptr)) {
        hid_close(old);
        hid_exit();
    }
    hid_device *handle = hid_open(vendorId, productId, nullptr);
    if (handle == nullptr)
        return true;
    hid_set_nonblocking(handle, 0);
    hid_read_timeout(handle, m_currentFrame.bytes, UsbFrame::kSize, kStaleReadTimeoutMs);
    m_handle.store(handle);
    return false;
}

bool USBConnection::closeDevice(bool exit)
{
    hid_device *handle = m_handle.exchange(nullptr);
    if (handle == nullptr)
        return true;
    hid_close(handle);
    if (exit)
        hid_exit();
    return false;
}

bool USBConnection::sendFrame(const UsbFrame &frame)
{
    hid_device *handle = m_handle.load();
    if (handle == nullptr) {
        qWarning() << "Failed sending USB frame. No device handle present.";
        return true;
    }
    unsigned char report[kReportSize] = {};
    report[0] = 0;
    std::memcpy(report + 1, frame.bytes, 4);
    report[5] = frame.length();
    const std::size_t dataBytes = std::min<std::size_t>(frame.length(), UsbFrame::kDataSize);
    std::memcpy(report + 6, frame.data(), dataBytes);
    const int written = hid_write(handle, report, kReportSize);
    if (written < 0) {
        qDebug() << "Error while sending USB frame. Got code" << written;
        return true;
    }
    if (written < kReportSize) {
        qDebug() << "Error while sending USB frame. Not all bytes send. Send:" << written
                 << " Expected:" << kReportSize;
        return true;
    }
    return false;
}

bool USBConnection::sendCommand(unsigned char command, unsigned char value, int length,
                                const unsigned char *data)
{
    m_sentFrameCounter.fetch_add(1);
    if (length < 0 || length > static_cast<int>(UsbFrame::kDataSize))
        return true;
    UsbFrame frame;
    frame.bytes[0] = UsbFrame::kMagic1;
    frame.bytes[1] = UsbFrame::kMagic2;
    frame.bytes[2] = command;
    frame.bytes[3] = value;
    frame.bytes[4] = static_cast<unsigned char>(length);
    if (length > 0 && data != nullptr)
        std::memcpy(frame.data(), data, static_cast<std::size_t>(length));
    const bool failed = sendFrame(frame);
    if (m_frameLog)
        logFrame('S', frame, failed);
    return failed;
}

bool USBConnection::readMasterID()
{
    qDebug() << "readMasterID()";
    const unsigned char data[3] = {0x00, 0x34, 0x56};
    return sendCommand('R', 24, 3, data);
}

bool USBConnection::sendPCommand()
{
    return sendCommand('P', 5, 0);
}

bool USBConnection::sendMode(unsigned char mode)
{
    qDebug() << "sending tramp mode to master:" << static_cast<int>(mode);
    const bool failed = sendCommand('m', mode, 0);
    QThread::msleep(2);
    return failed;
}

bool USBConnection::sendFrequency(short frequency)
{
    qDebug() << "sending frequency to master:" << frequency;
    const auto u = static_cast<unsigned short>(frequency);
    const unsigned char data[2] = {static_cast<unsigned char>(u >> 8), static_cast<unsigned char>(u & 0xFF)};
    const bool failed = sendCommand('f', 0, 2, data);
    QThread::msleep(2);
    return failed;
}

bool USBConnection::setExternalCounter(short value)
{
    const auto u = static_cast<unsigned short>(value);
    const unsigned char data[2] = {static_cast<unsigned char>(u >> 8), static_cast<unsigned char>(u & 0xFF)};
    const bool failed = sendCommand('c', 0, 2, data);
    QThread::msleep(2);
    return failed;
}

bool USBConnection::resetExternalCounter()
{
    const bool first = sendCommand('q', 1, 0);
    QThread::msleep(2);
    const bool second = sendCommand('q', 0, 0);
    QThread::msleep(2);
    return first || second;
}

quint32 USBConnection::masterIdFromReply(const UsbFrame &frame)
{
    const unsigned char *d = frame.data();
    if (frame.length() > 7 && d[0] == 0xC7 && d[1] == 0xC3 && d[2] == 0x5A && d[3] == 0xA5)
        return (quint32(d[5]) << 16) | (quint32(d[6]) << 8) | quint32(d[7]);
    return 0;
}

void USBConnection::printString(const UsbFrame &frame)
{
    const int length = std::min<int>(frame.length(), static_cast<int>(UsbFrame::kDataSize));
    qDebug().noquote() << QString::fromLatin1(reinterpret_cast<const char *>(frame.data()), length);
}

void USBConnection::resetFrameRing()
{
    // The indexes belong to the reader thread, which may be delivering a
    // reply right now; it performs the reset before it stores the next
    // report. The ring is always drained completely, so nothing is lost.
    m_ringResetRequested.store(true);
}

void USBConnection::copyTrampData(int count, uchar *data)
{
    Q_ASSERT(count >= static_cast<int>(UsbFrame::kSize));
    if (count < static_cast<int>(UsbFrame::kSize) || data == nullptr)
        return;
    if (m_ringResetRequested.exchange(false)) {
        m_writeIndex = 0;
        m_readIndex = 0;
    }
    std::memcpy(m_frameRing[m_writeIndex].bytes, data, UsbFrame::kSize);
    m_writeIndex = (m_writeIndex + 1) % kRingSize;
    static const QMetaMethod readySignal = QMetaMethod::fromSignal(&USBConnection::usbFrameReady);
    while (m_readIndex != m_writeIndex) {
        m_currentFrame = m_frameRing[m_readIndex];
        m_readIndex = (m_readIndex + 1) % kRingSize;
        if (m_frameLog)
            logFrame('R', m_currentFrame, false);
        m_lastFrame = m_currentFrame;
        // Without a receiver nobody would delete the copy.
        if (isSignalConnected(readySignal))
            Q_EMIT usbFrameReady(new UsbFrame(m_currentFrame));
    }
}

void USBConnection::logFrame(char direction, const UsbFrame &frame, bool failed)
{
    QByteArray line;
    line += direction;
    line += ": ";
    line += QByteArray::number(m_logClock.elapsed()).rightJustified(8, '0');
    line += "ms: ";
    line += QByteArray::number(m_sentFrameCounter.load(), 16).rightJustified(4, '0');
    line += ": ";
    if (failed) {
        line += "Error";
    } else {
        const int length = std::min<int>(frame.length(), static_cast<int>(UsbFrame::kDataSize));
        for (int i = 0; i < 5 + length; ++i) {
            line += QByteArray::number(frame.bytes[i], 16).rightJustified(2, '0');
            line += ' ';
        }
    }
    line += '\n';
    QMutexLocker lock(&frameLogMutex());
    QFile file(QStringLiteral("frames.log"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        qCritical() << "Failed to open file 'frames.log' to save frame or error message!";
        return;
    }
    file.write(line);
}
