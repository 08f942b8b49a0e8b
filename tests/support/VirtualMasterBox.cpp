#include "support/VirtualMasterBox.h"

#include "usb/SimulatedRecordings.h"

#include <hidapi.h>

#include <algorithm>
#include <cstring>

// The handle the virtual box gives out; only its address matters.
struct hid_device_
{
    int unused = 0;
};

namespace ovra::test {

namespace {
constexpr unsigned short kVendorId = 0x0483;
constexpr unsigned short kProductId = 0xC00E;
constexpr int kFrameSize = 64;
} // namespace

VirtualMasterBox &VirtualMasterBox::instance()
{
    static VirtualMasterBox box;
    return box;
}

void VirtualMasterBox::reset()
{
    std::lock_guard lock(m_mutex);
    resetLocked();
    m_wake.notify_all();
}

void VirtualMasterBox::resetLocked()
{
    m_pluggedIn = false;
    m_silent = false;
    m_identity = kDefaultIdentity;
    m_mode = 0;
    m_frequency = 0;
    m_streaming = false;
    m_framesSinceClockStart = 0;
    m_framesDelivered = 0;
    m_framesDropped = 0;
    m_flatValue = 2560;
    m_samples.clear();
    m_samplePosition = 0;
    m_loopSamples = true;
    m_injected.clear();
    m_shortCount = 0;
    m_shortSize = 0;
    m_writeFailure = false;
    m_writeResult = 0;
    m_outputReports.clear();
    m_openCalls = 0;
    m_successfulOpens = 0;
    m_closeCalls = 0;
    m_exitCalls = 0;
    m_readCalls = 0;
    m_lastNonblocking = -1;
}

void VirtualMasterBox::plugIn()
{
    std::lock_guard lock(m_mutex);
    m_pluggedIn = true;
    m_wake.notify_all();
}

void VirtualMasterBox::unplug()
{
    std::lock_guard lock(m_mutex);
    m_pluggedIn = false;
    m_mode = 0;
    m_frequency = 0;
    m_injected.clear();
    updateStreamingLocked();
    m_wake.notify_all();
}

bool VirtualMasterBox::isPluggedIn() const
{
    std::lock_guard lock(m_mutex);
    return m_pluggedIn;
}

void VirtualMasterBox::setSilent(bool silent)
{
    std::lock_guard lock(m_mutex);
    if (m_silent == silent)
        return;
    m_silent = silent;
    m_clockStart = Clock::now();
    m_framesSinceClockStart = 0;
    m_wake.notify_all();
}

void VirtualMasterBox::setIdentity(std::uint32_t identity)
{
    std::lock_guard lock(m_mutex);
    m_identity = identity;
}

void VirtualMasterBox::streamFlat(std::int16_t value)
{
    std::lock_guard lock(m_mutex);
    m_flatValue = value;
    m_samples.clear();
    m_samplePosition = 0;
}

void VirtualMasterBox::streamSamples(std::vector<Sample> samples, bool loop)
{
    std::lock_guard lock(m_mutex);
    m_samples = std::move(samples);
    m_samplePosition = 0;
    m_loopSamples = loop;
}

void VirtualMasterBox::streamRecording(int recording, bool loop)
{
    const int length = usb::SimulatedRecordings::length(recording);
    std::vector<Sample> samples(static_cast<std::size_t>(length));
    unsigned char raw[usb::SimulatedRecordings::kSampleBytes];
    for (int i = 0; i < length; ++i) {
        usb::SimulatedRecordings::instance().copySample(recording, i, raw);
        for (std::size_t c = 0; c < 8; ++c)
            samples[static_cast<std::size_t>(i)][c] =
                static_cast<std::int16_t>(static_cast<std::uint16_t>(raw[2 * c] | (raw[2 * c + 1] << 8)));
    }
    streamSamples(std::move(samples), loop);
}

void VirtualMasterBox::injectReport(const QByteArray &report)
{
    std::lock_guard lock(m_mutex);
    m_injected.push_back(report.left(kFrameSize));
    m_wake.notify_all();
}

void VirtualMasterBox::setShortReports(int count, int size)
{
    std::lock_guard lock(m_mutex);
    m_shortCount = count;
    m_shortSize = std::clamp(size, 1, kFrameSize);
}

void VirtualMasterBox::failWrites(int result)
{
    std::lock_guard lock(m_mutex);
    m_writeFailure = true;
    m_writeResult = result;
}

void VirtualMasterBox::clearWriteFailure()
{
    std::lock_guard lock(m_mutex);
    m_writeFailure = false;
}

QList<QByteArray> VirtualMasterBox::outputReports() const
{
    std::lock_guard lock(m_mutex);
    return m_outputReports;
}

QByteArray VirtualMasterBox::commandLetters() const
{
    std::lock_guard lock(m_mutex);
    QByteArray letters;
    for (const QByteArray &report : m_outputReports)
        letters += report.size() > 3 ? report.at(3) : '?';
    return letters;
}

void VirtualMasterBox::clearOutputReports()
{
    std::lock_guard lock(m_mutex);
    m_outputReports.clear();
}

int VirtualMasterBox::openCalls() const
{
    std::lock_guard lock(m_mutex);
    return m_openCalls;
}

int VirtualMasterBox::successfulOpens() const
{
    std::lock_guard lock(m_mutex);
    return m_successfulOpens;
}

int VirtualMasterBox::closeCalls() const
{
    std::lock_guard lock(m_mutex);
    return m_closeCalls;
}

int VirtualMasterBox::exitCalls() const
{
    std::lock_guard lock(m_mutex);
    return m_exitCalls;
}

int VirtualMasterBox::readCalls() const
{
    std::lock_guard lock(m_mutex);
    return m_readCalls;
}

int VirtualMasterBox::lastNonblocking() const
{
    std::lock_guard lock(m_mutex);
    return m_lastNonblocking;
}

int VirtualMasterBox::openHandles() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_handles.size());
}

