// GUI-thread cost per block of 48 samples through the whole live path: the
// window's block handling, the sample store with landing detection, the
// plotter and the result widgets, including the repaint that follows each
// block. Plays the simulated recordings back to back at full speed for a
// 1000 s measurement, once as a routine (ROUTINE, plotter running) and once
// as continuous training (every landing reaches the widgets). Prints median,
// 99th percentile and worst block in milliseconds, and the resident memory
// of the process once the sample store, the last-chance recorder and the
// plotter are full.
#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "usb/DeviceLink.h"
#include "usb/SimulatedRecordings.h"
#include "usb/UsbFrame.h"
#include "util/Clock.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kSeconds = 1000;
constexpr int kFrames = kSeconds * 1000 / 3;

class FrameSource
{
public:
    UsbFrame next()
    {
        UsbFrame frame;
        frame.bytes[0] = UsbFrame::kMagic1;
        frame.bytes[1] = UsbFrame::kMagic2;
        frame.bytes[2] = 0x31;
        const auto &recordings = usb::SimulatedRecordings::instance();
        for (int s = 0; s < UsbFrame::kSamplesPerFrame; ++s) {
            recordings.copySample(m_recording, m_sample,
                                  frame.bytes + UsbFrame::kDataOffset + s * usb::SimulatedRecordings::kSampleBytes);
            if (++m_sample >= usb::SimulatedRecordings::length(m_recording)) {
                m_sample = 0;
                // Both beds in turn: recording 1 is bed 1, 3 both beds.
                m_recording = m_recording == 1 ? 3 : 1;
            }
        }
        return frame;
    }

private:
    int m_recording = 1;
    int m_sample = 0;
};

// "VmRSS" or "VmHWM" of this process in kB, -1 where /proc is missing.
long procStatusKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // /proc files report no size: read them whole.
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key) + 1).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void printMemory(const char *when)
{
    std::printf("memory %-28s VmRSS %ld kB  VmHWM %ld kB\n", when, procStatusKb("VmRSS"), procStatusKb("VmHWM"));
    std::fflush(stdout);
}

bool waitFor(OvraDialog &dialog, OvraState::InnerState state)
{
    QElapsedTimer timer;
    timer.start();
    while (!dialog.ovraState().isIn(state) && timer.elapsed() < 5000)
        QCoreApplication::processEvents();
    return dialog.ovraState().isIn(state);
}

void run(OvraDialog &dialog, const char *label)
{
    FrameSource source;
    std::vector<double> costs;
    costs.reserve(kFrames / wsDaten::kFramesPerBlock + 1);
    QElapsedTimer timer;
    for (int f = 0; f < kFrames; ++f) {
        const UsbFrame frame = source.next();
        const bool blockEnds = dialog.daten().batchCount() == wsDaten::kFramesPerBlock - 1;
        if (blockEnds)
            timer.start();
        // As the device link hands on every frame: to the last-chance
        // recorder and, for data frames, to the block handling.
        Q_EMIT dialog.deviceLink().frameReceived(frame);
        Q_EMIT dialog.deviceLink().dataFrameReceived(frame);
        if (blockEnds) {
            // The repaint the block asked for happens before the next block.
            QCoreApplication::processEvents();
            costs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1.0e6);
            if (costs.back() > 16.0 && std::getenv("OVRA_BENCH_VERBOSE"))
                std::printf("  slow block at sample %d: %.1f ms\n", dialog.daten().sampleCount(), costs.back());
        }
    }
    const auto slow = std::count_if(costs.begin(), costs.end(), [](double ms) { return ms > 16.0; });
    std::sort(costs.begin(), costs.end());
    const double median = costs[costs.size() / 2];
    const double p99 = costs[costs.size() * 99 / 100];
    std::printf("%-12s blocks %zu  samples %d  median %.3f ms  p99 %.3f ms  worst %.3f ms  over 16 ms: %ld"
                "  (target: median < 2, worst < 16)\n",
                label, costs.size(), dialog.daten().sampleCount(), median, p99, costs.back(), long(slow));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A workstation of its own in a temporary home: the operator's settings
    // and database stay untouched, and the tutorials of a first start,
    // closed long before a routine, are not shown.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral(".local/share")).toLocal8Bit());
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    ovra::startup::registerMetaTypes();
    {
        const auto storage = OvraSettings::openStorage();
        storage->setValue(QStringLiteral("Startup/ShowSetupTutorial"), false);
        storage->setValue(QStringLiteral("Startup/ShowUiTutorial"), false);
    }
    ovra::util::ManualClock clock;
    OvraDialog dialog(ovra::startup::logHandler());
    // The limits of the routine timing stay out of the way.
    dialog.setClock(&clock);
    dialog.resize(1280, 900);
    dialog.show();
    QCoreApplication::processEvents();

    printMemory("after start");
    Q_EMIT dialog.usbConnected();
    if (!waitFor(dialog, OvraState::READY))
        return 1;
    Q_EMIT dialog.nextInnerState();
    Q_EMIT dialog.nextInnerState();
    if (!waitFor(dialog, OvraState::ROUTINE))
        return 1;
    run(dialog, "ROUTINE");
    printMemory("after a 1000 s routine");

    Q_EMIT dialog.nextInnerState();
    if (!waitFor(dialog, OvraState::REVIEW))
        return 1;
    Q_EMIT dialog.nextInnerState();
    if (!waitFor(dialog, OvraState::READY))
        return 1;
    dialog.ui().actionContinuous_Mode->trigger();
    Q_EMIT dialog.nextInnerState();
    if (!waitFor(dialog, OvraState::CONTINUOUS))
        return 1;
    run(dialog, "CONTINUOUS");
    printMemory("after continuous training");
    dialog.deviceLink().shutdown();
    return 0;
}
