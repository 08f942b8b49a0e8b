// A competition run from a start list by keyboard: the virtual master box
// streams through the program's own USB code, the operator picks the group
// and the first athlete with the keys, and every committed routine moves the
// list on to the next athlete.

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "StartListFixture.h"
#include "StartListSelection.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "state/OperatorKeys.h"
#include "state/OvraState.h"
#include "support/TestSupport.h"
#include "support/VirtualMasterBox.h"
#include "usb/DeviceLink.h"
#include "wsdb.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace {

using S = OvraState;
using ovra::test::VirtualMasterBox;
constexpr int kConnectMs = 20000;
constexpr int kRoutineMs = 60000;

VirtualMasterBox &box()
{
    return VirtualMasterBox::instance();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestStartListRun : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        box().reset();
        box().streamFlat(2560);
        box().plugIn();
    }
    void cleanup() { box().reset(); }

    void competitionFromTheStartListByKeyboard()
    {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("competition.db"));
        QVERIFY(ovra::test::writeCompetitionFile(database));
        ovra::test::clearSettings();
        ovra::test::storeDatabaseSetting(database);
        auto dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
        OvraDialog &w = *dialog;
        w.settings().spaceDelaySettings().setSpaceDelayMs(50);
        AutoSaveSettings &autoSave = w.settings().autoSaveSettings();
        const QString files = dir.filePath(QStringLiteral("routines"));
        QVERIFY(QDir().mkpath(files));
        autoSave.setPath(files);
        autoSave.setFilenameTemplate(QStringLiteral("{{lastname}}_{{time}}"));
        autoSave.setFileSave(true);
        autoSave.setDatabaseSave(true);
        w.ui().CB_trampSelect->setCurrentIndex(0);
        w.handleTrampolineSelection(0);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY_WITH_TIMEOUT(w.ovraState().isIn(S::READY) && w.daten().taraRecord(0).offsets[0] == 2560.0,
                                 kConnectMs);

        // The operator tabs into each list, picks with the arrow key, and the
        // keyboard is back with the window for the next-step key.
        OvraDialogUi &ui = w.ui();
        const auto pick = [&w](QWidget *control) {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Down);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&w));
        };
        pick(ui.CB_event);
        pick(ui.CB_competition);
        pick(ui.CB_group);
        QCOMPARE(ui.CB_group->currentText(), QStringLiteral("Final"));
        QCOMPARE(ui.LW_athlets->count(), 3);
        // Tabbing into the athlete list takes its first entry.
        ui.LW_athlets->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&w));
        QCOMPARE(ui.LB_athlet->text(), QStringLiteral("1: Miller, John 12"));
        const auto space = [&w] {
            QTRY_VERIFY_WITH_TIMEOUT(w.operatorKeys().isSpaceEnabled(), 5000);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        };

        // Miller jumps a full routine.
        space();
        QVERIFY(w.ovraState().isIn(S::START));
        QCOMPARE(w.daten().routines().routineMetaInformation.value(QStringLiteral("lastname")),
                 QStringLiteral("Miller"));
        box().streamRecording(1, true);
        QTRY_VERIFY_WITH_TIMEOUT(w.daten().landingCount(0) >= 1, kRoutineMs);
        space();
        QVERIFY(w.ovraState().isIn(S::ROUTINE));
        QTRY_VERIFY_WITH_TIMEOUT(w.daten().routines().exerciseStart < w.daten().routines().exerciseEnd &&
                                     !w.daten().routines().routineRecording,
                                 kRoutineMs);
        space();
        QVERIFY(w.ovraState().isIn(S::REVIEW));
        space();
        QTRY_VERIFY_WITH_TIMEOUT(w.ovraState().isIn(S::READY), 5000);
        QCOMPARE(w.daten().routines().landingCount, quint64(10));

        // The next athlete waits; Smith's routine is ended early by the key.
        QCOMPARE(ui.LW_athlets->currentRow(), 1);
        QCOMPARE(ui.LB_athlet->text(), QStringLiteral("2: Smith, Jr., Anna / B"));
        box().streamFlat(2560);
        space();
        QVERIFY(w.ovraState().isIn(S::START));
        space();
        space();
        QVERIFY(w.ovraState().isIn(S::REVIEW));
        // A routine without a landing is committed only when the operator
        // says so.
        space();
        QVERIFY(w.ovraState().isIn(S::REVIEW));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(w.ovraState().isIn(S::READY), 5000);
        QCOMPARE(ui.LW_athlets->currentRow(), 2);

        // Each routine in its own file under the athlete's name, with the
        // meta lines, and in its own database row.
        const QStringList saved = QDir(files).entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
        QCOMPARE(saved.size(), 2);
        QVERIFY2(saved[0].startsWith(QStringLiteral("Miller_")), qPrintable(saved.join(QLatin1Char(' '))));
        QVERIFY2(saved[1].startsWith(QStringLiteral("Smith")), qPrintable(saved.join(QLatin1Char(' '))));
        const QString first = QString::fromUtf8(readAll(QDir(files).filePath(saved[0])));
        QVERIFY(first.contains(QRegularExpression(QStringLiteral("\\blastname[\\s;,|]+Miller\\b"))));
        QVERIFY(first.contains(QRegularExpression(QStringLiteral("\\bgroup[\\s;,|]+Final\\b"))));
        const QString second = QString::fromUtf8(readAll(QDir(files).filePath(saved[1])));
        QVERIFY(second.contains(QRegularExpression(QStringLiteral("\\bfirstname[\\s;,|]+Anna / B"))));
        QCOMPARE(
            ovra::test::queryRows(
                database,
                "SELECT LastName1 || ' ' || FirstName1 || ' ' || GroupName FROM Measures ORDER BY idx;"),
            QStringList({QStringLiteral("Miller John Final"), QStringLiteral("Smith, Jr. Anna / B Final")}));

        w.hide();
        w.deviceLink().shutdown();
    }
};

OVRA_TEST_GUI_MAIN(TestStartListRun)
#include "tst_startlistrun.moc"
