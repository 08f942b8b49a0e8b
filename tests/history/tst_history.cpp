// Athlete histories on real databases: two workstations' files built from
// the reference routines (routines of an outside physical model with the
// scores of an independent implementation of the rules) through the real
// save path, merged, the older rows scored again in the background, and the
// histories read from the file, from a PostgreSQL server and by the ovra-db
// program. Every figure is checked against the reference scores or
// against a small computation of the test's own.

#include "AppStartup.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "db/Connection.h"
#include "db/Schema.h"
#include "history/AthleteHistory.h"
#include "history/ResultsBackfill.h"
#include "settings/OvraSettings.h"
#include "support/PgTestCluster.h"
#include "support/TestSupport.h"
#include "util/FileUtils.h"
#include "util/StoredRoutine.h"
#include "wsdb.h"

#include <QDir>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using ovra::history::Athlete;
using ovra::history::AthleteIndex;
using ovra::history::AthleteRef;
using ovra::history::HistoryRoutine;
using ovra::history::ResultsBackfill;
using ovra::history::ResultState;
using ovra::test::PgTestCluster;

namespace {

// Stores a measure under a chosen start entry and save time, whatever the
// save path passes: the routines of a season, saved on their own days.
struct DatedDatabase final : ovra::util::MeasureDatabase
{
    wsdb &db;
    StartSelection entry;
    QDateTime at;
    DatedDatabase(wsdb &d, StartSelection e, QDateTime t)
        : db(d)
        , entry(std::move(e))
        , at(std::move(t))
    {}
    bool insertMeasure(const StartSelection &, const QDateTime &, const QString &c1, const QString &c2,
                       const QString &header, int headerLength, const char *samples, int sampleBytes,
                       const QJsonDocument &results, const QByteArray &pdf) override
    {
        return db.insertMeasure(entry, at, c1, c2, header, headerLength, samples, sampleBytes, results, pdf);
    }
};

// The same keys, strings and integers equal, numbers within 1e-9, landing
// positions within 1 cm (the reference may round a mean the other way).
QString difference(const QJsonValue &expected, const QJsonValue &actual, const QString &path)
{
    if (expected.isObject() || expected.isArray()) {
        const bool object = expected.isObject();
        if (object != actual.isObject() || expected.isArray() != actual.isArray())
            return path + QStringLiteral(": kind differs");
        const QJsonObject eo = expected.toObject();
        const QJsonObject ao = actual.toObject();
        const QJsonArray ea = expected.toArray();
        const QJsonArray aa = actual.toArray();
        if (object ? eo.keys() != ao.keys() : ea.size() != aa.size())
            return path + QStringLiteral(": members differ");
        const qsizetype n = object ? eo.size() : ea.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QString key = object ? eo.keys().at(i) : QString::number(i);
            const QString d = difference(object ? eo.value(key) : ea.at(i), object ? ao.value(key) : aa.at(i),
                                         path + u'.' + key);
            if (!d.isEmpty())
                return d;
        }
        return QString();
    }
    if (expected.isDouble() && actual.isDouble()) {
        const double tolerance =
            path.endsWith(QLatin1String(".x")) || path.endsWith(QLatin1String(".y")) ? 1.0 : 1e-9;
        return std::abs(expected.toDouble() - actual.toDouble()) <= tolerance
                   ? QString()
                   : path + QStringLiteral(": %1 / %2").arg(expected.toDouble()).arg(actual.toDouble());
    }
    return expected == actual ? QString() : path + QStringLiteral(": differs");
}

QJsonObject scoreOf(const QJsonObject &result)
{
    return result
        .value(result.contains(QStringLiteral("individualResult")) ? QStringLiteral("individualResult")
                                                                   : QStringLiteral("synchronizedResult"))
        .toObject();
}

