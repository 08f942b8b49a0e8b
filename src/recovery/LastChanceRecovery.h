#pragma once

#include "util/ZeroedBuffer.h"
#include <QDateTime>
#include <QObject>

#include <array>
#include <functional>
#include <memory>

struct UsbFrame;

// The last ten minutes of raw samples of every data frame, kept in memory
// apart from the measurement store, so that a routine that was never
// recorded (or was reset) can still be picked out and replayed. Ring sample
// k = 0 is the oldest. GUI thread only.
class LastChanceRecovery : public QObject
{
    Q_OBJECT
public:
    static constexpr int kCapacity = 600000;
    static constexpr int kChannels = 8;
    using Sample = std::array<qint16, kChannels>;
    using Now = std::function<QDateTime()>;

    // now supplies the wrap time (the current time when empty).
    explicit LastChanceRecovery(QObject *parent = nullptr, Now now = {});
    ~LastChanceRecovery() override;

    // Takes the three samples of a data frame ("1", "2" or "3" after the
    // magic bytes) while recording; anything else is ignored.
    void storeFrame(const uchar *frame);
    void storeFrame(const UsbFrame &frame);

    int sampleAt(int k, int channel) const;
    int totalTrampoline1(int k) const;
    int totalTrampoline2(int k) const;
    const Sample &sample(int k) const;
    QDateTime oldestSampleTime() const;
    QDateTime sampleTime(int k) const;
    static constexpr int capacity() { return kCapacity; }
    int writeIndex() const { return m_writeIndex; }
    // Samples received so far, up to the capacity; the ring samples before
    // firstHeldSample() were never filled.
    int heldSampleCount() const { return m_held; }
    int firstHeldSample() const { return kCapacity - m_held; }

    bool isRecording() const { return m_recording; }
    void pauseRecording() { m_recording = false; }
    void resumeRecording() { m_recording = true; }

private:
    int slot(int k) const;

    Now m_now;
    ovra::util::ZeroedBuffer<Sample> m_ring;
    int m_writeIndex = 0;
    int m_held = 0;
    QDateTime m_wrapTime;
    bool m_recording = true;
};

// The stretch of the ring the operator picked: trampoline mode (1, 2 or 3)
// and ring sample numbers.
struct RecoverySelection
{
    int trampMode = 1;
    int from = 0;
    int to = 0;
    int routineBegin = 0;
};
