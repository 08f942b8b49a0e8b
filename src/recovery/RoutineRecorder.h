#pragma once

#include "recovery/LastChanceRecovery.h"
#include "util/FileUtils.h"

#include <QDateTime>
#include <QString>

#include <functional>

class IndexSelection;
class OvraSettings;
class wsDaten;

// The file work that keeps routines from being lost: saving a measurement,
// the autosave on commit, the temporary routine file and the replay of a
// stretch of the last-chance ring. The main window adds its timers, labels
// and message boxes around it.
class RoutineRecorder
{
public:
    // Called with the path when a save failed (the window shows its box).
    using SaveFailed = std::function<void(const QString &path)>;

    RoutineRecorder(OvraSettings &settings, wsDaten &store);

    void setWeightClassSelection(const IndexSelection *selection) { m_weightClass = selection; }
    void setDatabase(ovra::util::MeasureDatabase *database) { m_database = database; }
    void setSaveFailedHandler(SaveFailed handler) { m_saveFailed = std::move(handler); }
    // Where "~routine.dat" lives; the platform's temporary location by default.
    void setTemporaryDirectory(const QString &directory) { m_tempDirectory = directory; }

    QString temporaryRoutineFilePath() const;
    static QString defaultTemporaryDirectory();

    // Writes the measurement (an existing file is replaced only by a
    // complete new one); true when it failed, after the failure handler ran.
    bool saveMeasurement(const QString &path, bool toFile,
                         ovra::util::FileUtils::Format format = ovra::util::FileUtils::Format::Export);

    // The rendered autosave path for now, in the autosave folder; numbered
    // ("name_2.dat") when a file of that name exists already.
    QString autoSavePath(const QDateTime &now) const;
    // Creates the target's folders and saves; true on success. writtenPath
    // receives the path it wrote to.
    bool autoSaveToFile(const QDateTime &now, QString *writtenPath = nullptr);

    // Ends a still recording routine window at the current sample and writes
    // "~routine.dat"; true on success.
    bool saveRoutineResultsToTempFile();
    void deleteTempRoutineFile();
    bool temporaryRoutineFileExists() const;

    // Replays ring samples from .. to-1 into the store as a routine of the
    // selected mode, beginning at routineBegin, with the block evaluation
    // every 48 samples, as a load does.
    static void replay(wsDaten &store, const LastChanceRecovery &ring, const RecoverySelection &selection,
                       int hdRule, ovra::util::SamplePlotter *plotter);
    // Start time and late-start penalty from the routine's first landing.
    static void updateStartTimeFromLandings(wsDaten &store);

private:
    OvraSettings &m_settings;
    wsDaten &m_store;
    const IndexSelection *m_weightClass = nullptr;
    ovra::util::MeasureDatabase *m_database = nullptr;
    SaveFailed m_saveFailed;
    QString m_tempDirectory;
};