// The test's own mean distance from the bed centre: every landing of the
// reference result, both beds of a pair.
double meanDistance(const QJsonObject &result)
{
    double sum = 0.0;
    int n = 0;
    for (const QJsonValue &e : scoreOf(result).value(QStringLiteral("elements")).toArray()) {
        for (const char *key :
             {"landingPositionInCm", "landingPositionInCmTrampoline1", "landingPositionInCmTrampoline2"}) {
            const QJsonObject p = e.toObject().value(QLatin1String(key)).toObject();
            if (p.isEmpty())
                continue;
            sum += std::sqrt(std::pow(p.value(QStringLiteral("x")).toDouble(), 2) +
                             std::pow(p.value(QStringLiteral("y")).toDouble(), 2));
            ++n;
        }
    }
    return sum / n;
}

StartSelection entryOf(const AthleteRef &a1, const AthleteRef &a2 = {})
{
    StartSelection s;
    s.eventName = QStringLiteral("Season");
    s.competitionName = a2.isEmpty() ? QStringLiteral("Individual") : QStringLiteral("Synchro");
    s.groupName = QStringLiteral("A");
    s.typeId = a2.isEmpty() ? 1 : 2;
    s.athlete1.lastName = a1.lastName;
    s.athlete1.firstName = a1.firstName;
    s.athlete1.idFig = a1.idFig;
    s.athlete1.year = a1.year;
    s.athlete2.lastName = a2.lastName;
    s.athlete2.firstName = a2.firstName;
    s.athlete2.idFig = a2.idFig;
    s.athlete2.year = a2.year;
    return s;
}

const AthleteRef kZoeFig{QStringLiteral("Müller-Łukasz"), QStringLiteral("Zoë"), QStringLiteral("FIG-1001"),
                         2001};
const AthleteRef kZoeYear{QStringLiteral("Müller-Łukasz"), QStringLiteral("Zoë"), QString(), 2001};
// Another workstation typed the name differently and knew nothing else.
const AthleteRef kZoeName{QStringLiteral(" müller-łukasz"), QStringLiteral("ZOË "), QString(), 0};
const AthleteRef kLena1{QStringLiteral("Weber"), QStringLiteral("Lena"), QStringLiteral("FIG-2002"), 2003};
const AthleteRef kLena2{QStringLiteral("Weber"), QStringLiteral("Lena"), QStringLiteral("FIG-2003"), 2005};
const AthleteRef kLenaName{QStringLiteral("Weber"), QStringLiteral("Lena"), QString(), 0};
const AthleteRef kEvaYear{QStringLiteral("Schmidt"), QStringLiteral("Eva"), QString(), 2004};
const AthleteRef kEvaName{QStringLiteral("Schmidt"), QStringLiteral("Eva"), QString(), 0};

// Reference routine k, saved by workstation A or B for these athletes.
struct Planned
{
    int k;
    char station;
    AthleteRef a1;
    AthleteRef a2;
};
const QList<Planned> kPlan = {
    {0, 'A', kZoeFig, {}},   {1, 'A', kLena1, {}},    {2, 'A', kZoeFig, kEvaYear},
    {3, 'B', kZoeFig, {}},   {4, 'B', kLena2, {}},    {5, 'B', kEvaName, kZoeYear},
    {6, 'A', kZoeFig, {}},   {7, 'B', kLenaName, {}}, {8, 'A', kLena1, kEvaYear},
    {9, 'A', kZoeFig, {}},   {10, 'A', kEvaYear, {}}, {11, 'B', kLenaName, kEvaName},
    {12, 'B', kZoeYear, {}}, {13, 'B', kEvaName, {}}, {14, 'A', kZoeFig, kEvaYear},
    {15, 'B', kZoeName, {}},
};
// Rows B stored before routines kept their result; row 3 in A likewise.
const QList<int> kUnscoredInB = {4, 7, 12, 13};
constexpr int kInvalid = 14;

QDateTime dayOf(int k)
{
    return QDateTime(QDate(2026, 3, 1).addDays(k), QTime(10, 0));
}

QString withoutIdx(const QJsonObject &line)
{
    QJsonObject copy = line;
    copy.remove(QStringLiteral("idx"));
    return QString::fromUtf8(QJsonDocument(copy).toJson(QJsonDocument::Compact));
}

