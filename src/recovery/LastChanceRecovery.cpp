#include "recovery/LastChanceRecovery.h"

#include "usb/UsbFrame.h"

#include <QDebug>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <climits>

LastChanceRecovery::LastChanceRecovery(QObject *parent, Now now)
    : QObject(parent)
    , m_now(now ? std::move(now) : Now([] { return QDateTime::currentDateTime(); }))
    , m_ring(kCapacity)
    , m_wrapTime(m_now())
{
    qDebug() << "last chance recovery initialized";
}

LastChanceRecovery::~LastChanceRecovery() = default;

void LastChanceRecovery::storeFrame(const UsbFrame &frame)
{
    storeFrame(frame.bytes);
}

void LastChanceRecovery::storeFrame(const uchar *frame)
{
    if (!m_recording || !frame)
        return;
    if (frame[0] != 0xC7 || frame[1] != 0xC3 || (frame[2] != '1' && frame[2] != '2' && frame[2] != '3'))
        return;
    const uchar *data = frame + 5;
    for (int s = 0; s < 3; ++s) {
        Sample &target = m_ring[std::size_t(m_writeIndex)];
        for (int c = 0; c < kChannels; ++c)
            target[std::size_t(c)] = qFromLittleEndian<qint16>(data + (s * kChannels + c) * 2);
        m_held = std::min(m_held + 1, kCapacity);
        ++m_stored;
        if (++m_writeIndex >= kCapacity) {
            m_writeIndex = 0;
            m_wrapTime = m_now();
        }
    }
}

int LastChanceRecovery::slot(int k) const
{
    Q_ASSERT(k >= 0 && k < kCapacity);
    k = qBound(0, k, kCapacity - 1);
    return (k + m_writeIndex) % kCapacity;
}

const LastChanceRecovery::Sample &LastChanceRecovery::sample(int k) const
{
    return m_ring[std::size_t(slot(k))];
}

int LastChanceRecovery::sampleAt(int k, int channel) const
{
    Q_ASSERT(channel >= 0 && channel < kChannels);
    return sample(k)[std::size_t(qBound(0, channel, kChannels - 1))];
}

int LastChanceRecovery::totalTrampoline1(int k) const
{
    const Sample &s = sample(k);
    return s[0] + s[1] + s[2] + s[3];
}

int LastChanceRecovery::totalTrampoline2(int k) const
{
    const Sample &s = sample(k);
    return s[4] + s[5] + s[6] + s[7];
}

QDateTime LastChanceRecovery::sampleTime(int k) const
{
    return m_wrapTime.addMSecs(qint64(m_writeIndex) - kCapacity + k);
}

QDateTime LastChanceRecovery::oldestSampleTime() const
{
    return sampleTime(0);
}

void LastChanceRecovery::beginRoutineMark(int trampMode, const QMap<QString, QString> &meta)
{
    endRoutineMark();
    // Marks of routines that left the ring are of no use any more.
    m_marks.erase(std::remove_if(
                      m_marks.begin(), m_marks.end(),
                      [this](const RoutineMark &mark) { return mark.end >= 0 && ringIndexOf(mark.end) < 0; }),
                  m_marks.end());
    m_marks.append({m_stored, -1, trampMode, meta});
}

void LastChanceRecovery::updateRoutineMark(int trampMode, const QMap<QString, QString> &meta)
{
    if (m_marks.isEmpty() || m_marks.last().end >= 0)
        return;
    m_marks.last().trampMode = trampMode;
    m_marks.last().meta = meta;
}

void LastChanceRecovery::endRoutineMark()
{
    if (!m_marks.isEmpty() && m_marks.last().end < 0)
        m_marks.last().end = m_stored;
}

const LastChanceRecovery::RoutineMark *LastChanceRecovery::markAt(int k) const
{
    for (auto it = m_marks.crbegin(); it != m_marks.crend(); ++it) {
        const qint64 end = it->end < 0 ? m_stored : it->end;
        if (ringIndexOf(it->begin) <= k && k <= ringIndexOf(end))
            return &*it;
    }
    return nullptr;
}

int LastChanceRecovery::activeMode(int from, int to) const
{
    from = std::clamp(from, firstHeldSample(), kCapacity);
    to = std::clamp(to, from, kCapacity);
    if (from >= to)
        return 0;
    std::array<int, 2> low{INT_MAX, INT_MAX};
    std::array<int, 2> high{INT_MIN, INT_MIN};
    // Every fifth sample finds every contact: one lasts far longer.
    for (int k = from; k < to; k += 5) {
        const std::array<int, 2> total{totalTrampoline1(k), totalTrampoline2(k)};
        for (std::size_t t = 0; t < 2; ++t) {
            low[t] = std::min(low[t], total[t]);
            high[t] = std::max(high[t], total[t]);
        }
    }
    return (high[0] - low[0] > kActiveSwing ? 1 : 0) + (high[1] - low[1] > kActiveSwing ? 2 : 0);
}
