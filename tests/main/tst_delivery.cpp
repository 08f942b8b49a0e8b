// Each committed result reaches each scoring system once: real scoring
// systems on loopback refuse, hang, answer late and come back; the program
// is killed with results waiting and with a routine whose database save
// failed, and started anew. The killed and the restarted program are this
// executable, started again in a peer role.

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "config/NetworkDialog.h"
#include "data/wsDaten.h"
#include "recovery/CommitMarker.h"
#include "recovery/RoutineRecorder.h"
#include "rest/client/ScoringOutbox.h"
#include "rest/client/ScoringSystems.h"
#include "rest/server/RestServerSettings.h"
#include "settings/OvraSettings.h"
#include "settings/WebSocketServerSettings.h"
#include "state/OvraState.h"
#include "support/MessageCapture.h"
#include "support/ScoringTestServer.h"
#include "support/TestSupport.h"
#include "widgets/Popup.h"
#include "widgets/StatusLight.h"
#include "wsdb.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStateMachine>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <memory>

using namespace ovra::rest::client;
using ovra::test::ScoringTestServer;
using S = OvraState;

namespace {

constexpr char kRoleVariable[] = "OVRA_DELIVERY_PEER";
constexpr char kFolderVariable[] = "OVRA_DELIVERY_FOLDER";
const QString kRoutineResult = QStringLiteral("/routineresult");
const QString kKeyHeader = QStringLiteral("idempotency-key");

ScoringClientConfiguration system(const QString &label, const QString &url, int timeout = 3000)
{
    ScoringClientConfiguration c;
    c.enabled = true;
    c.label = label;
    c.url = QUrl(url);
    c.timeout = timeout;
    return c;
}

// Fresh settings and an empty outbox, with these scoring systems.
void storeSystems(const ScoringClientConfigurations &systems)
{
    ovra::test::clearSettings();
    auto storage = OvraSettings::openStorage();
    OvraSettings::saveScoringClientConfigurations(*storage, systems);
    ovra::rest::server::RestServerSettings rest;
    rest.setEnabled(false);
    OvraSettings::saveRestServerSettings(*storage, rest);
    WebSocketServerSettings webSocket;
    webSocket.setEnabled(false);
    OvraSettings::saveWebSocketServerSettings(*storage, webSocket);
    storage->sync();
    QFile::remove(RoutineRecorder::defaultTemporaryDirectory() + QStringLiteral("/~routine.dat"));
    CommitMarker::remove(RoutineRecorder::defaultTemporaryDirectory() + QStringLiteral("/~routine.dat"));
}

bool waitFor(const std::function<bool()> &condition, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

void fire(OvraDialog &dialog, const char *name)
{
    QMetaObject::invokeMethod(&dialog, name);
}

std::unique_ptr<OvraDialog> openWindow()
{
    auto dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
    dialog->show();
    waitFor([&] { return dialog->ovraState().machine().isRunning(); }, 3000);
    return dialog;
}

// READY -> START -> ROUTINE -> REVIEW with a few samples, for this athlete.
void measureRoutine(OvraDialog &dialog, const QString &firstName, const QString &lastName)
{
    fire(dialog, "usbConnected");
    fire(dialog, "nextInnerState");
    fire(dialog, "nextInnerState");
    wsDaten &store = dialog.store();
    for (int i = 0; i < 480; ++i) {
        wsDaten::Sample s;
        s.fill(2560);
        store.appendSample(s);
    }
    fire(dialog, "nextInnerState");
    store.routines().setRoutineMetaInformation(
        {{QStringLiteral("firstname"), firstName}, {QStringLiteral("lastname"), lastName}});
}

QStringList outboxFiles()
{
    return QDir(OvraSettings::outboxDirectory()).entryList({QStringLiteral("*.json")}, QDir::Files);
}

int countMeasures(const QString &path)
{
    sqlite3 *db = nullptr;
    int value = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM Measures;", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return value;
}

void say(const QByteArray &line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int fail(const char *what)
{
    say(QByteArray("FAILED ") + what);
    return 2;
}

QByteArray valueOf(const QByteArray &out, const QByteArray &key)
{
    for (const QByteArray &line : out.split('\n')) {
        if (line.startsWith(key + ' '))
            return line.mid(key.size() + 1);
    }
    return {};
}

// First life of the kill test: a commit that one system refuses (errors
// ignored) and the other never answers; killed while it waits.
int runCommitPeer()
{
    auto dialog = openWindow();
    measureRoutine(*dialog, QStringLiteral("Anna"), QStringLiteral("Brandt"));
    if (dialog->ovraState().innerState() != S::REVIEW)
        return fail("no REVIEW");
    fire(*dialog, "nextInnerState");
    if (!waitFor([&] { return outboxFiles().size() == 2; }, 5000))
        return fail("the results are not in the outbox");
    say("KEY " + dialog->scoringSystems().commitKey().toUtf8());
    say("COMMITTED");
    return QApplication::exec();
}

// First life of the committed-routine test: the database is locked by
// another connection, so the database save fails and the temporary routine
// file is kept; killed after the commit.
int runLockedDatabasePeer()
{
    auto dialog = openWindow();
    AutoSaveSettings &autoSave = dialog->settings().autoSaveSettings();
    autoSave.setPath(qEnvironmentVariable(kFolderVariable));
    autoSave.setFileSave(true);
    autoSave.setDatabaseSave(true);
    dialog->database().setBusyTimeout(100);
    say("MEASURES " + QByteArray::number(countMeasures(dialog->database().databasePath())));
    sqlite3 *other = nullptr;
    if (sqlite3_open(dialog->database().databasePath().toUtf8().constData(), &other) != SQLITE_OK ||
        sqlite3_exec(other, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail("the database could not be locked");
    measureRoutine(*dialog, QStringLiteral("Cole"), QStringLiteral("Dietz"));
    fire(*dialog, "nextInnerState");
    if (!waitFor([&] { return dialog->ovraState().innerState() == S::READY; }, 10000))
        return fail("the commit did not complete");
    const QString temp = dialog->routineRecorder().temporaryRoutineFilePath();
    say("KEY " + dialog->scoringSystems().commitKey().toUtf8());
    say("KEPT " +
        QByteArray(QFile::exists(temp) && QFile::exists(CommitMarker::pathFor(temp)) ? "yes" : "no"));
    say("COMMITTED");
    return QApplication::exec();
}

// Second life: the window starts with what the first left behind.
int runRestartPeer(bool committedRoutine)
{
    auto dialog = openWindow();
    const OvraState &state = dialog->ovraState();
    if (!committedRoutine) {
        if (!waitFor([&] { return dialog->scoringSystems().outbox().isEmpty(); }, 20000))
            return fail("the waiting results were not delivered");
        say("DELIVERED");
        return 0;
    }
    if (!waitFor([&] { return state.innerState() == S::DISPLAY; }, 10000))
        return fail("the routine did not come back");
    // The test judges by what reaches the scoring system and the files.
    const std::optional<CommitMarker> commit = dialog->shownCommit();
    say("SHOWN_KEY " + (commit ? commit->key.toUtf8() : QByteArray("none")));
    say("PENDING " + QByteArray(commit && commit->fileSavePending ? "file " : "") +
        QByteArray(commit && commit->databaseSavePending ? "database" : ""));
    say("NOTE " + dialog->notificationPopup().text().toUtf8());
    // The next-step key: the saves that failed, nothing else.
    QTest::keyClick(dialog.get(), Qt::Key_Space);
    if (!waitFor([&] { return state.innerState() == S::WAIT; }, 10000))
        return fail("the next step did not end in WAIT");
    const QString temp = dialog->routineRecorder().temporaryRoutineFilePath();
    say("TEMP_LEFT " +
        QByteArray(QFile::exists(temp) || QFile::exists(CommitMarker::pathFor(temp)) ? "yes" : "no"));
    say("MEASURES " + QByteArray::number(countMeasures(dialog->database().databasePath())));
    // Time for a result that should not go out.
    QTest::qWait(1000);
    say("DONE");
    return 0;
}

QByteArray runPeer(const char *role, QProcess &process, const QByteArray &until, int timeoutMs,
                   const QString &folder = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kRoleVariable), QString::fromLatin1(role));
    environment.insert(QString::fromLatin1(kFolderVariable), folder);
    // A refusing system does not ask the operator in the first life.
    environment.insert(QStringLiteral("OVRA_IGNORE_REST_CLIENT_ERROR"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), {});
    if (!process.waitForStarted())
        return "FAILED not started";
    QByteArray out;
    QDeadlineTimer deadline(timeoutMs);
    while (!out.contains(until + '\n') && !out.contains("FAILED") && !deadline.hasExpired() &&
           process.state() == QProcess::Running) {
        process.waitForReadyRead(100);
        out += process.readAllStandardOutput();
        QCoreApplication::processEvents();
    }
    out += process.readAllStandardOutput();
    return out;
}

void killPeer(QProcess &process)
{
    process.kill();
    process.waitForFinished(10000);
}

QStringList keysOf(const QList<ScoringTestServer::Request> &requests)
{
    QStringList keys;
    for (const ScoringTestServer::Request &request : requests)
        keys << request.headers.value(kKeyHeader);
    return keys;
}

} // namespace

class TestDelivery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A system refuses the result and the operator's box comes up; the
    // system comes back while the box is open: its health check answers,
    // the result goes once more under the same key and byte for byte, the
    // box closes and the commit completes, all without the operator.
    void refusingSystemTakesTheResultOnceItAnswersAgain()
    {
        MessageCapture log;
        QTemporaryDir folder;
        ScoringTestServer panel;
        ScoringTestServer judges(ScoringTestServer::Mode::HttpError);
        storeSystems(
            {system(QStringLiteral("Panel"), panel.url()), system(QStringLiteral("Judges"), judges.url())});
        auto dialog = openWindow();
        dialog->scoringSystems().setHealthCheckIntervalMs(100);
        AutoSaveSettings &autoSave = dialog->settings().autoSaveSettings();
        autoSave.setPath(folder.path());
        autoSave.setFileSave(true);
        measureRoutine(*dialog, QStringLiteral("Anna"), QStringLiteral("Brandt"));

        QString boxText;
        QString boxNote;
        QTimer operatorAtTheBox;
        connect(&operatorAtTheBox, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !boxText.isEmpty())
                return;
            boxText = box->text();
            boxNote = box->informativeText();
            // While the operator reads, the system is back.
            judges.setMode(ScoringTestServer::Mode::Success);
        });
        operatorAtTheBox.start(20);
        fire(*dialog, "nextInnerState");
        QTRY_COMPARE_WITH_TIMEOUT(dialog->ovraState().innerState(), int(S::READY), 10000);
        QCOMPARE(boxText, QStringLiteral("Failed to send result to \"Judges\""));
        QVERIFY2(boxNote.startsWith(QStringLiteral("The routine itself is saved.")), qPrintable(boxNote));
        QVERIFY2(boxNote.contains(QStringLiteral("Cancel means send later")), qPrintable(boxNote));
        QVERIFY(!QApplication::activeModalWidget());

