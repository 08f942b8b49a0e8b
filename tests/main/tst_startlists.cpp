// The start-list choice on a real competition database: the cascade on its
// own, then in the window with the state machine driven by its signals.

#include "AppStartup.h"
#include "DatabaseConfigDialog.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "StartListFixture.h"
#include "StartListSelection.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "state/RoutineAnnouncements.h"
#include "support/TestSupport.h"
#include "util/CsvSource.h"
#include "widgets/CsvWidget.h"
#include "widgets/MetaHighlights.h"
#include "widgets/Popup.h"
#include "widgets/RoutineMetaWidget.h"
#include "wsdb.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStateMachine>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

#include <sqlite3.h>

namespace {

using S = OvraState;
using Meta = QMap<QString, QString>;

QStringList items(const QComboBox &combo)
{
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemText(i);
    return out;
}

QStringList lines(const QListWidget &list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

// The cascade with widgets of its own and a state the test sets.
struct Cascade
{
    wsDaten store;
    wsdb db{store};
    QComboBox event;
    QComboBox competition;
    QComboBox group;
    QListWidget athletes;
    QLabel label;
    int state = S::READY;
    RoutineAnnouncements announcements{store, [this] { return state; }};
    std::unique_ptr<StartListSelection> selection;

    explicit Cascade(const QString &path, bool open = true)
    {
        QFile::remove(path);
        if (open) {
            db.openDatabase(path);
            ovra::test::seedCompetition(db);
        }
        selection = std::make_unique<StartListSelection>(
            db, store, StartListSelection::Widgets{&event, &competition, &group, &athletes, &label},
            announcements);
    }
    Meta routineMeta() { return store.routines().routineMetaInformation; }
    // Event, competition and group by index.
    void choose(int e, int c, int g)
    {
        event.setCurrentIndex(e);
        competition.setCurrentIndex(c);
        group.setCurrentIndex(g);
    }
};

const Meta kMiller = {{"event", "Worlds"},
                      {"competition", "Seniors"},
                      {"group", "Final"},
                      {"lastname", "Miller"},
                      {"firstname", "John"}};

struct Window
{
    std::unique_ptr<OvraDialog> dialog;

    explicit Window(const QString &database, bool clear = true)
    {
        if (clear)
            ovra::test::clearSettings();
        ovra::test::storeDatabaseSetting(database);
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
    Meta routineMeta() { return dialog->daten().routines().routineMetaInformation; }
    void measure(int n)
    {
        for (int i = 0; i < n; ++i) {
            wsDaten::Sample s;
            s.fill(2560);
            dialog->daten().appendSample(s);
        }
    }
    // READY -> START -> ROUTINE -> REVIEW.
    void toReview()
    {
        fire("nextInnerState");
        fire("nextInnerState");
        measure(480);
        fire("nextInnerState");
        QVERIFY(in(S::REVIEW));
    }
};

using ovra::test::queryRows;

} // namespace

class TestStartLists : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    // Event, competition and group fill from the database; an athlete's
    // meta information comes from its start entry, never from the line
    // shown (names may hold ", " and " / ").
    void cascadeFillsAndGivesTheMetaOfTheStartEntry()
    {
        Cascade c(file(QStringLiteral("cascade.db")));
        QSignalSpy upcoming(&c.announcements, &RoutineAnnouncements::upcomingChanged);
        c.selection->refresh();
        QCOMPARE(items(c.event), QStringList({QStringLiteral("Select Event"), QStringLiteral("Worlds"),
                                              QStringLiteral("Coupe d'Europe")}));
        QVERIFY(!c.competition.isEnabled());
        QVERIFY(!c.group.isEnabled());
        c.event.setCurrentIndex(1);
        QCOMPARE(c.store.startSelection().city, QStringLiteral("Baku"));
        QVERIFY(c.competition.isEnabled());
        QVERIFY(!c.group.isEnabled());
        QCOMPARE(items(c.competition), QStringList({QStringLiteral("Select Competition"),
                                                    QStringLiteral("Seniors"), QStringLiteral("Pairs")}));
        c.competition.setCurrentIndex(1);
        QVERIFY(c.group.isEnabled());
        QCOMPARE(c.store.startSelection().genderId, 2);
        QCOMPARE(items(c.group), QStringList({QStringLiteral("Select Group"), QStringLiteral("Final")}));
        c.group.setCurrentIndex(1);
        QCOMPARE(lines(c.athletes),
                 QStringList({QStringLiteral("1: Miller, John 12"), QStringLiteral("2: Smith, Jr., Anna / B"),
                              QStringLiteral("3: Ng")}));

        c.athletes.setCurrentRow(0);
        QCOMPARE(c.label.text(), QStringLiteral("1: Miller, John 12"));
        QCOMPARE(c.announcements.upcoming(), kMiller);
        QCOMPARE(upcoming.last().at(0).value<Meta>(), kMiller);
        QCOMPARE(c.store.startSelection().competitor1No, 12);
        // READY: the routine on screen keeps its own.
        QVERIFY(c.routineMeta().isEmpty());

        c.athletes.setCurrentRow(1);
        Meta meta = c.announcements.upcoming();
        QCOMPARE(meta.value(QStringLiteral("lastname")), QStringLiteral("Smith, Jr."));
        QCOMPARE(meta.value(QStringLiteral("firstname")), QStringLiteral("Anna / B"));
        QVERIFY(!meta.contains(QStringLiteral("lastname1")));
        c.athletes.setCurrentRow(2);
        meta = c.announcements.upcoming();
        QCOMPARE(meta.value(QStringLiteral("lastname")), QStringLiteral("Ng"));
        QVERIFY(!meta.contains(QStringLiteral("firstname")));

        c.competition.setCurrentIndex(2);
        QVERIFY(c.athletes.count() == 0);
        QVERIFY(c.announcements.upcoming().isEmpty());
        c.group.setCurrentIndex(1);
        c.athletes.setCurrentRow(0);
        QCOMPARE(c.announcements.upcoming(), (Meta{{"event", "Worlds"},
                                                   {"competition", "Pairs"},
                                                   {"group", "Final"},
                                                   {"lastname1", "O'Brien"},
                                                   {"firstname1", "Siobhán"},
                                                   {"lastname2", "Müller"},
                                                   {"firstname2", "Jürgen"}}));
        QCOMPARE(c.store.startSelection().athlete2.year, 2001);

        // The placeholder event takes everything below it away.
        c.event.setCurrentIndex(0);
        QVERIFY(!c.competition.isEnabled());
        QVERIFY(!c.group.isEnabled());
        QCOMPARE(c.athletes.count(), 0);
        QVERIFY(c.label.text().isEmpty());
        QVERIFY(c.store.startSelection().eventName.isEmpty());
        QVERIFY(c.store.startSelection().athlete1.lastName.isEmpty());
        QVERIFY(c.announcements.upcoming().isEmpty());
    }

    // What is announced while a routine is under way (START, ROUTINE,
    // REVIEW) is that routine's; in every other state, a loaded file shown
    // or the box missing included, it waits for the next START, and the
    // latest announcement wins.
    void announcementsGoToTheRoutineUnderWayOrUpNext()
    {
        Cascade c(file(QStringLiteral("states.db")));
        c.selection->refresh();
        RoutineAnnouncements &a = c.announcements;
        for (int state = 0; state < 20; ++state) {
            c.state = state;
            const QString name = S::stateName(state);
            const Meta before = c.routineMeta();
            const Meta upNext = a.upcoming();
            a.announce({{"Name", name}}, RoutineAnnouncements::Network);
            const bool underWay = state == S::START || state == S::ROUTINE || state == S::REVIEW;
            QCOMPARE(c.routineMeta(), underWay ? (Meta{{"Name", name}}) : before);
            QCOMPARE(a.upcoming(), underWay ? upNext : (Meta{{"Name", name}}));
        }
        // START makes the upcoming one the routine's; nothing announced
        // since leaves the next routine without an athlete.
        c.state = S::TARA;
        a.announce({{"Name", "A"}}, RoutineAnnouncements::Network);
        a.announce({{"Name", "B"}}, RoutineAnnouncements::Network);
        a.routineStarted();
        QCOMPARE(c.routineMeta(), (Meta{{"Name", "B"}}));
        a.reviewLeft();
        QVERIFY(a.upcoming().isEmpty());
        a.routineStarted();
        QVERIFY(c.routineMeta().isEmpty());
    }

    // Meta information from the network replaces the database athlete: the
    // list's choice goes, and the routine's database row names whom the
    // meta names, with the event, competition and group of the meta.
    void metaFromElsewhereReplacesTheDatabaseAthlete()
    {
        Cascade c(file(QStringLiteral("elsewhere.db")));
        c.selection->refresh();
        c.choose(1, 1, 1);
        c.athletes.setCurrentRow(0);
        StartSelection &s = c.store.startSelection();
        QCOMPARE(s.athlete1.lastName, QStringLiteral("Miller"));
        QCOMPARE(c.announcements.listChoice(), RoutineAnnouncements::DatabaseList);
        // The database athlete's routine is stored with every detail of its
        // start entry.
        c.announcements.routineStarted();
        QCOMPARE(c.store.routineStartEntry().athlete1.year, 1999);
        QCOMPARE(c.store.routineStartEntry().city, QStringLiteral("Baku"));

        c.announcements.announce({{"Name", "Smith"}, {"Club", "TV"}}, RoutineAnnouncements::Network);
        QVERIFY(s.athlete1.lastName.isEmpty());
        QCOMPARE(s.competitor1No, -1);
        QCOMPARE(c.athletes.currentRow(), -1);
        QVERIFY(c.label.text().isEmpty());
        QCOMPARE(s.groupName, QStringLiteral("Final"));
        QCOMPARE(c.announcements.listChoice(), RoutineAnnouncements::NoSource);
        // The database list stays the list in use for the operator's keys.
        QCOMPARE(c.announcements.activeList(), RoutineAnnouncements::DatabaseList);
        QCOMPARE(c.announcements.upcoming(), (Meta{{"Club", "TV"}, {"Name", "Smith"}}));
        const Meta pair{{"lastname1", "Doe"},   {"firstname1", "Jane"}, {"lastname2", "Roe"},
                        {"firstname2", "Rich"}, {"event", "Cup"},       {"Group", "B"}};
        c.announcements.announce(pair, RoutineAnnouncements::Network);
        c.announcements.routineStarted();
        const StartSelection entry = c.store.routineStartEntry();
        QCOMPARE(entry.athlete1.lastName, QStringLiteral("Doe"));
        QCOMPARE(entry.athlete2.firstName, QStringLiteral("Rich"));
        QCOMPARE(entry.eventName, QStringLiteral("Cup"));
        QCOMPARE(entry.groupName, QStringLiteral("B"));
        QVERIFY(entry.competitionName.isEmpty());
        QCOMPARE(entry.athlete1.year, 0);
        // The database box's own choice is not the routine's.
        QCOMPARE(s.eventName, QStringLiteral("Worlds"));

        // Meta naming an entry of the database start list is completed
        // from it, whatever announced it.
        c.announcements.announce({{"event", "Worlds"},
                                  {"competition", "Pairs"},
                                  {"group", "Final"},
                                  {"lastname1", "O'Brien"},
                                  {"firstname1", "Siobhán"},
                                  {"lastname2", "Müller"},
                                  {"firstname2", "Jürgen"}},
                                 RoutineAnnouncements::Network);
        c.announcements.routineStarted();
        const StartSelection pairEntry = c.store.routineStartEntry();
        QCOMPARE(pairEntry.city, QStringLiteral("Baku"));
        QCOMPARE(pairEntry.typeId, 2);
        QCOMPARE(pairEntry.competitor2No, 8);
        QCOMPARE(pairEntry.athlete2.year, 2001);
        QCOMPARE(pairEntry.athlete1.idFig, QStringLiteral("F1"));
        // Ng has no first name; a first name the list does not have is
        // someone else.
        c.announcements.announce(
            {{"event", "Worlds"}, {"competition", "Seniors"}, {"group", "Final"}, {"lastname", "Ng"}},
            RoutineAnnouncements::Network);
        c.announcements.routineStarted();
        QCOMPARE(c.store.routineStartEntry().startOrder, 3);
        c.announcements.announce({{"event", "Worlds"},
                                  {"competition", "Seniors"},
                                  {"group", "Final"},
                                  {"lastname", "Ng"},
                                  {"firstname", "Li"}},
                                 RoutineAnnouncements::Network);
        c.announcements.routineStarted();
        QCOMPARE(c.store.routineStartEntry().startOrder, 0);
        QCOMPARE(c.store.routineStartEntry().athlete1.year, 0);
        QCOMPARE(c.store.routineStartEntry().genderId, 2);
    }

    void browseModeLoadsAMeasureAndTheClearButtonReturns()
    {
        Cascade c(file(QStringLiteral("browse.db")));
        c.selection->refresh();
        c.choose(1, 1, 1);
        c.athletes.setCurrentRow(0);
        c.store.measurementName = QStringLiteral("20260501_100000_0000");
        const char samples[16] = {};
        QVERIFY(c.db.insertMeasure(QDateTime::currentDateTime(), {}, {}, QStringLiteral("h"), 1, samples, 16,
                                   QJsonDocument(), QByteArray()));
        QSignalSpy load(c.selection.get(), &StartListSelection::loadMeasure);
        c.selection->neuAthletDetails();
        QVERIFY(c.selection->browseMeasuresMode());
        QCOMPARE(lines(c.athletes), QStringList(c.store.measurementName));
        QCOMPARE(c.label.text(), QStringLiteral("1: Miller, John 12"));
        c.athletes.setCurrentRow(0);
        QCOMPARE(load.count(), 1);
        QCOMPARE(load.last().at(0).toString(), c.store.measurementName);
        c.selection->neuClearAthlet();
        QVERIFY(!c.selection->browseMeasuresMode());
        QCOMPARE(c.athletes.count(), 3);
        QVERIFY(c.label.text().isEmpty());
    }

    void nextAthleteMovesOnAndStopsAfterTheLast()
    {
        Cascade c(file(QStringLiteral("next.db")));
        c.selection->refresh();
        c.choose(1, 1, 1);
        c.selection->nextAthlete();
        QCOMPARE(c.athletes.currentRow(), -1);
        c.athletes.setCurrentRow(1);
        c.selection->nextAthlete();
        QCOMPARE(c.athletes.currentRow(), 2);
        QCOMPARE(c.announcements.upcoming().value(QStringLiteral("lastname")), QStringLiteral("Ng"));
        c.selection->nextAthlete();
        QCOMPARE(c.athletes.currentRow(), -1);
        QVERIFY(c.store.startSelection().athlete1.lastName.isEmpty());
        QVERIFY(c.announcements.upcoming().isEmpty());
    }

    // A real competition: 60 athletes in a group and in a CSV list. The
    // left column takes its share of a wide window, the lists are in a
    // larger type than the window's and keep the chosen row in view, F3
    // gives the athlete list the arrow keys, and READY warns while a start
    // list is in use and nobody is up next.
    void aSixtyAthleteStartListFitsTheWindow()
    {
        const QString path = file(QStringLiteral("sixty.db"));
        {
            wsDaten store;
            wsdb db(store);
            QFile::remove(path);
            QVERIFY(db.openDatabase(path) && ovra::test::seedCompetition(db));
            QVERIFY(db.execute(QStringLiteral("INSERT INTO Groups ( EventName, CompetitionName, GroupName, "
                                              "LastName1 ) VALUES ( 'Worlds', 'Seniors', 'Qualification', "
                                              "'__ws_def_group__' );")));
            for (int i = 1; i <= 60; ++i) {
                QVERIFY(
                    db.execute(QStringLiteral("INSERT INTO Groups ( EventName, CompetitionName, GroupName, "
                                              "StartOrder, Competitor1No, LastName1, FirstName1, Gender1, "
                                              "Year1, NOCCode1, IDFIG1, Competitor2No, GenderID, TypeID ) "
                                              "VALUES ( 'Worlds', 'Seniors', 'Qualification', ?, ?, ?, "
                                              "'Anna', 'Female', 2001, 'GER', '', -1, 2, 1 );"),
                               {i, 100 + i, QStringLiteral("Athlete%1").arg(i, 2, 10, QLatin1Char('0'))}));
            }
        }
        Window w(path);
        QVERIFY(w.run());
        w.fire("usbConnected");
        w.dialog->resize(1600, 1000);
        QVERIFY(QTest::qWaitForWindowExposed(w.dialog.get()));
        OvraDialogUi &ui = w.ui();
        const QString nobody = QStringLiteral("- No athlete is chosen in the start list");
        QVERIFY(!ui.readyPageLabelWarningText->text().contains(nobody));

        // A third for the lists, the rest for the results.
        QTRY_VERIFY(ui.mainSplitter->widget(0)->width() >= 1600 / 4);
        QVERIFY2(ui.mainSplitter->widget(1)->width() >= 1600 / 2,
                 qPrintable(QString::number(ui.mainSplitter->widget(1)->width())));
        w.ui().CB_event->setCurrentIndex(1);
        w.ui().CB_competition->setCurrentIndex(1);
        const int qualification = ui.CB_group->findText(QStringLiteral("Qualification"));
        QVERIFY(qualification > 0);
        ui.CB_group->setCurrentIndex(qualification);
        QListWidget *athletes = ui.LW_athlets;
        QCOMPARE(athletes->count(), 60);
        QVERIFY(athletes->font().pointSizeF() >= QApplication::font().pointSizeF() * 1.25);
        QTest::qWait(50);
        const int rowHeight = athletes->visualItemRect(athletes->item(0)).height();
        QVERIFY2(athletes->viewport()->height() / rowHeight >= 15,
                 qPrintable(QStringLiteral("%1 rows").arg(athletes->viewport()->height() / rowHeight)));

        const auto inView = [athletes](int row) {
            return athletes->viewport()->rect().contains(athletes->visualItemRect(athletes->item(row)));
        };
        athletes->setCurrentRow(44);
        QVERIFY(inView(44));
        QCOMPARE(w.dialog->routineAnnouncements().upcoming().value(QStringLiteral("lastname")),
                 QStringLiteral("Athlete45"));
        ui.actionNextAthlete->trigger();
        QCOMPARE(athletes->currentRow(), 45);
        QVERIFY(inView(45) && inView(46));
        // F3: the arrow keys move the list, Space still starts the routine.
        QTest::keyClick(w.dialog.get(), Qt::Key_F3);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(athletes));
        QTest::keyClick(athletes, Qt::Key_Down);
        QCOMPARE(athletes->currentRow(), 46);
        QCOMPARE(w.dialog->routineAnnouncements().upcoming().value(QStringLiteral("lastname")),
                 QStringLiteral("Athlete47"));
        QTest::keyClick(athletes, Qt::Key_Space);
        QVERIFY(w.in(S::START));
        QCOMPARE(w.routineMeta().value(QStringLiteral("lastname")), QStringLiteral("Athlete47"));
        QTest::keyClick(w.dialog.get(), Qt::Key_Escape);
        QVERIFY(w.in(S::READY));

        // No athlete chosen while the list is in use: READY warns.
        QVERIFY(!ui.readyPageLabelWarningText->text().contains(nobody));
        ui.TB_clearAthlet->click();
        QTRY_VERIFY(ui.readyPageLabelWarningText->text().contains(nobody));
        QVERIFY(ui.readyPageLabelWarningText->isVisible());
        athletes->setCurrentRow(0);
        QVERIFY(!ui.readyPageLabelWarningText->text().contains(nobody));

        // The same list from a CSV file: every column as wide as its texts,
        // the chosen row in view.
        const QString csv = file(QStringLiteral("sixty.csv"));
        {
            QFile out(csv);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("Start number;Last name;First name;Club;Routine\n");
            for (int i = 1; i <= 60; ++i)
                out.write(QStringLiteral("%1;Athlete%1;Anna;TSV Musterstadt-Nord;Voluntary %2\n")
                              .arg(i)
                              .arg(i % 2 + 1)
                              .toUtf8());
        }
        CsvSource source;
        source.path = csv;
        source.separator = QLatin1Char(';');
        source.header = true;
        w.dialog->importCsv(source);
        CsvWidget &list = w.dialog->csvWidget();
        QTableView *table = list.tableView();
        QCOMPARE(list.model()->rowCount(), 60);
        QVERIFY(table->font().pointSizeF() >= QApplication::font().pointSizeF() * 1.25);
        QTest::qWait(50);
        const QFontMetrics metrics(table->font());
        for (int column = 0; column < list.model()->columnCount(); ++column) {
            const int widest = std::max(
                metrics.horizontalAdvance(list.model()->headerData(column, Qt::Horizontal).toString()),
                metrics.horizontalAdvance(list.model()->index(10, column).data().toString()));
            QVERIFY2(table->horizontalHeader()->sectionSize(column) >= widest,
                     qPrintable(QString::number(column)));
        }
        list.selectRow(49);
        QVERIFY(table->viewport()->rect().contains(table->visualRect(list.model()->index(49, 0))));
        QCOMPARE(w.dialog->routineAnnouncements().upcoming().value(QStringLiteral("Last name")),
                 QStringLiteral("Athlete50"));
        QVERIFY(!ui.readyPageLabelWarningText->text().contains(nobody));
        list.clearSelection();
        QTRY_VERIFY(ui.readyPageLabelWarningText->text().contains(nobody));
    }

