// Athlete histories under load: the history of an athlete with 200
// routines in a database of 5,000 measures shown in the window (the
// athletes read, the routines read, table, chart and heat map drawn), the
// first time and again; and 1,000 older measures (real routines) scored in
// the background while the window is open, with the longest time the event
// loop did not answer. Prints the figures next to their targets.

#include "AppStartup.h"
#include "data/wsDaten.h"
#include "history/AthleteHistory.h"
#include "history/AthleteHistoryWindow.h"
#include "history/HistoryService.h"
#include "history/ResultsBackfill.h"
#include "settings/OvraSettings.h"
#include "support/PgTestCluster.h"
#include "util/FileUtils.h"
#include "util/StoredRoutine.h"
#include "wsdb.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kMeasures = 5000;
constexpr int kOfTheAthlete = 200;
constexpr int kOlder = 1000;
constexpr double kShowTargetMs = 200.0;
constexpr double kAnswerTargetMs = 100.0;
// Other athletes' measures carry short sample blocks (the history never
// reads them); the athlete's own carry a whole routine's.
constexpr int kShortSamples = 1000;
constexpr int kRoutineSamples = 30000;

QJsonDocument result(int i)
{
    QJsonArray elements;
    for (int e = 0; e < 10; ++e)
        elements.append(QJsonObject{{QStringLiteral("timeOfFlightInSeconds"), 1.4 + 0.01 * ((i + e) % 20)},
                                    {QStringLiteral("horizontalDisplacement"), 0.9},
                                    {QStringLiteral("landingZone"), 6},
                                    {QStringLiteral("landingPositionInCm"),
                                     QJsonObject{{QStringLiteral("x"), (i * 7 + e * 13) % 90 - 45},
                                                 {QStringLiteral("y"), (i * 3 + e * 5) % 60 - 30}}}});
    return QJsonDocument(
        QJsonObject{{QStringLiteral("type"), QStringLiteral("individual")},
                    {QStringLiteral("maturity"), QStringLiteral("confirmed")},
                    {QStringLiteral("rulesSettings"),
                     QJsonObject{{QStringLiteral("hdDeductions"), QStringLiteral("max3")}}},
                    {QStringLiteral("individualResult"),
                     QJsonObject{{QStringLiteral("startPenalty"), 0.0},
                                 {QStringLiteral("delayBeforeStartInSeconds"), 3.2},
                                 {QStringLiteral("elementCount"), 10},
                                 {QStringLiteral("timeOfFlightInSeconds"), 14.0 + 0.01 * (i % 200)},
                                 {QStringLiteral("horizontalDisplacement"), 9.0},
                                 {QStringLiteral("meta"),
                                  QJsonObject{{QStringLiteral("lastname"), QStringLiteral("Athlete")}}},
                                 {QStringLiteral("elements"), elements}}}});
}

StartSelection entry(int athlete)
{
    StartSelection s;
    s.eventName = QStringLiteral("Season %1").arg(athlete % 7);
    s.competitionName = QStringLiteral("Seniors");
    s.groupName = QStringLiteral("Group %1").arg(athlete % 4);
    s.athlete1.lastName = QStringLiteral("Athlete%1").arg(athlete);
    s.athlete1.firstName = QStringLiteral("Anna");
    s.athlete1.year = 1990 + athlete % 20;
    s.athlete1.idFig = QStringLiteral("FIG%1").arg(athlete);
    return s;
}

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) * 1e-6;
}

