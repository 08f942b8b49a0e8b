// Pushes the longest measurement the ring holds (1,000,800 samples on both
// beds, an athlete bouncing on each) through the frame batch, block
// processing and landing detection, and prints the throughput.

#include "data/MetaTypes.h"
#include "data/wsDaten.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using data::store::InnerState;

constexpr int kSamples = wsDaten::kRingSamples;
constexpr int kFrames = kSamples / wsDaten::kSamplesPerFrame;
constexpr int kRuns = 7;

// 450-sample contacts with 1050-sample flights on bed 1, bed 2 a little later.
qint16 channelValue(int bed, int sensor, int i)
{
    const int offset = bed == 0 ? 1000 : 1037;
    const int k = (i - offset) % 1500;
    double force = 0.0;
    if (i >= offset && k < 450)
        force = 3200.0 * std::sin(M_PI * k / 450.0);
    const double share = (sensor == 2 || sensor == 3) ? 0.3 : 0.2; // off centre along the bed
    return static_cast<qint16>(std::lround(2560.0 + force * share + ((i * 7 + sensor) % 5) - 2));
}

std::vector<wsDaten::FrameValues> makeFrames()
{
    std::vector<wsDaten::FrameValues> frames(kFrames);
    for (int f = 0; f < kFrames; ++f)
        for (int s = 0; s < 3; ++s)
            for (int c = 0; c < 8; ++c)
                frames[std::size_t(f)][std::size_t(s * 8 + c)] = channelValue(c / 4, c % 4, f * 3 + s);
    return frames;
}

struct Run
{
    double ms = 0.0;
    int landings1 = 0;
    int landings2 = 0;
};

Run run(wsDaten &store, const std::vector<wsDaten::FrameValues> &frames, InnerState state)
{
    store.resetMeasurement();
    store.routines().routineRecording = true;
    QElapsedTimer timer;
    timer.start();
    for (const auto &frame : frames)
        if (store.addFrame(frame))
            store.handleBlock(state, 0);
    Run r;
    r.ms = double(timer.nsecsElapsed()) / 1e6;
    r.landings1 = store.landingCount(0) + store.droppedLandings(0);
    r.landings2 = store.landingCount(1) + store.droppedLandings(1);
    return r;
}

void report(const char *what, std::vector<Run> runs)
{
    std::sort(runs.begin(), runs.end(), [](const Run &a, const Run &b) { return a.ms < b.ms; });
    const Run &best = runs.front();
    const Run &median = runs[runs.size() / 2];
    std::printf("%s\n", what);
    std::printf("  landings detected: trampoline 1 %d, trampoline 2 %d\n", best.landings1, best.landings2);
    std::printf("  best   %8.2f ms  %12.0f samples/s  %8.0f x real time\n", best.ms,
                kSamples / (best.ms / 1000.0), kSamples / best.ms);
    std::printf("  median %8.2f ms  %12.0f samples/s  %8.0f x real time\n", median.ms,
                kSamples / (median.ms / 1000.0), kSamples / median.ms);
    std::printf("  target: the whole measurement (%d samples, %.1f s) in at most 50 ms: %s\n", kSamples,
                kSamples / 1000.0, median.ms <= 50.0 ? "met" : "NOT met");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    data::model::registerMetaTypes();
    // The detection writes a debug line for every rollover; keep the output to the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    const auto frames = makeFrames();
    wsDaten store;
    for (int t = 0; t < 2; ++t)
        store.taraRecord(t).setBoth({2560, 2560, 2560, 2560});

    std::vector<Run> runs;
    store.handleTrampolineSelection(2);
    for (int k = 0; k < kRuns; ++k)
        runs.push_back(run(store, frames, InnerState::CONTINUOUS));
    report("Synchronized mode, both beds (block processing + detection of both beds)", runs);

    runs.clear();
    store.handleTrampolineSelection(0);
    for (int k = 0; k < kRuns; ++k)
        runs.push_back(run(store, frames, InnerState::CONTINUOUS));
    report("Individual mode, trampoline 1 (block processing of both beds + detection of one)", runs);

    runs.clear();
    store.handleTrampolineSelection(3);
    for (int k = 0; k < kRuns; ++k) {
        store.resetMeasurement();
        runs.push_back(run(store, frames, InnerState::START));
    }
    report("START with automatic selection and weight class", runs);
    return 0;
}
