// The workstation on a competition server of the test's own: the window
// with another workstation beside it, a server that goes away during the
// competition, and the database box that chooses the server.

#include "AppStartup.h"
#include "AthletDialog.h"
#include "CompetitionDialog.h"
#include "DatabaseBrowserDialog.h"
#include "DatabaseConfigDialog.h"
#include "EventDialog.h"
#include "GroupDialog.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "StartListFixture.h"
#include "StartListSelection.h"
#include "db/PostgresConnection.h"
#include "db/Schema.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "state/RoutineAnnouncements.h"
#include "support/PgTestCluster.h"
#include "support/TestSupport.h"
#include "widgets/Popup.h"
#include "widgets/StatusLight.h"
#include "wsdb.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStateMachine>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <memory>

namespace {

using S = OvraState;
using ovra::test::PgTestCluster;

QStringList items(const QComboBox &combo)
{
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemText(i);
    return out;
}

// The settings the next window loads: the competition server at address.
void storeServerSetting(const ovra::db::ServerAddress &address)
{
    auto storage = OvraSettings::openStorage();
    storage->setValue(QStringLiteral("db/Kind"), QStringLiteral("server"));
    storage->setValue(QStringLiteral("db/ServerHost"), address.host);
    storage->setValue(QStringLiteral("db/ServerPort"), address.port);
    storage->setValue(QStringLiteral("db/ServerDatabase"), address.database);
    storage->setValue(QStringLiteral("db/ServerUser"), address.user);
    storage->sync();
}

struct Window
{
    std::unique_ptr<OvraDialog> dialog;

    Window()
    {
        dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
        dialog->settings().spaceDelaySettings().setSpaceDelayMs(0);
        dialog->show();
    }
    ~Window() { dialog->hide(); }
    bool run()
    {
        QDeadlineTimer deadline(3000);
        while (!dialog->ovraState().machine().isRunning() && !deadline.hasExpired())
            QTest::qWait(10);
        return dialog->ovraState().machine().isRunning();
    }
    void fire(const char *name) { QVERIFY(QMetaObject::invokeMethod(dialog.get(), name)); }
    bool in(S::InnerState state) const { return dialog->ovraState().isIn(state); }
    OvraDialogUi &ui() { return dialog->ui(); }
    // READY -> START -> ROUTINE -> REVIEW -> commit.
    void commit()
    {
        fire("nextInnerState");
        fire("nextInnerState");
        for (int i = 0; i < 480; ++i) {
            wsDaten::Sample s;
            s.fill(qint16(2560 + i % 7));
            dialog->daten().appendSample(s);
        }
        fire("nextInnerState");
        QVERIFY(in(S::REVIEW));
        fire("nextInnerState");
    }
};

QStringList names(ovra::db::Connection &db)
{
    QStringList out;
    for (const QVariantMap &row : db.select(QStringLiteral("SELECT LastName1 FROM Measures ORDER BY idx;")))
        out << row.value(QStringLiteral("LastName1")).toString();
    return out;
}

QTreeWidgetItem *findItem(QTreeWidget *tree, const QString &text, int column = 0)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly, column);
    return found.isEmpty() ? nullptr : found.first();
}

void click(QWidget *dialog, const char *button)
{
    auto *b = dialog->findChild<QPushButton *>(QString::fromLatin1(button));
    QVERIFY2(b && b->isEnabled(), button);
    b->click();
}

QStringList texts(QTreeWidget *tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < tree->columnCount(); ++c)
            cells << tree->topLevelItem(i)->text(c);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// Every row of the start-list tables without idx, NULL told from empty.
QStringList tables(wsdb &db)
{
    QStringList out;
    for (const char *table : {"Athlets", "Events", "Competitions", "Groups"}) {
        for (const QVariantMap &row :
             db.select(QStringLiteral("SELECT * FROM %1 ORDER BY idx;").arg(QLatin1String(table)))) {
            QStringList cells{QLatin1String(table)};
            for (const QString &column : ovra::db::table(table).names()) {
                const QVariant value = row.value(column);
                cells << (value.isValid() ? value.toString() : QStringLiteral("NULL"));
            }
            out << cells.join(QLatin1Char('|'));
        }
    }
    return out;
}

