#pragma once

#include "data/wsDaten.h"

#include <QByteArray>
#include <QChar>
#include <QDateTime>
#include <QJsonDocument>
#include <QString>

#include <functional>
#include <vector>

class IndexSelection;
class QIODevice;
class OvraSettings;

namespace ovra::util {

// Receives the samples of a measurement while a data file is read; the force
// plotter implements it.
class SamplePlotter
{
public:
    virtual ~SamplePlotter() = default;
    // The n newest samples of the store were added.
    virtual void appendSamples(const wsDaten &store, int n) = 0;
};

// Takes the database form of a measurement; the competition database
// implements it. insertMeasure returns true only when the measure was stored
// under the start entry given (the routine's own, wsDaten::routineStartEntry).
class MeasureDatabase
{
public:
    virtual ~MeasureDatabase() = default;
    virtual bool insertMeasure(const StartSelection &entry, const QDateTime &saveTime,
                               const QString &comment1, const QString &comment2, const QString &header,
                               int headerLength, const char *samples, int sampleBytes,
                               const QJsonDocument &results, const QByteArray &pdf) = 0;
};

// The measurement data file: a header of coded lines (first column -0.0NN)
// followed by one row per sample. Loading restores the samples and a few
// header values and recomputes landings and results from the samples.
class FileUtils
{
public:
    // The separators a file is written with: those of the export settings,
    // or TAB, "." and LF, which the loader reads whatever the settings (the
    // temporary routine file; the database form always uses them).
    enum class Format { Export, Standard };

    // Longest line the loader accepts; longer lines are skipped whole.
    static constexpr qint64 kMaxLineLength = 1 << 20;

    // Writes the measurement. With toFile the file at path is replaced only
    // once the new contents are complete; otherwise the header text and the
    // 16-byte-per-sample block go to the database. weightClassSelector may be
    // null (the settings' own selection is used). Returns true on failure.
    static bool saveFile(bool toFile, const QString &path, OvraSettings *settings, wsDaten &store,
                         const IndexSelection *weightClassSelector, MeasureDatabase *database,
                         Format format = Format::Export);

    // Loads basePath + ".dat" into the store; true on success. Nothing is reset
    // when the file cannot be opened. A file whose header holds values no run
    // of the program writes is refused: false and the store reset again. The
    // reason of either failure, for the operator, goes to refusal. plotter
    // may be null.
    static bool loadDataFile(const QString &basePath, OvraSettings *settings, wsDaten &store,
                             SamplePlotter *plotter, std::function<void()> &reset,
                             QString *refusal = nullptr);
    // Whether basePath + ".dat" opens for reading; if not, the reason for the
    // operator in reason.
    static bool dataFileReadable(const QString &basePath, QString *reason = nullptr);

    // The part of a load after the reset: header lines, then sample rows
    // with the recomputation. name is used in log lines. False when the
    // header was refused (the reason in refusal); the samples are then not read.
    static bool readData(QIODevice &device, const QString &name, OvraSettings *settings, wsDaten &store,
                         SamplePlotter *plotter, QString *refusal = nullptr);

    // The samples of a stored measure (the database form) replayed into the
    // store after its header: landings and results are recomputed as for a
    // data file.
    static void replaySamples(const std::vector<wsDaten::Sample> &samples, OvraSettings *settings,
                              wsDaten &store, SamplePlotter *plotter);
    // A measure of the competition database shown again: its header text
    // applied and its samples replayed, as a data file is loaded. false when
    // the header was refused (the reason in refusal); the samples are then
    // not replayed.
    static bool replayStoredMeasure(const QString &header, const std::vector<wsDaten::Sample> &samples,
                                    OvraSettings *settings, wsDaten &store, SamplePlotter *plotter,
                                    QString *refusal = nullptr);
    // Applies every header line of a stored header text; true when at least
    // one was a header line and none was refused (the reason in refusal).
    static bool applyHeaderText(const QString &header, OvraSettings *settings, wsDaten &store,
                                QString *refusal = nullptr);
    // Appends one replayed sample (files, the database, the recovery ring)
    // and hands it to the plotter (may be null); then the routine window and,
    // at the end of a block or of the window, the landing detection.
    static void appendReplayedSample(wsDaten &store, const wsDaten::Sample &sample, int rule,
                                     SamplePlotter *plotter);

    // Applies one header line; false when the line is not a header line (the
    // header has ended). Header lines are TAB-separated whatever the
    // columnSeparator; numbers may carry a decimal comma.
    static bool check_headerZeile(const QString &line, wsDaten &store, const QChar &columnSeparator);

    // The header text alone (the database form and its tests).
    static QString headerText(OvraSettings *settings, wsDaten &store,
                              const IndexSelection *weightClassSelector, const QDateTime &now,
                              Format format = Format::Export);

    // Path names as Open and "Save as" treat them: a data file is always
    // written as ".dat"; ".dat", ".txt", ".res" and ".tara" name the ".dat"
    // file of the same base name on load.
    static QString saveTargetPath(const QString &chosenPath);
    static QString loadBasePath(const QString &chosenPath);

    // What the workstation's reset before a load does to the store when no
    // window is involved: trampoline 1, an empty measurement and routine
    // without meta information, bed size and contact thresholds as configured.
    static void resetMeasurementForLoad(wsDaten &store);
};

} // namespace ovra::util
