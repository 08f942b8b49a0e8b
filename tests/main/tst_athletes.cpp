// Every routine under the right athlete, through the real window: a SQLite
// start list, a CSV start list and meta information posted to the HTTP
// server on loopback, with a scoring system on loopback receiving the
// results. What is compared is what leaves the program: the saved files,
// the Measures rows and the results the scoring system received.

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "StartListFixture.h"
#include "data/wsDaten.h"
#include "recovery/LastChanceRecovery.h"
#include "recovery/RecoveryDialog.h"
#include "recovery/RoutineRecorder.h"
#include "rest/server/RestServerSettings.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "state/RoutineAnnouncements.h"
#include "support/ScoringTestServer.h"
#include "support/TestSupport.h"
#include "util/CsvSource.h"
#include "widgets/CsvWidget.h"
#include "widgets/MetaHighlights.h"
#include "widgets/RoutineMetaWidget.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QSlider>
#include <QStateMachine>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <httplib.h>

#include <memory>

namespace {

using S = OvraState;
using Meta = QMap<QString, QString>;
using ovra::test::ScoringTestServer;

// The meta lines (code -0.069) of a saved data file.
Meta metaOfFile(const QString &path)
{
    Meta meta;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return meta;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() == 3 && parts[0] == QLatin1String("-0.069"))
            meta.insert(parts[1], parts[2]);
    }
    return meta;
}

// The "meta" object of a result as the scoring system received it,
// wherever the result type puts it.
Meta metaOfResult(const QJsonObject &object)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() == QLatin1String("meta") && it.value().isObject()) {
            Meta meta;
            const QJsonObject m = it.value().toObject();
            for (auto e = m.begin(); e != m.end(); ++e)
                meta.insert(e.key(), e.value().toString());
            return meta;
        }
        if (it.value().isObject()) {
            const Meta inner = metaOfResult(it.value().toObject());
            if (!inner.isEmpty())
                return inner;
        }
    }
    return {};
}

// A competition day at one workstation: the database start list, a folder
// for the autosaved files, the HTTP server and one scoring system.
struct Workstation
{
    const QTemporaryDir &dir;
    QString database = dir.filePath(QStringLiteral("competition.db"));
    QString files = dir.filePath(QStringLiteral("routines"));
    ScoringTestServer scoring;
    int httpPort = ovra::test::freeTcpPort();
    std::unique_ptr<OvraDialog> dialog;
    QStringList asked;
    bool resend = false;
    QSet<QString> seenFiles;

    // A fresh day starts with the competition's start list and no
    // settings; a later start keeps both.
    explicit Workstation(const QTemporaryDir &folder, bool fresh = true)
        : dir(folder)
    {
        if (fresh) {
            ovra::test::writeCompetitionFile(database);
            ovra::test::clearSettings();
        }
        ovra::test::storeDatabaseSetting(database);
        auto storage = OvraSettings::openStorage();
        ovra::rest::client::ScoringClientConfiguration system;
        system.enabled = true;
        system.label = QStringLiteral("Panel");
        system.url = QUrl(scoring.url());
        system.timeout = 3000;
        OvraSettings::saveScoringClientConfigurations(*storage, {system});
        ovra::rest::server::RestServerSettings rest;
        rest.setEnabled(true);
        rest.setHostName(QStringLiteral("127.0.0.1"));
        rest.setPortNumber(httpPort);
        OvraSettings::saveRestServerSettings(*storage, rest);
        storage->sync();
        start();
    }
    ~Workstation()
    {
        if (dialog)
            dialog->hide();
    }
    void start()
    {
        dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
        dialog->setResendAsker([this](const QString &athlete) {
            asked << athlete;
            return resend;
        });
        dialog->settings().spaceDelaySettings().setSpaceDelayMs(0);
        AutoSaveSettings &autoSave = dialog->settings().autoSaveSettings();
        QDir().mkpath(files);
        autoSave.setPath(files);
        autoSave.setFilenameTemplate(QStringLiteral("{{lastname}}_{{time}}"));
        autoSave.setFileSave(true);
        autoSave.setDatabaseSave(true);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QTRY_VERIFY(dialog->ovraState().machine().isRunning());
    }

