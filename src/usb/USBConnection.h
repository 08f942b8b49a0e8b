#pragma once

#include "usb/UsbFrame.h"

#include <QElapsedTimer>
#include <QObject>

#include <atomic>

struct hid_device_;
typedef struct hid_device_ hid_device;

// The master box as a hidapi device: opening and closing, the commands, and
// the frame ring through which the reader thread hands reports to the GUI
// thread. Every operation that can fail returns true on failure.
class USBConnection : public QObject
{
    Q_OBJECT
public:
    static constexpr unsigned short kVendorId = 0x0483;
    static constexpr unsigned short kProductId = 0xC00E;
    static constexpr int kRingSize = 64;

    explicit USBConnection(QObject *parent = nullptr);
    ~USBConnection() override;

    // Runs on a thread-pool thread: closes a handle left open, opens the box
    // and drains one stale report. True when no box was found.
    bool openDevice(unsigned short vendorId = kVendorId, unsigned short productId = kProductId);
    bool closeDevice(bool exit);
    hid_device *deviceHandle() const { return m_handle.load(); }

    bool sendFrame(const UsbFrame &frame);
    bool sendCommand(unsigned char command, unsigned char value, int length,
                     const unsigned char *data = nullptr);

    bool readMasterID();
    bool sendPCommand();
    bool sendMode(unsigned char mode);
    bool sendFrequency(short frequency);
    bool setExternalCounter(short value);
    bool resetExternalCounter();

    // The identifier of an identity reply ('R' or 'y'), 0 when the reply does
    // not carry one.
    static quint32 masterIdFromReply(const UsbFrame &frame);
    // Writes the text of an 'I' reply to the debug log.
    static void printString(const UsbFrame &frame);

    void resetFrameRing();
    unsigned int sentFrameCounter() const { return m_sentFrameCounter.load(); }
    bool frameLogEnabled() const { return m_frameLog; }

public Q_SLOTS:
    // Called in the reader thread through a direct connection.
    void copyTrampData(int count, uchar *data);

Q_SIGNALS:
    // The receiver owns the copy and deletes it.
    void usbFrameReady(const UsbFrame *usbFrameCopy);

private:
    void logFrame(char direction, const UsbFrame &frame, bool failed);

    // Written by the thread-pool thread while opening and read by the GUI
    // thread afterwards (the future's result orders them); atomic anyway so
    // that a late close cannot race with a read of the handle.
    std::atomic<hid_device *> m_handle{nullptr};
    UsbFrame m_frameRing[kRingSize];
    int m_writeIndex = 0;
    int m_readIndex = 0;
    std::atomic<bool> m_ringResetRequested{false};
    UsbFrame m_currentFrame;
    UsbFrame m_lastFrame;
    // Incremented by commands in the GUI thread, read by the reader thread
    // for the frame log.
    std::atomic<unsigned int> m_sentFrameCounter{0};
    const bool m_frameLog;
    QElapsedTimer m_logClock;
};