int VirtualMasterBox::mode() const
{
    std::lock_guard lock(m_mutex);
    return m_mode;
}

int VirtualMasterBox::frequency() const
{
    std::lock_guard lock(m_mutex);
    return m_frequency;
}

bool VirtualMasterBox::isStreaming() const
{
    std::lock_guard lock(m_mutex);
    return streamingLocked();
}

std::uint64_t VirtualMasterBox::framesDelivered() const
{
    std::lock_guard lock(m_mutex);
    return m_framesDelivered;
}

std::uint64_t VirtualMasterBox::framesDropped() const
{
    std::lock_guard lock(m_mutex);
    return m_framesDropped;
}

bool VirtualMasterBox::streamingLocked() const
{
    return m_pluggedIn && m_streaming && !m_silent;
}

void VirtualMasterBox::updateStreamingLocked()
{
    const bool streaming = m_pluggedIn && m_mode == 1 && m_frequency == 1000;
    if (streaming && !m_streaming) {
        m_clockStart = Clock::now();
        m_framesSinceClockStart = 0;
    }
    m_streaming = streaming;
}

void VirtualMasterBox::buildDataFrameLocked(unsigned char *frame)
{
    std::memset(frame, 0, kFrameSize);
    frame[0] = 0xC7;
    frame[1] = 0xC3;
    frame[2] = '1';
    for (int s = 0; s < 3; ++s) {
        for (int c = 0; c < 8; ++c) {
            std::int16_t v = m_flatValue;
            if (!m_samples.empty())
                v = m_samples[m_samplePosition][static_cast<std::size_t>(c)];
            const auto u = static_cast<std::uint16_t>(v);
            frame[5 + 2 * (8 * s + c)] = static_cast<unsigned char>(u & 0xFF);
            frame[5 + 2 * (8 * s + c) + 1] = static_cast<unsigned char>(u >> 8);
        }
        if (!m_samples.empty())
            m_samplePosition = (m_samplePosition + 1) % m_samples.size();
    }
}

int VirtualMasterBox::nextReportLocked(unsigned char *out, Clock::time_point now)
{
    if (m_silent)
        return 0;
    if (!m_injected.empty()) {
        const QByteArray report = m_injected.front();
        m_injected.pop_front();
        std::memcpy(out, report.constData(), static_cast<std::size_t>(report.size()));
        return static_cast<int>(report.size());
    }
    if (!streamingLocked())
        return 0;
    if (!m_samples.empty() && !m_loopSamples && m_samplePosition + 3 > m_samples.size())
        return 0;
    const auto elapsedUs = std::chrono::duration_cast<std::chrono::microseconds>(now - m_clockStart).count();
    const auto due = static_cast<std::uint64_t>(elapsedUs / kFrameIntervalUs) + 1;
    if (due <= m_framesSinceClockStart)
        return 0;
    // The reports nobody read in time: the oldest beyond the buffer are lost.
    const std::uint64_t waiting = due - m_framesSinceClockStart;
    if (waiting > static_cast<std::uint64_t>(kBufferedReports)) {
        const std::uint64_t lost = waiting - kBufferedReports;
        m_framesDropped += lost;
        m_framesSinceClockStart += lost;
        for (std::uint64_t i = 0; i < lost && !m_samples.empty(); ++i)
            m_samplePosition = (m_samplePosition + 3) % m_samples.size();
    }
    ++m_framesSinceClockStart;
    unsigned char frame[kFrameSize];
    buildDataFrameLocked(frame);
    ++m_framesDelivered;
    int size = kFrameSize;
    if (m_shortCount > 0) {
        --m_shortCount;
        size = m_shortSize;
    }
    std::memcpy(out, frame, static_cast<std::size_t>(size));
    return size;
}

