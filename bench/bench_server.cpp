// The competition database on a PostgreSQL server of its own (fsync on, as
// a real server): four workstations committing 200 routines of 30 s each
// at the same time (every save timed; no row may be lost or doubled), then
// the database browser over 5,000 measures on the server. Prints the
// figures next to their targets.

#include "DatabaseBrowserDialog.h"
#include "data/wsDaten.h"
#include "db/PostgresConnection.h"
#include "support/PgTestCluster.h"
#include "wsdb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <latch>
#include <memory>
#include <vector>

namespace {

constexpr int kWorkstations = 4;
constexpr int kRoutinesEach = 200;
constexpr int kRoutineSamples = 30000;
constexpr int kBrowserMeasures = 5000;
constexpr double kSaveP99TargetMs = 200.0;
constexpr double kBrowserTargetMs = 200.0;

// Noise: the server cannot compress it, as it cannot much compress real
// force data either.
QByteArray samples(int n, int seed)
{
    QByteArray bytes(qsizetype(n) * 16, Qt::Uninitialized);
    QRandomGenerator random(quint32(seed + 1));
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    return bytes;
}

bool commit(wsdb &db, wsDaten &store, int workstation, int i, const QByteArray &data)
{
    store.measurementName = QStringLiteral("m%1").arg(i, 4, 10, QLatin1Char('0'));
    StartSelection &s = store.startSelection();
    s.eventName = QStringLiteral("Worlds");
    s.competitionName = QStringLiteral("Seniors");
    s.groupName = QStringLiteral("Final");
    s.typeId = 1;
    s.athlete1.lastName = QStringLiteral("Bed%1").arg(workstation);
    s.athlete1.firstName = QStringLiteral("Routine%1").arg(i);
    return db.insertMeasure(QDateTime(QDate(2026, 5, 1), QTime(8, 0)).addSecs(i), {}, {},
                            QStringLiteral("header\n"), 7, data.constData(), int(data.size()),
                            QJsonDocument(), QByteArray());
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto at = std::size_t(std::min<double>(double(values.size()) - 1, p * double(values.size())));
    return values[at];
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    if (ovra::test::PgTestCluster::binDir().isEmpty()) {
        std::printf("skipped: %s\n", qPrintable(ovra::test::PgTestCluster::skipReason()));
        return 0;
    }
    ovra::test::PgTestCluster server;
    if (!server.start(true)) {
        std::printf("the server did not start: %s\n", qPrintable(server.reason()));
        return 1;
    }
    QTemporaryDir dir;
    bool ok = true;

    // Four workstations at once, each on its own thread and connection.
    {
        std::latch ready(kWorkstations);
        std::vector<std::vector<double>> times(kWorkstations);
        std::vector<int> failed(kWorkstations, 0);
        const auto workstation = [&](int n) {
            wsDaten store;
            wsdb db(store, nullptr, false);
            db.setServerQueueFile(dir.filePath(QStringLiteral("queue-%1.db").arg(n)));
            const bool open = db.openServer(server.address());
            const QByteArray data = samples(kRoutineSamples, n);
            ready.arrive_and_wait();
            if (!open) {
                failed[std::size_t(n)] = kRoutinesEach;
                return;
            }
            for (int i = 0; i < kRoutinesEach; ++i) {
                QElapsedTimer t;
                t.start();
                if (!commit(db, store, n, i, data))
                    ++failed[std::size_t(n)];
                times[std::size_t(n)].push_back(double(t.nsecsElapsed()) * 1e-6);
            }
        };
        std::vector<std::unique_ptr<QThread>> threads;
        QElapsedTimer wall;
        wall.start();
        for (int n = 0; n < kWorkstations; ++n) {
            threads.emplace_back(QThread::create(workstation, n));
            threads.back()->start();
        }
        for (auto &t : threads)
            t->wait();
        const double seconds = double(wall.nsecsElapsed()) * 1e-9;
        std::vector<double> all;
        int failures = 0;
        for (int n = 0; n < kWorkstations; ++n) {
            all.insert(all.end(), times[std::size_t(n)].cbegin(), times[std::size_t(n)].cend());
            failures += failed[std::size_t(n)];
        }
        ovra::db::PostgresConnection raw;
        raw.open(server.conninfo());
        const QList<QVariantMap> rows = raw.select(
            QStringLiteral("SELECT COUNT(*) AS n, COUNT(DISTINCT MeasureUid) AS ids FROM Measures;"));
        const qint64 stored = rows.isEmpty() ? -1 : rows.first().value(QStringLiteral("n")).toLongLong();
        const qint64 ids = rows.isEmpty() ? -1 : rows.first().value(QStringLiteral("ids")).toLongLong();
        // Each workstation's routines in the order it committed them.
        bool ordered = true;
        for (int n = 0; n < kWorkstations; ++n) {
            const QList<QVariantMap> names =
                raw.select(QStringLiteral("SELECT Name FROM Measures WHERE LastName1=? ORDER BY idx;"),
                           {QStringLiteral("Bed%1").arg(n)});
            for (int i = 0; i < names.size(); ++i)
                ordered = ordered && names.at(i).value(QStringLiteral("Name")).toString() ==
                                         QStringLiteral("m%1").arg(i, 4, 10, QLatin1Char('0'));
        }
        const int expected = kWorkstations * kRoutinesEach;
        const double p99 = percentile(all, 0.99);
        std::printf("%d workstations x %d routines of %d samples (%d KB) at once: %.1f s\n", kWorkstations,
                    kRoutinesEach, kRoutineSamples, kRoutineSamples * 16 / 1024, seconds);
        std::printf(
            "  rows stored %lld of %d, distinct measure ids %lld, failed saves %d, commit order kept: %s\n",
            static_cast<long long>(stored), expected, static_cast<long long>(ids), failures,
            ordered ? "yes" : "NO");
        std::printf("  save: median %.1f ms, p99 %.1f ms (target <= %.0f ms), max %.1f ms\n",
                    percentile(all, 0.5), p99, kSaveP99TargetMs, percentile(all, 1.0));
        ok = ok && stored == expected && ids == expected && failures == 0 && ordered &&
             p99 <= kSaveP99TargetMs;
    }

    // The browser over 5,000 measures on the server.
    {
        if (!server.createDatabase(QStringLiteral("browser"))) {
            std::printf("no database for the browser: %s\n", qPrintable(server.reason()));
            return 1;
        }
        wsDaten store;
        wsdb db(store, nullptr, false);
        db.setServerQueueFile(dir.filePath(QStringLiteral("browser-queue.db")));
        db.openServer(server.address(QStringLiteral("browser")));
        const QByteArray data = samples(1000, 1);
        const bool filled = db.transaction([&] {
            for (int i = 0; i < kBrowserMeasures; ++i) {
                if (!commit(db, store, i % 8, i, data))
                    return false;
            }
            return true;
        });
        std::vector<double> open;
        std::vector<double> filter;
        int listed = 0;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer t;
            t.start();
            DatabaseBrowserDialog browser(db);
            open.push_back(double(t.nsecsElapsed()) * 1e-6);
            listed = browser.tree()->topLevelItemCount();
            t.restart();
            browser.filterEdit(0)->setText(QStringLiteral("bed3"));
            filter.push_back(double(t.nsecsElapsed()) * 1e-6);
        }
        const double median = percentile(open, 0.5);
        std::printf("database browser with %d measures on the server (%s): %.1f ms (target <= %.0f ms), "
                    "filtered: %.1f ms\n",
                    listed, filled ? "filled" : "NOT FILLED", median, kBrowserTargetMs,
                    percentile(filter, 0.5));
        ok = ok && filled && listed == kBrowserMeasures && median <= kBrowserTargetMs;
    }
    std::printf("%s\n", ok ? "all targets met" : "TARGETS MISSED");
    return 0;
}
