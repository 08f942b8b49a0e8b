// The start-list dialogs, the CSV import dialog and the database dialogs on
// real SQLite and CSV files.

#include "AthletDialog.h"
#include "CompetitionDialog.h"
#include "CsvImportDialog.h"
#include "DatabaseBrowserDialog.h"
#include "DatabaseConfigDialog.h"
#include "EventDialog.h"
#include "GroupDialog.h"
#include "StartListDialogSupport.h"
#include "StartListFixture.h"
#include "data/wsDaten.h"
#include "support/TestSupport.h"
#include "wsdb.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeWidget>

namespace {

using ovra::test::queryRows;

QTreeWidgetItem *findItem(QTreeWidget *tree, const QString &text, int column = 0)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly, column);
    return found.isEmpty() ? nullptr : found.first();
}

void click(QWidget *dialog, const char *button)
{
    auto *b = dialog->findChild<QPushButton *>(QString::fromLatin1(button));
    QVERIFY2(b, button);
    QVERIFY2(b->isEnabled(), button);
    b->click();
}

struct Database
{
    wsDaten store;
    wsdb db{store};
    QString path;
    explicit Database(const QString &file)
        : path(file)
    {
        QFile::remove(file);
        db.openDatabase(file);
        db.createTables(QStringLiteral("main"));
    }
};

} // namespace

class TestStartListDialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    // Nothing reaches the table before "OK"; then every athlete arrives as
    // typed, quotes, accents and an empty year included, and a deletion
    // removes exactly the row chosen.
    void athleteDialogWritesOnOkOnly()
    {
        Database d(file(QStringLiteral("athletes.db")));
        AthletDialog dialog(d.db, d.store);
        QVERIFY(!dialog.addButton()->isEnabled());
        const auto add = [&dialog](const QString &last, const QString &first, const QString &year) {
            dialog.lastNameEdit()->setText(last);
            dialog.firstNameEdit()->setText(first);
            dialog.yearEdit()->setText(year);
            dialog.genderCombo()->setCurrentIndex(1);
            dialog.nocCodeEdit()->setText(QStringLiteral("IRL"));
            click(&dialog, "addButton");
        };
        add(QStringLiteral("O'Brien"), QStringLiteral("Siobhán"), QString());
        add(QStringLiteral("Müller"), QStringLiteral("Jürgen \"Jay\""), QStringLiteral("2001"));
        QCOMPARE(dialog.tree()->topLevelItemCount(), 2);
        click(&dialog, "cancelButton");
        QCOMPARE(queryRows(d.path, "SELECT COUNT(*) FROM Athlets;"), QStringList(QStringLiteral("0")));

        // The year takes digits only.
        dialog.reload();
        dialog.yearEdit()->clear();
        QTest::keyClicks(dialog.yearEdit(), QStringLiteral("19x9a0"));
        QCOMPARE(dialog.yearEdit()->text(), QStringLiteral("1990"));
        add(QStringLiteral("O'Brien"), QStringLiteral("Siobhán"), QString());
        add(QStringLiteral("Müller"), QStringLiteral("Jürgen \"Jay\""), QStringLiteral("2001"));
        add(QStringLiteral("Twin"), QStringLiteral("Same"), QStringLiteral("2000"));
        add(QStringLiteral("Twin"), QStringLiteral("Same"), QStringLiteral("2000"));
        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(
            queryRows(d.path, "SELECT LastName, FirstName, Gender, Year, NOCCode FROM Athlets ORDER BY idx;"),
            QStringList({QStringLiteral("O'Brien|Siobhán|Female|NULL|IRL"),
                         QStringLiteral("Müller|Jürgen \"Jay\"|Female|2001|IRL"),
                         QStringLiteral("Twin|Same|Female|2000|IRL"),
                         QStringLiteral("Twin|Same|Female|2000|IRL")}));

        // One of two identical athletes goes; a replaced one keeps the rest.
        dialog.reload();
        dialog.tree()->setCurrentItem(findItem(dialog.tree(), QStringLiteral("Twin")));
        click(&dialog, "deleteButton");
        QTreeWidgetItem *obrien = findItem(dialog.tree(), QStringLiteral("O'Brien"));
        dialog.tree()->setCurrentItem(obrien);
        dialog.itemClicked(obrien, 0);
        QCOMPARE(dialog.firstNameEdit()->text(), QStringLiteral("Siobhán"));
        QCOMPARE(dialog.genderCombo()->currentData().toString(), QStringLiteral("Female"));
        dialog.yearEdit()->setText(QStringLiteral("1999"));
        click(&dialog, "replaceButton");
        click(&dialog, "okButton");
        QCOMPARE(queryRows(d.path, "SELECT LastName, Year FROM Athlets ORDER BY LastName;"),
                 QStringList({QStringLiteral("Müller|2001"), QStringLiteral("O'Brien|1999"),
                              QStringLiteral("Twin|2000")}));
    }

    void eventAndCompetitionDialogsWriteAtOnce()
    {
        Database d(file(QStringLiteral("events.db")));
        EventDialog events(d.db, d.store);
        QVERIFY(!events.addButton()->isEnabled());
        const QStringList values = {QStringLiteral("Coupe d'Europe"), QStringLiteral("Besançon \"Doubs\""),
                                    QStringLiteral("FRA"), QStringLiteral("2026/05/01"),
                                    QStringLiteral("2026/05/03")};
        for (int i = 0; i < 5; ++i)
            events.field(i)->setText(values[i]);
        click(&events, "addButton");
        events.field(0)->setText(QStringLiteral("Worlds"));
        events.field(1)->setText(QStringLiteral("Baku"));
        click(&events, "addButton");
        // Event names and cities keep no quotes; the other values are as typed.
        QCOMPARE(
            queryRows(d.path,
                      "SELECT EventName, City, NOCCode, DateFrom, CompetitionName FROM Events ORDER BY idx;"),
            QStringList({QStringLiteral("Coupe d Europe|Besançon  Doubs |FRA|2026/05/01|__ws_def_event__"),
                         QStringLiteral("Worlds|Baku|FRA|2026/05/01|__ws_def_event__")}));
        // The same event once more: not added, and said why.
        QVERIFY(events.messageLabel()->text().isEmpty());
        click(&events, "addButton");
        QCOMPARE(queryRows(d.path, "SELECT COUNT(*) FROM Events WHERE EventName='Worlds';"),
                 QStringList(QStringLiteral("1")));
        QCOMPARE(events.tree()->topLevelItemCount(), 2);
        QCOMPARE(events.messageLabel()->text(),
                 QStringLiteral("An event named Worlds exists already; it was not added again."));
        events.field(1)->setText(QStringLiteral("Sumqayit"));
        click(&events, "replaceButton");
        QCOMPARE(queryRows(d.path, "SELECT City FROM Events WHERE EventName='Worlds';"),
                 QStringList(QStringLiteral("Sumqayit")));
        events.tree()->setCurrentItem(findItem(events.tree(), QStringLiteral("Coupe d Europe")));
        click(&events, "deleteButton");
        QCOMPARE(queryRows(d.path, "SELECT EventName FROM Events;"), QStringList(QStringLiteral("Worlds")));

        // Competitions belong to the chosen event; without one nothing is added.
        CompetitionDialog competitions(d.db, d.store);
        competitions.nameEdit()->setText(QStringLiteral("Women's"));
        QVERIFY(!competitions.addButton()->isEnabled());
        d.store.startSelection().eventName = QStringLiteral("Worlds");
        competitions.reload();
        QCOMPARE(competitions.eventLabel()->text(), QStringLiteral("Worlds"));
        QVERIFY(competitions.addButton()->isEnabled());
        competitions.genderCombo()->setCurrentIndex(1);
        competitions.typeCombo()->setCurrentIndex(1);
        click(&competitions, "addButton");
        competitions.nameEdit()->setText(QStringLiteral("Mixed pairs"));
        competitions.genderCombo()->setCurrentIndex(2);
        click(&competitions, "addButton");
        QCOMPARE(
            queryRows(d.path,
                      "SELECT EventName, CompetitionName, GroupName, GenderID, TypeID FROM Competitions;"),
            QStringList({QStringLiteral("Worlds|Women s|__ws_def_competition__|2|2"),
                         QStringLiteral("Worlds|Mixed pairs|__ws_def_competition__|3|2")}));
        QCOMPARE(competitions.tree()->topLevelItem(0)->text(1), QStringLiteral("Female"));
        QCOMPARE(competitions.tree()->topLevelItem(0)->text(2), QStringLiteral("Synchron"));
        competitions.tree()->setCurrentItem(competitions.tree()->topLevelItem(1));
        click(&competitions, "deleteButton");
        QCOMPARE(queryRows(d.path, "SELECT COUNT(*) FROM Competitions;"), QStringList(QStringLiteral("1")));
    }

    // "Replace" with a new name once changed only the definition row: the
    // competitions, groups, start lists and measures still named the old
    // event or competition, and the start-list choice found none of them.
    // A rename now reaches all of them at once; a failure in the middle, or
    // a name another definition has, leaves every row as it was.
    void renamesReachEveryRowThatFindsTheEventOrCompetition()
    {
        Database d(file(QStringLiteral("rename.db")));
        QVERIFY(ovra::test::seedCompetition(d.db));
        QVERIFY(
            d.db.execute(QStringLiteral("INSERT INTO Measures ( Name, EventName, CompetitionName, GroupName, "
                                        "LastName1, FirstName1 ) VALUES ( 'm1', 'Worlds', 'Seniors', "
                                        "'Final', 'Miller', 'John' );")));
        StartSelection &s = d.store.startSelection();
        s.eventName = QStringLiteral("Worlds");
        s.competitionName = QStringLiteral("Seniors");
        s.groupName = QStringLiteral("Final");
        // What the start-list choice finds under its event and competition.
        const auto found = [&d, &s]() {
            QStringList entries;
            d.db.listGroupEntries(entries);
            QStringList measures;
            if (d.db.selectStartEntry(1))
                d.db.listMeasureNames(measures);
            return QStringList{d.db.competitionNames(s.eventName).join(QLatin1Char('+')),
                               d.db.groupNames(s.eventName, s.competitionName).join(QLatin1Char('+')),
                               QString::number(entries.size()), measures.join(QLatin1Char('+'))};
        };
        const QStringList before = found();
        QCOMPARE(before, QStringList({QStringLiteral("Seniors+Pairs"), QStringLiteral("Final"),
                                      QStringLiteral("3"), QStringLiteral("m1")}));

        EventDialog events(d.db, d.store);
        QTreeWidgetItem *event = findItem(events.tree(), QStringLiteral("Worlds"));
        events.tree()->setCurrentItem(event);
        events.neuItemClicked(event, 0);
        events.field(0)->setText(QStringLiteral("World Championships"));
        click(&events, "replaceButton");
        QCOMPARE(s.eventName, QStringLiteral("World Championships"));
        QCOMPARE(found(), before);
        QCOMPARE(queryRows(d.path, "SELECT City FROM Events WHERE EventName='World Championships';"),
                 QStringList(QStringLiteral("Baku")));

        CompetitionDialog competitions(d.db, d.store);
        QTreeWidgetItem *competition = findItem(competitions.tree(), QStringLiteral("Seniors"));
        competitions.tree()->setCurrentItem(competition);
        competitions.neuItemClicked(competition, 0);
        competitions.nameEdit()->setText(QStringLiteral("Senior women"));
        click(&competitions, "replaceButton");
        QCOMPARE(s.competitionName, QStringLiteral("Senior women"));
        QCOMPARE(found(), QStringList({QStringLiteral("Senior women+Pairs"), QStringLiteral("Final"),
                                       QStringLiteral("3"), QStringLiteral("m1")}));
        const char *const everyName =
            "SELECT 'C', EventName, CompetitionName FROM Competitions UNION ALL SELECT 'G', EventName, "
            "CompetitionName FROM Groups UNION ALL SELECT 'M', EventName, CompetitionName FROM Measures "
            "UNION ALL SELECT 'E', EventName, City FROM Events ORDER BY 1, 2, 3;";
        const QStringList renamed = queryRows(d.path, everyName);
        QVERIFY(!renamed.join(QLatin1Char('\n')).contains(QLatin1String("Worlds")));
        QVERIFY(!renamed.join(QLatin1Char('\n')).contains(QLatin1String("Seniors")));

        // A name another competition of the event has is refused.
        competitions.nameEdit()->setText(QStringLiteral("Pairs"));
        click(&competitions, "replaceButton");
        QCOMPARE(competition->text(0), QStringLiteral("Senior women"));
        QCOMPARE(queryRows(d.path, everyName), renamed);

        // A measure that cannot take the new name rolls the whole rename back.
        QVERIFY(d.db.execute(QStringLiteral("CREATE TRIGGER measuresKeepTheirNames BEFORE UPDATE ON Measures "
                                            "BEGIN SELECT RAISE(ABORT, 'read-only'); END;")));
        events.field(0)->setText(QStringLiteral("Worlds 2027"));
        click(&events, "replaceButton");
        QCOMPARE(event->text(0), QStringLiteral("World Championships"));
        QCOMPARE(s.eventName, QStringLiteral("World Championships"));
        competitions.nameEdit()->setText(QStringLiteral("Seniors"));
        click(&competitions, "replaceButton");
        QCOMPARE(competition->text(0), QStringLiteral("Senior women"));
        QCOMPARE(s.competitionName, QStringLiteral("Senior women"));
        QCOMPARE(queryRows(d.path, everyName), renamed);
    }

    // A start list saved twice keeps one row per entry, in the order shown
    // after moves; a failed save leaves the old list whole.
    void groupDialogSavesTheStartListInOrder()
    {
        Database d(file(QStringLiteral("groups.db")));
        for (const char *last : {"Ng", "O'Brien", "Dubois", "Smith"})
            d.db.execute(QStringLiteral("INSERT INTO Athlets ( LastName, FirstName, Gender, Year, NOCCode ) "
                                        "VALUES ( ?, 'A', 'Female', 2000, 'IRL' );"),
                         {QString::fromUtf8(last)});
        d.db.execute(
            QStringLiteral("INSERT INTO Competitions ( EventName, CompetitionName, GroupName, GenderID, "
                           "TypeID ) VALUES ( 'Worlds', ?, '__ws_def_competition__', ?, ? );"),
            {QStringLiteral("Seniors"), 2, 1});
        d.db.execute(
            QStringLiteral("INSERT INTO Competitions ( EventName, CompetitionName, GroupName, GenderID, "
                           "TypeID ) VALUES ( 'Worlds', ?, '__ws_def_competition__', ?, ? );"),
            {QStringLiteral("Pairs"), 2, 2});
        d.store.startSelection().eventName = QStringLiteral("Worlds");
        GroupDialog dialog(d.db, d.store);
        QVERIFY(!dialog.addGroupButton()->isEnabled());
        dialog.competitionCombo()->setCurrentIndex(1);
        QVERIFY(dialog.addGroupButton()->isEnabled());
        click(&dialog, "addGroupButton");
        click(&dialog, "addGroupButton");
        QCOMPARE(dialog.groupCombo()->currentText(), QStringLiteral("Group 2"));
        dialog.groupCombo()->setCurrentIndex(1);
        click(&dialog, "deleteGroupButton");
        click(&dialog, "addGroupButton");
        // The remaining "Group 2" keeps its name to itself.
        QCOMPARE(dialog.groupCombo()->currentText(), QStringLiteral("Group 3"));
        dialog.groupCombo()->setCurrentIndex(dialog.groupCombo()->findText(QStringLiteral("Group 2")));

        // The search matches from the start, "_" literally.
        dialog.searchNameEdit()->setText(QStringLiteral("O'"));
        QCOMPARE(dialog.athleteTree()->topLevelItemCount(), 1);
        dialog.searchNameEdit()->setText(QStringLiteral("_"));
        QCOMPARE(dialog.athleteTree()->topLevelItemCount(), 0);
        dialog.searchNameEdit()->clear();
        QCOMPARE(dialog.athleteTree()->topLevelItemCount(), 4);
        for (const char *last : {"Ng", "O'Brien", "Dubois"})
            dialog.neuAthletItemDoubleClicked(findItem(dialog.athleteTree(), QString::fromUtf8(last), 1), 0);
        QTreeWidget *list = dialog.startList();
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(1)->text(GroupDialog::Name1), QStringLiteral("O'Brien, A"));
        // Dubois moves up before O'Brien and gets number 7.
        list->setCurrentItem(list->topLevelItem(2));
        click(&dialog, "upButton");
        dialog.neuItemClicked(list->currentItem(), 0);
        dialog.competitor1Edit()->setText(QStringLiteral("7"));
        click(&dialog, "replaceItemButton");
        click(&dialog, "okButton");
        const char *saved =
            "SELECT StartOrder, Competitor1No, LastName1, Year1, Competitor2No, Year2, GenderID, TypeID "
            "FROM Groups WHERE GroupName='Group 2' AND LastName1 <> '__ws_def_group__' "
            "ORDER BY StartOrder;";
        const QStringList expected = {QStringLiteral("1|-1|Ng|2000|-1|0|2|1"),
                                      QStringLiteral("2|7|Dubois|2000|-1|0|2|1"),
                                      QStringLiteral("3|-1|O'Brien|2000|-1|0|2|1")};
        QCOMPARE(queryRows(d.path, saved), expected);

        // Reopened: the same order; saved again: still one row per entry.
        d.store.startSelection().competitionName = QStringLiteral("Seniors");
        d.store.startSelection().groupName = QStringLiteral("Group 2");
        dialog.reload();
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(1)->text(GroupDialog::LastName1), QStringLiteral("Dubois"));
        click(&dialog, "okButton");
        QCOMPARE(queryRows(d.path, saved), expected);

        // A save the database refuses half-way leaves the old list.
        d.db.execute(
            QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Groups WHEN NEW.LastName1='Smith' "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
        dialog.reload();
        dialog.neuAthletItemDoubleClicked(findItem(dialog.athleteTree(), QStringLiteral("Smith"), 1), 0);
        list->setCurrentItem(list->topLevelItem(0));
        click(&dialog, "deleteItemButton");
        click(&dialog, "okButton");
        QTRY_VERIFY(dialog.findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox")));
        dialog.findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox"))->close();
        QCOMPARE(queryRows(d.path, saved), expected);

        // A pair whose second athlete never came: -1 and 0 for athlete 2.
        d.db.execute(QStringLiteral("DROP TRIGGER refuse;"));
        d.store.startSelection().competitionName = QStringLiteral("Pairs");
        d.store.startSelection().groupName.clear();
        dialog.reload();
        click(&dialog, "addGroupButton");
        dialog.neuAthletItemDoubleClicked(findItem(dialog.athleteTree(), QStringLiteral("Ng"), 1), 0);
        dialog.neuAthletItemDoubleClicked(findItem(dialog.athleteTree(), QStringLiteral("Smith"), 1), 0);
        dialog.neuAthletItemDoubleClicked(findItem(dialog.athleteTree(), QStringLiteral("Dubois"), 1), 0);
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(GroupDialog::Name2), QStringLiteral("Smith, A"));
        click(&dialog, "okButton");
        QCOMPARE(
            queryRows(
                d.path,
                "SELECT StartOrder, LastName1, LastName2, Competitor2No, Year2, TypeID FROM Groups "
                "WHERE CompetitionName='Pairs' AND LastName1 <> '__ws_def_group__' ORDER BY StartOrder;"),
            QStringList({QStringLiteral("1|Ng|Smith|-1|2000|2"), QStringLiteral("2|Dubois||-1|0|2")}));

        // Deleting a group takes its definition and its start list.
        dialog.competitionCombo()->setCurrentIndex(1);
        dialog.groupCombo()->setCurrentIndex(dialog.groupCombo()->findText(QStringLiteral("Group 2")));
        click(&dialog, "deleteGroupButton");
        QCOMPARE(
            queryRows(d.path,
                      "SELECT COUNT(*) FROM Groups WHERE GroupName='Group 2' AND CompetitionName='Seniors';"),
            QStringList(QStringLiteral("0")));
    }

    // The keyboard reads the forms as they read: opened, the first field
    // takes the first name typed; Tab goes through the athlete form top to
    // bottom. The start list shows no raw column names of the database.
    void formsTakeTheKeyboardInTheirOrder()
    {
        Database d(file(QStringLiteral("keys.db")));
        ovra::test::seedCompetition(d.db);
        d.store.startSelection().eventName = QStringLiteral("Worlds");
        EventDialog events(d.db, d.store);
        events.reload();
        startlist::focusFirstField(&events);
        events.show();
        QVERIFY(QTest::qWaitForWindowActive(&events));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Nationals"));
        QCOMPARE(events.findChild<QLineEdit *>(QStringLiteral("nameEdit"))->text(),
                 QStringLiteral("Nationals"));
        events.reject();

        AthletDialog athletes(d.db, d.store);
        athletes.reload();
        startlist::focusFirstField(&athletes);
        athletes.show();
        QVERIFY(QTest::qWaitForWindowActive(&athletes));
        QStringList order;
        for (int i = 0; i < 9; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"lastNameEdit", "firstNameEdit", "genderCombo", "yearEdit", "nocEdit",
                                     "nocCodeEdit", "emailEdit", "figLicenceEdit", "nationalLicenceEdit"}));
        athletes.reject();

        GroupDialog groups(d.db, d.store);
        groups.reload();
        auto *list = groups.findChild<QTreeWidget *>(QStringLiteral("startListTree"));
        QVERIFY(list);
        const QRegularExpression raw(QStringLiteral("^[A-Za-z]+[12]$|ID$"));
        for (int column = 0; column < list->columnCount(); ++column) {
            if (!list->isColumnHidden(column))
                QVERIFY2(!raw.match(list->headerItem()->text(column)).hasMatch(),
                         qPrintable(list->headerItem()->text(column)));
        }
        QVERIFY(!list->isColumnHidden(GroupDialog::Name1));
        QVERIFY(list->isColumnHidden(GroupDialog::LastName1));

        // In German the start list says "weiblich" as the athlete list
        // beside it does, and stores "Female" all the same, also for a pair
        // and for an athlete added now.
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/i18n/ovra_de.qm")));
        QCoreApplication::installTranslator(&german);
        d.store.startSelection().competitionName = QStringLiteral("Pairs");
        d.store.startSelection().groupName = QStringLiteral("Final");
        GroupDialog pairs(d.db, d.store);
        QTreeWidget *pairList = pairs.startList();
        QCOMPARE(pairList->topLevelItemCount(), 1);
        QCOMPARE(pairList->topLevelItem(0)->text(GroupDialog::Gender1), QStringLiteral("weiblich"));
        QCOMPARE(pairList->topLevelItem(0)->text(GroupDialog::Gender2), QStringLiteral("männlich"));
        d.db.execute(QStringLiteral("INSERT INTO Athlets ( LastName, FirstName, Gender, Year, NOCCode ) "
                                    "VALUES ( 'Berg', 'Ida', 'Other', 2004, 'NOR' );"));
        pairs.searchNameEdit()->setText(QStringLiteral("Berg"));
        pairs.neuAthletItemDoubleClicked(findItem(pairs.athleteTree(), QStringLiteral("Berg"), 1), 0);
        QCOMPARE(pairList->topLevelItem(1)->text(GroupDialog::Gender1), QStringLiteral("divers"));
        click(&pairs, "okButton");
        QCoreApplication::removeTranslator(&german);
        QCOMPARE(queryRows(d.path,
                           "SELECT LastName1, Gender1, Gender2 FROM Groups WHERE CompetitionName='Pairs' "
                           "AND LastName1 <> '__ws_def_group__' ORDER BY StartOrder;"),
                 QStringList({QStringLiteral("O'Brien|Female|Male"), QStringLiteral("Berg|Other|")}));
    }

    void csvImportDialogPreviewsTenRows()
    {
        QByteArray content = "Name;Club\n";
        for (int i = 1; i <= 15; ++i)
            content += "Athlete " + QByteArray::number(i) + ";Club\n";
        const QString path = file(QStringLiteral("import.csv"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        CsvImportDialog dialog;
        QString offered;
        dialog.setFileChooser([&](QWidget *, const QString &title, const QString &) {
            offered = title;
            return path;
        });
        QPushButton *ok = dialog.buttons()->button(QDialogButtonBox::Ok);
        QVERIFY(!ok->isEnabled());
        dialog.chooseFile();
        QCOMPARE(offered, QStringLiteral("Open"));
        QCOMPARE(dialog.pathLabel()->text(), path);
        // Separator and header are proposed from the file.
        QCOMPARE(dialog.separatorCombo()->currentIndex(), 2);
        QVERIFY(dialog.headerCheckBox()->isChecked());
        QCOMPARE(dialog.previewModel()->rowCount(), 10);
        QCOMPARE(dialog.previewModel()->columnCount(), 2);
        QCOMPARE(dialog.previewModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
        QCOMPARE(dialog.problemsLabel()->text(), QStringLiteral("Encoding: UTF-8"));
        // The operator still decides.
        dialog.headerCheckBox()->setChecked(false);
        QCOMPARE(dialog.previewModel()->index(0, 0).data().toString(), QStringLiteral("Name"));
        dialog.separatorCombo()->setCurrentIndex(0);
        QCOMPARE(dialog.previewModel()->columnCount(), 1);
        dialog.separatorCombo()->setCurrentIndex(2);
        dialog.headerCheckBox()->setChecked(true);
        QCOMPARE(dialog.previewModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
        QCOMPARE(dialog.previewModel()->rowCount(), 10);
        QCOMPARE(dialog.previewView()->model(), dialog.previewModel());
        QVERIFY(ok->isEnabled());
        ok->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.source().path, path);
        QCOMPARE(dialog.source().separator, QLatin1Char(';'));
        QVERIFY(dialog.source().header);

        // A file that cannot be read shows nothing and cannot be taken.
        dialog.setFile(file(QStringLiteral("missing.csv")));
        QVERIFY(dialog.previewView()->model() == nullptr);
        QVERIFY(!ok->isEnabled());
    }

    // Load, Save as, Create and Merge on real files; what fails leaves the
    // current database open and says so.
    void databaseConfigDialogSwitchesOnlyToWorkingFiles()
    {
        Database d(file(QStringLiteral("config-a.db")));
        d.db.execute(QStringLiteral("INSERT INTO Athlets ( LastName ) VALUES ( 'Ng' );"));
        DatabaseConfigDialog dialog(d.db, d.store);
        QSignalSpy changed(&dialog, &DatabaseConfigDialog::databaseChanged);
        QSignalSpy merged(&dialog, &DatabaseConfigDialog::databaseMerged);
        QString answer;
        QStringList titles;
        dialog.setFileChooser([&](bool, const QString &title, const QString &, const QString &filter) {
            titles << title;
            return filter == QStringLiteral("Database (*.db)") ? answer : QString();
        });
        QCOMPARE(dialog.currentFileLabel()->text(), d.path);

        const QString text = file(QStringLiteral("config-text.db"));
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("no database");
        }
        answer = text;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Not an Ovra database")));
        dialog.neuBrowseLoad();
        QCOMPARE(d.db.databasePath(), d.path);
        QVERIFY(dialog.resultLabel()->text().contains(QStringLiteral("is not an Ovra database")));
        QCOMPARE(changed.count(), 0);

        // Cancelled file dialogs do nothing.
        answer.clear();
        dialog.neuBrowseSave();
        QCOMPARE(changed.count(), 0);

        answer = file(QStringLiteral("config-b.db"));
        dialog.neuBrowseSave();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(d.db.databasePath(), answer);
        QCOMPARE(dialog.currentFileLabel()->text(), answer);
        QCOMPARE(queryRows(answer, "SELECT LastName FROM Athlets;"), QStringList(QStringLiteral("Ng")));

        // Save as onto the open file itself is refused.
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("cannot be copied onto itself")));
        dialog.neuBrowseSave();
        QCOMPARE(changed.count(), 1);
        QVERIFY(dialog.resultLabel()->text().contains(QStringLiteral("could not be written")));

        answer = file(QStringLiteral("config-c.db"));
        dialog.tableBox(1)->setChecked(true);
        dialog.neuBrowseCreate();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(d.db.databasePath(), answer);
        QCOMPARE(queryRows(answer, "SELECT COUNT(*) FROM Athlets;"), QStringList(QStringLiteral("0")));

        answer = d.path;
        dialog.neuBrowseMerge();
        QCOMPARE(merged.count(), 1);
        QCOMPARE(d.db.databasePath(), file(QStringLiteral("config-c.db")));
        QCOMPARE(queryRows(d.db.databasePath(), "SELECT LastName FROM Athlets;"),
                 QStringList(QStringLiteral("Ng")));
        QVERIFY(dialog.resultLabel()->text().contains(
            QStringLiteral("Athlets: 1 added, 0 skipped as identical, 0 kept as conflicting")));
        dialog.neuBrowseMerge();
        QVERIFY(dialog.resultLabel()->text().contains(
            QStringLiteral("Athlets: 0 added, 1 skipped as identical, 0 kept as conflicting")));

        answer = d.path;
        dialog.neuBrowseLoad();
        QCOMPARE(changed.count(), 3);
        QCOMPARE(changed.last().at(0).toString(), d.path);
        QCOMPARE(titles.mid(0, 2),
                 QStringList({QStringLiteral("Open Database"), QStringLiteral("Save Database as")}));
        QVERIFY(titles.contains(QStringLiteral("Create Database")));
        QVERIFY(titles.contains(QStringLiteral("Merge Database, Select Source File")));
    }

    void databaseBrowserFiltersAndPicks()
    {
        Database d(file(QStringLiteral("browser.db")));
        const auto measure = [&d](const char *name, const char *last, const char *event) {
            d.store.measurementName = QString::fromUtf8(name);
            d.store.startSelection().athlete1.lastName = QString::fromUtf8(last);
            d.store.startSelection().eventName = QString::fromUtf8(event);
            const char samples[16] = {};
            QVERIFY(d.db.insertMeasure(QDateTime(QDate(2026, 5, 1), QTime(9, 0)), {}, {}, QStringLiteral("h"),
                                       1, samples, 16, QJsonDocument(), QByteArray()));
        };
        measure("m1", "Ng", "Cup 50%");
        measure("m2", "Dubois", "Cup 500");
        DatabaseBrowserDialog dialog(d.db);
        QSignalSpy picked(&dialog, &DatabaseBrowserDialog::read_db);
        QCOMPARE(dialog.fileLabel()->text(), d.path);
        QCOMPARE(dialog.tree()->topLevelItemCount(), 2);
        QCOMPARE(dialog.tree()->headerItem()->text(6), QStringLiteral("FileName"));
        dialog.filterEdit(2)->setText(QStringLiteral("50%"));
        QCOMPARE(dialog.tree()->topLevelItemCount(), 1);
        QCOMPARE(dialog.tree()->topLevelItem(0)->text(1), QStringLiteral("Ng"));
        dialog.typeCombo()->setCurrentIndex(2);
        QCOMPARE(dialog.tree()->topLevelItemCount(), 0);
        dialog.neuClear();
        QCOMPARE(dialog.filterEdit(2)->text(), QString());
        QCOMPARE(dialog.typeCombo()->currentIndex(), 0);
        QCOMPARE(dialog.tree()->topLevelItemCount(), 2);
        QCOMPARE(picked.count(), 0);
        dialog.tree()->setCurrentItem(dialog.tree()->topLevelItem(1));
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.last().at(0).toString(), QStringLiteral("m2"));
    }
};

OVRA_TEST_GUI_MAIN(TestStartListDialogs)
#include "tst_startlistdialogs.moc"
