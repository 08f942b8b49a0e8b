// A workstation that dies while a routine is under review must show the
// routine again when it is started anew, with the operator's edits. Two real processes: the first runs
// a routine from the virtual master box into REVIEW and is killed there; the
// second starts without a box and must show the same routine a second later.
// Both are this executable, started again in a peer role.

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "data/wsDaten.h"
#include "recovery/RoutineRecorder.h"
#include "settings/OvraSettings.h"
#include "state/OperatorKeys.h"
#include "state/OvraState.h"
#include "support/TestSupport.h"
#include "support/VirtualMasterBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QStateMachine>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

using S = OvraState;
using ovra::test::VirtualMasterBox;

constexpr char kRoleVariable[] = "OVRA_CRASH_PEER";
constexpr int kRoutineMs = 90000;

// The routine as the operator sees it: the landings in the window and the
// result, to the precision the result display and the files carry.
QJsonObject routineSummary(OvraDialog &dialog)
{
    wsDaten &store = dialog.store();
    const data::model::Routines &routine = store.routines();
    QJsonArray landings;
    for (quint64 i = 0; i < routine.landingCount; ++i) {
        const data::model::Landing &l = routine.individualLandingsTrampoline1[i];
        landings.append(QJsonObject{
            {"landingTime", l.landingTime},
            {"takeoffTime", l.takeoffTime},
            {"timeOfFlight", l.timeOfFlight},
            {"contactTime", l.contactTime},
            {"zone", l.landingZone},
            {"x", qRound(l.landingPosition.x * 10.0)},
            {"y", qRound(l.landingPosition.y * 10.0)},
            {"hdDeduction", l.hdDeduction},
        });
    }
    const data::model::IndividualRoutineResult result = store.currentIndividualResult();
    return QJsonObject{
        {"trampMode", static_cast<int>(store.trampMode())},
        {"landingCount", static_cast<qint64>(routine.landingCount)},
        {"landings", landings},
        {"timeOfFlight", result.timeOfFlight},
        {"hdDeductionSum", result.hdDeductionSum},
        {"horizontalDisplacement", result.horizontalDisplacement},
        {"elementCount", static_cast<qint64>(result.elementCount)},
        // Shown, stored and sent with one decimal.
        {"routineStartTime", QString::number(routine.routineStartTime(), 'f', 1)},
        {"penalty", routine.penalty()},
    };
}

void say(const QByteArray &line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
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

int fail(const char *what)
{
    say(QByteArray("FAILED ") + what);
    return 2;
}

// First life: a routine on trampoline 1 from the recording, stopped in
// REVIEW. Runs until it is killed.
int runReviewPeer()
{
    VirtualMasterBox &box = VirtualMasterBox::instance();
    box.reset();
    box.streamFlat(2560);
    box.plugIn();
    auto dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
    dialog->settings().spaceDelaySettings().setSpaceDelayMs(50);
    dialog->ui().CB_trampSelect->setCurrentIndex(0);
    dialog->handleTrampolineSelection(0);
    dialog->show();
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog.get()))
        return fail("window not active");
    OvraState &state = dialog->ovraState();
    const data::model::Routines &routine = dialog->store().routines();
    auto space = [&] {
        if (!waitFor([&] { return dialog->operatorKeys().isSpaceEnabled(); }, 5000))
            return false;
        QTest::keyClick(dialog.get(), Qt::Key_Space);
        return true;
    };
    // Connection and the tara of the first connection.
    if (!waitFor([&] { return state.isIn(S::READY) && dialog->store().taraRecord(0).offsets[0] != 0.0; },
                 30000))
        return fail("no READY after tara");
    if (!space() || !state.isIn(S::START))
        return fail("no START");
    box.streamRecording(1, false);
    if (!waitFor([&] { return dialog->store().landingCount(0) >= 2; }, kRoutineMs))
        return fail("no warm-up landings");
    if (!space() || !state.isIn(S::ROUTINE))
        return fail("no ROUTINE");
    if (!waitFor([&] { return routine.exerciseStart < routine.exerciseEnd && !routine.routineRecording; },
                 kRoutineMs))
        return fail("the routine did not end");
    if (!space() || !state.isIn(S::REVIEW))
        return fail("no REVIEW");
    const QString temporary = dialog->routineRecorder().temporaryRoutineFilePath();
    if (!QFile::exists(temporary))
        return fail("no temporary routine file");
    say("MEASURED " + QJsonDocument(routineSummary(*dialog)).toJson(QJsonDocument::Compact));

    // Edits in the review are marked, R undoes them all, and the temporary
    // file follows them once the keys rest.
    QLabel *mark = dialog->ui().LB_routineEdited;
    QTest::keyClick(dialog.get(), Qt::Key_Down);
    if (!mark->isVisible() || !mark->text().contains(QStringLiteral("9 landings instead of 10 measured")))
        return fail(("no edit mark: " + mark->text()).toUtf8().constData());
    QTest::keyClick(dialog.get(), Qt::Key_R);
    if (mark->isVisible())
        return fail("the mark stayed after R");
    say("RESTORED " + QJsonDocument(routineSummary(*dialog)).toJson(QJsonDocument::Compact));
    QTest::keyClick(dialog.get(), Qt::Key_Down);
    QTest::keyClick(dialog.get(), Qt::Key_Left);
    if (!mark->text().contains(QStringLiteral("shifted 1 landing earlier")))
        return fail(("no shift in the edit mark: " + mark->text()).toUtf8().constData());
    const QByteArray before = [&temporary] {
        QFile file(temporary);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    if (!waitFor(
            [&] {
                QFile file(temporary);
                return file.open(QIODevice::ReadOnly) && file.readAll() != before;
            },
            5000))
        return fail("the temporary file was not rewritten after the edits");
    say("ROUTINE " + QJsonDocument(routineSummary(*dialog)).toJson(QJsonDocument::Compact));
    say("REVIEW");
    // The box goes on streaming until the end comes.
    return QApplication::exec();
}