    OvraDialogUi &ui() { return dialog->ui(); }
    RoutineAnnouncements &announcements() { return dialog->routineAnnouncements(); }
    bool in(S::InnerState state) const { return dialog->ovraState().isIn(state); }
    void fire(const char *name) { QVERIFY(QMetaObject::invokeMethod(dialog.get(), name)); }
    void key(int key)
    {
        QTest::keyClick(dialog.get(), Qt::Key(key));
        QTest::qWait(1);
    }
    Meta routineMeta() { return dialog->daten().routines().routineMeta(); }
    Meta upNext() { return announcements().upcoming(); }

    // The scoring software posts the athlete for the next routine.
    void post(const Meta &meta)
    {
        QJsonObject body;
        for (auto it = meta.cbegin(); it != meta.cend(); ++it)
            body.insert(it.key(), it.value());
        httplib::Client http("127.0.0.1", httpPort);
        const auto answer =
            http.Post("/routinemeta", QJsonDocument(body).toJson().toStdString(), "application/json");
        QVERIFY(answer);
        QCOMPARE(answer->status, 204);
    }
    // READY -> START -> ROUTINE -> REVIEW with a few samples, by the keys.
    void jump()
    {
        QVERIFY(in(S::READY));
        key(Qt::Key_Space);
        QVERIFY(in(S::START));
        key(Qt::Key_Space);
        QVERIFY(in(S::ROUTINE));
        for (int i = 0; i < 480; ++i) {
            wsDaten::Sample s;
            s.fill(2560);
            dialog->daten().appendSample(s);
        }
        key(Qt::Key_Space);
        QVERIFY(in(S::REVIEW));
    }
    // Space in the review (or on a shown routine): saved, stored and sent;
    // back in READY once the scoring system has answered.
    void commit()
    {
        const int sent = confirmedResults().size();
        key(Qt::Key_Space);
        QVERIFY(scoring.waitForRequests(QStringLiteral("/routineresult"), sent + 1));
        QTRY_VERIFY(in(S::READY));
    }
    QList<Meta> confirmedResults() const
    {
        QList<Meta> out;
        for (const ScoringTestServer::Request &r : scoring.requests(QStringLiteral("/routineresult"))) {
            const QJsonObject object = QJsonDocument::fromJson(r.body).object();
            if (object.value(QStringLiteral("maturity")).toString() == QLatin1String("confirmed"))
                out << metaOfResult(object);
        }
        return out;
    }
    // The files saved since the last call.
    QStringList newFiles()
    {
        QStringList fresh;
        for (const QString &name : QDir(files).entryList({QStringLiteral("*.dat")}, QDir::Files)) {
            const QString path = QDir(files).filePath(name);
            if (!seenFiles.contains(path))
                fresh << path;
            seenFiles.insert(path);
        }
        return fresh;
    }
    QStringList measures() const
    {
        return ovra::test::queryRows(
            database, "SELECT EventName || '|' || CompetitionName || '|' || GroupName || '|' || "
                      "LastName1 || '|' || FirstName1 || '|' || Year1 FROM Measures ORDER BY idx;");
    }
};

const Meta kMiller{{"event", "Worlds"},
                   {"competition", "Seniors"},
                   {"group", "Final"},
                   {"lastname", "Miller"},
                   {"firstname", "John"}};
const Meta kBrandt{{"lastname", "Brandt"},
                   {"firstname", "Eva"},
                   {"event", "Open"},
                   {"competition", "Masters"},
                   {"group", "A"}};
const Meta kRoe{{"lastname", "Roe"}, {"firstname", "Ann"}, {"club", "TV"}};
const Meta kPoe{{"lastname", "Poe"}, {"firstname", "Ben"}, {"club", "SC"}};
const Meta kDoe{{"lastname", "Doe"}, {"firstname", "Cid"}, {"club", "FC"}};

} // namespace

