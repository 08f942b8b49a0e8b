#include "usb/SimulatedRecordings.h"

#include <QDebug>
#include <QFile>

#include <cstring>

namespace usb {

namespace {
const char *const kResourcePath = ":/usb/simulated_recordings.bin.z";

int totalSamples()
{
    int n = SimulatedRecordings::kLeadingSamples;
    for (int length : SimulatedRecordings::kLengths)
        n += length;
    return n;
}
} // namespace

const SimulatedRecordings &SimulatedRecordings::instance()
{
    static const SimulatedRecordings recordings;
    return recordings;
}

SimulatedRecordings::SimulatedRecordings()
{
    QFile file(QString::fromLatin1(kResourcePath));
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical() << "Simulated recordings not found in the resources:" << kResourcePath;
        return;
    }
    m_table = qUncompress(file.readAll());
    const qsizetype expected = qsizetype(totalSamples()) * kSampleBytes;
    if (m_table.size() != expected) {
        qCritical() << "Simulated recordings are damaged: got" << m_table.size() << "bytes, expected"
                    << expected;
        m_table.clear();
        return;
    }
    m_valid = true;
}

int SimulatedRecordings::length(int recording)
{
    if (recording < 1 || recording > kRecordingCount)
        return 0;
    return kLengths[recording - 1];
}

int SimulatedRecordings::firstSample(int recording)
{
    if (recording < 1 || recording > kRecordingCount)
        return 0;
    int first = kLeadingSamples;
    for (int r = 1; r < recording; ++r)
        first += kLengths[r - 1];
    return first;
}

void SimulatedRecordings::copySample(int recording, int sample, unsigned char *out) const
{
    if (!m_valid || sample < 0 || sample >= length(recording)) {
        std::memset(out, 0, kSampleBytes);
        return;
    }
    const qsizetype offset = qsizetype(firstSample(recording) + sample) * kSampleBytes;
    std::memcpy(out, m_table.constData() + offset, kSampleBytes);
}

} // namespace usb
