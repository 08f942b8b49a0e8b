#include "statistics/ProtocolScan.h"

#include "data/wsDaten.h"
#include "statistics/CompetitionStatistics.h"
#include "util/FileUtils.h"

#include <QDebug>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

#include <cmath>
#include <memory>

namespace ovra::statistics {

namespace {

// Header lines are short; a longer line is no header line and is skipped.
constexpr qint64 kMaxHeaderLine = 64 * 1024;

QString readLine(QFile &file, bool &ok)
{
    QByteArray line = file.readLine(kMaxHeaderLine);
    ok = !line.isEmpty();
    if (line.size() >= kMaxHeaderLine && !line.endsWith('\n')) {
        // The rest of an over-long line.
        while (!file.atEnd() && !file.readLine(kMaxHeaderLine).endsWith('\n')) {
        }
        return QString();
    }
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

bool isPositionLine(const QString &line)
{
    // -0.017 to -0.026: the positions of elements 1 to 10.
    if (line.size() < 6 || !line.startsWith(QLatin1String("-0.0")))
        return false;
    const QStringView digits = QStringView(line).mid(4, 2);
    bool ok = false;
    const int code = digits.toInt(&ok);
    return ok && digits.at(0).isDigit() && code >= 17 && code <= 26;
}

QList<double> numbersOf(const QString &line)
{
    QList<double> numbers;
    for (const QString &part : line.split(QLatin1Char('\t'))) {
        bool ok = false;
        const double value = part.toDouble(&ok);
        numbers.append(ok ? value : std::nan(""));
    }
    return numbers;
}

// An individual routine ended before ten elements: the athlete may have
// landed once more before the measurement stopped. The file is replayed in
// a store of its own and the routine is lengthened by one landing, as
// "More Landings" does in the review.
void addAbortLanding(const QString &path, const QString &mode, const QDateTime &time,
                     CompetitionStatistics &statistics)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "Failed to load data from file " + path;
        return;
    }
    auto store = std::make_unique<wsDaten>();
    util::FileUtils::resetMeasurementForLoad(*store);
    util::FileUtils::readData(file, path, nullptr, *store, nullptr);
    const data::model::Routines &routine = store->routines();
    const quint64 before = routine.landingCount;
    store->increaseLandingsInRoutine();
    const quint64 after = routine.landingCount;
    if (after <= before || after > static_cast<quint64>(data::model::Routines::kSlots))
        return;
    const auto &landings = store->individualTrampoline() == 1 ? routine.individualLandingsTrampoline2
                                                              : routine.individualLandingsTrampoline1;
    const data::calc::LandingPosition position =
        landings[static_cast<std::size_t>(after - 1)].landingPosition;
    if (!std::isfinite(position.x) || !std::isfinite(position.y))
        return;
    statistics.addLanding(mode, static_cast<double>(std::lround(position.x)),
                          static_cast<double>(std::lround(position.y)), time);
}

} // namespace

QStringList protocolFiles(const QString &folder, bool includeSubfolders)
{
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.dat")}, QDir::Files,
                    includeSubfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

void scanProtocolFile(const QString &path, CompetitionStatistics &statistics)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "Failed to load data from file " + path;
        return;
    }
    QString mode = QStringLiteral("unknown");
    QDateTime time;
    bool abortLanding = false;
    bool ok = true;
    while (true) {
        const QString line = readLine(file, ok);
        if (!ok || line.startsWith(QLatin1String("-0.027")))
            break;
        // Sample rows follow the header; no more header lines come.
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('-')))
            break;
        if (line.startsWith(QLatin1String("-0.002"))) {
            const QStringList parts = line.split(QLatin1Char('\t'));
            if (parts.size() == 3) {
                mode = parts.at(2);
                if (!statistics.countRoutine(mode))
                    qWarning().noquote() << "Unknown tramp mode found in file" << path << ":" << mode;
            } else {
                qWarning().noquote() << "Invalid tramp mode line found in file" << path << ":" << line;
            }
        } else if (line.startsWith(QLatin1String("-0.003"))) {
            const QStringList parts = line.split(QLatin1Char('\t'));
            if (parts.size() == 3)
                time = QDateTime(QDate::fromString(parts.at(1), QStringLiteral("yyyy/MM/dd")),
                                 QTime::fromString(parts.at(2), QStringLiteral("hh:mm:ss")));
            else
                qWarning().noquote() << "Invalid date/time line found in file" << path << ":" << line;
        } else if (isPositionLine(line)) {
            const QList<double> p = numbersOf(line);
            if (p.size() == 4) {
                statistics.addLanding(mode, p[2], p[3], time);
            } else if (p.size() == 6) {
                statistics.addLandingTrampOne(p[2], p[3], time);
                statistics.addLandingTrampTwo(p[4], p[5], time);
            } else {
                // An element that is not present: the routine ended early.
                if (!statistics.countAbort(mode))
                    qWarning().noquote() << "Unknown tramp mode found in file" << path << ":" << mode;
                abortLanding = mode == QLatin1String("1") || mode == QLatin1String("2");
                break;
            }
        }
    }
    file.close();
    if (abortLanding)
        addAbortLanding(path, mode, time, statistics);
}

bool scanCompetitionFolder(const QString &folder, bool includeSubfolders, CompetitionStatistics &statistics,
                           const ScanProgress &progress)
{
    if (!QFileInfo(folder).isDir()) {
        qDebug() << "Path does not exist" << folder;
        return false;
    }
    qDebug() << "Exporting competition protocol from folder" << folder;
    const QStringList files = protocolFiles(folder, includeSubfolders);
    int done = 0;
    for (const QString &path : files) {
        scanProtocolFile(path, statistics);
        ++done;
        if (progress && !progress(done, static_cast<int>(files.size()))) {
            qDebug() << "Export stopped after" << done << "of" << files.size() << "files";
            return false;
        }
    }
    qDebug() << "Files processed:" << done;
    qDebug() << "Routines on tramp 1:" << statistics.trampOneRoutines()
             << "aborts:" << statistics.trampOneAborts();
    qDebug() << "Routines on tramp 2:" << statistics.trampTwoRoutines()
             << "aborts:" << statistics.trampTwoAborts();
    qDebug() << "Routines sync: " << statistics.synRoutines() << "aborts:" << statistics.synAborts();
    qDebug() << "Landings on tramp 1:" << statistics.trampOneLandings().size();
    qDebug() << "Landings on tramp 2:" << statistics.trampTwoLandings().size();
    return true;
}

QByteArray statisticsJson(const CompetitionStatistics &statistics)
{
    return QJsonDocument(statistics.toJson()).toJson(QJsonDocument::Compact);
}

bool writeStatisticsFile(const CompetitionStatistics &statistics, const QString &path)
{
    // Unbuffered, because commit() takes a buffered tail that no longer fits
    // on the disk for written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qWarning().noquote() << "unable to open file -" << file.errorString();
        return false;
    }
    const QByteArray json = statisticsJson(statistics);
    if (file.write(json) != json.size() || !file.commit()) {
        qWarning().noquote() << "unable to write file" << path << "-" << file.errorString();
        return false;
    }
    return true;
}

QString heatMapPathFor(const QString &jsonPath)
{
    QString base = jsonPath;
    if (base.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        base.chop(5);
    return base + QStringLiteral(".png");
}

} // namespace ovra::statistics
