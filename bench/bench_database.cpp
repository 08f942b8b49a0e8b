// The competition database under load: a measure of the longest
// measurement the ring holds (a 16 MB Data BLOB) written and read back, the
// merge of two files of 1,000 measures each (also from a file of an older
// version, whose measure ids are computed on the way), the database
// browser's list of 2,000 measures, a save while another connection holds a
// read transaction, and the browser's filter over 10,000 measures. Prints
// the times next to their targets.

#include "DatabaseBrowserDialog.h"
#include "data/wsDaten.h"
#include "wsdb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <QStandardPaths>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kRuns = 3;
constexpr double kBlobTargetS = 0.2;
constexpr double kMergeTargetS = 5.0;
constexpr double kFilterTargetMs = 50.0;
constexpr double kBrowserTargetMs = 100.0;
// A routine of 30 s: 30,000 samples of 16 bytes.
constexpr int kRoutineSamples = 30000;

const char *const kLastNames[] = {"Miller", "O'Brien", "Müller", "Dubois",
                                  "Ng",     "Smith",   "Novak",  "Kowalski"};

bool insert(wsdb &db, wsDaten &store, const QString &name, int i, const QByteArray &samples)
{
    store.measurementName = name;
    StartSelection &s = store.startSelection();
    s.eventName = QStringLiteral("Worlds %1").arg(i % 5);
    s.city = QStringLiteral("Baku");
    s.competitionName = i % 3 ? QStringLiteral("Seniors") : QStringLiteral("Pairs");
    s.typeId = i % 3 ? 1 : 2;
    s.groupName = QStringLiteral("Group %1").arg(i % 4);
    s.athlete1.lastName = QString::fromUtf8(kLastNames[i % 8]) + QString::number(i);
    s.athlete1.firstName = QStringLiteral("Anna");
    s.athlete1.gender = i % 2 ? QStringLiteral("Female") : QStringLiteral("Male");
    // Routine i was saved at its own second, the same in every file.
    const QDateTime saved = QDateTime(QDate(2026, 5, 1), QTime(8, 0)).addSecs(i);
    return db.insertMeasure(saved, {}, {}, QStringLiteral("header\n"), 7, samples.constData(),
                            int(samples.size()), QJsonDocument(), QByteArray());
}

QByteArray samples(int n)
{
    QByteArray bytes(qsizetype(n) * 16, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 31 + 7) & 0xff);
    return bytes;
}

// Measures first .. first + count - 1, in one transaction.
bool fill(wsdb &db, wsDaten &store, int first, int count, const QByteArray &data)
{
    return db.transaction([&] {
        for (int i = first; i < first + count; ++i) {
            if (!insert(db, store, QStringLiteral("m%1").arg(i, 6, 10, QLatin1Char('0')), i, data))
                return false;
        }
        return true;
    });
}

// Wall-clock and processor time of one piece of work, in seconds: on a
// machine shared with other work the processor time is the steadier figure.
struct Timing
{
    double wall = 0.0;
    double cpu = 0.0;
};

template <typename Work> Timing timed(Work &&work)
{
    QElapsedTimer t;
    const std::clock_t start = std::clock();
    t.start();
    work();
    return {t.nsecsElapsed() * 1e-9, double(std::clock() - start) / CLOCKS_PER_SEC};
}

