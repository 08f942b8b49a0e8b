// The organiser's tool as a separate process, on real database and CSV files.

#include "data/wsDaten.h"
#include "support/TestSupport.h"
#include "wsdb.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runDb(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("OVRA_FORCE_LANGUAGE"), QStringLiteral("en"));
    process.setProcessEnvironment(environment);
    process.start(ovra::test::binaryDir() + QStringLiteral("/bin/ovra-db"), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList column(const QString &path, const char *sql)
{
    QStringList out;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return out;
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// A workstation's day: a start list and the routines it saved, each at
// 2026-05-01 10:00:00 (the save time of two workstations can be the same).
void workstation(const QString &path, const QStringList &athletes)
{
    wsDaten store;
    wsdb db(store);
    db.openDatabase(path);
    db.createTables(QStringLiteral("main"));
    db.execute(QStringLiteral("INSERT INTO Events ( EventName, City, CompetitionName ) VALUES ( 'Worlds', "
                              "'Baku', '__ws_def_event__' );"));
    db.execute(QStringLiteral("INSERT INTO Athlets ( LastName, FirstName ) VALUES ( 'Müller', 'Jürgen' );"));
    for (const QString &athlete : athletes) {
        store.measurementName = QStringLiteral("20260501_100000_0000");
        store.startSelection().eventName = QStringLiteral("Worlds");
        store.startSelection().athlete1.lastName = athlete;
        const char samples[32] = {7, 0, 9};
        db.insertMeasure(QDateTime(QDate(2026, 5, 1), QTime(10, 0)), {}, {}, QStringLiteral("h\n"), 2,
                         samples, 32, QJsonDocument(), QByteArray());
    }
}

} // namespace

class TestOvraDb : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    // Two workstations that saved a routine in the same second: the merge
    // keeps both and says what it did; a failing source leaves the target
    // as it was, even after an earlier source had merged.
    void mergeKeepsEveryRoutineOrNothing()
    {
        const QString ws1 = file(QStringLiteral("ws1.db"));
        const QString ws2 = file(QStringLiteral("ws2.db"));
        const QString all = file(QStringLiteral("all.db"));
        workstation(ws1, {QStringLiteral("Ng")});
        workstation(ws2, {QStringLiteral("Ng"), QStringLiteral("Dubois")});

        Run run = runDb({QStringLiteral("merge"), all, ws1, ws2});
        QCOMPARE(run.exitCode, 0);
        const QStringList expected = {
            QDir::toNativeSeparators(ws1),
            QStringLiteral("  Athlets: 1 added, 0 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("  Events: 1 added, 0 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("  Competitions: 0 added, 0 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("  Groups: 0 added, 0 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("  Measures: 1 added, 0 skipped as identical, 0 kept as conflicting"),
            QDir::toNativeSeparators(ws2),
            QStringLiteral("  Athlets: 0 added, 1 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("  Events: 0 added, 1 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("  Competitions: 0 added, 0 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("  Groups: 0 added, 0 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("  Measures: 1 added, 1 skipped as identical, 0 kept as conflicting"),
            QStringLiteral("Merged into %1 (sources: 2)").arg(QDir::toNativeSeparators(all)),
        };
        QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
        // The file alone holds everything: no log beside it.
        QVERIFY(!QFile::exists(all + QStringLiteral("-wal")));
        QCOMPARE(column(all, "SELECT Name || ' ' || LastName1 FROM Measures ORDER BY idx;"),
                 QStringList({QStringLiteral("20260501_100000_0000 Ng"),
                              QStringLiteral("20260501_100000_0000 Dubois")}));
        QVERIFY(!QFile::exists(all + QStringLiteral(".merging")));

        run = runDb({QStringLiteral("check"), all});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 QStringList({"integrity: ok", "Athlets: 1", "Events: 1", "Competitions: 0", "Groups: 0",
                              "Measures: 2"}));

        // The second source passes the first look (five tables) but its
        // measures cannot be read; ws3 before it had merged already.
        const QString ws3 = file(QStringLiteral("ws3.db"));
        workstation(ws3, {QStringLiteral("Novak")});
        const QString broken = file(QStringLiteral("broken.db"));
        {
            sqlite3 *db = nullptr;
            sqlite3_open(broken.toUtf8().constData(), &db);
            for (const char *table : {"Athlets", "Events", "Competitions", "Groups", "Measures"})
                sqlite3_exec(
                    db,
                    (QByteArray("CREATE TABLE ") + table + "(idx INTEGER PRIMARY KEY, Name);").constData(),
                    nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        const QByteArray before = digest(all);
        run = runDb({QStringLiteral("merge"), all, ws3, broken});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("is unchanged")), qPrintable(run.err));
        QCOMPARE(digest(all), before);
        QVERIFY(!QFile::exists(all + QStringLiteral(".merging")));
        run = runDb({QStringLiteral("merge"), all, file(QStringLiteral("missing.db"))});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(digest(all), before);
        // Open in another program (a workstation still running on it): not
        // replaced under it.
        {
            sqlite3 *holder = nullptr;
            QCOMPARE(sqlite3_open(all.toUtf8().constData(), &holder), SQLITE_OK);
            QCOMPARE(sqlite3_exec(holder, "SELECT COUNT(*) FROM Measures;", nullptr, nullptr, nullptr),
                     SQLITE_OK);
            run = runDb({QStringLiteral("merge"), all, ws3});
            sqlite3_close(holder);
        }
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("is open in another program")), qPrintable(run.err));
        QCOMPARE(digest(all), before);
        run = runDb({QStringLiteral("merge"), all, ws3});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(column(all, "SELECT LastName1 FROM Measures ORDER BY idx;"),
                 QStringList({QStringLiteral("Ng"), QStringLiteral("Dubois"), QStringLiteral("Novak")}));

        // Not a database at all: the check says so and fails.
        const QString text = file(QStringLiteral("notes.db"));
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }
        run = runDb({QStringLiteral("check"), text});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.startsWith(QStringLiteral("integrity: file is not a database")));
        QCOMPARE(runDb({QStringLiteral("frobnicate")}).exitCode, 2);
    }

    // The start list as the import reads it, one JSON object per line.
    void startListAsTheImportReadsIt()
    {
        const QString path = file(QStringLiteral("list.csv"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Name;Verein\r\n"
                    "M\xfcller;\"SC Magdeburg; Abt. Trampolin\"\r\n"
                    "A;B;C\r\n"
                    "\"O\"\"Brien\";\r\n");
        }
        const Run run = runDb({QStringLiteral("startlist"), path});
        // A row that cannot be read fails the check.
        QCOMPARE(run.exitCode, 1);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        const auto object = [&lines](int i) {
            return QJsonDocument::fromJson(lines.at(i).toUtf8()).object();
        };
        const QJsonObject head = object(0);
        QCOMPARE(head.value(QStringLiteral("encoding")).toString(), QStringLiteral("Windows-1252"));
        QCOMPARE(head.value(QStringLiteral("separator")).toString(), QStringLiteral(";"));
        QCOMPARE(head.value(QStringLiteral("header")).toBool(), true);
        QCOMPARE(head.value(QStringLiteral("rows")).toInt(), 2);
        QCOMPARE(object(1).value(QStringLiteral("line")).toInt(), 2);
        QCOMPARE(
            object(1).value(QStringLiteral("meta")).toObject(),
            (QJsonObject{{"Name", QStringLiteral("Müller")}, {"Verein", "SC Magdeburg; Abt. Trampolin"}}));
        QCOMPARE(object(2).value(QStringLiteral("meta")).toObject(),
                 (QJsonObject{{"Name", "O\"Brien"}, {"Verein", ""}}));
        QCOMPARE(object(3).value(QStringLiteral("type")).toString(), QStringLiteral("unreadable"));
        QCOMPARE(object(3).value(QStringLiteral("line")).toInt(), 3);
        QCOMPARE(object(3).value(QStringLiteral("text")).toString(), QStringLiteral("A;B;C"));

        // Told otherwise, the tool reads with that separator.
        const Run comma =
            runDb({QStringLiteral("startlist"), QStringLiteral("--separator"), QStringLiteral(","),
                   QStringLiteral("--header"), QStringLiteral("no"), path});
        QCOMPARE(QJsonDocument::fromJson(comma.out.split(QLatin1Char('\n')).first().toUtf8())
                     .object()
                     .value(QStringLiteral("titles"))
                     .toArray()
                     .size(),
                 1);
    }
};

QTEST_GUILESS_MAIN(TestOvraDb)
#include "tst_ovradb.moc"
