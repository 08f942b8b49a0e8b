#pragma once

#include "data/wsDaten.h"
#include "support/TestSupport.h"
#include "util/RoutinePlayer.h"
#include "util/WeightClasses.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// The three simulated recordings of the master box and their ground truth,
// played through the store the way the controller drives a routine.
namespace playback {

constexpr int kSampleBytes = 16;

struct Library
{
    QJsonObject truth;
    QByteArray table;

    static std::optional<Library> load()
    {
        QFile packed(ovra::test::sourceDir() + QStringLiteral("/src/usb/recordings/simulated_recordings.bin.z"));
        QFile truthFile(ovra::test::sourceDir() + QStringLiteral("/tools/simulated_recordings_truth.json"));
        if (!packed.open(QIODevice::ReadOnly) || !truthFile.open(QIODevice::ReadOnly))
            return std::nullopt;
        Library library;
        library.table = qUncompress(packed.readAll());
        library.truth = QJsonDocument::fromJson(truthFile.readAll()).object();
        if (library.table.isEmpty() || library.truth.isEmpty())
            return std::nullopt;
        return library;
    }

    QJsonObject recording(int number) const
    {
        return truth.value(QStringLiteral("recordings")).toArray().at(number - 1).toObject();
    }

    // Routine contacts of one bed (1 or 2) in order.
    QList<QJsonObject> routineContacts(int number, int bed) const
    {
        QList<QJsonObject> contacts;
        for (const auto &value : recording(number).value(QStringLiteral("contacts")).toArray()) {
            const QJsonObject c = value.toObject();
            if (c.value(QStringLiteral("bed")).toInt() == bed
                && c.value(QStringLiteral("kind")).toString() == QLatin1String("routine"))
                contacts.append(c);
        }
        return contacts;
    }

    // A tara on the idle box, START with the automatic weight class and
    // trampoline selection, ROUTINE from the moment the window opens; the
    // recording stops when the tenth landing closes the window. With
    // openAfterLandings the window opens instead in the block right after
    // the one in which that many warm-up landings were detected, as when the
    // operator arms the routine just as a landing is reported. maxSamples
    // above 0 stops the recording early.
    void play(int number, wsDaten &store, int openAfterLandings = 0, int maxSamples = 0) const
    {
        Window window;
        window.openAfterLandings = openAfterLandings;
        window.maxSamples = maxSamples;
        play(number, store, window);
    }

    // When the operator opens and ends the routine window. By default the
    // window opens where the recording's routine begins and is closed by
    // the tenth landing.
    struct Window
    {
        // Open after the block in which this many landings were detected.
        int openAfterLandings = 0;
        // Open after the first block that ends at or after this sample.
        int openAt = -1;
        // The operator ends the routine after the first block that ends at
        // or after this sample; the measurement stops there, as in review.
        int endAt = -1;
        // Above 0 the recording stops after this many samples, as when the
        // box is unplugged in the middle of a routine.
        int maxSamples = 0;
        // The operator's choice in the trampoline combo box.
        int trampolineSelection = wsDaten::kAutomaticSelectionIndex;
    };

    // A landing as the controller saw it: the block end at which it was
    // detected and its bed (0 or 1).
    struct Detection
    {
        int block = 0;
        int bed = 0;
    };

    // Plays a recording as the controller drives a routine and returns the
    // detections in their order.
    std::vector<Detection> play(int number, wsDaten &store, const Window &window) const
    {
        const QJsonObject r = recording(number);
        const int first = r.value(QStringLiteral("firstSample")).toInt();
        const char *bytes = table.constData() + qsizetype(first) * kSampleBytes;
        Window w = window;
        if (w.openAfterLandings <= 0 && w.openAt < 0)
            w.openAt = r.value(QStringLiteral("routineWindowOpen")).toInt();
        int samples = r.value(QStringLiteral("samples")).toInt();
        if (w.maxSamples > 0)
            samples = std::min(samples, w.maxSamples);
        return playSamples(
            store, samples,
            [bytes](int i, int c) { return qFromLittleEndian<qint16>(bytes + (qsizetype(i) * 8 + c) * 2); }, w);
    }

    // The same for any signal: sampleAt(i, channel) gives the raw values.
    static std::vector<Detection> playSamples(wsDaten &store, int samples,
                                              const std::function<qint16(int, int)> &sampleAt,
                                              const Window &window)
    {
        std::vector<Detection> detections;
        std::array<int, 2> seen{0, 0};
        playRoutine(
            store, samples / 3,
            [&sampleAt](int f, wsDaten::FrameValues &values) {
                for (int v = 0; v < wsDaten::kValuesPerFrame; ++v)
                    values[std::size_t(v)] = sampleAt(f * 3 + v / 8, v % 8);
            },
            [&window](const wsDaten &s) {
                return window.openAfterLandings > 0 ? s.landingCount(0) + s.landingCount(1) >= window.openAfterLandings
                                                    : s.sampleCount() >= window.openAt;
            },
            [&](wsDaten &s, bool opened) {
                for (int bed = 0; bed < 2; ++bed)
                    for (; seen[std::size_t(bed)] < s.landingCount(bed); ++seen[std::size_t(bed)])
                        detections.push_back({s.sampleCount(), bed});
                auto &routine = s.routines();
                if (opened && window.endAt >= 0 && s.sampleCount() >= window.endAt) {
                    if (routine.routineRecording) {
                        routine.routineRecording = false;
                        routine.exerciseEnd = routine.exerciseEndFix = s.sampleCount();
                    }
                    return true;
                }
                return false;
            },
            window.trampolineSelection);
        return detections;
    }
};

} // namespace playback
