// Fuzzes the data file reader: header line recognition and the sample rows
// with the recomputation of landings and results, then the result the
// routine would send. The input is the file's contents.

#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "settings/RulesSettings.h"
#include "util/FileUtils.h"
#include "util/RESTUtils.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// One store for all inputs: its ring is large, and a reset is what the
// workstation does between loads anyway.
wsDaten &store()
{
    static wsDaten *instance = [] {
        static int argc = 1;
        static char name[] = "fuzz_datafile";
        static char *argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        data::model::registerMetaTypes();
        return new wsDaten;
    }();
    return *instance;
}

// The same bytes as a device that can only be read in order, so the reader
// takes its line-by-line path instead of reading from memory.
class SequentialBytes : public QIODevice
{
public:
    explicit SequentialBytes(const QByteArray &bytes)
        : m_bytes(bytes)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_bytes.size() - m_read + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = std::min<qint64>(maxSize, m_bytes.size() - m_read);
        std::memcpy(data, m_bytes.constData() + m_read, std::size_t(n));
        m_read += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_read = 0;
};

wsDaten &sequentialStore()
{
    static wsDaten *instance = new wsDaten;
    return *instance;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    wsDaten &s = store();
    s.applyStoreSettings(StoreSettings{});
    s.rebuildBedGeometry(3650.0, 2425.0);
    ovra::util::FileUtils::resetMeasurementForLoad(s);

    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    ovra::util::FileUtils::readData(device, QStringLiteral("fuzz.dat"), nullptr, s, nullptr);

    // Every line is a header line or one sample; nothing else grows. A file
    // saved with CR line ends has its lines ended by CR as well.
    const qsizetype lineEnds = bytes.count('\n') + bytes.count('\r');
    check(s.sampleCount() >= 0 && s.sampleCount() <= lineEnds + 1);
    check(s.blockCount() == s.sampleCount());
    const auto &r = s.routines();
    check(r.landingCount <= static_cast<quint64>(data::model::Routines::kSlots));
    const int mode = static_cast<int>(s.trampMode());
    check(mode >= 1 && mode <= 3);
    check(s.bedLength() > 0 && s.bedWidth() > 0);
    check(std::isfinite(r.routineStartTime()) && std::isfinite(r.penalty()));

    // Read in order, line by line, the file gives the same samples.
    wsDaten &t = sequentialStore();
    t.applyStoreSettings(StoreSettings{});
    t.rebuildBedGeometry(3650.0, 2425.0);
    ovra::util::FileUtils::resetMeasurementForLoad(t);
    SequentialBytes sequential(bytes);
    ovra::util::FileUtils::readData(sequential, QStringLiteral("fuzz.dat"), nullptr, t, nullptr);
    check(t.sampleCount() == s.sampleCount());
    for (int i = std::max(0, s.sampleCount() - 4096); i < s.sampleCount(); ++i)
        check(t.sample(i) == s.sample(i));
    check(t.routines().landingCount == r.landingCount);

    // What committing the loaded routine would send.
    RulesSettings rules;
    const auto result = ovra::util::RESTUtils::createConfirmedResult(
        r, s.trampMode(), s.currentIndividualResult(), s.currentSynchronizedResult(), rules);
    check(!result.toJson().isEmpty());
    return 0;
}
