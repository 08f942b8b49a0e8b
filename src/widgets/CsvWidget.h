#pragma once

#include <QMap>
#include <QString>
#include <QWidget>

class QAction;
class QItemSelection;
class QLabel;
class QStandardItemModel;
class QTableView;
struct CsvSource;
struct CsvTable;

// The "Starting List" table of a CSV start list in the main window. Selecting
// a row turns it into routine meta information (column title -> cell text);
// after each committed or dismissed routine the controller moves it on to
// the next row.
class CsvWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CsvWidget(QWidget *parent = nullptr);

    // Reads the whole file into the table; false (table empty) when the file
    // cannot be opened. read receives what was read, unreadable rows included.
    bool loadSource(const CsvSource &source, CsvTable *read = nullptr);

    QTableView *tableView() const { return m_tableView; }
    QStandardItemModel *model() const { return m_model; }
    QAction *automaticallyProceedAction() const { return m_automaticallyProceed; }
    QAction *restartAfterLastAction() const { return m_restartAfterLast; }
    // The selected row, -1 when none is.
    int selectedRow() const;
    void selectRow(int row);
    // The operator's keys: the row step rows down (1) or up (-1), within the
    // list; without a selected row one down is the first.
    void step(int step);

Q_SIGNALS:
    void openImportCsvDialog();
    void clearCsvWidget();
    void receivedRoutineMeta(QMap<QString, QString> routineMeta);
    // No row is selected any more (deselected, list cleared or replaced).
    void rowDeselected();

public Q_SLOTS:
    void clear();
    void next();
    void clearSelection();
    void csvTableViewSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected);

private:
    void emitSelectedRow();

    QStandardItemModel *m_model = nullptr;
    QTableView *m_tableView = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_hintLabel = nullptr;
    QAction *m_automaticallyProceed = nullptr;
    QAction *m_restartAfterLast = nullptr;
};
