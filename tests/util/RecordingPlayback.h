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
#include <optional>

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
        const QJsonObject r = recording(number);
        const int first = r.value(QStringLiteral("firstSample")).toInt();
        int samples = r.value(QStringLiteral("samples")).toInt();
        if (maxSamples > 0)
            samples = std::min(samples, maxSamples);
        const int windowOpen = r.value(QStringLiteral("routineWindowOpen")).toInt();
        const char *bytes = table.constData() + qsizetype(first) * kSampleBytes;
        playRoutine(
            store, samples / 3,
            [bytes](int f, wsDaten::FrameValues &values) {
                for (int v = 0; v < wsDaten::kValuesPerFrame; ++v)
                    values[std::size_t(v)] =
                        qFromLittleEndian<qint16>(bytes + (qsizetype(f) * 3 * 8 + v) * 2);
            },
            [openAfterLandings, windowOpen](const wsDaten &s) {
                return openAfterLandings > 0 ? s.landingCount(0) + s.landingCount(1) >= openAfterLandings
                                             : s.sampleCount() >= windowOpen;
            });
    }
};

} // namespace playback