        const QList<ScoringTestServer::Request> toJudges = judges.requests(kRoutineResult);
        QCOMPARE(toJudges.size(), 2);
        QCOMPARE(toJudges.at(0).status, 500);
        QCOMPARE(toJudges.at(1).status, 200);
        const QList<ScoringTestServer::Request> toPanel = panel.requests(kRoutineResult);
        QCOMPARE(toPanel.size(), 1);
        // One key for the commit, on every request to every system, and
        // one body.
        const QString key = toPanel.first().headers.value(kKeyHeader);
        QCOMPARE(QUuid::fromString(key).isNull(), false);
        QCOMPARE(keysOf(toJudges), (QStringList{key, key}));
        QCOMPARE(toJudges.at(0).body, toPanel.first().body);
        QCOMPARE(toJudges.at(1).body, toPanel.first().body);
        QCOMPARE(QJsonDocument::fromJson(toPanel.first().body).object().value(QStringLiteral("maturity")),
                 QJsonValue(QStringLiteral("confirmed")));
        QVERIFY(!log.linesStartingWith(QStringLiteral("Failed to send result to scoring system: 1 Judges"))
                     .isEmpty());
        QCOMPARE(dialog->ui().statusScoringSystemLight[1]->status(), QStringLiteral("success"));

        // Nothing waits, nothing goes out again.
        QVERIFY(outboxFiles().isEmpty());
        QVERIFY(dialog->ui().statusScoringSystemWaiting[1]->isHidden());
        QTest::qWait(500);
        QCOMPARE(judges.count(kRoutineResult), 2);
        QCOMPARE(panel.count(kRoutineResult), 1);
    }

    // A system slower than the time-out: the operator retries, and the
    // system sees the one result twice under one key. Committing a shown
    // file without a box (DISCONNECTED_COMMIT), neither CONFIRM nor Space
    // cut the commit short while the system is awaited.
    void slowSystemRetriedSeesOneKey()
    {
        ScoringTestServer judges(ScoringTestServer::Mode::Slow);
        judges.setSlowDelayMs(2500);
        storeSystems({system(QStringLiteral("Judges"), judges.url(), 1000)});
        auto dialog = openWindow();
        dialog->settings().spaceDelaySettings().setSpaceDelayMs(50);
        measureRoutine(*dialog, QStringLiteral("Eva"), QStringLiteral("Falk"));
        fire(*dialog, "usbDisconnected");
        QCOMPARE(dialog->ovraState().innerState(), int(S::DISPLAY));

        int asked = 0;
        int stateWhenAsked = -1;
        dialog->setRetryAsker([&](const QString &) {
            ++asked;
            stateWhenAsked = dialog->ovraState().innerState();
            judges.setMode(ScoringTestServer::Mode::Success);
            return true;
        });
        // The routine has fewer than three landings: Space asks, Enter commits.
        QTest::keyClick(dialog.get(), Qt::Key_Space);
        QCOMPARE(dialog->ovraState().innerState(), int(S::DISPLAY));
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        QCOMPARE(dialog->ovraState().innerState(), int(S::DISCONNECTED_COMMIT));
        dialog->ui().confirmButton->click();
        QTest::qWait(dialog->settings().spaceDelaySettings().spaceDelayMs() + 50);
        QTest::keyClick(dialog.get(), Qt::Key_Space);
        QCOMPARE(dialog->ovraState().innerState(), int(S::DISCONNECTED_COMMIT));

        QTRY_COMPARE_WITH_TIMEOUT(dialog->ovraState().innerState(), int(S::WAIT), 10000);
        QCOMPARE(asked, 1);
        QCOMPARE(stateWhenAsked, int(S::DISCONNECTED_COMMIT));
        // The late answer to the first request arrives too; it is the same
        // result under the same key.
        QTRY_COMPARE_WITH_TIMEOUT(judges.count(kRoutineResult, 200), 2, 5000);
        const QList<ScoringTestServer::Request> requests = judges.requests(kRoutineResult);
        QCOMPARE(requests.size(), 2);
        QVERIFY(!requests.first().headers.value(kKeyHeader).isEmpty());
        QCOMPARE(requests.last().headers.value(kKeyHeader), requests.first().headers.value(kKeyHeader));
        QCOMPARE(requests.last().body, requests.first().body);
        QVERIFY(outboxFiles().isEmpty());
    }

    // Killed with one result refused and one on its way: after the restart
    // both systems get it, once each, under its commit's key.
    void resultsWaitingSurviveAKill()
    {
        ScoringTestServer judges(ScoringTestServer::Mode::HttpError);
        ScoringTestServer panel(ScoringTestServer::Mode::NoAnswer);
        storeSystems(
            {system(QStringLiteral("Judges"), judges.url()), system(QStringLiteral("Panel"), panel.url())});

        QProcess first;
        const QByteArray firstOut = runPeer("commit", first, "COMMITTED", 60000);
        QVERIFY2(firstOut.contains("COMMITTED\n"), firstOut.constData());
        QVERIFY(judges.waitForRequests(kRoutineResult, 1));
        QVERIFY(panel.waitForRequests(kRoutineResult, 1));
        killPeer(first);
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
        const QString key = QString::fromUtf8(valueOf(firstOut, "KEY"));
        QVERIFY(!key.isEmpty());
        QCOMPARE(outboxFiles().size(), 2);
        const QByteArray body = judges.requests(kRoutineResult).first().body;

        judges.setMode(ScoringTestServer::Mode::Success);
        panel.setMode(ScoringTestServer::Mode::Success);
        QProcess second;
        const QByteArray secondOut = runPeer("resend", second, "DELIVERED", 60000);
        QVERIFY2(secondOut.contains("DELIVERED\n"), secondOut.constData());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(judges.count(kRoutineResult, 200), 1);
        QCOMPARE(judges.count(kRoutineResult), 2);
        QCOMPARE(keysOf(judges.requests(kRoutineResult)), (QStringList{key, key}));
        QCOMPARE(panel.count(kRoutineResult, 200), 1);
        QCOMPARE(panel.count(kRoutineResult), 2);
        QCOMPARE(keysOf(panel.requests(kRoutineResult)), (QStringList{key, key}));
        for (const ScoringTestServer &server : {std::cref(judges), std::cref(panel)}) {
            for (const ScoringTestServer::Request &request : server.requests(kRoutineResult))
                QCOMPARE(request.body, body);
        }
        QVERIFY(outboxFiles().isEmpty());
    }

    // The database was locked at the commit: the result went out, the file
    // was saved, the routine stayed in the temporary file, and the program
    // was killed. It comes back as committed; the next-step key saves it to
    // the database and does nothing else: no second delivery, no second
    // data file.
    void keptRoutineComesBackCommitted()
    {
        QTemporaryDir folder;
        ScoringTestServer panel;
        storeSystems({system(QStringLiteral("Panel"), panel.url())});

        QProcess first;
        const QByteArray firstOut = runPeer("locked", first, "COMMITTED", 60000, folder.path());
        QVERIFY2(firstOut.contains("COMMITTED\n"), firstOut.constData());
        killPeer(first);
        QCOMPARE(valueOf(firstOut, "KEPT"), QByteArray("yes"));
        const QByteArray key = valueOf(firstOut, "KEY");
        QCOMPARE(panel.count(kRoutineResult, 200), 1);
        QCOMPARE(panel.requests(kRoutineResult).first().headers.value(kKeyHeader).toUtf8(), key);
        const QStringList dataFiles = QDir(folder.path()).entryList({QStringLiteral("*.dat")}, QDir::Files);
        QCOMPARE(dataFiles.size(), 1);
        const int before = valueOf(firstOut, "MEASURES").toInt();
        QVERIFY(before >= 0);

        QProcess second;
        const QByteArray secondOut = runPeer("comeback", second, "DONE", 60000, folder.path());
        QVERIFY2(secondOut.contains("DONE\n"), secondOut.constData());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(valueOf(secondOut, "SHOWN_KEY"), key);
        QCOMPARE(valueOf(secondOut, "PENDING"), QByteArray("database"));
        QVERIFY2(valueOf(secondOut, "NOTE").contains("is not sent again"), secondOut.constData());
        QCOMPARE(valueOf(secondOut, "TEMP_LEFT"), QByteArray("no"));
        QCOMPARE(valueOf(secondOut, "MEASURES").toInt(), before + 1);
        QCOMPARE(panel.count(kRoutineResult), 1);
        QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("*.dat")}, QDir::Files), dataFiles);
    }

    // The database takes the waiting measure while the program runs: the
    // committed routine kept for it is done with, so nothing comes back
    // after a restart to be saved a second time.
    void databaseThatCatchesUpReleasesTheKeptRoutine()
    {
        storeSystems({});
        auto dialog = openWindow();
        wsdb &database = dialog->database();
        dialog->settings().autoSaveSettings().setDatabaseSave(true);
        database.setBusyTimeout(100);
        database.setRetryInterval(200);
        const int before = countMeasures(database.databasePath());
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(database.databasePath().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr), SQLITE_OK);
        measureRoutine(*dialog, QStringLiteral("Kai"), QStringLiteral("Lenz"));
        fire(*dialog, "nextInnerState");
        QCOMPARE(dialog->ovraState().innerState(), int(S::READY));
        const QString temp = dialog->routineRecorder().temporaryRoutineFilePath();
        QVERIFY(QFile::exists(temp));
        QVERIFY(CommitMarker::read(temp) && CommitMarker::read(temp)->databaseSavePending);
        sqlite3_exec(other, "COMMIT;", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QTRY_VERIFY(!QFile::exists(temp));
        QVERIFY(!QFile::exists(CommitMarker::pathFor(temp)));
        QCOMPARE(countMeasures(database.databasePath()), before + 1);
    }

    // The operator sees what waits: per system in the status bar, each
    // result in the network dialog, where one is discarded (after a
    // confirmation that names the athlete) and one is sent at once.
    void networkDialogSendsAndDiscardsWaitingResults()
    {
        ScoringTestServer judges(ScoringTestServer::Mode::HttpError);
        storeSystems({system(QStringLiteral("Judges"), judges.url())});
        auto dialog = openWindow();
        // Only the operator's "Send now" sends in this test.
        dialog->scoringSystems().setHealthCheckIntervalMs(600000);
        dialog->setRetryAsker([](const QString &) { return false; });
        for (const auto &[first, last] : {std::pair{QStringLiteral("Anna"), QStringLiteral("Brandt")},
                                          std::pair{QStringLiteral("Cole"), QStringLiteral("Dietz")}}) {
            measureRoutine(*dialog, first, last);
            fire(*dialog, "nextInnerState");
            QTRY_COMPARE(dialog->ovraState().innerState(), int(S::READY));
        }
        QLabel *waiting = dialog->ui().statusScoringSystemWaiting[0];
        QVERIFY(waiting->isVisible());
        QCOMPARE(waiting->text(), QStringLiteral("2 waiting"));
        // In commit order: the second commit tried the first result again,
        // which still goes first.
        const QList<ScoringOutboxEntry> entries = dialog->scoringSystems().outbox().entries();
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries.first().key != entries.last().key);
        QCOMPARE(keysOf(judges.requests(kRoutineResult)),
                 (QStringList{entries.first().key, entries.first().key}));

        QString question;
        QStringList listed;
        QTimer operatorAtTheDialog;
        connect(&operatorAtTheDialog, &QTimer::timeout, this, [&] {
            auto *network = dialog->findChild<NetworkDialog *>();
            if (!network || !network->isVisible())
                return;
            if (auto *box = network->findChild<QMessageBox *>(QStringLiteral("discardResultBox"))) {
                if (box->isVisible()) {
                    question = box->text();
                    box->button(QMessageBox::Discard)->click();
                }
                return;
            }
            QTreeWidget *list = network->outboxList();
            if (listed.isEmpty()) {
                for (int i = 0; i < list->topLevelItemCount(); ++i)
                    listed << list->topLevelItem(i)->text(0) + QLatin1Char('|') +
                                  list->topLevelItem(i)->text(1);
                list->topLevelItem(0)->setSelected(true);
                // Queued: a timer's slot does not run again while it waits
                // in the box's event loop.
                QMetaObject::invokeMethod(network->discardButton(), &QPushButton::click,
                                          Qt::QueuedConnection);
            } else if (list->topLevelItemCount() == 1 && question.size() > 0 &&
                       !judges.count(kRoutineResult, 200)) {
                judges.setMode(ScoringTestServer::Mode::Success);
                list->topLevelItem(0)->setSelected(true);
                if (network->sendNowButton()->isEnabled())
                    QMetaObject::invokeMethod(network->sendNowButton(), &QPushButton::click,
                                              Qt::QueuedConnection);
            } else if (list->topLevelItemCount() == 0) {
                operatorAtTheDialog.stop();
                network->reject();
            }
        });
        operatorAtTheDialog.start(20);
        dialog->ui().actionNetwork->setEnabled(true);
        dialog->ui().actionNetwork->trigger();
        operatorAtTheDialog.stop();

        QCOMPARE(listed,
                 (QStringList{QStringLiteral("Judges|Anna Brandt"), QStringLiteral("Judges|Cole Dietz")}));
        QVERIFY2(question.contains(QStringLiteral("Anna Brandt")) &&
                     question.contains(QStringLiteral("\"Judges\"")),
                 qPrintable(question));
        // Anna's result was never taken and never will be; Cole's went once,
        // under its own key.
        const QList<ScoringTestServer::Request> requests = judges.requests(kRoutineResult);
        QCOMPARE(requests.size(), 3);
        QCOMPARE(requests.last().status, 200);
        QCOMPARE(requests.last().headers.value(kKeyHeader), entries.last().key);
        QCOMPARE(requests.last().body, entries.last().body);
        QVERIFY(requests.last().body != requests.first().body);
        QVERIFY(outboxFiles().isEmpty());
        QVERIFY(waiting->isHidden());
    }

    // An entry that cannot be read is set aside with a log line; the others
    // still go. An outbox that cannot be written is reported on the window,
    // the commit completes, and the result still goes while the program runs.
    void badOutboxInput()
    {
        MessageCapture log;
        ScoringTestServer judges;
        storeSystems({system(QStringLiteral("Judges"), judges.url())});
        const QString folder = OvraSettings::outboxDirectory();
        {
            ScoringOutbox outbox;
            outbox.open(folder);
            ScoringOutboxEntry entry;
            entry.key = QStringLiteral("key-of-an-earlier-commit");
            entry.systemLabel = QStringLiteral("Judges");
            entry.systemUrl = QStringLiteral("http://192.0.2.1:8080");
            entry.athlete = QStringLiteral("Gina Hahn");
            entry.committedAt = QDateTime::currentDateTime();
            entry.body = ovra::test::individualResult(14.5).toJson();
            QVERIFY(outbox.add({entry}));
        }
        QFile broken(QDir(folder).filePath(QStringLiteral("0000000000000000.json")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{\"format\": 1, \"sequence\": ");
        broken.close();

        auto dialog = openWindow();
        QVERIFY(judges.waitForRequests(kRoutineResult, 1));
        QTRY_VERIFY(dialog->scoringSystems().outbox().isEmpty());
        const ScoringTestServer::Request request = judges.requests(kRoutineResult).first();
        QCOMPARE(request.headers.value(kKeyHeader), QStringLiteral("key-of-an-earlier-commit"));
        QCOMPARE(request.body, ovra::test::individualResult(14.5).toJson());
        QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral("unreadable/0000000000000000.json"))));
        QCOMPARE(log.linesStartingWith(QStringLiteral("The outbox entry")).size(), 1);
        QVERIFY(outboxFiles().isEmpty());

        // The disk is full while the commit writes the outbox.
        judges.setMode(ScoringTestServer::Mode::HttpError);
        dialog->scoringSystems().setHealthCheckIntervalMs(100);
        dialog->setRetryAsker([](const QString &) { return false; });
        measureRoutine(*dialog, QStringLiteral("Ida"), QStringLiteral("Jung"));
        {
            ovra::test::FileSizeLimit full(64);
            fire(*dialog, "nextInnerState");
            QCOMPARE(dialog->ovraState().innerState(), int(S::CONNECTED_COMMIT));
        }
        QTRY_COMPARE(dialog->ovraState().innerState(), int(S::READY));
        QVERIFY2(dialog->notificationPopup().text().startsWith(
                     QStringLiteral("The results for the scoring systems could not be written to")),
                 qPrintable(dialog->notificationPopup().text()));
        QVERIFY(outboxFiles().isEmpty());
        QCOMPARE(dialog->scoringSystems().waitingCount(0), 1);
        // Kept in memory, the result still goes once the system is back.
        judges.setMode(ScoringTestServer::Mode::Success);
        QTRY_COMPARE_WITH_TIMEOUT(judges.count(kRoutineResult, 200), 2, 5000);
        QTRY_VERIFY(dialog->scoringSystems().outbox().isEmpty());
    }
};

int main(int argc, char *argv[])
{
    const QByteArray role = qgetenv(kRoleVariable);
    if (!role.isEmpty()) {
        // A peer shares the locations of the test that started it.
        QApplication app(argc, argv);
        app.setAttribute(Qt::AA_Use96Dpi, true);
        if (role == "commit")
            return runCommitPeer();
        if (role == "locked")
            return runLockedDatabasePeer();
        if (role == "resend")
            return runRestartPeer(false);
        if (role == "comeback")
            return runRestartPeer(true);
        return fail("unknown role");
    }
    ovra::test::isolateProcess();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestDelivery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_delivery.moc"