struct Run
{
    int exitCode = -1;
    QList<QJsonObject> lines;
    QString err;
};

Run runProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("OVRA_FORCE_LANGUAGE"), QStringLiteral("en"));
    process.setProcessEnvironment(environment);
    process.start(ovra::test::binaryDir() + QStringLiteral("/bin/") + program, arguments);
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (!line.trimmed().isEmpty())
            run.lines << QJsonDocument::fromJson(line).object();
    }
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<QJsonObject> m_expected;
    QStringList m_files;
    QString m_merged;
    // Per routine k (and 16: the row without samples) its idx in the merged file.
    QHash<int, qint64> m_idx;
    std::unique_ptr<wsDaten> m_store;
    std::unique_ptr<OvraSettings> m_settings;
    StoreSettings m_configured;

    // The histories the merged database must give, whatever engine holds it.
    void checkHistories(ovra::db::Connection &connection)
    {
        AthleteIndex index;
        QVERIFY(ovra::history::readAthletes(connection, index));
        QStringList names;
        for (const Athlete &a : index.athletes())
            names << QStringLiteral("%1 [%2] %3").arg(a.name).arg(int(a.kind)).arg(a.rows.size());
        // By name; individuals, pairs, ambiguous entries (0, 1, 2); the row
        // without an athlete belongs to nobody.
        const QStringList expected = {
            QStringLiteral("Müller-Łukasz, Zoë [0] 7"),
            QStringLiteral("Müller-Łukasz, Zoë / Schmidt, Eva [1] 3"),
            QStringLiteral("Schmidt, Eva [0] 2"),
            QStringLiteral("Weber, Lena [0] 1"),
            QStringLiteral("Weber, Lena [0] 1"),
            QStringLiteral("Weber, Lena [2] 1"),
            QStringLiteral("Weber, Lena / Schmidt, Eva [1] 1"),
            QStringLiteral("Weber, Lena / Schmidt, Eva [2] 1"),
        };
        QCOMPARE(names, expected);

        const auto routinesOf = [&](const Athlete &a) {
            bool ok = false;
            const QList<HistoryRoutine> r = ovra::history::readRoutines(connection, a, &ok);
            return ok ? r : QList<HistoryRoutine>();
        };
        const auto kOf = [this](const HistoryRoutine &r) { return m_idx.key(r.idx, -1); };

        // Zoë: A's rows with her FIG id, B's with her year only or her name
        // only, and her row that lost its samples.
        const Athlete &zoe = index.athletes().at(0);
        QCOMPARE(zoe.figId, QStringLiteral("FIG-1001"));
        QCOMPARE(zoe.year, 2001);
        QCOMPARE(index.resolve(kZoeName), &zoe);
        QCOMPARE(index.resolve(kZoeYear), &zoe);
        QCOMPARE(index.resolve(kLenaName), nullptr);
        QCOMPARE(index.resolve(kEvaName, kZoeFig), &index.athletes().at(1));
        const QList<HistoryRoutine> zoeRoutines = routinesOf(zoe);
        QList<int> order;
        for (const HistoryRoutine &r : zoeRoutines)
            order << kOf(r);
        QCOMPARE(order, (QList<int>{0, 3, 6, 9, 12, 15, 16}));
        for (const HistoryRoutine &r : zoeRoutines) {
            const int k = kOf(r);
            QCOMPARE(r.savedAt, dayOf(k));
            QVERIFY(!r.ambiguous);
            if (k == 16) {
                QCOMPARE(r.result, ResultState::NoSamples);
                QVERIFY(!r.timeOfFlight);
                continue;
            }
            const QJsonObject score = scoreOf(m_expected.at(k));
            QCOMPARE(r.result, ResultState::Scored);
            QCOMPARE(r.elements, score.value(QStringLiteral("elementCount")).toInt());
            QCOMPARE(*r.timeOfFlight, score.value(QStringLiteral("timeOfFlightInSeconds")).toDouble());
            QCOMPARE(*r.horizontalDisplacement,
                     score.value(QStringLiteral("horizontalDisplacement")).toDouble());
            QVERIFY(std::abs(*r.meanDistanceCm - meanDistance(m_expected.at(k))) < 1e-9);
            // Trampoline 1 routines (mode 1), so every landing lies on bed 1.
            QCOMPARE(r.landings1.size(), qsizetype(r.elements));
            QVERIFY(r.landings2.isEmpty());
        }
        // The personal best and the deltas of the latest routine, by hand
        // from the reference scores: ToF 14.78, 15.03, 15.12, 15.2, 15.89,
        // 16.4; HD 9.6, 8.5, 9.6, 9.4, 9.6, 7.7.
        const ovra::history::Trend tof =
            ovra::history::trendOf(zoeRoutines, ovra::history::Figure::TimeOfFlight);
        QCOMPARE(tof.points, 6);
        QCOMPARE(tof.best, 5);
        QCOMPARE(*tof.bestValue, 16.4);
        QVERIFY(std::abs(*tof.deltaPrevious - (16.4 - 15.89)) < 1e-9);
        QCOMPARE(*tof.deltaBest, 0.0);
        const ovra::history::Trend hd =
            ovra::history::trendOf(zoeRoutines, ovra::history::Figure::HorizontalDisplacement);
        QCOMPARE(hd.best, 0);
        QVERIFY(std::abs(*hd.deltaPrevious - (7.7 - 9.6)) < 1e-9);
        QVERIFY(std::abs(*hd.deltaBest - (7.7 - 9.6)) < 1e-9);
        const ovra::history::Trend third =
            ovra::history::trendOf(zoeRoutines, ovra::history::Figure::TimeOfFlight, 2);
        QVERIFY(std::abs(*third.deltaPrevious - (15.12 - 15.03)) < 1e-9);
        QVERIFY(std::abs(*third.deltaBest - (15.12 - 16.4)) < 1e-9);

        // The pair, in either order of its athletes; its corrupted result is
        // shown as such.
        const QList<HistoryRoutine> pair = routinesOf(index.athletes().at(1));
        QCOMPARE(pair.size(), 3);
        for (const HistoryRoutine &r : pair) {
            const int k = kOf(r);
            QVERIFY(r.synchronized);
            if (k == kInvalid) {
                QCOMPARE(r.result, ResultState::InvalidResult);
                continue;
            }
            const QJsonObject score = scoreOf(m_expected.at(k));
            QCOMPARE(*r.synchronizedScore, score.value(QStringLiteral("synchronizedScore")).toDouble());
            QCOMPARE(*r.horizontalDisplacement,
                     score.value(QStringLiteral("horizontalDisplacement")).toDouble());
            QVERIFY(!r.timeOfFlight);
            QVERIFY(std::abs(*r.meanDistanceCm - meanDistance(m_expected.at(k))) < 1e-9);
            QCOMPARE(r.landings1.size(), r.landings2.size());
        }
        // The Lena whose FIG id nobody typed is neither of the two.
        const QList<HistoryRoutine> unknown = routinesOf(index.athletes().at(5));
        QCOMPARE(index.athletes().at(5).candidates, 2);
        QCOMPARE(unknown.size(), 1);
        QCOMPARE(kOf(unknown.first()), 7);
        QVERIFY(unknown.first().ambiguous);
        QCOMPARE(unknown.first().result, ResultState::Scored);
        QCOMPARE(unknown.first().landings2.size(), qsizetype(unknown.first().elements));
        // Eva: known by her year once, by her name alone on B.
        QCOMPARE(index.athletes().at(2).year, 2004);
        QCOMPARE(index.athletes().at(2).rows, (QList<qint64>{m_idx.value(10), m_idx.value(13)}));
    }

