#pragma once

#include <QByteArray>

#include <cstdint>

namespace usb {

// The built-in sample table of the simulated master box: 16 bytes per sample
// (eight signed 16-bit little-endian channel values, channel 0 first), three
// leading samples of zeros that no recording uses, then recordings 1, 2 and
// 3 back to back. Loaded once from the program's resources.
class SimulatedRecordings
{
public:
    static constexpr int kSampleBytes = 16;
    static constexpr int kLeadingSamples = 3;
    static constexpr int kRecordingCount = 3;
    static constexpr int kLengths[kRecordingCount] = {22794, 23229, 22023};

    // The shared table; empty (and logged) when the resource is missing or
    // damaged, in which case the recordings play as silence.
    static const SimulatedRecordings &instance();

    bool isValid() const { return m_valid; }
    const QByteArray &table() const { return m_table; }

    // Recording 1 to 3: its length in samples and its first sample within
    // the table; 0 for any other number.
    static int length(int recording);
    static int firstSample(int recording);

    // Copies the eight channel values of `sample` of `recording` (both
    // checked) into `out` as 16 raw bytes; zeros when out of range.
    void copySample(int recording, int sample, unsigned char *out) const;

private:
    SimulatedRecordings();
    QByteArray m_table;
    bool m_valid = false;
};

} // namespace usb
