#include "util/StoredRoutine.h"

#include "settings/OvraSettings.h"
#include "util/FileUtils.h"
#include "util/RESTUtils.h"

#include <QFileInfo>

#include <functional>

namespace ovra::util {

namespace {

QByteArray confirmedResultOf(const wsDaten &store, OvraSettings &settings)
{
    return RESTUtils::createConfirmedResult(store.routines(), store.trampMode(),
                                            store.currentIndividualResult(),
                                            store.currentSynchronizedResult(), settings.rulesSettings())
        .toJson();
}

} // namespace

StoredRoutineScore scoreStoredRoutine(const QString &file, OvraSettings &settings, wsDaten &store,
                                      const StoreSettings &configured)
{
    StoredRoutineScore score;
    store.applyStoreSettings(configured);
    const QString base = FileUtils::loadBasePath(file);
    std::function<void()> reset = [&store]() { FileUtils::resetMeasurementForLoad(store); };
    if (!QFileInfo(base + QStringLiteral(".dat")).isFile() ||
        !FileUtils::loadDataFile(base, &settings, store, nullptr, reset, &score.refusal))
        return score;
    score.read = true;
    score.json = confirmedResultOf(store, settings);
    return score;
}

StoredRoutineScore scoreStoredMeasure(const QString &header, const QByteArray &data, OvraSettings &settings,
                                      wsDaten &store, const StoreSettings &configured)
{
    StoredRoutineScore score;
    store.applyStoreSettings(configured);
    FileUtils::resetMeasurementForLoad(store);
    if (!FileUtils::replayStoredMeasure(header, samplesFromBytes(data), &settings, store, nullptr,
                                        &score.refusal))
        return score;
    score.read = true;
    score.json = confirmedResultOf(store, settings);
    return score;
}

std::vector<wsDaten::Sample> samplesFromBytes(const QByteArray &data)
{
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    const qsizetype count = data.size() / 16;
    std::vector<wsDaten::Sample> samples(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i) {
        wsDaten::Sample &sample = samples[std::size_t(i)];
        for (int c = 0; c < wsDaten::kChannels; ++c) {
            const uchar *p = bytes + i * 16 + c * 2;
            sample[std::size_t(c)] = static_cast<qint16>(quint16(p[0] | (p[1] << 8)));
        }
    }
    return samples;
}

} // namespace ovra::util
