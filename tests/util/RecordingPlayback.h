#pragma once

#include "data/wsDaten.h"
#include "support/TestSupport.h"
#include "util/WeightClasses.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

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
    // operator arms the routine just as a landing is reported.
    void play(int number, wsDaten &store, int openAfterLandings = 0) const
    {
        Window window;
        window.openAfterLandings = openAfterLandings;
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
        return playSamples(
            store, r.value(QStringLiteral("samples")).toInt(),
            [bytes](int i, int c) { return qFromLittleEndian<qint16>(bytes + (qsizetype(i) * 8 + c) * 2); },
            w);
    }

    // The same for any signal: sampleAt(i, channel) gives the raw values.
    static std::vector<Detection> playSamples(wsDaten &store, int samples,
                                              const std::function<qint16(int, int)> &sampleAt,
                                              const Window &window)
    {
        auto clock = std::make_shared<qint64>(0);
        store.setClock([clock]() { return *clock; });
        // The stored settings carry zero offsets; the tara comes after them.
        store.applyStoreSettings(StoreSettings{});
        for (int t = 0; t < 2; ++t)
            store.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
        store.handleTrampolineSelection(wsDaten::kAutomaticSelectionIndex);
        store.resetMeasurement();
        store.setContactThresholds(ovra::util::WeightClasses::threshold(ovra::util::WeightClasses::kAutomatic));
        store.setAutomaticWeightClass(true);

        std::vector<Detection> detections;
        bool opened = false;
        const int frames = samples / 3;
        for (int f = 0; f < frames; ++f) {
            wsDaten::FrameValues values{};
            for (int v = 0; v < wsDaten::kValuesPerFrame; ++v)
                values[std::size_t(v)] = sampleAt(f * 3 + v / 8, v % 8);
            *clock += 3;
            if (!store.addFrame(values))
                continue;
            auto &routine = store.routines();
            const std::array<int, 2> before{store.landingCount(0), store.landingCount(1)};
            const int detected = before[0] + before[1];
            if (!opened && (window.openAfterLandings > 0 ? detected >= window.openAfterLandings
                                                         : store.sampleCount() >= window.openAt)) {
                opened = true;
                routine.exerciseStart = routine.exerciseStartFix = store.sampleCount();
                routine.routineRecording = true;
            }
            store.handleBlock(opened ? data::store::InnerState::ROUTINE : data::store::InnerState::START, 0);
            for (int bed = 0; bed < 2; ++bed)
                for (int k = before[std::size_t(bed)]; k < store.landingCount(bed); ++k)
                    detections.push_back({store.sampleCount(), bed});
            if (routine.routineRecording && routine.exerciseStart < routine.exerciseEnd)
                routine.routineRecording = false;
            if (opened && window.endAt >= 0 && store.sampleCount() >= window.endAt) {
                if (routine.routineRecording) {
                    routine.routineRecording = false;
                    routine.exerciseEnd = routine.exerciseEndFix = store.sampleCount();
                }
                break;
            }
        }
        return detections;
    }
};

} // namespace playback
