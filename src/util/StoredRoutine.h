#pragma once

#include "data/wsDaten.h"

#include <QByteArray>
#include <QString>

#include <vector>

class OvraSettings;
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

// The same for a measure of the competition database: its header text and
// its samples (the Data column) replayed into store as the window shows a
// stored measure. read is false when the header was refused (the reason in
// refusal).
StoredRoutineScore scoreStoredMeasure(const QString &header, const QByteArray &data, OvraSettings &settings,
                                      wsDaten &store, const StoreSettings &configured);

// The samples of the Data column: 16 bytes per sample, eight signed 16-bit
// little-endian values; an incomplete last sample is left out.
std::vector<wsDaten::Sample> samplesFromBytes(const QByteArray &data);

} // namespace ovra::util
