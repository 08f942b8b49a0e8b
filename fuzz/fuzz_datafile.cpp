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

#include <cmath>
#include <cstddef>
#include <cstdint>

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

    // What committing the loaded routine would send.
    RulesSettings rules;
    const auto result = ovra::util::RESTUtils::createConfirmedResult(
        r, s.trampMode(), s.currentIndividualResult(), s.currentSynchronizedResult(), rules);
    check(!result.toJson().isEmpty());
    return 0;
}
