#pragma once

#include "util/ZeroedBuffer.h"
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

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

    // What the ring knows about the routines it holds: from the routine's
    // START to its end (the next READY), in which trampoline mode it was
    // measured and whose it was. A routine picked from the ring keeps its
    // athlete and mode where a mark covers its begin.
    struct RoutineMark
    {
        qint64 begin = 0;
        qint64 end = -1; // -1 while the routine is under way
        int trampMode = 1;
        QMap<QString, QString> meta;
    };
    void beginRoutineMark(int trampMode, const QMap<QString, QString> &meta);
    // The routine under way changed its mode or its meta information.
    void updateRoutineMark(int trampMode, const QMap<QString, QString> &meta);
    void endRoutineMark();
    // The mark of the routine that ring sample k belongs to; none when k
    // lies outside every marked routine.
    const RoutineMark *markAt(int k) const;
    const QList<RoutineMark> &marks() const { return m_marks; }

    // The beds whose total force swings in ring samples from .. to-1 as a
    // jumping athlete's does: 1 trampoline 1, 2 trampoline 2, 3 both, 0
    // neither.
    int activeMode(int from, int to) const;
    static constexpr int kActiveSwing = 1500;

private:
    int slot(int k) const;
    // The ring sample of an absolute sample count; may lie outside the ring.
    qint64 ringIndexOf(qint64 sample) const { return sample - (m_stored - kCapacity); }

    Now m_now;
    ovra::util::ZeroedBuffer<Sample> m_ring;
    int m_writeIndex = 0;
    int m_held = 0;
    QDateTime m_wrapTime;
    bool m_recording = true;
    // Samples stored since construction; marks count in these.
    qint64 m_stored = 0;
    QList<RoutineMark> m_marks;
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
