// The "Athlete history" window on a real database file, offscreen: the
// athletes found, the season's table sorted by any column, the chart with
// its personal best, the deltas, the heat map, the exports, the honest
// states without a trend, and older routines scored while the window keeps
// answering. The figures expected are written by hand below.

#include "AppStartup.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "history/AthleteHistoryWindow.h"
#include "history/HistoryService.h"
#include "history/ResultsBackfill.h"
#include "settings/OvraSettings.h"
#include "support/TestSupport.h"
#include "util/FileUtils.h"
#include "util/StoredRoutine.h"
#include "wsdb.h"

#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using ovra::history::AthleteHistoryWindow;
using ovra::history::HistoryService;
using ovra::history::ResultsBackfill;

namespace {

StartSelection athlete(const QString &last, const QString &first, const QString &fig, int year)
{
    StartSelection s;
    s.eventName = QStringLiteral("Open");
    s.competitionName = QStringLiteral("Seniors");
    s.groupName = QStringLiteral("A");
    s.athlete1.lastName = last;
    s.athlete1.firstName = first;
    s.athlete1.idFig = fig;
    s.athlete1.year = year;
    return s;
}

// A confirmed individual result with these totals and landing positions.
QJsonDocument result(double tof, double hd, const QList<QPoint> &landings)
{
    QJsonArray elements;
    for (const QPoint &p : landings)
        elements.append(
            QJsonObject{{QStringLiteral("timeOfFlightInSeconds"), 1.5},
                        {QStringLiteral("horizontalDisplacement"), 1.0},
                        {QStringLiteral("landingZone"), 6},
                        {QStringLiteral("landingPositionInCm"),
                         QJsonObject{{QStringLiteral("x"), p.x()}, {QStringLiteral("y"), p.y()}}}});
    return QJsonDocument(QJsonObject{{QStringLiteral("type"), QStringLiteral("individual")},
                                     {QStringLiteral("maturity"), QStringLiteral("confirmed")},
                                     {QStringLiteral("individualResult"),
                                      QJsonObject{{QStringLiteral("startPenalty"), 0.0},
                                                  {QStringLiteral("elementCount"), int(landings.size())},
                                                  {QStringLiteral("timeOfFlightInSeconds"), tof},
                                                  {QStringLiteral("horizontalDisplacement"), hd},
                                                  {QStringLiteral("elements"), elements}}}});
}

QDateTime day(int d)
{
    return QDateTime(QDate(2026, 4, 1).addDays(d), QTime(9, 30));
}

struct Row
{
    QString measure;
    qint64 idx = 0;
};

// Eva Novak's season: ToF 15.0, 15.5, 14.8, 15.9 and a result that is no
// JSON; mean distances 30, 100, 2.5 and 10 cm by hand.
const QList<QList<QPoint>> kNovakLandings = {{{30, 40}, {0, 10}}, {{-60, 80}}, {{0, 0}, {3, 4}}, {{6, 8}}};
const QList<double> kNovakTof = {15.0, 15.5, 14.8, 15.9};
const QList<double> kNovakHd = {9.0, 9.2, 8.8, 9.5};
const QList<double> kNovakDistance = {30.0, 100.0, 2.5, 10.0};

} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<wsDaten> m_store;
    std::unique_ptr<OvraSettings> m_settings;
    StoreSettings m_configured;
    QList<Row> m_novak;

    struct Fixture
    {
        wsdb db;
        HistoryService service;
        ResultsBackfill backfill;
        AthleteHistoryWindow window;
        Fixture(TestHistoryWindow &t, const QString &path)
            : db(*t.m_store, nullptr, false)
            , service([this] { return db.connection(); })
            , backfill(*t.m_settings, t.m_configured)
            , window(service, backfill, [this] { return db.connection(); })
        {
            db.openDatabase(path);
            db.createTables(QStringLiteral("main"));
        }
        QString idOf(const QString &text)
        {
            for (int i = 0; i < window.athleteList()->count(); ++i) {
                if (window.athleteList()->item(i)->text().startsWith(text))
                    return window.athleteList()->item(i)->data(Qt::UserRole).toString();
            }
            return QString();
        }
        QStringList column(int c)
        {
            QStringList out;
            const QAbstractItemModel *m = window.table()->model();
            for (int r = 0; r < m->rowCount(); ++r)
                out << m->index(r, c).data().toString();
            return out;
        }
    };