Timing median(std::vector<Timing> values)
{
    std::sort(values.begin(), values.end(), [](const Timing &a, const Timing &b) { return a.wall < b.wall; });
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    // The browser dialog draws nothing here.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The database class makes its data folder; not in the operator's home.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    wsDaten store;
    bool ok = true;

    // The largest measure: every sample the ring holds.
    {
        wsdb db(store);
        db.openDatabase(dir.filePath(QStringLiteral("blob.db")));
        db.createTables(QStringLiteral("main"));
        const QByteArray data = samples(wsDaten::kRingSamples);
        std::vector<Timing> writes;
        std::vector<Timing> reads;
        for (int run = 0; run < kRuns; ++run) {
            const QString name = QStringLiteral("big%1").arg(run);
            writes.push_back(timed([&] { ok = insert(db, store, name, run, data) && ok; }));
            std::vector<wsDaten::Sample> read;
            reads.push_back(timed([&] {
                QStringList fields;
                QString header;
                ok = db.readMeasure(name, fields, header, read) && ok;
            }));
            ok = ok && int(read.size()) == wsDaten::kRingSamples;
        }
        const Timing write = median(writes);
        const Timing read = median(reads);
        std::printf("Data BLOB of %.1f MB (%d samples), median of %d:\n", double(data.size()) / 1e6,
                    wsDaten::kRingSamples, kRuns);
        std::printf("  insert  %.3f s (processor %.3f s; target <= %.1f s)\n", write.wall, write.cpu,
                    kBlobTargetS);
        std::printf("  read    %.3f s (processor %.3f s; target <= %.1f s)\n", read.wall, read.cpu,
                    kBlobTargetS);
    }

    // Two files of 1,000 routines each, half of them the same measures.
    {
        const QByteArray data = samples(kRoutineSamples);
        {
            wsdb db(store);
            db.openDatabase(dir.filePath(QStringLiteral("b.db")));
            db.createTables(QStringLiteral("main"));
            ok = fill(db, store, 500, 1000, data) && ok;
        }
        wsdb db(store);
        db.openDatabase(dir.filePath(QStringLiteral("a.db")));
        db.createTables(QStringLiteral("main"));
        ok = fill(db, store, 0, 1000, data) && ok;
        wsdb::MergeResult merged;
        wsdb::MergeResult again;
        const Timing first =
            timed([&] { merged = db.mergeFromDatabase(dir.filePath(QStringLiteral("b.db"))); });
        const Timing second =
            timed([&] { again = db.mergeFromDatabase(dir.filePath(QStringLiteral("b.db"))); });
        ok = ok && merged.ok && merged.tables[4] == wsdb::MergeCounts{500, 500, 0} && again.ok &&
             again.tables[4] == wsdb::MergeCounts{0, 1000, 0};
        // The same source as an older version leaves it: no id column.
        {
            sqlite3 *raw = nullptr;
            sqlite3_open(dir.filePath(QStringLiteral("b.db")).toUtf8().constData(), &raw);
            ok = sqlite3_exec(raw, "DROP INDEX MeasuresByUid; ALTER TABLE Measures DROP COLUMN MeasureUid;",
                              nullptr, nullptr, nullptr) == SQLITE_OK &&
                 ok;
            sqlite3_close(raw);
        }
        wsdb::MergeResult old;
        const Timing third = timed([&] { old = db.mergeFromDatabase(dir.filePath(QStringLiteral("b.db"))); });
        ok = ok && old.ok && old.tables[4] == wsdb::MergeCounts{0, 1000, 0};
        std::printf("Merge of two files of 1,000 measures (%.0f kB of samples each), 500 of them new:\n",
                    double(data.size()) / 1e3);
        std::printf("  merge              %.3f s (processor %.3f s; target <= %.1f s)\n", first.wall,
                    first.cpu, kMergeTargetS);
        std::printf("  merge again        %.3f s (processor %.3f s; nothing new)\n", second.wall, second.cpu);
        std::printf("  older source file  %.3f s (processor %.3f s; ids computed, nothing new)\n", third.wall,
                    third.cpu);

        // A save while another program reads the file (a viewer holding a
        // read transaction), against a save without it.
        std::vector<Timing> alone;
        std::vector<Timing> beside;
        sqlite3 *reader = nullptr;
        sqlite3_open(dir.filePath(QStringLiteral("a.db")).toUtf8().constData(), &reader);
        for (int run = 0; run < 2 * kRuns + 1; ++run) {
            const bool reading = run % 2 == 1;
            if (reading)
                ok = sqlite3_exec(reader, "BEGIN; SELECT COUNT(*) FROM Measures;", nullptr, nullptr,
                                  nullptr) == SQLITE_OK &&
                     ok;
            const Timing t = timed(
                [&] { ok = insert(db, store, QStringLiteral("save%1").arg(run), 5000 + run, data) && ok; });
            (reading ? beside : alone).push_back(t);
            if (reading)
                sqlite3_exec(reader, "COMMIT;", nullptr, nullptr, nullptr);
        }
        sqlite3_close(reader);
        const Timing saveAlone = median(alone);
        const Timing saveBeside = median(beside);
        std::printf("Save of a 30 s routine, median:\n");
        std::printf("  alone                      %.1f ms (processor %.1f ms)\n", saveAlone.wall * 1e3,
                    saveAlone.cpu * 1e3);
        std::printf("  beside a read transaction  %.1f ms (processor %.1f ms; target: no slower)\n",
                    saveBeside.wall * 1e3, saveBeside.cpu * 1e3);
    }

    // The database browser's list (the dialog's own table) of 2,000 measures.
    {
        wsdb db(store);
        db.openDatabase(dir.filePath(QStringLiteral("list.db")));
        db.createTables(QStringLiteral("main"));
        ok = fill(db, store, 0, 2000, samples(kRoutineSamples)) && ok;
        DatabaseBrowserDialog dialog(db);
        std::vector<Timing> runs;
        for (int run = 0; run < 5; ++run)
            runs.push_back(timed([&] { dialog.readMeasureTable(); }));
        ok = ok && dialog.tree()->topLevelItemCount() == 2000;
        const Timing t = median(runs);
        std::printf("Database browser list of 2,000 measures, median of 5:\n");
        std::printf("  list  %.1f ms (processor %.1f ms; target <= %.0f ms)\n", t.wall * 1e3, t.cpu * 1e3,
                    kBrowserTargetMs);
    }

    // The browser over 10,000 measures of a short routine each.
    {
        wsdb db(store);
        db.openDatabase(dir.filePath(QStringLiteral("browse.db")));
        db.createTables(QStringLiteral("main"));
        ok = fill(db, store, 0, 10000, samples(1000)) && ok;
        const auto browse = [&db](const char *what, const wsdb::MeasureFilter &filter) {
            int rows = 0;
            std::vector<Timing> runs;
            for (int run = 0; run < 5; ++run)
                runs.push_back(timed([&] { rows = int(db.listMeasures(filter).size()); }));
            const Timing t = median(runs);
            std::printf("  %-22s %6.1f ms (processor %5.1f ms), %5d rows (target <= %.0f ms)\n", what,
                        t.wall * 1e3, t.cpu * 1e3, rows, kFilterTargetMs);
        };
        std::printf("Browser over 10,000 measures, median of 5:\n");
        browse("no filter", {});
        wsdb::MeasureFilter name;
        name.name = QStringLiteral("ller1");
        browse("name \"ller1\"", name);
        wsdb::MeasureFilter combined;
        combined.event = QStringLiteral("Worlds 3");
        combined.gender = QStringLiteral("Female");
        combined.typeId = 2;
        browse("event, gender, type", combined);
    }
    return ok ? 0 : 1;
}
