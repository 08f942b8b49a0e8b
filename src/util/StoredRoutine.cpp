#include "util/StoredRoutine.h"

#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "util/FileUtils.h"
#include "util/RESTUtils.h"

#include <QFileInfo>

#include <functional>

namespace ovra::util {

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
    score.json =
        RESTUtils::createConfirmedResult(store.routines(), store.trampMode(), store.currentIndividualResult(),
                                         store.currentSynchronizedResult(), settings.rulesSettings())
            .toJson();
    return score;
}

} // namespace ovra::util