hid_device_ *VirtualMasterBox::open(unsigned short vendorId, unsigned short productId)
{
    std::lock_guard lock(m_mutex);
    ++m_openCalls;
    if (!m_pluggedIn || vendorId != kVendorId || productId != kProductId)
        return nullptr;
    ++m_successfulOpens;
    auto *device = new hid_device_;
    m_handles.insert(device);
    return device;
}

void VirtualMasterBox::close(hid_device_ *device)
{
    std::lock_guard lock(m_mutex);
    ++m_closeCalls;
    if (m_handles.erase(device) > 0)
        delete device;
    m_wake.notify_all();
}

void VirtualMasterBox::exit()
{
    std::lock_guard lock(m_mutex);
    ++m_exitCalls;
}

int VirtualMasterBox::setNonblocking(hid_device_ *device, int nonblock)
{
    std::lock_guard lock(m_mutex);
    if (m_handles.count(device) == 0)
        return -1;
    m_lastNonblocking = nonblock;
    return 0;
}

int VirtualMasterBox::read(hid_device_ *device, unsigned char *data, std::size_t length, int milliseconds)
{
    std::unique_lock lock(m_mutex);
    ++m_readCalls;
    const Clock::time_point start = Clock::now();
    const bool noTimeout = milliseconds < 0;
    const Clock::time_point deadline = start + std::chrono::milliseconds(std::max(milliseconds, 0));
    unsigned char report[kFrameSize];
    for (;;) {
        if (m_handles.count(device) == 0 || !m_pluggedIn)
            return -1;
        const Clock::time_point now = Clock::now();
        const int size = nextReportLocked(report, now);
        if (size > 0) {
            const std::size_t n = std::min(length, static_cast<std::size_t>(size));
            std::memcpy(data, report, n);
            return static_cast<int>(n);
        }
        if (!noTimeout && now >= deadline)
            return 0;
        Clock::time_point wake = noTimeout ? now + std::chrono::milliseconds(100) : deadline;
        if (streamingLocked()) {
            const Clock::time_point nextFrame =
                m_clockStart +
                std::chrono::microseconds(static_cast<long long>(m_framesSinceClockStart) * kFrameIntervalUs);
            wake = std::min(wake, std::max(nextFrame, now));
        }
        m_wake.wait_until(lock, wake);
    }
}

int VirtualMasterBox::write(hid_device_ *device, const unsigned char *data, std::size_t length)
{
    std::lock_guard lock(m_mutex);
    m_outputReports.append(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(length)));
    if (m_handles.count(device) == 0 || !m_pluggedIn)
        return -1;
    if (m_writeFailure)
        return m_writeResult;
    // Output reports start with the report id 0; the frame follows.
    if (length >= 6 && data[0] == 0 && data[1] == 0xC7 && data[2] == 0xC3) {
        const unsigned char command = data[3];
        const unsigned char value = data[4];
        const unsigned char *payload = data + 6;
        if (command == 'R') {
            QByteArray reply(kFrameSize, '\0');
            const unsigned char bytes[] = {0xC7,
                                           0xC3,
                                           'R',
                                           0,
                                           8,
                                           0xC7,
                                           0xC3,
                                           0x5A,
                                           0xA5,
                                           0,
                                           static_cast<unsigned char>((m_identity >> 16) & 0xFF),
                                           static_cast<unsigned char>((m_identity >> 8) & 0xFF),
                                           static_cast<unsigned char>(m_identity & 0xFF)};
            std::memcpy(reply.data(), bytes, sizeof bytes);
            m_injected.push_back(reply);
        } else if (command == 'm') {
            m_mode = value;
        } else if (command == 'f' && length >= 8) {
            m_frequency = (payload[0] << 8) | payload[1];
        }
        updateStreamingLocked();
        m_wake.notify_all();
    }
    return static_cast<int>(length);
}

} // namespace ovra::test

// The hidapi functions the program calls, answered by the virtual box.
extern "C" {

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    ovra::test::VirtualMasterBox::instance().exit();
    return 0;
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id, unsigned short product_id,
                                                 const wchar_t *)
{
    return ovra::test::VirtualMasterBox::instance().open(vendor_id, product_id);
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    ovra::test::VirtualMasterBox::instance().close(dev);
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device *dev, int nonblock)
{
    return ovra::test::VirtualMasterBox::instance().setNonblocking(dev, nonblock);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device *dev, unsigned char *data, size_t length,
                                                 int milliseconds)
{
    return ovra::test::VirtualMasterBox::instance().read(dev, data, length, milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    return ovra::test::VirtualMasterBox::instance().write(dev, data, length);
}

} // extern "C"