    // The settings are loaded before the lists exist: the stored choice is
    // kept until the lists are filled, then applied level by level; while
    // no database is open it is written back unchanged.
    void storedChoiceWaitsForTheLists()
    {
        for (const bool open : {true, false}) {
            Cascade c(file(QStringLiteral("stored.db")), open);
            const std::array<int, 4> stored = {1, 2, 1, 0};
            IndexSelection *targets[] = {&c.selection->eventSelection(), &c.selection->competitionSelection(),
                                         &c.selection->groupSelection(), &c.selection->athleteSelection()};
            for (std::size_t i = 0; i < 4; ++i) {
                QVERIFY(stored[i] < targets[i]->count());
                targets[i]->setCurrentIndex(stored[i]);
            }
            c.selection->refresh();
            QCOMPARE(c.selection->restoredStoredChoice(), open);
            if (open) {
                QCOMPARE(c.event.currentIndex(), 1);
                QCOMPARE(c.competition.currentText(), QStringLiteral("Pairs"));
                QCOMPARE(c.group.currentIndex(), 1);
                QCOMPARE(c.athletes.currentRow(), 0);
                QCOMPARE(c.announcements.upcoming().value(QStringLiteral("lastname2")),
                         QStringLiteral("Müller"));
                QCOMPARE(targets[1]->count(), 3);
            }
            for (std::size_t i = 0; i < 4; ++i)
                QCOMPARE(targets[i]->currentIndex(), stored[i]);
        }
        // An index beyond its list leaves the placeholder and stops there.
        Cascade c(file(QStringLiteral("beyond.db")));
        c.selection->eventSelection().setCurrentIndex(1);
        c.selection->competitionSelection().setCurrentIndex(7);
        c.selection->athleteSelection().setCurrentIndex(0);
        c.selection->refresh();
        QCOMPARE(c.event.currentIndex(), 1);
        QCOMPARE(c.competition.currentIndex(), 0);
        QCOMPARE(c.athletes.count(), 0);
    }