// Second life: no box; the routine must come back from the temporary file.
int runReloadPeer()
{
    QElapsedTimer clock;
    clock.start();
    auto dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
    dialog->show();
    OvraState &state = dialog->ovraState();
    if (!waitFor([&] { return state.machine().isRunning() && state.isIn(S::DISPLAY); }, 10000))
        return fail("the routine was not shown again");
    const qint64 shownAfter = clock.elapsed();
    say("ROUTINE " + QJsonDocument(routineSummary(*dialog)).toJson(QJsonDocument::Compact));
    say("SHOWN_AFTER " + QByteArray::number(shownAfter));
    say("LOADED " + dialog->ui().statusLoadedMeasure->text().toUtf8());
    return 0;
}

QJsonObject routineLine(const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines) {
        if (line.startsWith("ROUTINE "))
            return QJsonDocument::fromJson(line.mid(8)).object();
    }
    return {};
}

QByteArray valueOf(const QList<QByteArray> &lines, const QByteArray &key)
{
    for (const QByteArray &line : lines) {
        if (line.startsWith(key + ' '))
            return line.mid(key.size() + 1);
    }
    return {};
}

} // namespace

class TestCrashRecovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedInReviewShowsTheRoutineAgainAfterRestart()
    {
        ovra::test::clearSettings();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

        QProcess first;
        environment.insert(QString::fromLatin1(kRoleVariable), QStringLiteral("review"));
        first.setProcessEnvironment(environment);
        first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        first.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(first.waitForStarted());
        QByteArray firstOut;
        QDeadlineTimer deadline(3 * kRoutineMs);
        while (!firstOut.contains("REVIEW\n") && !firstOut.contains("FAILED") && !deadline.hasExpired() &&
               first.state() == QProcess::Running) {
            first.waitForReadyRead(200);
            firstOut += first.readAllStandardOutput();
        }
        QVERIFY2(firstOut.contains("REVIEW\n"), firstOut.constData());
        // The end comes without warning: no quit, no settings saved, no
        // files closed.
        first.kill();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
        const QList<QByteArray> firstLines = firstOut.split('\n');
        const QJsonObject measured = QJsonDocument::fromJson(valueOf(firstLines, "MEASURED")).object();
        QCOMPARE(measured.value("landingCount").toInt(), 10);
        QCOMPARE(measured.value("landings").toArray().size(), 10);
        QVERIFY(measured.value("timeOfFlight").toDouble() > 10.0);
        QCOMPARE(QJsonDocument::fromJson(valueOf(firstLines, "RESTORED")).object(), measured);
        // Edited: one landing fewer and one earlier, so the routine starts
        // with the landing before the measured first one.
        const QJsonObject live = routineLine(firstLines);
        QCOMPARE(live.value("landingCount").toInt(), 9);
        const QJsonArray edited = live.value("landings").toArray();
        QCOMPARE(edited.size(), 9);
        QCOMPARE(edited.at(1), measured.value("landings").toArray().at(0));

        QProcess second;
        environment.insert(QString::fromLatin1(kRoleVariable), QStringLiteral("reload"));
        second.setProcessEnvironment(environment);
        second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        second.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(second.waitForFinished(60000));
        const QByteArray secondOut = second.readAllStandardOutput();
        QVERIFY2(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0,
                 secondOut.constData());
        const QList<QByteArray> lines = secondOut.split('\n');
        QVERIFY(valueOf(lines, "SHOWN_AFTER").toInt() >= 1000);
        QVERIFY(valueOf(lines, "LOADED").endsWith("~routine.dat"));
        const QJsonObject reloaded = routineLine(lines);
        if (reloaded != live) {
            qWarning().noquote() << "live" << QJsonDocument(live).toJson(QJsonDocument::Compact);
            qWarning().noquote() << "reloaded" << QJsonDocument(reloaded).toJson(QJsonDocument::Compact);
        }
        QCOMPARE(QJsonDocument(reloaded).toJson(), QJsonDocument(live).toJson());
    }
};

int main(int argc, char *argv[])
{
    const QByteArray role = qgetenv(kRoleVariable);
    if (!role.isEmpty()) {
        // A peer shares the locations of the test that started it.
        QApplication app(argc, argv);
        app.setAttribute(Qt::AA_Use96Dpi, true);
        if (role == "review")
            return runReviewPeer();
        if (role == "reload")
            return runReloadPeer();
        return fail("unknown role");
    }
    ovra::test::isolateProcess();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestCrashRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashrecovery.moc"