// The operator's work in the four start-list dialogs: what the dialogs
// show on the way, then what the tables hold.
QStringList driveDialogs(wsdb &db, wsDaten &store)
{
    QStringList seen;
    EventDialog events(db, store);
    const QStringList values = {QStringLiteral("Coupe d'Europe"), QStringLiteral("Besançon"),
                                QStringLiteral("FRA"), QStringLiteral("2026/05/01"),
                                QStringLiteral("2026/05/03")};
    for (int i = 0; i < 5; ++i)
        events.field(i)->setText(values[i]);
    click(&events, "addButton");
    events.field(0)->setText(QStringLiteral("Worlds"));
    click(&events, "addButton");
    click(&events, "addButton");
    seen << events.messageLabel()->text();
    QTreeWidgetItem *worlds = findItem(events.tree(), QStringLiteral("Worlds"));
    events.tree()->setCurrentItem(worlds);
    events.neuItemClicked(worlds, 0);
    store.startSelection().eventName = QStringLiteral("Worlds");
    events.field(0)->setText(QStringLiteral("Worlds 2026"));
    click(&events, "replaceButton");
    events.tree()->setCurrentItem(findItem(events.tree(), QStringLiteral("Coupe d Europe")));
    click(&events, "deleteButton");
    events.reload();
    seen << texts(events.tree());

    CompetitionDialog competitions(db, store);
    competitions.reload();
    seen << competitions.eventLabel()->text();
    competitions.nameEdit()->setText(QStringLiteral("Women's"));
    competitions.genderCombo()->setCurrentIndex(1);
    click(&competitions, "addButton");
    competitions.nameEdit()->setText(QStringLiteral("Pairs"));
    competitions.typeCombo()->setCurrentIndex(1);
    click(&competitions, "addButton");
    competitions.reload();
    seen << texts(competitions.tree());

    AthletDialog athletes(db, store);
    athletes.reload();
    for (const char *name : {"Müller", "müller", "O'Brien", "Ng"}) {
        athletes.lastNameEdit()->setText(QString::fromUtf8(name));
        athletes.firstNameEdit()->setText(QStringLiteral("Anna"));
        athletes.yearEdit()->setText(name[0] == 'N' ? QString() : QStringLiteral("2001"));
        athletes.genderCombo()->setCurrentIndex(1);
        athletes.nocCodeEdit()->setText(QStringLiteral("IRL"));
        click(&athletes, "addButton");
    }
    click(&athletes, "okButton");
    athletes.reload();
    athletes.tree()->setCurrentItem(findItem(athletes.tree(), QStringLiteral("Ng")));
    click(&athletes, "deleteButton");
    click(&athletes, "okButton");
    athletes.reload();
    seen << texts(athletes.tree());

    GroupDialog groups(db, store);
    groups.reload();
    groups.competitionCombo()->setCurrentIndex(1);
    click(&groups, "addGroupButton");
    click(&groups, "addGroupButton");
    groups.groupCombo()->setCurrentIndex(1);
    click(&groups, "deleteGroupButton");
    seen << QString::number(groups.groupCombo()->count());
    groups.groupCombo()->setCurrentIndex(groups.groupCombo()->findText(QStringLiteral("Group 2")));
    // The search from the start of the name, in either case of A to Z.
    groups.searchNameEdit()->setText(QStringLiteral("m"));
    seen << texts(groups.athleteTree());
    groups.searchNameEdit()->setText(QStringLiteral("o'"));
    seen << texts(groups.athleteTree());
    groups.searchNameEdit()->clear();
    for (const char *last : {"O'Brien", "müller"})
        groups.neuAthletItemDoubleClicked(findItem(groups.athleteTree(), QString::fromUtf8(last), 1), 0);
    click(&groups, "okButton");
    groups.reload();
    groups.competitionCombo()->setCurrentIndex(1);
    groups.groupCombo()->setCurrentIndex(groups.groupCombo()->findText(QStringLiteral("Group 2")));
    seen << texts(groups.startList());
    return seen + tables(db);
}

} // namespace