    // The choice made in the window comes back after a restart; with the
    // database missing the stored choice survives the next quit.
    void storedChoiceComesBackAfterARestart()
    {
        const QString path = file(QStringLiteral("restart.db"));
        QVERIFY(ovra::test::writeCompetitionFile(path));
        {
            Window w(path);
            QVERIFY(w.run());
            w.ui().CB_event->setCurrentIndex(1);
            w.ui().CB_competition->setCurrentIndex(1);
            w.ui().CB_group->setCurrentIndex(1);
            w.ui().LW_athlets->setCurrentRow(1);
            w.dialog->quit();
        }
        const auto stored = [] {
            auto storage = OvraSettings::openStorage();
            QList<int> values;
            for (const char *key : {"Structure/EventIdx", "Structure/CompetitionIdx", "Structure/GroupIdx",
                                    "Structure/AthletIdx"})
                values << storage->value(QString::fromLatin1(key)).toInt();
            return values;
        };
        QCOMPARE(stored(), QList<int>({1, 1, 1, 1}));
        {
            Window w(path, false);
            QVERIFY(w.run());
            QCOMPARE(w.ui().CB_event->currentText(), QStringLiteral("Worlds"));
            QCOMPARE(w.ui().CB_competition->currentText(), QStringLiteral("Seniors"));
            QCOMPARE(w.ui().CB_group->currentText(), QStringLiteral("Final"));
            QCOMPARE(w.ui().LW_athlets->currentRow(), 1);
            QCOMPARE(w.ui().LB_athlet->text(), QStringLiteral("2: Smith, Jr., Anna / B"));
            QCOMPARE(w.dialog->daten().startSelection().athlete1.lastName, QStringLiteral("Smith, Jr."));
            // The restored athlete waits for the first routine.
            QCOMPARE(w.dialog->routineAnnouncements().upcoming().value(QStringLiteral("lastname")),
                     QStringLiteral("Smith, Jr."));
            QVERIFY(w.ui().statusRoutineInformationIndicator->isEnabled());
            w.dialog->quit();
        }
        QCOMPARE(stored(), QList<int>({1, 1, 1, 1}));
        {
            Window w(file(QStringLiteral("missing/folder/none.db")), false);
            QVERIFY(w.run());
            QVERIFY(!w.dialog->database().isOpen());
            QCOMPARE(w.ui().CB_event->count(), 1);
            w.dialog->quit();
        }
        QCOMPARE(stored(), QList<int>({1, 1, 1, 1}));
    }

