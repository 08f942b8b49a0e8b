#pragma once

#include <QByteArray>
#include <QList>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <vector>

struct hid_device_;

namespace ovra::test {

// The master box for tests: the hidapi functions the program calls (hid_open,
// hid_close, hid_exit, hid_set_nonblocking, hid_read_timeout, hid_write) are
// defined in VirtualMasterBox.cpp and talk to this one object, so the
// program's own USB code runs unchanged. The box answers the identity request,
// streams a data frame every 3 ms once mode 1 and 1000 samples per second have
// been sent (keeping at most 64 unread reports, like the kernel's buffer), and
// records every output report. It starts unplugged: hid_open fails until a
// test calls plugIn(). All functions are thread-safe.
class VirtualMasterBox
{
public:
    using Sample = std::array<std::int16_t, 8>;
    static constexpr int kBufferedReports = 64;
    static constexpr int kFrameIntervalUs = 3000;
    static constexpr std::uint32_t kDefaultIdentity = 0x010203;

    static VirtualMasterBox &instance();

    // Unplugged, flat stream of 2560, identity 66051, nothing recorded.
    void reset();

    // Attaches the box: hid_open succeeds. A box that was unplugged comes
    // back unconfigured (mode 0, frequency 0) and must be configured again.
    void plugIn();
    // Detaches the box: hid_open fails, reads and writes on an open handle
    // fail with -1, the configuration is lost.
    void unplug();
    bool isPluggedIn() const;

    // A silent box stays attached and accepts commands but delivers nothing
    // (reads time out). Streaming resumes on the box's clock when it speaks
    // again, without a burst of old frames.
    void setSilent(bool silent);

    void setIdentity(std::uint32_t identity);
    // Every data frame carries 24 values of `value`.
    void streamFlat(std::int16_t value);
    // Data frames carry these samples, three per frame, from the first one;
    // with `loop` the stream starts over at the end, otherwise it ends there
    // (the box then delivers nothing more).
    void streamSamples(std::vector<Sample> samples, bool loop = true);
    // Data frames carry built-in recording 1, 2 or 3 of the simulated box
    // (the same samples the Simulation menu plays).
    void streamRecording(int recording, bool loop = true);
    // Delivered by the next reads, before any data frame, with its own length
    // (1 to 64 bytes).
    void injectReport(const QByteArray &report);
    // The next `count` data frames are cut to `size` bytes.
    void setShortReports(int count, int size);
    // From now on hid_write returns `result` (negative: error; 0 to 64: short
    // write) instead of the full length; the report is still recorded.
    void failWrites(int result);
    void clearWriteFailure();

    // Every buffer given to hid_write, as given (65 bytes for the program).
    QList<QByteArray> outputReports() const;
    // The command letters of the recorded output reports, in order.
    QByteArray commandLetters() const;
    void clearOutputReports();

    int openCalls() const;
    int successfulOpens() const;
    int closeCalls() const;
    int exitCalls() const;
    int readCalls() const;
    int lastNonblocking() const;
    int openHandles() const;
    int mode() const;
    int frequency() const;
    bool isStreaming() const;
    // Data frames handed to the reader, and frames the box had to discard
    // because 64 unread reports were waiting already.
    std::uint64_t framesDelivered() const;
    std::uint64_t framesDropped() const;

    // The hidapi side.
    hid_device_ *open(unsigned short vendorId, unsigned short productId);
    void close(hid_device_ *device);
    void exit();
    int setNonblocking(hid_device_ *device, int nonblock);
    int read(hid_device_ *device, unsigned char *data, std::size_t length, int milliseconds);
    int write(hid_device_ *device, const unsigned char *data, std::size_t length);

private:
    using Clock = std::chrono::steady_clock;

    VirtualMasterBox() = default;
    void resetLocked();
    void updateStreamingLocked();
    bool streamingLocked() const;
    void buildDataFrameLocked(unsigned char *frame);
    // Produces the next report into `out` when one is due; returns its
    // length, or 0 when nothing is due yet.
    int nextReportLocked(unsigned char *out, Clock::time_point now);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::set<hid_device_ *> m_handles;
    bool m_pluggedIn = false;
    bool m_silent = false;
    std::uint32_t m_identity = kDefaultIdentity;
    int m_mode = 0;
    int m_frequency = 0;
    bool m_streaming = false;
    Clock::time_point m_clockStart;
    std::uint64_t m_framesSinceClockStart = 0;
    std::uint64_t m_framesDelivered = 0;
    std::uint64_t m_framesDropped = 0;
    std::int16_t m_flatValue = 2560;
    std::vector<Sample> m_samples;
    std::size_t m_samplePosition = 0;
    bool m_loopSamples = true;
    std::deque<QByteArray> m_injected;
    int m_shortCount = 0;
    int m_shortSize = 0;
    bool m_writeFailure = false;
    int m_writeResult = 0;
    QList<QByteArray> m_outputReports;
    int m_openCalls = 0;
    int m_successfulOpens = 0;
    int m_closeCalls = 0;
    int m_exitCalls = 0;
    int m_readCalls = 0;
    int m_lastNonblocking = -1;
};

} // namespace ovra::test
