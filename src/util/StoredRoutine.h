#pragma once

#include <QByteArray>
#include <QString>

class OvraSettings;
class wsDaten;
struct StoreSettings;

namespace ovra::util {

// A stored data file scored again, as the workstation's Open shows it and
// as committing it would send it: the confirmed result JSON.
struct StoredRoutineScore
{
    bool read = false;
    // Why the file could not be read ("" when it does not exist or cannot
    // be opened; the loader's refusal otherwise).
    QString refusal;
    QByteArray json;
};

// Loads file (".dat", or one of the names that select it) into store, which
// first goes back to the configured store settings, so that a file without
// zero offsets never inherits those of the file before.
StoredRoutineScore scoreStoredRoutine(const QString &file, OvraSettings &settings, wsDaten &store,
                                      const StoreSettings &configured);

} // namespace ovra::util