    // Another database file brings its own lists; the choice is kept where
    // the new file has the same names.
    void switchingTheDatabaseRefillsTheLists()
    {
        const QString first = file(QStringLiteral("switch-first.db"));
        const QString second = file(QStringLiteral("switch-second.db"));
        QVERIFY(ovra::test::writeCompetitionFile(first));
        QVERIFY(ovra::test::writeCompetitionFile(second));
        {
            wsDaten store;
            wsdb db(store);
            QVERIFY(db.openDatabase(second));
            db.execute(QStringLiteral("DELETE FROM Events WHERE EventName='Coupe d''Europe';"));
            db.execute(QStringLiteral("DELETE FROM Groups WHERE LastName1='Miller';"));
        }
        Window w(first);
        QVERIFY(w.run());
        w.ui().CB_event->setCurrentIndex(1);
        w.ui().CB_competition->setCurrentIndex(1);
        w.ui().CB_group->setCurrentIndex(1);
        w.ui().LW_athlets->setCurrentRow(2);
        DatabaseConfigDialog &config = w.dialog->databaseConfigDialog();
        QString answer = second;
        config.setFileChooser(
            [&answer](bool, const QString &, const QString &, const QString &) { return answer; });
        config.neuBrowseLoad();
        QCOMPARE(w.dialog->database().databasePath(), second);
        QCOMPARE(w.dialog->settings().databaseFile(), second);
        // In the settings store at once, not only at quit: a crash now still
        // starts on the chosen file.
        QCOMPARE(OvraSettings::openStorage()->value(QStringLiteral("db/dbFile")).toString(),
                 QFileInfo(second).absoluteFilePath());
        QCOMPARE(items(*w.ui().CB_event),
                 QStringList({QStringLiteral("Select Event"), QStringLiteral("Worlds")}));
        QCOMPARE(w.ui().CB_group->currentText(), QStringLiteral("Final"));
        QCOMPARE(lines(*w.ui().LW_athlets),
                 QStringList({QStringLiteral("2: Smith, Jr., Anna / B"), QStringLiteral("3: Ng")}));
        QCOMPARE(w.ui().LW_athlets->currentRow(), 1);
        QCOMPARE(w.ui().LB_athlet->text(), QStringLiteral("3: Ng"));

        answer = file(QStringLiteral("switch-empty.db"));
        config.neuBrowseCreate();
        QCOMPARE(w.dialog->database().databasePath(), answer);
        QCOMPARE(w.ui().CB_event->count(), 1);
        QCOMPARE(w.ui().LW_athlets->count(), 0);
        QVERIFY(w.dialog->daten().startSelection().athlete1.lastName.isEmpty());
    }