class TestAthletes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyRoutineIsFiledUnderItsOwnAthlete()
    {
        QTemporaryDir dir;
        Workstation w(dir);
        OvraDialogUi &ui = w.ui();
        w.fire("usbConnected");
        QVERIFY(w.in(S::READY));
        ui.CB_event->setCurrentIndex(1);
        ui.CB_competition->setCurrentIndex(1);
        ui.CB_group->setCurrentIndex(1);
        ui.LW_athlets->setCurrentRow(0);
        QCOMPARE(w.upNext(), kMiller);
        QCOMPARE(ui.statusStartList->text(), QStringLiteral("Start list: database"));
        QVERIFY(!ui.statusStartList->isHidden());
        QVERIFY(ui.databaseWidget->property("activeStartList").toBool());
        // Up next shows who, without any configuration.
        QCOMPARE(w.dialog->upcomingRoutineMetaWidget().highlights().labels(1)[2]->text(),
                 QStringLiteral("John Miller"));

        // Miller jumps; START and ROUTINE name him above the beds.
        w.jump();
        QCOMPARE(w.routineMeta(), kMiller);
        w.commit();
        QCOMPARE(w.measures(), QStringList(QStringLiteral("Worlds|Seniors|Final|Miller|John|1999")));
        QCOMPARE(ui.LW_athlets->currentRow(), 1);
        QCOMPARE(w.upNext().value(QStringLiteral("lastname")), QStringLiteral("Smith, Jr."));

        // The scoring software announces Brandt during a tara: the latest
        // announcement wins, and the routine on screen keeps Miller.
        w.fire("toggleTara");
        QVERIFY(w.in(S::TARA));
        w.post(kBrandt);
        QTRY_COMPARE(w.upNext(), kBrandt);
        QCOMPARE(w.routineMeta(), kMiller);
        w.fire("toggleTara");
        QVERIFY(w.in(S::READY));
        QCOMPARE(ui.LW_athlets->currentRow(), -1);
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::START));
        QCOMPARE(w.routineMeta(), kBrandt);
        QVERIFY(!ui.LB_athleteOnBed->isHidden());
        QCOMPARE(ui.LB_athleteOnBed->text(), QStringLiteral("Eva Brandt"));
        w.key(Qt::Key_Space);
        QVERIFY(!ui.LB_athleteOnBed->isHidden());
        w.key(Qt::Key_Space);
        QVERIFY(w.in(S::REVIEW));
        QVERIFY(ui.LB_athleteOnBed->isHidden());
        QCOMPARE(w.dialog->routineMetaWidget().highlights().labels(1)[2]->text(),
                 QStringLiteral("Eva Brandt"));
        w.commit();
        // Event, competition and group are Brandt's own, not the database
        // box's.
        QCOMPARE(w.measures().last(), QStringLiteral("Open|Masters|A|Brandt|Eva|0"));
        QCOMPARE(ui.CB_competition->currentText(), QStringLiteral("Seniors"));

        // A CSV list and the database list take turns.
        const QString csv = dir.filePath(QStringLiteral("order.csv"));
        {
            QFile f(csv);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("lastname;firstname;club\nRoe;Ann;TV\nPoe;Ben;SC\nDoe;Cid;FC\n");
        }
        w.dialog->importCsv({csv, QLatin1Char(';'), true});
        CsvWidget &list = w.dialog->csvWidget();
        ui.LW_athlets->setCurrentRow(2);
        QCOMPARE(w.upNext().value(QStringLiteral("lastname")), QStringLiteral("Ng"));
        list.selectRow(0);
        QCOMPARE(w.upNext(), kRoe);
        QCOMPARE(ui.LW_athlets->currentRow(), -1);
        QVERIFY(ui.LB_athlet->text().isEmpty());
        QCOMPARE(ui.statusStartList->text(), QStringLiteral("Start list: CSV file"));
        QVERIFY(list.property("activeStartList").toBool());
        QVERIFY(!ui.databaseWidget->property("activeStartList").toBool());
        ui.LW_athlets->setCurrentRow(0);
        QCOMPARE(list.selectedRow(), -1);
        QCOMPARE(w.upNext(), kMiller);
        list.selectRow(0);
        QCOMPARE(ui.LW_athlets->currentRow(), -1);

        // Roe's routine is dismissed twice: Roe stays up next, marked as a
        // re-jump, and the list does not move.
        UpcomingRoutineMetaWidget &upcoming = w.dialog->upcomingRoutineMetaWidget();
        for (int dismissal = 0; dismissal < 2; ++dismissal) {
            w.jump();
            QCOMPARE(w.routineMeta(), kRoe);
            // The list does not move under a routine in review.
            w.key(Qt::Key_PageDown);
            QCOMPARE(list.selectedRow(), 0);
            QCOMPARE(w.routineMeta(), kRoe);
            w.key(Qt::Key_X);
            QVERIFY(w.in(S::READY));
            QCOMPARE(list.selectedRow(), 0);
            QCOMPARE(w.upNext(), kRoe);
            QVERIFY(w.announcements().isRejump());
            QVERIFY(!upcoming.rejumpLabel()->isHidden());
            QCOMPARE(upcoming.highlights().labels(1)[2]->text(), QStringLiteral("Ann Roe"));
        }
        // One key moves the list in use on, one back.
        w.key(Qt::Key_PageDown);
        QCOMPARE(list.selectedRow(), 1);
        QCOMPARE(w.upNext(), kPoe);
        QVERIFY(!w.announcements().isRejump());
        QVERIFY(upcoming.rejumpLabel()->isHidden());
        w.key(Qt::Key_PageUp);
        QCOMPARE(list.selectedRow(), 0);
        QCOMPARE(w.upNext(), kRoe);
        w.key(Qt::Key_PageDown);
        w.jump();
        QCOMPARE(w.routineMeta(), kPoe);
        w.commit();
        QCOMPARE(list.selectedRow(), 2);
        QCOMPARE(w.upNext(), kDoe);
        // No database athlete and no database competition in a CSV routine.
        QCOMPARE(w.measures().last(), QStringLiteral("|||Poe|Ben|0"));

        // Files and results so far, each under its own athlete.
        const QStringList files = w.newFiles();
        QCOMPARE(files.size(), 3);
        QString brandtFile;
        QList<Meta> filed;
        for (const QString &path : files) {
            filed << metaOfFile(path);
            if (filed.last() == kBrandt)
                brandtFile = path;
        }
        QCOMPARE(filed.size(), 3);
        for (const Meta &meta : {kMiller, kBrandt, kPoe})
            QVERIFY(filed.contains(meta));
        QCOMPARE(w.confirmedResults(), (QList<Meta>{kMiller, kBrandt, kPoe}));

        // Brandt's file shown again: Space asks first and does nothing
        // without the operator's yes.
        w.dialog->loadFile(brandtFile);
        QTRY_VERIFY(w.in(S::LOAD));
        QCOMPARE(w.routineMeta(), kBrandt);
        QCOMPARE(w.upNext(), kDoe);
        w.key(Qt::Key_Space);
        QCOMPARE(w.asked, QStringList(QStringLiteral("Eva Brandt")));
        QVERIFY(w.in(S::LOAD));
        QCOMPARE(w.measures().size(), 3);
        QCOMPARE(w.confirmedResults().size(), 3);
        // With it the routine is filed again under Brandt, and the start
        // list stays with Doe, who has not jumped.
        w.resend = true;
        w.commit();
        QCOMPARE(w.asked.size(), 2);
        QCOMPARE(w.measures().last(), QStringLiteral("Open|Masters|A|Brandt|Eva|0"));
        QCOMPARE(w.confirmedResults().last(), kBrandt);
        const QStringList again = w.newFiles();
        QCOMPARE(again.size(), 1);
        QCOMPARE(metaOfFile(again.first()), kBrandt);
        QCOMPARE(list.selectedRow(), 2);
        QCOMPARE(w.upNext(), kDoe);

        // Poe's stored measure shown again while Poe is up next: filed again
        // under Poe, and the list still does not move, for it is no new
        // routine of Poe's.
        w.key(Qt::Key_PageUp);
        QCOMPARE(w.upNext(), kPoe);
        const QStringList poe = ovra::test::queryRows(
            w.database, "SELECT idx || '|' || Name FROM Measures WHERE LastName1='Poe';");
        QCOMPARE(poe.size(), 1);
        const auto showPoe = [&w, &poe] {
            w.dialog->loadMeasureFromDatabase(poe.first().section(QLatin1Char('|'), 1),
                                              poe.first().section(QLatin1Char('|'), 0, 0).toLongLong());
            QTRY_VERIFY(w.in(S::LOAD));
            QCOMPARE(w.routineMeta(), kPoe);
        };
        showPoe();
        w.commit();
        QCOMPARE(w.asked.last(), QStringLiteral("Ben Poe"));
        QCOMPARE(w.measures().last(), QStringLiteral("|||Poe|Ben|0"));
        QCOMPARE(w.confirmedResults().last(), kPoe);
        QCOMPARE(list.selectedRow(), 1);
        QCOMPARE(w.upNext(), kPoe);

        // What is announced while a stored routine is shown waits for the
        // next START, and dismissing the shown routine announces nobody again.
        showPoe();
        const Meta zed{{"lastname", "Zed"}};
        w.post(zed);
        QTRY_COMPARE(w.upNext(), zed);
        QCOMPARE(w.routineMeta(), kPoe);
        w.key(Qt::Key_X);
        QVERIFY(w.in(S::READY));
        QCOMPARE(w.upNext(), zed);
        QVERIFY(!w.announcements().isRejump());
        QCOMPARE(w.measures().size(), 5);
        QCOMPARE(w.confirmedResults().size(), 5);
    }

    // A routine that never was committed is no loaded file: replayed from
    // the last-chance ring it is the athlete's up next, restored from the
    // temporary file it keeps its own; both are committed without the
    // question, and the start list moves on after its athlete.
    void uncommittedRoutinesAreCommittedAsLiveOnes()
    {
        QTemporaryDir dir;
        QString smithsTemporaryFile;
        {
            Workstation w(dir);
            w.fire("usbConnected");
            w.ui().CB_event->setCurrentIndex(1);
            w.ui().CB_competition->setCurrentIndex(1);
            w.ui().CB_group->setCurrentIndex(1);
            w.ui().LW_athlets->setCurrentRow(0);
            LastChanceRecovery &ring = w.dialog->lastChanceRecovery();
            for (int n = 0; n < 1000; ++n) {
                uchar bytes[64] = {0xC7, 0xC3, '1'};
                for (int v = 0; v < 24; ++v)
                    qToLittleEndian<qint16>(qint16(2560 + n % 7), bytes + 5 + v * 2);
                ring.storeFrame(bytes);
            }
            w.fire("recoverData");
            auto *recovery = w.dialog->findChild<RecoveryDialog *>();
            QVERIFY(recovery);
            recovery->fromSlider()->setValue(598000);
            recovery->beginSlider()->setValue(598500);
            recovery->accept();
            QTRY_VERIFY(w.in(S::LOAD));
            QCOMPARE(w.routineMeta(), kMiller);
            w.commit();
            QVERIFY(w.asked.isEmpty());
            QCOMPARE(w.measures(), QStringList(QStringLiteral("Worlds|Seniors|Final|Miller|John|1999")));
            QCOMPARE(w.confirmedResults(), QList<Meta>{kMiller});
            QCOMPARE(w.ui().LW_athlets->currentRow(), 1);

            // Smith's routine is under review when the program ends.
            w.jump();
            smithsTemporaryFile = w.dialog->routineRecorder().temporaryRoutineFilePath();
            QVERIFY(QFile::exists(smithsTemporaryFile));
        }
        Workstation w(dir, false);
        QTRY_VERIFY_WITH_TIMEOUT(w.in(S::DISPLAY), 5000);
        const Meta smith{{"event", "Worlds"},
                         {"competition", "Seniors"},
                         {"group", "Final"},
                         {"lastname", "Smith, Jr."},
                         {"firstname", "Anna / B"}};
        QCOMPARE(w.routineMeta(), smith);
        w.fire("usbConnected");
        QVERIFY(w.in(S::LOAD));
        w.commit();
        QVERIFY(w.asked.isEmpty());
        QCOMPARE(w.measures().last(), QStringLiteral("Worlds|Seniors|Final|Smith, Jr.|Anna / B|1999"));
        QCOMPARE(w.confirmedResults(), QList<Meta>{smith});
        QVERIFY(!QFile::exists(smithsTemporaryFile));
    }
};

OVRA_TEST_GUI_MAIN(TestAthletes)
#include "tst_athletes.moc"
