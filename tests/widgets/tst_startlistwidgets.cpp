// The CSV start list and the routine meta widgets, on real CSV files.

#include "support/TestSupport.h"
#include "util/CsvSource.h"
#include "widgets/CsvWidget.h"
#include "widgets/MetaHighlights.h"
#include "widgets/PreviousResultWidget.h"
#include "widgets/RoutineMetaWidget.h"

#include <QAction>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>

namespace {

using Meta = QMap<QString, QString>;

QStringList titles(const QStandardItemModel &model)
{
    QStringList out;
    for (int c = 0; c < model.columnCount(); ++c)
        out << model.headerData(c, Qt::Horizontal).toString();
    return out;
}

QStringList row(const QStandardItemModel &model, int r)
{
    QStringList out;
    for (int c = 0; c < model.columnCount(); ++c)
        out << model.index(r, c).data().toString();
    return out;
}

} // namespace

class TestStartListWidgets : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write(content);
        return path;
    }

private Q_SLOTS:
    // What a spreadsheet program writes: a byte-order mark, CRLF lines,
    // trailing separators, blank lines, ragged rows, a separator in quotes.
    void csvFilesAreReadAsWritten()
    {
        const QString path = write(QStringLiteral("list.csv"), "\xEF\xBB\xBFName;Club;\r\n"
                                                               "Miller; Club A ;\r\n"
                                                               "  \t \r\n"
                                                               "\r\n"
                                                               "\"Dubois; L\xC3\xA9\x61\";TV\r\n"
                                                               "Ng\r\n"
                                                               "Smith;SC;extra;more\r\n");
        CsvSource source{path, QLatin1Char(';'), true};
        QStandardItemModel model;
        CsvTable read;
        QVERIFY(source.loadCsv(model, -1, &read));
        QCOMPARE(titles(model), QStringList({QStringLiteral("Name"), QStringLiteral("Club")}));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(row(model, 0), QStringList({QStringLiteral("Miller"), QStringLiteral("Club A")}));
        QCOMPARE(row(model, 1), QStringList({QStringLiteral("Dubois; Léa"), QStringLiteral("TV")}));
        QCOMPARE(row(model, 2), QStringList({QStringLiteral("Ng"), QString()}));
        // A row wider than the header would shift its fields: left out, and said.
        QCOMPARE(read.unreadable.size(), 1);
        QCOMPARE(read.unreadable.first().line, 7);
        QCOMPARE(read.unreadable.first().text, QStringLiteral("Smith;SC;extra;more"));
        QCOMPARE(read.encoding, QStringLiteral("UTF-8 with BOM"));
        QVERIFY(source.loadCsv(model, 2));
        QCOMPARE(model.rowCount(), 2);

        // An empty title becomes its column number; without a header the
        // titles are the numbers and the first row is data.
        source.path = write(QStringLiteral("gaps.csv"), "Name;;Start\nA;B;C\n");
        QVERIFY(source.loadCsv(model, -1));
        QCOMPARE(titles(model),
                 QStringList({QStringLiteral("Name"), QStringLiteral("2"), QStringLiteral("Start")}));
        source.header = false;
        source.separator = CsvSource::separatorForIndex(4);
        source.path = write(QStringLiteral("tabs.csv"), "a\tb\tc\td\n1\t2\n");
        QVERIFY(source.loadCsv(model, -1));
        QCOMPARE(titles(model), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(row(model, 0), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(row(model, 1), QStringList({"1", "2", "", ""}));

        QCOMPARE(CsvSource::separatorForIndex(0), QLatin1Char(','));
        QCOMPARE(CsvSource::separatorForIndex(1), QLatin1Char(':'));
        QCOMPARE(CsvSource::separatorForIndex(3), QLatin1Char('|'));
        QCOMPARE(CsvSource::separatorForIndex(7), QLatin1Char(','));
        source.path = m_dir.filePath(QStringLiteral("missing.csv"));
        QVERIFY(!source.loadCsv(model, -1));
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 0);
    }

    // The CSV a spreadsheet writes on Windows: Windows-1252, semicolons,
    // CRLF, quoted separators, doubled quotes and a quoted line break, an
    // empty last cell, a short row, and two rows that cannot be read. The
    // separator and the header are proposed from the file itself.
    void spreadsheetCsvIsReadWhole()
    {
        const QString path =
            write(QStringLiteral("excel.csv"), "Name;Vorname;Verein;Startnr\r\n"
                                               "M\xfcller;J\xfcrgen;\"SC Magdeburg; Abt. Trampolin\";\r\n"
                                               "\"O\"\"Brien\";Siobh\xe1n;\"TV \"\"Blau-Wei\xdf\"\"\";12\r\n"
                                               "Gro\xdf;\r\n"
                                               "\"Dupont\";\"L\xe9\x61\";\"Club\r\nde Lyon\";7\r\n"
                                               "Bad\"Quote;x;y;z\r\n"
                                               "A;B;C;D;E\r\n"
                                               "\r\n"
                                               "Zeta;Z;\x84Sprungfeder\x93;3\r\n");
        CsvSource source;
        source.path = path;
        const CsvSource::Proposal proposal = source.propose();
        QVERIFY(proposal.opened);
        QCOMPARE(proposal.separator, QLatin1Char(';'));
        QVERIFY(proposal.header);
        QCOMPARE(proposal.encoding, QStringLiteral("Windows-1252"));
        source.separator = proposal.separator;
        source.header = proposal.header;
        const CsvTable table = source.read();
        QVERIFY(table.opened);
        QCOMPARE(table.titles, QStringList({"Name", "Vorname", "Verein", "Startnr"}));
        const QList<QStringList> expected = {
            {QStringLiteral("Müller"),
             QStringLiteral("Jürgen"),
             QStringLiteral("SC Magdeburg; Abt. Trampolin"),
             {}},
            {QStringLiteral("O\"Brien"), QStringLiteral("Siobhán"), QStringLiteral("TV \"Blau-Weiß\""), "12"},
            {QStringLiteral("Groß"), {}, {}, {}},
            {QStringLiteral("Dupont"), QStringLiteral("Léa"), QStringLiteral("Club\nde Lyon"), "7"},
            {QStringLiteral("Zeta"), QStringLiteral("Z"), QStringLiteral("\u201ESprungfeder\u201C"), "3"},
        };
        QCOMPARE(table.rows.size(), expected.size());
        const QList<int> lines = {2, 3, 4, 5, 10};
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(table.rows.at(i).fields, expected.at(i));
            QCOMPARE(table.rows.at(i).line, lines.at(i));
        }
        QCOMPARE(table.unreadable.size(), 2);
        QCOMPARE(table.unreadable.at(0).line, 7);
        QCOMPARE(table.unreadable.at(0).text, QStringLiteral("Bad\"Quote;x;y;z"));
        QCOMPARE(table.unreadable.at(1).line, 8);
        QCOMPARE(table.unreadable.at(1).text, QStringLiteral("A;B;C;D;E"));

        // The same list as LibreOffice writes it (UTF-8 with BOM, commas,
        // LF), with a quote that is never closed: only its line is lost.
        source.path = write(QStringLiteral("calc.csv"), "\xEF\xBB\xBFName,Club,\n"
                                                        "Miller,\"Club A, Section 2\",\n"
                                                        "\"Unclosed,TV\n"
                                                        "Ng,SC\n");
        const CsvSource::Proposal calc = source.propose();
        QCOMPARE(calc.separator, QLatin1Char(','));
        QVERIFY(calc.header);
        source.separator = calc.separator;
        const CsvTable unclosed = source.read();
        QCOMPARE(unclosed.encoding, QStringLiteral("UTF-8 with BOM"));
        QCOMPARE(unclosed.titles, QStringList({"Name", "Club"}));
        QCOMPARE(unclosed.rows.size(), 2);
        QCOMPARE(unclosed.rows.at(0).fields, QStringList({"Miller", "Club A, Section 2"}));
        QCOMPARE(unclosed.rows.at(1).fields, QStringList({"Ng", "SC"}));
        QCOMPARE(unclosed.rows.at(1).line, 4);
        QCOMPARE(unclosed.unreadable.size(), 1);
        QCOMPARE(unclosed.unreadable.first().line, 3);
        QCOMPARE(unclosed.unreadable.first().text, QStringLiteral("\"Unclosed,TV"));

        // A list without a header: numbered columns as wide as the widest row.
        source.path = write(QStringLiteral("plain.csv"), "Miller|1999\nNg|2001|SC\n");
        const CsvSource::Proposal plain = source.propose();
        QCOMPARE(plain.separator, QLatin1Char('|'));
        QVERIFY(!plain.header);
        source.separator = plain.separator;
        source.header = plain.header;
        const CsvTable numbered = source.read();
        QCOMPARE(numbered.titles, QStringList({"1", "2", "3"}));
        QCOMPARE(numbered.rows.at(0).fields, QStringList({"Miller", "1999", ""}));
    }

    // Rows become meta information once each, also after a second import,
    // and the list moves on after every routine.
    void csvWidgetAnnouncesRowsAndMovesOn()
    {
        const QString path =
            write(QStringLiteral("start.csv"), "Name,Club\nMiller,Club A\nNg,TV\nSmith,SC\n");
        CsvWidget widget;
        QSignalSpy meta(&widget, &CsvWidget::receivedRoutineMeta);
        QSignalSpy cleared(&widget, &CsvWidget::clearCsvWidget);
        QSignalSpy import(&widget, &CsvWidget::openImportCsvDialog);
        const CsvSource source{path, QLatin1Char(','), true};
        QVERIFY(widget.loadSource(source));
        QVERIFY(widget.loadSource(source));
        QCOMPARE(widget.model()->rowCount(), 3);

        widget.selectRow(0);
        QCOMPARE(meta.count(), 1);
        QCOMPARE(meta.last().at(0).value<Meta>(), (Meta{{"Club", "Club A"}, {"Name", "Miller"}}));
        widget.next();
        widget.next();
        QCOMPARE(meta.count(), 3);
        QCOMPARE(meta.last().at(0).value<Meta>().value(QStringLiteral("Name")), QStringLiteral("Smith"));
        // Restart after last (on by default).
        widget.next();
        QCOMPARE(widget.selectedRow(), 0);
        QCOMPARE(meta.count(), 4);
        widget.selectRow(2);
        widget.restartAfterLastAction()->setChecked(false);
        meta.clear();
        widget.next();
        QCOMPARE(widget.selectedRow(), -1);
        QCOMPARE(meta.count(), 0);
        // Nothing selected or not proceeding: nothing happens.
        widget.next();
        QCOMPARE(widget.selectedRow(), -1);
        widget.selectRow(0);
        widget.automaticallyProceedAction()->setChecked(false);
        widget.next();
        QCOMPARE(widget.selectedRow(), 0);

        // A list of one row announces its row again for the next routine.
        widget.automaticallyProceedAction()->setChecked(true);
        widget.restartAfterLastAction()->setChecked(true);
        QVERIFY(
            widget.loadSource({write(QStringLiteral("one.csv"), "Name\nSolo\n"), QLatin1Char(','), true}));
        widget.selectRow(0);
        meta.clear();
        widget.next();
        QCOMPARE(meta.count(), 1);
        QCOMPARE(meta.last().at(0).value<Meta>(), (Meta{{"Name", "Solo"}}));

        // The context menu.
        const QList<QAction *> actions = widget.actions();
        QCOMPARE(actions.size(), 5);
        QCOMPARE(actions[0]->text(), QStringLiteral("Open CSV import dialog"));
        QCOMPARE(actions[4]->text(), QStringLiteral("Deselect"));
        actions[0]->trigger();
        QCOMPARE(import.count(), 1);
        actions[4]->trigger();
        QCOMPARE(widget.selectedRow(), -1);
        actions[1]->trigger();
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(widget.model()->rowCount(), 0);

        QTableView *view = widget.tableView();
        QCOMPARE(view->focusPolicy(), Qt::NoFocus);
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    }

    void routineMetaWidgetsShareTheirHighlights()
    {
        RoutineMetaWidget current;
        UpcomingRoutineMetaWidget upcoming;
        PreviousResultWidget previous;
        // The ring the main window wires.
        connect(&current, &RoutineMetaWidget::sendHighlightKeys, &upcoming,
                &UpcomingRoutineMetaWidget::receiveHighlightKeys);
        connect(&current, &RoutineMetaWidget::sendHighlightKeys, &previous,
                &PreviousResultWidget::receiveHighlightKeys);
        connect(&upcoming, &UpcomingRoutineMetaWidget::sendHighlightKeys, &current,
                &RoutineMetaWidget::receiveHighlightKeys);
        connect(&upcoming, &UpcomingRoutineMetaWidget::sendHighlightKeys, &previous,
                &PreviousResultWidget::receiveHighlightKeys);
        connect(&previous, &PreviousResultWidget::sendHighlightKeys, &current,
                &RoutineMetaWidget::receiveHighlightKeys);
        connect(&previous, &PreviousResultWidget::sendHighlightKeys, &upcoming,
                &UpcomingRoutineMetaWidget::receiveHighlightKeys);
        QSignalSpy currentKeys(&current, &RoutineMetaWidget::sendHighlightKeys);
        QSignalSpy clear(&current, &RoutineMetaWidget::clearRoutineMeta);

        // Empty: one row of two empty cells, no labels, no menu.
        RoutineMetaTableModel *model = current.model();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->columnCount(), 2);
        QCOMPARE(model->index(0, 0).data().toString(), QString());
        QVERIFY(current.highlights().createMenu(&current) == nullptr);
        QCOMPARE(upcoming.captionLabel()->text(), QStringLiteral("up next:"));

        const Meta meta{{"club", "TV Nord"}, {"firstname", "Ann"}, {"lastname", "Example"}};
        current.setRoutineMeta(meta);
        upcoming.setRoutineMeta(meta);
        previous.setRoutineMeta(meta);
        // Without any choice area 1 shows who jumps, in all three, and the
        // names leave the table; a pair is shown as one.
        for (const auto &labels :
             {current.highlights().labels(1), upcoming.highlights().labels(1), previous.highlightLabels(1)}) {
            QCOMPARE(labels[1]->text(), QStringLiteral("Athlete"));
            QCOMPARE(labels[2]->text(), QStringLiteral("Ann Example"));
        }
        QCOMPARE(current.highlights().labels(2)[1]->text(), QStringLiteral("Info 2"));
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("TV Nord"));
        upcoming.setRoutineMeta({{"lastname1", "O'Brien"},
                                 {"firstname1", "Siobhán"},
                                 {"lastname2", "Müller"},
                                 {"firstname2", "Jürgen"}});
        QCOMPARE(upcoming.highlights().labels(1)[1]->text(), QStringLiteral("Pair"));
        QCOMPARE(upcoming.highlights().labels(1)[2]->text(),
                 QStringLiteral("Siobhán O'Brien / Jürgen Müller"));
        upcoming.setAnnouncement(meta, true);
        QVERIFY(!upcoming.rejumpLabel()->isHidden());
        upcoming.setRoutineMeta(meta);
        QVERIFY(upcoming.rejumpLabel()->isHidden());

        // No highlighted key in the map: every entry in the table.
        current.receiveHighlightKeys(QStringLiteral("Info 1"), QStringLiteral("Info 2"));
        QCOMPARE(current.highlights().labels(1)[1]->text(), QStringLiteral("Info 1"));
        QCOMPARE(current.highlights().labels(1)[2]->text(), QString());
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("lastname"));
        QCOMPARE(model->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(232, 232, 232));
        QCOMPARE(model->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(248, 248, 248));
        QCOMPARE(model->index(0, 1).data(Qt::FontRole).value<QFont>().pointSize(), 12);
        QVERIFY(!model->index(0, 2).data().isValid());
        QVERIFY(!model->index(0, 0).data(Qt::ToolTipRole).isValid());

        // Choosing a key in the upcoming widget reaches all three at once;
        // the highlighted entries leave the table.
        upcoming.highlights().choose(1, QStringLiteral("lastname"));
        current.highlights().choose(2, QStringLiteral("club"));
        QCOMPARE(currentKeys.count(), 1);
        for (MetaHighlights *h : {&current.highlights(), &upcoming.highlights()}) {
            QCOMPARE(h->labels(1)[2]->text(), QStringLiteral("Example"));
            QCOMPARE(h->labels(2)[2]->text(), QStringLiteral("TV Nord"));
        }
        QCOMPARE(previous.highlightKey(1), QStringLiteral("lastname"));
        QCOMPARE(previous.highlightLabels(2)[2]->text(), QStringLiteral("TV Nord"));
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Ann"));

        // "highlight nothing" in area 2 shows the placeholder.
        previous.chooseHighlight(2, QString());
        QCOMPARE(current.highlights().labels(2)[1]->text(), QStringLiteral("Info 2"));
        QCOMPARE(current.highlights().labels(2)[2]->text(), QString());
        QCOMPARE(model->rowCount(), 2);

        std::unique_ptr<QMenu> menu(current.highlights().createMenu(&current));
        QCOMPARE(menu->actions().size(), 6);
        QCOMPARE(menu->actions()[2]->text(), QStringLiteral("Athlete or pair"));
        QCOMPARE(menu->actions()[5]->text(), QStringLiteral("lastname"));

        // The table's own menu clears the routine's information.
        QCOMPARE(current.tableView()->actions().size(), 1);
        QCOMPARE(current.tableView()->actions()[0]->text(), QStringLiteral("Clear information"));
        current.tableView()->actions()[0]->trigger();
        QCOMPARE(clear.count(), 1);

        upcoming.clear();
        QCOMPARE(upcoming.highlights().labels(1)[0]->text(), QString());
        QVERIFY(upcoming.highlights().meta().isEmpty());
        current.setRoutineMeta({});
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(current.highlights().labels(2)[1]->text(), QString());
    }
};

OVRA_TEST_GUI_MAIN(TestStartListWidgets)
#include "tst_startlistwidgets.moc"