private slots:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        QVERIFY(m_dir.isValid());
        const QDir folder(QStringLiteral(OVRA_REFERENCE_ROUTINES_DIR));
        for (int k = 0; k < 16; ++k) {
            const QString base =
                folder.filePath(QStringLiteral("routine_%1").arg(k, 2, 10, QLatin1Char('0')));
            QFile json(base + QStringLiteral(".json"));
            QVERIFY(json.open(QIODevice::ReadOnly));
            m_expected << QJsonDocument::fromJson(json.readAll()).object();
            m_files << base + QStringLiteral(".dat");
        }
        m_store = std::make_unique<wsDaten>();
        OvraSettings::Targets targets;
        targets.store = m_store.get();
        m_settings = std::make_unique<OvraSettings>(targets, ovra::startup::logHandler());
        int width = 0;
        int height = 0;
        QFont font;
        m_settings->load(width, height, font);
        m_configured = m_store->storeSettings();
    }

    // Two workstations save the routines through the save path, each under
    // the reference's rule: every stored result is the independent
    // implementation's. The rows B stored unscored are merged into A and
    // scored there in the background: as ovra-eval scores their files.
    void resultsStoredAtSaveAndScoredAgainAsOvraEvalDoes()
    {
        wsdb a(*m_store, nullptr, false);
        wsdb b(*m_store, nullptr, false);
        const QString pathA = m_dir.filePath(QStringLiteral("a.db"));
        const QString pathB = m_dir.filePath(QStringLiteral("b.db"));
        QVERIFY(a.openDatabase(pathA) && a.createTables(QStringLiteral("main")));
        QVERIFY(b.openDatabase(pathB) && b.createTables(QStringLiteral("main")));
        QHash<QString, qint64> idxInB;
        for (const Planned &p : kPlan) {
            m_settings->rulesSettings().setHdDeductionRule(p.k % 2);
            QVERIFY(
                ovra::util::scoreStoredRoutine(m_files.at(p.k), *m_settings, *m_store, m_configured).read);
            wsdb &db = p.station == 'A' ? a : b;
            DatedDatabase dated(db, entryOf(p.a1, p.a2), dayOf(p.k));
            QVERIFY(!ovra::util::FileUtils::saveFile(false, QString(), m_settings.get(), *m_store, nullptr,
                                                     &dated));
            const qint64 idx = db.lastInsertRowId();
            const QList<QVariantMap> stored =
                db.select(QStringLiteral("SELECT Results FROM Measures WHERE idx=?;"), {idx});
            const QString d = difference(
                m_expected.at(p.k),
                QJsonDocument::fromJson(stored.first().value(QStringLiteral("Results")).toByteArray())
                    .object(),
                QStringLiteral("routine %1").arg(p.k));
            QVERIFY2(d.isEmpty(), qPrintable(d));
            if (p.station == 'B')
                idxInB.insert(QString::number(p.k), idx);
            else
                m_idx.insert(p.k, idx);
        }
        // A routine that lost its samples, and one saved without an athlete.
        QVERIFY(a.insertMeasure(entryOf(kZoeFig), dayOf(16), {}, {}, QString(), 0, nullptr, 0,
                                QJsonDocument(), {}));
        m_idx.insert(16, a.lastInsertRowId());
        m_settings->rulesSettings().setHdDeductionRule(0);
        QVERIFY(ovra::util::scoreStoredRoutine(m_files.at(0), *m_settings, *m_store, m_configured).read);
        DatedDatabase nobody(a, StartSelection(), dayOf(17));
        QVERIFY(
            !ovra::util::FileUtils::saveFile(false, QString(), m_settings.get(), *m_store, nullptr, &nobody));

        // Older rows: B's without a result; A holds a copy of B's routine 3
        // from before it kept results; and a result that is no JSON.
        const QString columns = ovra::db::table("Measures").names().join(QStringLiteral(", "));
        QVERIFY(a.execute(QStringLiteral("ATTACH DATABASE ? AS other;"), {pathB}));
        QVERIFY(
            a.execute(QStringLiteral("INSERT INTO Measures ( %1 ) SELECT %1 FROM other.Measures WHERE idx=?;")
                          .arg(columns),
                      {idxInB.value(QStringLiteral("3"))}));
        QVERIFY(a.execute(QStringLiteral("DETACH DATABASE other;")));
        m_idx.insert(3, a.lastInsertRowId());
        QVERIFY(a.execute(QStringLiteral("UPDATE Measures SET Results=x'' WHERE idx=?;"), {m_idx.value(3)}));
        for (const int k : kUnscoredInB)
            QVERIFY(b.execute(QStringLiteral("UPDATE Measures SET Results=NULL WHERE idx=?;"),
                              {idxInB.value(QString::number(k))}));
        QVERIFY(a.execute(QStringLiteral("UPDATE Measures SET Results=? WHERE idx=?;"),
                          {QByteArray("{\"type\": \"synchronized\", \"synchro"), m_idx.value(kInvalid)}));
        b.closeDatabase();

        // Routine 3 is the same measure in both (its result aside): skipped,
        // and A's copy takes B's result.
        const wsdb::MergeResult merged = a.mergeFromDatabase(pathB);
        QVERIFY2(merged.ok, qPrintable(merged.error));
        QCOMPARE(merged.tables[4], (wsdb::MergeCounts{7, 1, 0}));
        const auto resultOf = [&a](qint64 idx) {
            return a.select(QStringLiteral("SELECT Results FROM Measures WHERE idx=?;"), {idx})
                .first()
                .value(QStringLiteral("Results"))
                .toByteArray();
        };
        QVERIFY(difference(m_expected.at(3), QJsonDocument::fromJson(resultOf(m_idx.value(3))).object(), {})
                    .isEmpty());
        for (const QVariantMap &row :
             a.select(QStringLiteral("SELECT idx, Date FROM Measures WHERE idx > ? ORDER BY idx;"),
                      {m_idx.value(3)}))
            m_idx.insert(
                QDate::fromString(row.value(QStringLiteral("Date")).toString(), QStringLiteral("yyyy/MM/dd"))
                        .toJulianDay() -
                    QDate(2026, 3, 1).toJulianDay(),
                row.value(QStringLiteral("idx")).toLongLong());

        // Exactly B's unscored rows wait (the row without samples cannot be
        // scored); the background scoring fills them in slices, reporting
        // its progress, under rule 0.
        QList<qint64> waiting;
        for (const int k : kUnscoredInB)
            waiting << m_idx.value(k);
        QCOMPARE(ResultsBackfill::waitingRows(*a.connection()), waiting);
        m_settings->rulesSettings().setHdDeductionRule(0);
        ResultsBackfill backfill(*m_settings, m_configured);
        QSignalSpy progress(&backfill, &ResultsBackfill::progress);
        QSignalSpy finished(&backfill, &ResultsBackfill::finished);
        backfill.start([&a] { return a.connection(); });
        QVERIFY(backfill.isRunning());
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.first(), (QVariantList{4, 0}));
        QCOMPARE(progress.first(), (QVariantList{0, 4}));
        QCOMPARE(progress.last(), (QVariantList{4, 4}));
        QVERIFY(ResultsBackfill::waitingRows(*a.connection()).isEmpty());

        QStringList files;
        for (const int k : kUnscoredInB)
            files << m_files.at(k);
        const Run eval = runProgram(QStringLiteral("ovra-eval"),
                                    QStringList{QStringLiteral("--hd-rule"), QStringLiteral("0")} + files);
        QCOMPARE(eval.exitCode, 0);
        QCOMPARE(eval.lines.size(), kUnscoredInB.size());
        for (qsizetype i = 0; i < kUnscoredInB.size(); ++i) {
            const int k = kUnscoredInB.at(i);
            const QJsonObject stored = QJsonDocument::fromJson(resultOf(m_idx.value(k))).object();
            QCOMPARE(stored, eval.lines.at(i));
            // Rule 0 is the reference's rule for the even routines.
            if (k % 2 == 0)
                QVERIFY(difference(m_expected.at(k), stored, {}).isEmpty());
        }
        // Nothing waits any more: a second start has nothing to do.
        backfill.start([&a] { return a.connection(); });
        QVERIFY(!backfill.isRunning());
        a.closeDatabase();
        m_merged = pathA;
    }

    void historiesFromAFile()
    {
        QVERIFY(!m_merged.isEmpty());
        wsdb db(*m_store, nullptr, false);
        QVERIFY(db.openDatabase(m_merged));
        checkHistories(*db.connection());
    }

    // The same database on a competition server: the same histories, and
    // older rows there are scored as in a file.
    void historiesFromAServer()
    {
        QVERIFY(!m_merged.isEmpty());
        PgTestCluster cluster;
        if (PgTestCluster::binDir().isEmpty())
            QSKIP(PgTestCluster::kNotInstalled);
        QVERIFY2(cluster.start(), qPrintable(cluster.reason()));
        wsdb server(*m_store, nullptr, false);
        server.setServerQueueFile(m_dir.filePath(QStringLiteral("queue.db")));
        QVERIFY(server.openServer(cluster.address()));
        QVERIFY(server.mergeFromDatabase(m_merged).ok);
        // idx on the server follow the file's order.
        QHash<int, qint64> fileIdx = m_idx;
        const QList<QVariantMap> rows =
            server.select(QStringLiteral("SELECT idx, Date, Time FROM Measures ORDER BY idx;"));
        QCOMPARE(rows.size(), 17 + 1);
        for (auto it = fileIdx.begin(); it != fileIdx.end(); ++it) {
            for (const QVariantMap &row : rows) {
                if (row.value(QStringLiteral("Date")).toString() ==
                    dayOf(it.key()).toString(QStringLiteral("yyyy/MM/dd")))
                    m_idx[it.key()] = row.value(QStringLiteral("idx")).toLongLong();
            }
        }
        checkHistories(*server.connection());

        // Rows scored again on the server give the file's results, byte for byte.
        wsdb file(*m_store, nullptr, false);
        QVERIFY(file.openDatabase(m_merged));
        QVERIFY(server.execute(QStringLiteral("UPDATE Measures SET Results=NULL WHERE idx IN (?, ?);"),
                               {m_idx.value(0), m_idx.value(6)}));
        QCOMPARE(ResultsBackfill::waitingRows(*server.connection()),
                 (QList<qint64>{m_idx.value(0), m_idx.value(6)}));
        m_settings->rulesSettings().setHdDeductionRule(0);
        ResultsBackfill backfill(*m_settings, m_configured);
        QSignalSpy finished(&backfill, &ResultsBackfill::finished);
        backfill.start([&server] { return server.connection(); });
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.first(), (QVariantList{2, 0}));
        const QByteArray onServer =
            server.select(QStringLiteral("SELECT Results FROM Measures WHERE idx=?;"), {m_idx.value(0)})
                .first()
                .value(QStringLiteral("Results"))
                .toByteArray();
        const QByteArray inFile =
            file.select(QStringLiteral("SELECT Results FROM Measures WHERE idx=?;"), {fileIdx.value(0)})
                .first()
                .value(QStringLiteral("Results"))
                .toByteArray();
        QCOMPARE(onServer, inFile);

        // The organiser's tool reads the server as it reads the file.
        const Run fromFile = runProgram(QStringLiteral("ovra-db"), {QStringLiteral("history"), m_merged});
        const Run fromServer =
            runProgram(QStringLiteral("ovra-db"), {QStringLiteral("history"), cluster.uri()});
        QCOMPARE(fromServer.exitCode, 0);
        QCOMPARE(fromServer.lines.size(), fromFile.lines.size());
        for (qsizetype i = 0; i < fromFile.lines.size(); ++i)
            QCOMPARE(withoutIdx(fromServer.lines.at(i)), withoutIdx(fromFile.lines.at(i)));
        m_idx = fileIdx;
    }

    // ovra-db history: one line per routine, the fields of the window.
    void ovraDbPrintsTheHistory()
    {
        QVERIFY(!m_merged.isEmpty());
        const QByteArray before = [this] {
            QFile f(m_merged);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const Run all = runProgram(QStringLiteral("ovra-db"), {QStringLiteral("history"), m_merged});
        QCOMPARE(all.exitCode, 0);
        QCOMPARE(all.lines.size(), 17);
        // Reading leaves the file as it was.
        QFile after(m_merged);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);

        const Run zoe = runProgram(QStringLiteral("ovra-db"),
                                   {QStringLiteral("history"), m_merged, QStringLiteral("--athlete"),
                                    QStringLiteral("müller-łukasz,  zoë")});
        QCOMPARE(zoe.exitCode, 0);
        // Her own seven routines, then the three of her pair.
        QCOMPARE(zoe.lines.size(), 10);
        for (const QJsonObject &line : zoe.lines) {
            const int k = m_idx.key(line.value(QStringLiteral("idx")).toInteger(), -1);
            QVERIFY(k >= 0);
            QCOMPARE(line.value(QStringLiteral("date")).toString(), dayOf(k).toString(Qt::ISODate));
            QCOMPARE(line.value(QStringLiteral("event")).toString(), QStringLiteral("Season"));
            QVERIFY(!line.value(QStringLiteral("measure")).toString().isEmpty());
            if (k == 16 || k == kInvalid) {
                QCOMPARE(line.value(QStringLiteral("result")).toString(),
                         k == 16 ? QStringLiteral("no samples") : QStringLiteral("invalid result"));
                QVERIFY(!line.contains(QStringLiteral("horizontalDisplacement")));
                continue;
            }
            const QJsonObject score = scoreOf(m_expected.at(k));
            QCOMPARE(line.value(QStringLiteral("result")).toString(), QStringLiteral("scored"));
            QCOMPARE(line.value(QStringLiteral("elements")).toInt(),
                     score.value(QStringLiteral("elementCount")).toInt());
            QCOMPARE(line.value(QStringLiteral("horizontalDisplacement")).toDouble(),
                     score.value(QStringLiteral("horizontalDisplacement")).toDouble());
            QCOMPARE(line.value(QStringLiteral("timeOfFlightInSeconds")).toDouble(),
                     score.value(QStringLiteral("timeOfFlightInSeconds")).toDouble());
            QCOMPARE(line.value(QStringLiteral("synchronizedScore")).toDouble(),
                     score.value(QStringLiteral("synchronizedScore")).toDouble());
            QVERIFY(std::abs(line.value(QStringLiteral("meanDistanceFromCentreInCm")).toDouble() -
                             meanDistance(m_expected.at(k))) <= 0.05);
        }
        const Run lena = runProgram(QStringLiteral("ovra-db"),
                                    {QStringLiteral("history"), m_merged, QStringLiteral("--athlete"),
                                     QStringLiteral("Weber, Lena")});
        QCOMPARE(lena.lines.size(), 5);
        QCOMPARE(
            std::count_if(lena.lines.cbegin(), lena.lines.cend(),
                          [](const QJsonObject &l) { return l.value(QStringLiteral("ambiguous")).toBool(); }),
            2);

        const Run nobody = runProgram(
            QStringLiteral("ovra-db"),
            {QStringLiteral("history"), m_merged, QStringLiteral("--athlete"), QStringLiteral("Nobody, No")});
        QCOMPARE(nobody.exitCode, 1);
        QVERIFY(nobody.lines.isEmpty());
        QVERIFY(nobody.err.contains(QStringLiteral("Nobody, No")));
        QCOMPARE(runProgram(QStringLiteral("ovra-db"),
                            {QStringLiteral("history"), m_dir.filePath(QStringLiteral("none.db"))})
                     .exitCode,
                 1);
        QCOMPARE(runProgram(QStringLiteral("ovra-db"), {QStringLiteral("history")}).exitCode, 2);
    }
};

OVRA_TEST_CORE_MAIN(TestHistory)
#include "tst_history.moc"