    // The routine cycle with a start list: the athlete waits for START,
    // is shown in the review, goes into the database row, and the list
    // moves on after the commit; a CSV row and a database athlete take
    // turns as the source.
    void routineCycleWithTheStartList()
    {
        const QString path = file(QStringLiteral("cycle.db"));
        QVERIFY(ovra::test::writeCompetitionFile(path));
        Window w(path);
        QVERIFY(w.run());
        w.dialog->settings().autoSaveSettings().setDatabaseSave(true);
        w.fire("usbConnected");
        QVERIFY(w.in(S::READY));
        w.ui().CB_event->setCurrentIndex(1);
        w.ui().CB_competition->setCurrentIndex(1);
        w.ui().CB_group->setCurrentIndex(1);
        w.ui().LW_athlets->setCurrentRow(0);
        QVERIFY(w.routineMeta().isEmpty());
        QVERIFY(w.ui().statusRoutineInformationIndicator->isEnabled());
        MetaHighlights &upNext = w.dialog->upcomingRoutineMetaWidget().highlights();
        QCOMPARE(upNext.meta(), kMiller);

        w.toReview();
        QCOMPARE(w.routineMeta(), kMiller);
        // The athlete is highlighted without any configuration; the rest
        // is in the table.
        QCOMPARE(w.dialog->routineMetaWidget().highlights().labels(1)[2]->text(),
                 QStringLiteral("John Miller"));
        QCOMPARE(w.dialog->routineMetaWidget().model()->rowCount(), 3);
        QVERIFY(w.dialog->routineMetaWidget().isVisible());
        // A stored measure cannot replace the routine under review.
        QSignalSpy begin(w.dialog.get(), &OvraDialog::beginLoad);
        w.dialog->getMeasureFromDatabaseSlot(QStringLiteral("anything"));
        QCOMPARE(begin.count(), 0);
        QVERIFY(w.in(S::REVIEW));
        QVERIFY(w.dialog->notificationPopup().text().startsWith(QStringLiteral("Not loaded")));

        w.fire("nextInnerState");
        QVERIFY(w.in(S::READY));
        QCOMPARE(queryRows(path, "SELECT LastName1 || '/' || FirstName1 || '/' || Year1 FROM Measures;"),
                 QStringList(QStringLiteral("Miller/John/1999")));
        // The list moved on; the new athlete waits for the next START.
        QCOMPARE(w.ui().LW_athlets->currentRow(), 1);
        QCOMPARE(w.dialog->routineAnnouncements().upcoming().value(QStringLiteral("lastname")),
                 QStringLiteral("Smith, Jr."));
        QVERIFY(w.ui().statusRoutineInformationIndicator->isEnabled());
        QCOMPARE(w.routineMeta(), kMiller);

        // A CSV row takes over from the database athlete, and back.
        const QString csv = file(QStringLiteral("cycle.csv"));
        {
            QFile f(csv);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\xEF\xBB\xBFName;Club\nRoe;TV\nPoe;SC\n");
        }
        w.dialog->importCsv({csv, QLatin1Char(';'), true});
        CsvWidget &list = w.dialog->csvWidget();
        QVERIFY(list.isVisible());
        list.selectRow(0);
        QCOMPARE(w.ui().LW_athlets->currentRow(), -1);
        QCOMPARE(w.dialog->routineAnnouncements().upcoming(), (Meta{{"Club", "TV"}, {"Name", "Roe"}}));
        w.toReview();
        QCOMPARE(w.routineMeta(), (Meta{{"Club", "TV"}, {"Name", "Roe"}}));
        // A dismissed routine is jumped again: the list stays on Roe.
        w.fire("dismissRoutine");
        QVERIFY(w.in(S::READY));
        QCOMPARE(list.selectedRow(), 0);
        QCOMPARE(w.dialog->routineAnnouncements().upcoming().value(QStringLiteral("Name")),
                 QStringLiteral("Roe"));
        QVERIFY(w.dialog->routineAnnouncements().isRejump());
        w.toReview();
        w.fire("nextInnerState");
        QCOMPARE(list.selectedRow(), 1);
        // No database athlete in the row of a CSV routine.
        QCOMPARE(queryRows(path, "SELECT LastName1 FROM Measures ORDER BY idx;"),
                 QStringList({QStringLiteral("Miller"), QString()}));
        w.ui().LW_athlets->setCurrentRow(2);
        QCOMPARE(list.selectedRow(), -1);
        QCOMPARE(w.dialog->routineAnnouncements().upcoming().value(QStringLiteral("lastname")),
                 QStringLiteral("Ng"));
    }
};

OVRA_TEST_GUI_MAIN(TestStartLists)
#include "tst_startlists.moc"
