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
    // trailing separators, blank lines, ragged rows, quotes that mean
    // nothing.
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
        QVERIFY(source.loadCsv(model, -1));
        QCOMPARE(titles(model), QStringList({QStringLiteral("Name"), QStringLiteral("Club")}));
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(row(model, 0), QStringList({QStringLiteral("Miller"), QStringLiteral("Club A")}));
        // A separator inside quotes separates as any other.
        QCOMPARE(row(model, 1), QStringList({QStringLiteral("\"Dubois"), QStringLiteral("Léa\"")}));
        QCOMPARE(row(model, 2), QStringList({QStringLiteral("Ng"), QString()}));
        QCOMPARE(row(model, 3), QStringList({QStringLiteral("Smith"), QStringLiteral("SC")}));
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
        // No highlighted key in the map: every entry in the table.
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
        QCOMPARE(menu->actions().size(), 5);
        QCOMPARE(menu->actions()[4]->text(), QStringLiteral("lastname"));

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