// Shows the first athlete's history in window: once with the athletes read
// anew, then five times more; prints both after title (given how many
// routines were shown) and returns the athlete's id.
template <typename Title>
QString timeShowing(QApplication &app, ovra::history::HistoryService &service,
                    ovra::history::AthleteHistoryWindow &window, Title title)
{
    window.show();
    app.processEvents();
    const QString id = window.athleteList()->item(0)->data(Qt::UserRole).toString();
    const auto show = [&] {
        QElapsedTimer t;
        t.start();
        window.showAthlete(id);
        window.repaint();
        return ms(t);
    };
    service.invalidate();
    const double cold = show();
    const auto shown = std::size_t(window.routines().size());
    std::vector<double> warm;
    for (int run = 0; run < 5; ++run) {
        window.showAthlete(QString());
        warm.push_back(show());
    }
    std::sort(warm.begin(), warm.end());
    title(shown);
    std::printf("  first time (athletes read)  %.1f ms (target <= %.0f ms)\n", cold, kShowTargetMs);
    std::printf("  again (median of 5)         %.1f ms (target <= %.0f ms)\n", warm[warm.size() / 2],
                kShowTargetMs);
    return id;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    wsDaten store;
    OvraSettings::Targets targets;
    targets.store = &store;
    OvraSettings settings(targets, ovra::startup::logHandler());
    int width = 0;
    int height = 0;
    QFont font;
    settings.load(width, height, font);
    const StoreSettings configured = store.storeSettings();
    // Routine scoring logs every landing; the figures are what matters here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    // 5,000 measures: athlete 0 has 200 of them, spread over the file.
    const QString big = dir.filePath(QStringLiteral("season.db"));
    {
        wsdb db(store, nullptr, false);
        db.openDatabase(big);
        db.createTables(QStringLiteral("main"));
        const QByteArray shortData(qsizetype(kShortSamples) * 16, '\x11');
        const QByteArray routineData(qsizetype(kRoutineSamples) * 16, '\x22');
        QElapsedTimer fill;
        fill.start();
        const bool filled = db.transaction([&] {
            for (int i = 0; i < kMeasures; ++i) {
                const bool own = i % (kMeasures / kOfTheAthlete) == 0;
                const int athlete = own ? 0 : 1 + i % 300;
                const QByteArray &data = own ? routineData : shortData;
                store.measurementName = QStringLiteral("m%1").arg(i);
                if (!db.insertMeasure(entry(athlete),
                                      QDateTime(QDate(2025, 1, 1), QTime(8, 0)).addSecs(qint64(i) * 3600), {},
                                      {}, QStringLiteral("-0.002\t4.30\t1\n"), 0, data.constData(),
                                      int(data.size()), result(i), {}))
                    return false;
            }
            return true;
        });
        std::printf("Database of %d measures (%d of one athlete) written in %.1f s%s\n", kMeasures,
                    kOfTheAthlete, ms(fill) / 1000.0, filled ? "" : " -- FAILED");
    }

    {
        wsdb db(store, nullptr, false);
        db.openDatabase(big);
        ovra::history::HistoryService service([&db] { return db.connection(); });
        ovra::history::ResultsBackfill backfill(settings, configured);
        ovra::history::AthleteHistoryWindow window(service, backfill, [&db] { return db.connection(); });
        const QString id = timeShowing(app, service, window, [](std::size_t shown) {
            std::printf("History of an athlete with %zu routines among %d measures, shown in the window:\n",
                        shown, kMeasures);
        });
        QElapsedTimer part;
        part.start();
        ovra::history::AthleteIndex index;
        ovra::history::readAthletes(*db.connection(), index);
        const double athletes = ms(part);
        part.restart();
        ovra::history::readRoutines(*db.connection(), *index.find(id));
        std::printf("  of that, reading the athletes %.1f ms and the routines %.1f ms\n", athletes, ms(part));
    }

    // The same database on a competition server.
    if (ovra::test::PgTestCluster::binDir().isEmpty()) {
        std::printf("On a server: skipped, %s\n", qPrintable(ovra::test::PgTestCluster::skipReason()));
    } else {
        ovra::test::PgTestCluster cluster;
        wsdb server(store, nullptr, false);
        server.setServerQueueFile(dir.filePath(QStringLiteral("queue.db")));
        if (cluster.start() && server.openServer(cluster.address()) && server.mergeFromDatabase(big).ok) {
            ovra::history::HistoryService service([&server] { return server.connection(); });
            ovra::history::ResultsBackfill backfill(settings, configured);
            ovra::history::AthleteHistoryWindow window(service, backfill,
                                                       [&server] { return server.connection(); });
            timeShowing(app, service, window, [](std::size_t) {
                std::printf("The same on a PostgreSQL server on this machine:\n");
            });
        } else {
            std::printf("On a server: the server could not be started or filled: %s\n",
                        qPrintable(cluster.reason()));
        }
    }

    // 1,000 measures stored before routines kept their result: the
    // reference routines, whole, without a result.
    const QString older = dir.filePath(QStringLiteral("older.db"));
    {
        const QDir references(QStringLiteral(OVRA_REFERENCE_ROUTINES_DIR));
        QStringList files = references.entryList({QStringLiteral("routine_*.dat")}, QDir::Files, QDir::Name);
        wsdb db(store, nullptr, false);
        db.openDatabase(older);
        db.createTables(QStringLiteral("main"));
        struct Unscored final : ovra::util::MeasureDatabase
        {
            wsdb &db;
            QDateTime at;
            int athlete = 0;
            explicit Unscored(wsdb &d)
                : db(d)
            {}
            bool insertMeasure(const StartSelection &, const QDateTime &, const QString &c1,
                               const QString &c2, const QString &h, int hl, const char *s, int sb,
                               const QJsonDocument &, const QByteArray &p) override
            {
                return db.insertMeasure(entry(athlete), at, c1, c2, h, hl, s, sb, QJsonDocument(), p);
            }
        } unscored(db);
        QElapsedTimer fill;
        fill.start();
        db.transaction([&] {
            for (int i = 0; i < kOlder; ++i) {
                const QString file = references.filePath(files.at(i % files.size()));
                if (!ovra::util::scoreStoredRoutine(file, settings, store, configured).read)
                    return false;
                unscored.at = QDateTime(QDate(2024, 1, 1), QTime(8, 0)).addSecs(qint64(i) * 3600);
                unscored.athlete = i % 40;
                if (ovra::util::FileUtils::saveFile(false, QString(), &settings, store, nullptr, &unscored))
                    return false;
            }
            return true;
        });
        std::printf("%d older measures (the %lld reference routines, %.0f MB) written in %.1f s\n", kOlder,
                    qlonglong(files.size()), double(QFileInfo(older).size()) / 1e6, ms(fill) / 1000.0);
    }
    {
        wsdb db(store, nullptr, false);
        db.openDatabase(older);
        ovra::history::HistoryService service([&db] { return db.connection(); });
        ovra::history::ResultsBackfill backfill(settings, configured);
        ovra::history::AthleteHistoryWindow window(service, backfill, [&db] { return db.connection(); });
        // The event loop's pace while the window is open: a timer every 5 ms.
        QElapsedTimer sinceTick;
        double longest = 0.0;
        int ticks = 0;
        QTimer beat;
        beat.setInterval(5);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            longest = std::max(longest, ms(sinceTick));
            sinceTick.restart();
            ++ticks;
        });
        int updates = 0;
        QObject::connect(&backfill, &ovra::history::ResultsBackfill::progress, [&](int, int) { ++updates; });
        bool done = false;
        int scored = 0;
        QObject::connect(&backfill, &ovra::history::ResultsBackfill::finished, [&](int s, int) {
            done = true;
            scored = s;
        });
        QElapsedTimer total;
        total.start();
        window.show();
        const double opened = ms(total);
        sinceTick.start();
        beat.start();
        while (!done)
            app.processEvents(QEventLoop::WaitForMoreEvents);
        const double seconds = ms(total) / 1000.0;
        std::printf("%d older measures scored in the background: %d in %.1f s (%.1f ms each)\n", kOlder,
                    scored, seconds, seconds * 1000.0 / std::max(scored, 1));
        std::printf("  window open and the progress bar shown after %.1f ms; %d progress updates\n", opened,
                    updates);
        std::printf("  longest time the window did not answer %.1f ms (target <= %.0f ms); %d timer ticks\n",
                    longest, kAnswerTargetMs, ticks);
    }
    return 0;
}
