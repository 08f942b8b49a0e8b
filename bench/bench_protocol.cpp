// The competition protocol export over a competition of data files (1,000 by
// default, in ten subfolders): routines of the three built-in recordings,
// complete and ended early, on both beds and synchronized. Prints the time of
// the scan, the longest stretch between two progress steps (the export serves
// the window's event loop at every step, so this is how long the window may
// not answer) and the time of the statistics file and the heat map.
//   bench_protocol [FILES [HEATMAP.png]]   (the heat map is kept there)

#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "statistics/CompetitionStatistics.h"
#include "statistics/LandingHeatMap.h"
#include "statistics/ProtocolScan.h"
#include "usb/SimulatedRecordings.h"
#include "util/FileUtils.h"
#include "util/RoutinePlayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>

namespace {

constexpr double kTargetSeconds = 10.0;
// Where the routine window of each recording opens (its ground truth).
constexpr int kWindowOpen[3] = {4401, 4527, 3610};

// Plays a recording as the controller drives a routine, ROUTINE from the
// window's opening.
void play(int recording, wsDaten &store)
{
    const auto &table = usb::SimulatedRecordings::instance();
    unsigned char bytes[usb::SimulatedRecordings::kSampleBytes];
    playback::playRoutine(
        store, usb::SimulatedRecordings::length(recording) / 3,
        [&](int f, wsDaten::FrameValues &values) {
            for (int s = 0; s < 3; ++s) {
                table.copySample(recording, f * 3 + s, bytes);
                for (int c = 0; c < 8; ++c)
                    values[std::size_t(s * 8 + c)] = qFromLittleEndian<qint16>(bytes + 2 * c);
            }
        },
        [recording](const wsDaten &s) { return s.sampleCount() >= kWindowOpen[recording - 1]; });
}

// A routine of the recording, shortened in the review to `elements`.
bool makeTemplate(int recording, int elements, const QString &path)
{
    wsDaten store;
    play(recording, store);
    while (static_cast<int>(store.routines().landingCount) > elements)
        store.decreaseLandingsInRoutine();
    return !ovra::util::FileUtils::saveFile(true, path, nullptr, store, nullptr, nullptr);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    data::model::registerMetaTypes();
    const int files = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 1000;

    QTemporaryDir dir;
    struct Kind
    {
        int recording;
        int elements;
        const char *name;
    };
    // Most routines are complete; one in six of each kind ended early.
    const Kind kinds[] = {{1, 10, "t1"},  {2, 10, "t2"},      {3, 10, "sync"},    {1, 10, "t1b"},
                          {2, 10, "t2b"}, {1, 5, "t1-abort"}, {2, 3, "t2-abort"}, {3, 4, "sync-abort"}};
    QStringList templates;
    for (const Kind &kind : kinds) {
        const QString path = dir.filePath(QStringLiteral("template-%1.dat").arg(QLatin1String(kind.name)));
        if (!makeTemplate(kind.recording, kind.elements, path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        templates << path;
    }
    const QString competition = dir.filePath(QStringLiteral("competition"));
    qint64 bytes = 0;
    for (int k = 0; k < files; ++k) {
        const QString folder = QStringLiteral("%1/day%2").arg(competition).arg(k % 10 + 1);
        QDir().mkpath(folder);
        const QString &source = templates.at(k % templates.size());
        QFile::copy(source, QStringLiteral("%1/routine%2.dat").arg(folder).arg(k, 4, 10, QLatin1Char('0')));
        bytes += QFileInfo(source).size();
    }

    CompetitionStatistics statistics;
    QElapsedTimer total;
    QElapsedTimer step;
    qint64 longestStepMs = 0;
    int steps = 0;
    total.start();
    step.start();
    ovra::statistics::scanCompetitionFolder(competition, true, statistics, [&](int, int) {
        longestStepMs = std::max(longestStepMs, step.restart());
        ++steps;
        return true;
    });
    const double scanSeconds = total.nsecsElapsed() / 1e9;

    QElapsedTimer writing;
    writing.start();
    const bool written =
        ovra::statistics::writeStatisticsFile(statistics, dir.filePath(QStringLiteral("p.json")));
    const double jsonMs = writing.nsecsElapsed() / 1e6;
    writing.restart();
    const QString heatMap =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("p.png"));
    const bool drawn = ovra::statistics::saveHeatMap(statistics, heatMap);
    const double heatMapMs = writing.nsecsElapsed() / 1e6;

    std::printf("protocol export of %d data files (%.0f MB, %d of them individual routines ended early)\n",
                files, bytes / 1e6, statistics.trampOneAborts() + statistics.trampTwoAborts());
    std::printf("  scan:               %8.2f s  (%.1f ms per file, target <= %.0f s: %s)\n", scanSeconds,
                1000.0 * scanSeconds / files, kTargetSeconds,
                scanSeconds <= kTargetSeconds ? "met" : "MISSED");
    std::printf("  progress steps:     %8d    longest between two: %lld ms\n", steps,
                static_cast<long long>(longestStepMs));
    std::printf("  statistics file:    %8.1f ms%s\n", jsonMs, written ? "" : "  (not written)");
    std::printf("  heat map:           %8.1f ms%s\n", heatMapMs, drawn ? "" : "  (not written)");
    std::printf("  routines: %d + %d + %d synchronized, landings %lld + %lld\n",
                statistics.trampOneRoutines(), statistics.trampTwoRoutines(), statistics.synRoutines(),
                static_cast<long long>(statistics.trampOneLandings().size()),
                static_cast<long long>(statistics.trampTwoLandings().size()));
    return 0;
}
