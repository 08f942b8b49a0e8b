#include "recovery/RoutineRecorder.h"

#include "data/wsDaten.h"
#include "recovery/AutoSaveName.h"
#include "recovery/CommitMarker.h"
#include "settings/OvraSettings.h"
#include "training/RoutineStartTimer.h"
#include "util/FileUtils.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <limits>

using data::model::TrampMode;

RoutineRecorder::RoutineRecorder(OvraSettings &settings, wsDaten &store)
    : m_settings(settings)
    , m_store(store)
    , m_tempDirectory(defaultTemporaryDirectory())
{}

QString RoutineRecorder::defaultTemporaryDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation);
}

QString RoutineRecorder::temporaryRoutineFilePath() const
{
    return QDir(m_tempDirectory).filePath(QStringLiteral("~routine.dat"));
}

bool RoutineRecorder::saveMeasurement(const QString &path, bool toFile, ovra::util::FileUtils::Format format)
{
    const bool failed = ovra::util::FileUtils::saveFile(toFile, path, &m_settings, m_store, m_weightClass,
                                                        m_database, format);
    if (failed && m_saveFailed)
        m_saveFailed(path);
    return failed;
}

QString RoutineRecorder::autoSavePath(const QDateTime &now) const
{
    const AutoSaveSettings &autoSave = m_settings.autoSaveSettings();
    const QString name = ovra::recovery::autoSaveFileName(m_store.routines().routineMetaInformation,
                                                          autoSave.filenameTemplate(),
                                                          autoSave.suppressWhitespace(), now);
    const QString path = ovra::recovery::autoSaveFilePath(autoSave.targetDirectory(), name);
    // A template without the time (one file per athlete, say) or two
    // commits in one second render the same name again: the routine saved
    // before is never replaced, the new one gets a number.
    if (!QFileInfo::exists(path))
        return path;
    const QString base = path.chopped(4);
    QString numbered;
    for (int n = 2; n < 100000; ++n) {
        numbered = QStringLiteral("%1_%2.dat").arg(base).arg(n);
        if (!QFileInfo::exists(numbered))
            break;
    }
    return numbered;
}

bool RoutineRecorder::autoSaveToFile(const QDateTime &now, QString *writtenPath)
{
    const QString path = autoSavePath(now);
    if (writtenPath)
        *writtenPath = path;
    const QString directory = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(directory))
        qWarning().noquote() << QStringLiteral("Could not create the folder %1").arg(directory);
    qDebug() << "autoSave routine to file" << path;
    if (saveMeasurement(path, true)) {
        qWarning() << "Failed to automatically save data to" << path;
        return false;
    }
    return true;
}

bool RoutineRecorder::saveRoutineResultsToTempFile()
{
    auto &routine = m_store.routines();
    if (routine.routineRecording) {
        routine.routineRecording = false;
        routine.exerciseEnd = routine.exerciseEndFix = m_store.sampleCount();
    }
    qDebug() << "Saving routine results to temporary file:";
    // A commit mark left beside an older routine must not claim this one.
    CommitMarker::remove(temporaryRoutineFilePath());
    // The crash copy is read back only by the program: separators chosen
    // for spreadsheets must not make it unreadable.
    return !saveMeasurement(temporaryRoutineFilePath(), true, ovra::util::FileUtils::Format::Standard);
}

void RoutineRecorder::deleteTempRoutineFile()
{
    const QString path = temporaryRoutineFilePath();
    if (QFile::exists(path) && !QFile::remove(path))
        qWarning().noquote() << QStringLiteral("Could not remove the temporary routine file %1").arg(path);
    CommitMarker::remove(path);
}

bool RoutineRecorder::temporaryRoutineFileExists() const
{
    return QFile::exists(temporaryRoutineFilePath());
}

void RoutineRecorder::replay(wsDaten &store, const LastChanceRecovery &ring, const RecoverySelection &selection,
                             int hdRule, ovra::util::SamplePlotter *plotter)
{
    ovra::util::FileUtils::resetMeasurementForLoad(store);
    const int mode = qBound(1, selection.trampMode, 3);
    store.setTrampMode(static_cast<TrampMode>(mode));
    const int from = qBound(0, selection.from, LastChanceRecovery::kCapacity);
    const int to = qBound(from, selection.to, LastChanceRecovery::kCapacity);
    auto &routine = store.routines();
    routine.exerciseStart = routine.exerciseStartFix = std::max(0, selection.routineBegin - from);
    // No end: the routine ends where its tenth landing closes it.
    routine.exerciseEnd = routine.exerciseEndFix = std::numeric_limits<int>::max();
    store.beginReplay();
    for (int k = from; k < to; ++k)
        ovra::util::FileUtils::appendReplayedSample(store, ring.sample(k), hdRule, plotter);
    store.setBlockCount(store.sampleCount());
    updateStartTimeFromLandings(store);
}

void RoutineRecorder::updateStartTimeFromLandings(wsDaten &store)
{
    auto &routine = store.routines();
    int t = 0;
    switch (store.trampMode()) {
    case TrampMode::Trampoline1:
        t = routine.individualLandingsTrampoline1[0].landingTime - routine.individualLandingsTrampoline1[0].timeOfFlight;
        break;
    case TrampMode::Trampoline2:
        t = routine.individualLandingsTrampoline2[0].landingTime - routine.individualLandingsTrampoline2[0].timeOfFlight;
        break;
    case TrampMode::Synchronized:
        t = routine.synchronizedLandingsTrampoline1[0].landingTime
            - routine.synchronizedLandingsTrampoline1[0].timeOfFlight;
        break;
    default:
        break;
    }
    routine.setRoutineStartTime(t * 0.001);
    routine.setPenalty(RoutineStartTimer::startDelayPenalty(t));
}