class TestServerWorkstation : public QObject
{
    Q_OBJECT

    PgTestCluster m_pg;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        if (PgTestCluster::binDir().isEmpty())
            QSKIP(qPrintable(PgTestCluster::skipReason()));
        QVERIFY2(m_pg.start(), qPrintable(m_pg.reason()));
    }

    // A test that failed while the server was stopped leaves it running
    // for the next.
    void cleanup()
    {
        if (!m_pg.isRunning())
            QVERIFY2(m_pg.startAgain(), qPrintable(m_pg.reason()));
    }

    // The window on the server with another workstation beside it: the
    // other's start list appears at once, committed routines reach the
    // other and the other's reach the browser, and when the server goes
    // away the routine waits (the status bar says so), the start list stays
    // usable, and the routine arrives when the server is back.
    void theWindowWorksOnTheServer()
    {
        QVERIFY(m_pg.createDatabase(QStringLiteral("window")));
        const ovra::db::ServerAddress address = m_pg.address(QStringLiteral("window"));
        wsDaten otherStore;
        wsdb other(otherStore, nullptr, false);
        other.setServerQueueFile(m_dir.filePath(QStringLiteral("other.db")));
        QVERIFY(other.openServer(address));
        QVERIFY(ovra::test::seedCompetition(other));

        ovra::test::clearSettings();
        storeServerSetting(address);
        Window w;
        QVERIFY(w.run());
        QCOMPARE(w.dialog->database().kind(), wsdb::Kind::Server);
        QVERIFY(w.ui().statusDatabase->isVisibleTo(w.dialog.get()));
        QCOMPARE(w.ui().statusDatabase->text(), QStringLiteral("Server %1").arg(address.displayName()));
        // The server is reached in the background, the window meanwhile
        // shows the start lists it last sent.
        QTRY_COMPARE(w.ui().statusDatabaseLight->status(), QStringLiteral("success"));
        QTRY_COMPARE(items(*w.ui().CB_event),
                     QStringList({QStringLiteral("Select Event"), QStringLiteral("Worlds"),
                                  QStringLiteral("Coupe d'Europe")}));

        w.dialog->settings().autoSaveSettings().setDatabaseSave(true);
        w.fire("usbConnected");
        QVERIFY(w.in(S::READY));
        w.ui().CB_event->setCurrentIndex(1);
        w.ui().CB_competition->setCurrentIndex(1);
        w.ui().CB_group->setCurrentIndex(1);
        w.ui().LW_athlets->setCurrentRow(0);

        // The other workstation adds an athlete to the group: the window's
        // list shows it within two seconds, the athlete chosen stays.
        QVERIFY(other.execute(QStringLiteral(
            "INSERT INTO Groups ( EventName, CompetitionName, GroupName, StartOrder, Competitor1No, "
            "LastName1, FirstName1, GenderID, TypeID ) VALUES ( 'Worlds', 'Seniors', 'Final', 4, "
            "-1, 'Zoë', 'Late', 2, 1 );")));
        QTRY_COMPARE_WITH_TIMEOUT(w.ui().LW_athlets->count(), 4, 2000);
        QCOMPARE(w.ui().LW_athlets->currentRow(), 0);
        QCOMPARE(w.ui().LB_athlet->text(), QStringLiteral("1: Miller, John 12"));

        // A routine committed here reaches the other workstation.
        QSignalSpy otherMeasures(&other, &wsdb::measuresChanged);
        w.commit();
        QVERIFY(w.in(S::READY));
        QTRY_VERIFY_WITH_TIMEOUT(otherMeasures.size() > 0, 2000);
        QCOMPARE(other.listMeasures({}).size(), 1);
        QCOMPARE(other.listMeasures({}).first().athletes, QStringLiteral("Miller, John"));
        // And comes back from the server as it was measured.
        const int measured = w.dialog->store().sampleCount();
        const wsDaten::Sample probe = w.dialog->store().sample(measured / 2);
        QSignalSpy loaded(w.dialog.get(), &OvraDialog::loadComplete);
        w.dialog->getMeasureFromDatabaseSlot(w.dialog->store().measurementName);
        QCOMPARE(loaded.size(), 1);
        QVERIFY(w.in(S::LOAD));
        QCOMPARE(w.dialog->store().sampleCount(), measured);
        QCOMPARE(w.dialog->store().sample(measured / 2), probe);
        QVERIFY(w.ui().statusLoadedMeasure->text().contains(QStringLiteral("Miller")));
        w.fire("dismissRoutine");
        QVERIFY(w.in(S::READY));

        // One of the other's reaches the open browser.
        DatabaseBrowserDialog browser(w.dialog->database());
        QCOMPARE(browser.fileLabel()->text(), address.displayName());
        QCOMPARE(browser.tree()->topLevelItemCount(), 1);
        otherStore.measurementName = QStringLiteral("elsewhere");
        otherStore.startSelection().athlete1.lastName = QStringLiteral("Dubois");
        const char samples[32] = {5};
        QVERIFY(other.insertMeasure(QDateTime::currentDateTime(), {}, {}, QStringLiteral("h\n"), 2, samples,
                                    32, QJsonDocument(), QByteArray()));
        QTRY_COMPARE_WITH_TIMEOUT(browser.tree()->topLevelItemCount(), 2, 2000);
        QCOMPARE(browser.tree()->topLevelItem(1)->text(1), QStringLiteral("Dubois"));

        // The server goes away.
        QVERIFY(m_pg.stop());
        w.commit();
        QVERIFY(w.in(S::READY));
        const QString report = w.dialog->notificationPopup().text();
        QVERIFY2(report.contains(QStringLiteral("tried again automatically")), qPrintable(report));
        if (auto *box = w.dialog->findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox")))
            box->close();
        QCOMPARE(w.dialog->database().pendingMeasures(), 1);
        QTRY_COMPARE(w.ui().statusDatabase->text(),
                     QStringLiteral("Server %1: 1 routine(s) waiting").arg(address.displayName()));
        QCOMPARE(w.ui().statusDatabaseLight->status(), QStringLiteral("failed"));
        // The start list loaded before is still there to choose from.
        QCOMPARE(w.ui().LW_athlets->currentRow(), 2);
        w.ui().LW_athlets->setCurrentRow(0);
        QCOMPARE(w.dialog->store().startSelection().athlete1.firstName, QStringLiteral("John"));
        w.ui().LW_athlets->setCurrentRow(3);
        QCOMPARE(w.dialog->routineAnnouncements().upcoming().value(QStringLiteral("lastname")),
                 QStringLiteral("Zoë"));
        QCOMPARE(w.dialog->store().startSelection().athlete1.firstName, QStringLiteral("Late"));

        QVERIFY2(m_pg.startAgain(), qPrintable(m_pg.reason()));
        QTRY_COMPARE_WITH_TIMEOUT(w.dialog->database().pendingMeasures(), 0, 10000);
        QTRY_COMPARE(w.ui().statusDatabase->text(), QStringLiteral("Server %1").arg(address.displayName()));
        QCOMPARE(w.ui().statusDatabaseLight->status(), QStringLiteral("success"));
        ovra::db::PostgresConnection raw;
        QVERIFY(raw.open(address.conninfo()));
        QCOMPARE(names(raw), QStringList({QStringLiteral("Miller"), QStringLiteral("Dubois"),
                                          QStringLiteral("Smith, Jr.")}));
        w.dialog->settings().autoSaveSettings().setDatabaseSave(false);
    }

    // The four start-list dialogs do the same on the server as on a file.
    void theStartListDialogsWorkOnTheServer()
    {
        QVERIFY(m_pg.createDatabase(QStringLiteral("dialogs")));
        wsDaten fileStore;
        wsdb file(fileStore, nullptr, false);
        QVERIFY(file.openDatabase(m_dir.filePath(QStringLiteral("dialogs.db"))));
        QVERIFY(file.createTables(QStringLiteral("main")));
        wsDaten serverStore;
        wsdb server(serverStore, nullptr, false);
        server.setServerQueueFile(m_dir.filePath(QStringLiteral("dialogs-queue.db")));
        QVERIFY(server.openServer(m_pg.address(QStringLiteral("dialogs"))));
        const QStringList fromFile = driveDialogs(file, fileStore);
        QVERIFY(!QTest::currentTestFailed());
        const QStringList fromServer = driveDialogs(server, serverStore);
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(fromServer.size(), fromFile.size());
        for (qsizetype i = 0; i < fromFile.size(); ++i)
            QCOMPARE(fromServer.at(i), fromFile.at(i));
        // And what they hold is what was done.
        QVERIFY(fromFile.contains(
            QStringLiteral("An event named Worlds exists already; it was not added again.")));
        QVERIFY(fromFile.contains(QStringLiteral("Events|Worlds 2026|Besançon|FRA|2026/05/01|2026/05/03|"
                                                 "__ws_def_event__|NULL|NULL|NULL")));
        QCOMPARE(fromFile.filter(QRegularExpression(QStringLiteral("^Competitions\\|Worlds 2026\\|"))).size(),
                 2);
        QCOMPARE(fromFile.filter(QRegularExpression(QStringLiteral("^Athlets\\|"))).size(), 3);
        QCOMPARE(fromFile
                     .filter(QRegularExpression(QStringLiteral("^Groups\\|Worlds 2026\\|Women s\\|Group 2\\|"
                                                               "[12]\\|")))
                     .size(),
                 2);
    }

    // The database box: a typed password is tried, then kept in the
    // password file (never in the settings); "Use" takes the server only
    // when it answers; the settings follow at once; and back to the file.
    void theDatabaseBoxChoosesTheServer()
    {
        QVERIFY(m_pg.createDatabase(QStringLiteral("box")));
        const ovra::db::ServerAddress address = m_pg.address(QStringLiteral("box"));
        const QString passFile = m_dir.filePath(QStringLiteral("box-pgpass"));
        const QByteArray previous = qgetenv("PGPASSFILE");
        qputenv("PGPASSFILE", QFile::encodeName(passFile));
        const QString local = m_dir.filePath(QStringLiteral("box.db"));
        QVERIFY(ovra::test::writeCompetitionFile(local));
        ovra::test::clearSettings();
        ovra::test::storeDatabaseSetting(local);
        Window w;
        QVERIFY(w.run());
        QVERIFY(!w.ui().statusDatabase->isVisibleTo(w.dialog.get()));
        DatabaseConfigDialog &box = w.dialog->databaseConfigDialog();
        box.setLocalFile(local);
        box.setServerAddress(address);
        box.reload();
        QVERIFY(box.fileChoice()->isChecked());
        QVERIFY(!box.passwordEdit()->isEnabled());
        box.serverChoice()->setChecked(true);
        QCOMPARE(box.findChild<QLineEdit *>(QStringLiteral("serverHost"))->text(), address.host);
        QCOMPARE(box.findChild<QSpinBox *>(QStringLiteral("serverPort"))->value(), address.port);

        // Without the password the server refuses; with a wrong one too.
        auto *test = box.findChild<QPushButton *>(QStringLiteral("testServerButton"));
        test->click();
        QTRY_COMPARE_WITH_TIMEOUT(box.testLight()->status(), QStringLiteral("failed"), 10000);
        QVERIFY2(box.testLabel()->text().contains(QStringLiteral("password")),
                 qPrintable(box.testLabel()->text()));
        QVERIFY(!QFile::exists(passFile));
        box.passwordEdit()->setText(m_pg.password());
        test->click();
        QTRY_COMPARE_WITH_TIMEOUT(box.testLight()->status(), QStringLiteral("success"), 10000);
        QVERIFY(box.testLabel()->text().contains(QStringLiteral("tables will be created")));
        QVERIFY(box.passwordEdit()->text().isEmpty());
        QFile pass(passFile);
        QVERIFY(pass.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(pass.readAll()),
                 QStringLiteral("127.0.0.1:%1:box:ovra:%2\n").arg(address.port).arg(m_pg.password()));
        QCOMPARE(pass.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());

        box.findChild<QPushButton *>(QStringLiteral("useDatabaseButton"))->click();
        QCOMPARE(w.dialog->database().kind(), wsdb::Kind::Server);
        QCOMPARE(w.ui().statusDatabase->text(), QStringLiteral("Server %1").arg(address.displayName()));
        QVERIFY(w.ui().statusDatabase->isVisibleTo(w.dialog.get()));
        // The server's start lists are empty: the window shows that.
        QCOMPARE(items(*w.ui().CB_event), QStringList(QStringLiteral("Select Event")));
        {
            auto storage = OvraSettings::openStorage();
            QCOMPARE(storage->value(QStringLiteral("db/Kind")).toString(), QStringLiteral("server"));
            QCOMPARE(storage->value(QStringLiteral("db/ServerHost")).toString(), address.host);
            QCOMPARE(storage->value(QStringLiteral("db/ServerPort")).toInt(), address.port);
            QCOMPARE(storage->value(QStringLiteral("db/ServerDatabase")).toString(), address.database);
            QCOMPARE(storage->value(QStringLiteral("db/ServerUser")).toString(), address.user);
            QFile settings(storage->fileName());
            QVERIFY(settings.open(QIODevice::ReadOnly));
            QVERIFY(!settings.readAll().contains(m_pg.password().toUtf8()));
        }

        // The day's file into the server from the box.
        QString answer = local;
        box.setFileChooser(
            [&answer](bool, const QString &, const QString &, const QString &) { return answer; });
        box.neuBrowseMerge();
        QVERIFY2(box.resultLabel()->text().contains(QStringLiteral("Groups: 6 added")),
                 qPrintable(box.resultLabel()->text()));
        QCOMPARE(items(*w.ui().CB_event),
                 QStringList({QStringLiteral("Select Event"), QStringLiteral("Worlds"),
                              QStringLiteral("Coupe d'Europe")}));

        // A server that does not answer is not taken.
        box.findChild<QSpinBox *>(QStringLiteral("serverPort"))->setValue(1);
        box.findChild<QPushButton *>(QStringLiteral("useDatabaseButton"))->click();
        QCOMPARE(w.dialog->database().serverAddress(), address);
        QVERIFY(box.resultLabel()->text().contains(QStringLiteral("does not answer")));

        // Back to the file.
        box.fileChoice()->setChecked(true);
        box.findChild<QPushButton *>(QStringLiteral("useDatabaseButton"))->click();
        QCOMPARE(w.dialog->database().kind(), wsdb::Kind::File);
        QCOMPARE(w.dialog->database().databasePath(), local);
        QVERIFY(!w.ui().statusDatabase->isVisibleTo(w.dialog.get()));
        QCOMPARE(OvraSettings::openStorage()->value(QStringLiteral("db/Kind")).toString(),
                 QStringLiteral("file"));
        box.close();
        qputenv("PGPASSFILE", previous);
    }
};

OVRA_TEST_GUI_MAIN(TestServerWorkstation)
#include "tst_serverworkstation.moc"