private slots:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        QVERIFY(m_dir.isValid());
        QLocale::setDefault(QLocale::c());
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

    void aSeasonAsACoachReadsIt()
    {
        const QString path = m_dir.filePath(QStringLiteral("season.db"));
        {
            wsdb db(*m_store, nullptr, false);
            QVERIFY(db.openDatabase(path) && db.createTables(QStringLiteral("main")));
            const QByteArray samples(16 * 10, '\0');
            const auto store = [&](const StartSelection &s, int d, const QJsonDocument &r) {
                m_store->measurementName = QStringLiteral("m%1").arg(d);
                return db.insertMeasure(s, day(d), {}, {}, QString(), 0, samples.constData(),
                                        int(samples.size()), r, {});
            };
            const StartSelection novak =
                athlete(QStringLiteral("Novak"), QStringLiteral("Eva"), QStringLiteral("N-1"), 2002);
            for (int i = 0; i < 4; ++i) {
                QVERIFY(store(novak, i * 7, result(kNovakTof.at(i), kNovakHd.at(i), kNovakLandings.at(i))));
                m_novak << Row{QStringLiteral("m%1").arg(i * 7), db.lastInsertRowId()};
            }
            QVERIFY(store(novak, 30, QJsonDocument()));
            QVERIFY(db.execute(QStringLiteral("UPDATE Measures SET Results=? WHERE idx=?;"),
                               {QByteArray("{ not json"), db.lastInsertRowId()}));
            QVERIFY(store(athlete(QStringLiteral("Roth"), QStringLiteral("Mia"), QString(), 2003), 3,
                          result(13.2, 8.0, {{10, 0}})));
            QVERIFY(store(athlete(QStringLiteral("Kim"), QStringLiteral("Lee"), QStringLiteral("K1"), 2000),
                          4, result(12.0, 9.0, {{0, 0}})));
            QVERIFY(store(athlete(QStringLiteral("Kim"), QStringLiteral("Lee"), QStringLiteral("K2"), 2001),
                          5, result(12.5, 9.0, {{0, 0}})));
            QVERIFY(store(athlete(QStringLiteral("Kim"), QStringLiteral("Lee"), QString(), 0), 6,
                          result(11.0, 7.0, {{0, 0}})));
        }
        Fixture f(*this, path);
        AthleteHistoryWindow &w = f.window;
        w.setSavePathAsker([this](const QString &, const QString &, const QString &filter) {
            return m_dir.filePath(filter.contains(QLatin1String("csv")) ? QStringLiteral("table.csv")
                                                                        : QStringLiteral("chart.png"));
        });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Nothing chosen yet: no chart, and the window says why.
        QVERIFY(w.chartView()->isHidden());
        QVERIFY(w.stateLabel()->text().contains(QLatin1String("Choose an athlete")));
        QCOMPARE(w.athleteList()->count(), 5);

        // The Lee Kim who has neither FIG id nor year is neither of the two.
        w.searchField()->setText(QStringLiteral("kim"));
        QCOMPARE(w.athleteList()->count(), 3);
        QVERIFY(w.athleteList()->item(2)->text().contains(QLatin1String("ambiguous: 2 athletes")));
        QVERIFY(w.showAthlete(w.athleteList()->item(2)->data(Qt::UserRole).toString()));
        QCOMPARE(f.column(AthleteHistoryWindow::Status), QStringList{QStringLiteral("athlete ambiguous")});

        // One routine is no trend.
        w.searchField()->setText(QStringLiteral("Roth"));
        w.athleteList()->setCurrentRow(0);
        QCOMPARE(w.routines().size(), 1);
        QVERIFY(w.chartView()->isHidden());
        QVERIFY(w.stateLabel()->text().startsWith(QLatin1String("One routine is not a trend")));
        QVERIFY(!w.exportChartButton()->isEnabled());

        w.searchField()->setText(QStringLiteral("nov"));
        QCOMPARE(w.athleteList()->count(), 1);
        QVERIFY(w.athleteList()->item(0)->text().contains(QLatin1String("FIG N-1")));
        w.athleteList()->setCurrentRow(0);
        QCOMPARE(w.routines().size(), 5);
        QVERIFY(!w.chartView()->isHidden());
        QVERIFY(w.table()->isColumnHidden(AthleteHistoryWindow::SynchronizedScore));

        // Newest first, then by any column; the unreadable result says so.
        QCOMPARE(f.column(AthleteHistoryWindow::TimeOfFlight),
                 (QStringList{QString(), QStringLiteral("15.90"), QStringLiteral("14.80"),
                              QStringLiteral("15.50"), QStringLiteral("15.00")}));
        QCOMPARE(f.column(AthleteHistoryWindow::Status).first(), QStringLiteral("stored result unreadable"));
        w.table()->sortByColumn(AthleteHistoryWindow::MeanDistance, Qt::AscendingOrder);
        QCOMPARE(f.column(AthleteHistoryWindow::MeanDistance),
                 (QStringList{QString(), QStringLiteral("2.5"), QStringLiteral("10.0"),
                              QStringLiteral("30.0"), QStringLiteral("100.0")}));
        w.table()->sortByColumn(AthleteHistoryWindow::TimeOfFlight, Qt::AscendingOrder);
        QCOMPARE(f.column(AthleteHistoryWindow::HorizontalDisplacement),
                 (QStringList{QString(), QStringLiteral("8.80"), QStringLiteral("9.00"),
                              QStringLiteral("9.20"), QStringLiteral("9.50")}));

        // The chart: both totals over the season, each best marked once.
        QChart *chart = w.chartView()->chart();
        QList<QLineSeries *> lines;
        QList<QScatterSeries *> bests;
        for (QAbstractSeries *s : chart->series()) {
            if (auto *best = qobject_cast<QScatterSeries *>(s))
                bests << best;
            else if (auto *line = qobject_cast<QLineSeries *>(s))
                lines << line;
        }
        QCOMPARE(lines.size(), 2);
        QCOMPARE(bests.size(), 2);
        QCOMPARE(lines.first()->count(), 4);
        QCOMPARE(lines.first()->at(2), QPointF(double(day(14).toMSecsSinceEpoch()), 14.8));
        QCOMPARE(bests.first()->points(), (QList<QPointF>{{double(day(21).toMSecsSinceEpoch()), 15.9}}));
        QCOMPARE(bests.last()->points(), (QList<QPointF>{{double(day(21).toMSecsSinceEpoch()), 9.5}}));
        // The latest routine against the one before (14.8) and the best.
        QVERIFY2(w.deltaLabel()->text().contains(
                     QLatin1String("Total ToF 15.90 s: +1.10 against the routine before, "
                                   "the best so far")),
                 qPrintable(w.deltaLabel()->text()));
        QVERIFY(w.deltaLabel()->text().contains(
            QLatin1String("Total HD 9.50: +0.70 against the routine before")));

        // Choosing the third routine: its deltas, its landings alone.
        const QImage all = w.heatMapImage();
        QVERIFY(!all.isNull());
        w.table()->selectRow(1);
        QCOMPARE(w.routines().at(2).timeOfFlight, std::optional<double>(14.8));
        QVERIFY2(w.deltaLabel()->text().contains(
                     QStringLiteral("Total ToF 14.80 s: −0.70 against the routine before, "
                                    "−1.10 against the best (15.90 s)")),
                 qPrintable(w.deltaLabel()->text()));
        QVERIFY(w.heatMapImage() != all);

        // Opening it asks the main window for that very row.
        QSignalSpy open(&w, &AthleteHistoryWindow::openMeasure);
        QVERIFY(w.openButton()->isEnabled());
        QTest::mouseClick(w.openButton(), Qt::LeftButton);
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.first(), (QVariantList{m_novak.at(2).measure, m_novak.at(2).idx}));

        // Exports: the table in its order, the chart as a picture.
        w.table()->clearSelection();
        QTest::mouseClick(w.exportTableButton(), Qt::LeftButton);
        QFile csv(m_dir.filePath(QStringLiteral("table.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList rows =
            QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows.first(), QStringLiteral("Date,Event,Competition,Group,Elements,Total ToF (s),Total HD,"
                                              "Mean distance (cm),Status,Measure"));
        QCOMPARE(rows.at(1),
                 QStringLiteral("2026-05-01 09:30:00,Open,Seniors,A,,,,,stored result unreadable,m30"));
        QCOMPARE(rows.at(2), QStringLiteral("2026-04-15 09:30:00,Open,Seniors,A,2,14.8,8.8,2.5,,m14"));
        QCOMPARE(rows.at(5), QStringLiteral("2026-04-22 09:30:00,Open,Seniors,A,1,15.9,9.5,10.0,,m21"));
        QVERIFY(w.exportChartButton()->isEnabled());
        QTest::mouseClick(w.exportChartButton(), Qt::LeftButton);
        const QImage png(m_dir.filePath(QStringLiteral("chart.png")));
        QCOMPARE(png.size(), w.chartView()->size());
    }

    // Routines stored before results were kept are scored while the window
    // is open, in slices with the event loop running between them; the
    // table then shows the reference routine's time of flight.
    void olderRoutinesAreScoredWhileTheWindowAnswers()
    {
        const QString path = m_dir.filePath(QStringLiteral("older.db"));
        const QString reference = QStringLiteral(OVRA_REFERENCE_ROUTINES_DIR "/routine_00.dat");
        QFile expectedFile(QStringLiteral(OVRA_REFERENCE_ROUTINES_DIR "/routine_00.json"));
        QVERIFY(expectedFile.open(QIODevice::ReadOnly));
        const double expectedTof = QJsonDocument::fromJson(expectedFile.readAll())
                                       .object()
                                       .value(QStringLiteral("individualResult"))
                                       .toObject()
                                       .value(QStringLiteral("timeOfFlightInSeconds"))
                                       .toDouble();
        constexpr int kOlder = 20;
        {
            wsdb db(*m_store, nullptr, false);
            QVERIFY(db.openDatabase(path) && db.createTables(QStringLiteral("main")));
            m_settings->rulesSettings().setHdDeductionRule(0);
            QVERIFY(ovra::util::scoreStoredRoutine(reference, *m_settings, *m_store, m_configured).read);
            for (int i = 0; i < kOlder; ++i) {
                struct Dated final : ovra::util::MeasureDatabase
                {
                    wsdb &db;
                    QDateTime at;
                    Dated(wsdb &d, QDateTime t)
                        : db(d)
                        , at(std::move(t))
                    {}
                    bool insertMeasure(const StartSelection &, const QDateTime &, const QString &c1,
                                       const QString &c2, const QString &h, int hl, const char *s, int sb,
                                       const QJsonDocument &, const QByteArray &p) override
                    {
                        // Stored as an older version stored it: without a result.
                        return db.insertMeasure(
                            athlete(QStringLiteral("Bauer"), QStringLiteral("Tom"), QString(), 1998), at, c1,
                            c2, h, hl, s, sb, QJsonDocument(), p);
                    }
                } dated(db, day(i));
                QVERIFY(!ovra::util::FileUtils::saveFile(false, QString(), m_settings.get(), *m_store,
                                                         nullptr, &dated));
            }
        }
        Fixture f(*this, path);
        AthleteHistoryWindow &w = f.window;
        int ticks = 0;
        QTimer ticker;
        ticker.setInterval(0);
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start();
        QList<int> ticksAtProgress;
        connect(&f.backfill, &ResultsBackfill::progress, [&](int, int) { ticksAtProgress << ticks; });
        QSignalSpy finished(&f.backfill, &ResultsBackfill::finished);
        w.show();
        QVERIFY(f.backfill.isRunning());
        QVERIFY(!w.progressBar()->isHidden());
        QCOMPARE(w.progressBar()->maximum(), kOlder);
        w.athleteList()->setCurrentRow(0);
        QCOMPARE(w.routines().size(), qsizetype(kOlder));
        QVERIFY(f.column(AthleteHistoryWindow::Status).contains(QStringLiteral("not scored yet")));
        QVERIFY(finished.wait(120000));
        QCOMPARE(finished.first(), (QVariantList{kOlder, 0}));
        // Several slices, and the event loop served between each two.
        QVERIFY(ticksAtProgress.size() >= 3);
        for (qsizetype i = 2; i < ticksAtProgress.size(); ++i)
            QVERIFY(ticksAtProgress.at(i) > ticksAtProgress.at(i - 1));
        QVERIFY(w.progressBar()->isHidden());
        QCOMPARE(f.column(AthleteHistoryWindow::TimeOfFlight),
                 QStringList(kOlder, QString::number(expectedTof, 'f', 2)));
        QCOMPARE(f.column(AthleteHistoryWindow::Status), QStringList(kOlder, QString()));
    }
};

OVRA_TEST_GUI_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
