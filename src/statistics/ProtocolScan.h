#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CompetitionStatistics;

// The competition protocol export without its dialog: the scan of a folder of
// data files into the statistics, and the files it writes. The export dialog
// and ovra-eval --protocol run exactly this code.
namespace ovra::statistics {

// Called after every file with the files done and the files in all; false
// stops the scan (the operator closed the dialog).
using ScanProgress = std::function<bool(int done, int total)>;

// The "*.dat" files of the folder (files only, with every subfolder when
// asked), in a stable order.
QStringList protocolFiles(const QString &folder, bool includeSubfolders);

// Reads one data file into the statistics: its routine, or the abort of a
// routine that ended before ten elements, and the landing positions of its
// elements. An individual routine that ended early is loaded in full once
// more, and the landing that followed its last element counts too.
void scanProtocolFile(const QString &path, CompetitionStatistics &statistics);

// The whole scan; false when the folder does not exist (nothing is counted)
// or when progress stopped it.
bool scanCompetitionFolder(const QString &folder, bool includeSubfolders, CompetitionStatistics &statistics,
                           const ScanProgress &progress = {});

// The compact JSON text of the statistics.
QByteArray statisticsJson(const CompetitionStatistics &statistics);

// Writes the statistics JSON to path, replacing it only once complete; true
// when it was written.
bool writeStatisticsFile(const CompetitionStatistics &statistics, const QString &path);

// Where the heat map of a statistics file goes: beside it, with ".png" in
// place of ".json".
QString heatMapPathFor(const QString &jsonPath);

} // namespace ovra::statistics
