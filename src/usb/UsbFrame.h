#pragma once

#include <QMetaType>

#include <cstddef>
#include <cstdint>

// One 64-byte report of the master box, the same layout in both directions:
// magic 0xC7 0xC3, command, value, length, then 59 data bytes. Data frames
// (command '1', '2' or '3') carry three samples of eight channels as signed
// 16-bit little-endian values in bytes 5 to 52.
struct UsbFrame
{
    static constexpr std::size_t kSize = 64;
    static constexpr std::size_t kDataOffset = 5;
    static constexpr std::size_t kDataSize = 59;
    static constexpr unsigned char kMagic1 = 0xC7;
    static constexpr unsigned char kMagic2 = 0xC3;
    static constexpr int kValuesPerFrame = 24;
    static constexpr int kSamplesPerFrame = 3;
    static constexpr int kChannels = 8;

    unsigned char bytes[kSize] = {};

    unsigned char magic1() const { return bytes[0]; }
    unsigned char magic2() const { return bytes[1]; }
    unsigned char command() const { return bytes[2]; }
    unsigned char value() const { return bytes[3]; }
    unsigned char length() const { return bytes[4]; }
    const unsigned char *data() const { return bytes + kDataOffset; }
    unsigned char *data() { return bytes + kDataOffset; }

    bool hasMagic() const { return bytes[0] == kMagic1 && bytes[1] == kMagic2; }
    bool isDataFrame() const { return hasMagic() && bytes[2] >= '1' && bytes[2] <= '3'; }

    // Value k (0 to 23) of a data frame: sample k / 8, channel k % 8.
    std::int16_t sampleValue(int k) const
    {
        const auto lo = static_cast<std::uint16_t>(bytes[kDataOffset + 2 * k]);
        const auto hi = static_cast<std::uint16_t>(bytes[kDataOffset + 2 * k + 1]);
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
    void setSampleValue(int k, std::int16_t v)
    {
        const auto u = static_cast<std::uint16_t>(v);
        bytes[kDataOffset + 2 * k] = static_cast<unsigned char>(u & 0xFF);
        bytes[kDataOffset + 2 * k + 1] = static_cast<unsigned char>(u >> 8);
    }
};
static_assert(sizeof(UsbFrame) == UsbFrame::kSize, "a frame is exactly one 64-byte report");

Q_DECLARE_METATYPE(const UsbFrame *)
