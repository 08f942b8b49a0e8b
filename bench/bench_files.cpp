// Saves and loads the longest measurement the ring holds (1,000,800 samples
// on both beds, an athlete bouncing on trampoline 1 with a routine of ten
// landings) and prints the times. With --write PATH the data file stays at
// PATH for a side-by-side reading with other tools (bench/bench_files.py).

#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "util/FileUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using data::store::InnerState;
using ovra::util::FileUtils;

constexpr int kSamples = wsDaten::kRingSamples;
constexpr int kRuns = 5;
constexpr double kSaveTargetMs = 500.0;
constexpr double kLoadTargetMs = 1000.0;

qint16 channelValue(int bed, int sensor, int i)
{
    const int offset = bed == 0 ? 1000 : 1037;
    const int k = (i - offset) % 1500;
    double force = 0.0;
    if (i >= offset && k < 450)
        force = 3200.0 * std::sin(M_PI * k / 450.0);
    const double share = (sensor == 2 || sensor == 3) ? 0.3 : 0.2;
    return static_cast<qint16>(std::lround(2560.0 + force * share + ((i * 7 + sensor) % 5) - 2));
}

// The measurement as the store holds it after a routine: samples, offsets,
// landings and the routine window opened after ten minutes.
void record(wsDaten &store)
{
    store.applyStoreSettings(StoreSettings{});
    for (int t = 0; t < 2; ++t)
        store.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
    store.handleTrampolineSelection(0);
    store.resetMeasurement();
    for (int f = 0; f < kSamples / 3; ++f) {
        wsDaten::FrameValues values{};
        for (int s = 0; s < 3; ++s)
            for (int c = 0; c < 8; ++c)
                values[std::size_t(s * 8 + c)] = channelValue(c / 4, c % 4, f * 3 + s);
        if (!store.addFrame(values))
            continue;
        auto &r = store.routines();
        if (store.sampleCount() >= 600000 && r.exerciseStart < 0) {
            r.exerciseStart = r.exerciseStartFix = store.sampleCount();
            r.routineRecording = true;
        }
        store.handleBlock(InnerState::ROUTINE, 0);
        if (r.routineRecording && r.exerciseStart < r.exerciseEnd)
            r.routineRecording = false;
    }
    store.routines().addRoutineMetaInformation(QStringLiteral("LastName"), QStringLiteral("Brandt"));
}

struct Figures
{
    double best = 0.0;
    double median = 0.0;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

void report(const char *what, const Figures &f, double target)
{
    std::printf("%-36s best %8.1f ms  median %8.1f ms  (target %.0f ms: %s)\n", what, f.best, f.median, target,
                f.median <= target ? "met" : "NOT met");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    data::model::registerMetaTypes();
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    QString keep;
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype write = arguments.indexOf(QStringLiteral("--write"));
    if (write > 0 && write + 1 < arguments.size())
        keep = FileUtils::saveTargetPath(arguments.at(write + 1));

    QTemporaryDir dir;
    const QString path = keep.isEmpty() ? dir.filePath(QStringLiteral("maximum.dat")) : keep;
    const QString base = path.chopped(4);

    wsDaten store;
    record(store);
    std::printf("Measurement: %d samples, %llu landings in the routine\n", store.sampleCount(),
                static_cast<unsigned long long>(store.routines().landingCount));

    std::vector<double> save;
    for (int k = 0; k < kRuns; ++k) {
        QElapsedTimer timer;
        timer.start();
        if (FileUtils::saveFile(true, path, nullptr, store, nullptr, nullptr)) {
            std::fprintf(stderr, "saving %s failed\n", qPrintable(path));
            return 1;
        }
        save.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("File: %s, %.1f MB\n", qPrintable(path), double(QFileInfo(path).size()) / 1e6);

    std::vector<double> load;
    wsDaten loaded;
    std::function<void()> reset = [&loaded]() { FileUtils::resetMeasurementForLoad(loaded); };
    for (int k = 0; k < kRuns; ++k) {
        QElapsedTimer timer;
        timer.start();
        if (!FileUtils::loadDataFile(base, nullptr, loaded, nullptr, reset)) {
            std::fprintf(stderr, "loading %s failed\n", qPrintable(path));
            return 1;
        }
        load.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("Loaded: %d samples, %llu landings in the routine, %d landings detected on trampoline 1\n",
                loaded.sampleCount(), static_cast<unsigned long long>(loaded.routines().landingCount),
                loaded.landingCount(0) + loaded.droppedLandings(0));

    report("save", figures(save), kSaveTargetMs);
    report("load with recomputation", figures(load), kLoadTargetMs);
    return 0;
}
