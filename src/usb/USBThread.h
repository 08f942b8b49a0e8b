#pragma once

#include <QThread>

#include <atomic>

struct hid_device_;
typedef struct hid_device_ hid_device;

// Reads 64-byte reports from the master box and hands each one, through a
// direct connection, to USBConnection::copyTrampData. Never blocks for more
// than 3 ms, so a stop request is seen within one read.
class USBThread : public QThread
{
    Q_OBJECT
public:
    static constexpr int kReportSize = 64;
    static constexpr int kReadTimeoutMs = 3;

    explicit USBThread(hid_device *handle, QObject *parent = nullptr);
    ~USBThread() override;

    void start_stop(const bool start);
    bool isStopRequested() const { return m_stop.load(); }

Q_SIGNALS:
    void usbCopyData(int count, uchar *data);

protected:
    void run() override;

private:
    hid_device *const m_handle;
    // Written by the GUI thread, polled by the reader thread.
    std::atomic<bool> m_stop{false};
    unsigned char m_buffer[kReportSize] = {};
};
