#pragma once

#include "history/AthleteHistory.h"
#include "history/ResultsBackfill.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QChartView;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace ovra::history {

class HistoryService;
class HistoryTableModel;
class HeatMapView;

// "Athlete history": every stored routine of an athlete or pair across the
// competitions of the database, as a coach reads it: a table that sorts by
// any column, the totals over time with the personal best and the deltas,
// and where the landings of the chosen routines lie. Opening the window
// scores the routines stored before routines kept their result, in the
// background with a progress bar.
class AthleteHistoryWindow : public QWidget
{
    Q_OBJECT
public:
    enum Column {
        Date,
        Event,
        Competition,
        Group,
        Elements,
        TimeOfFlight,
        HorizontalDisplacement,
        MeanDistance,
        SynchronizedScore,
        Status,
        ColumnCount
    };
    // While the window is shown, the database is looked at this often for
    // routines stored, merged or scored meanwhile.
    static constexpr int kRefreshIntervalMs = 2000;

    // Asks where an export goes; empty: nowhere. Tests answer without a dialog.
    using SavePathAsker =
        std::function<QString(const QString &title, const QString &suggestion, const QString &filter)>;

    AthleteHistoryWindow(HistoryService &service, ResultsBackfill &backfill,
                         ResultsBackfill::ConnectionSource source, QWidget *parent = nullptr);
    ~AthleteHistoryWindow() override;

    void setSavePathAsker(SavePathAsker asker) { m_askSavePath = std::move(asker); }

    // Shows the athlete (or pair) of id; false when the database holds none.
    bool showAthlete(const QString &id);
    QString currentAthlete() const { return m_current; }
    // The routines shown, oldest first.
    const QList<HistoryRoutine> &routines() const { return m_routines; }
    // The heat map of the chosen routines (all when none is chosen).
    QImage heatMapImage() const;

    QLineEdit *searchField() const { return m_search; }
    QListWidget *athleteList() const { return m_athletes; }
    QTableView *table() const { return m_table; }
    QChartView *chartView() const { return m_chart; }
    // Says why there is no chart (no athlete, no routine, one routine).
    QLabel *stateLabel() const { return m_state; }
    QLabel *deltaLabel() const { return m_deltas; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *exportTableButton() const { return m_exportTable; }
    QPushButton *exportChartButton() const { return m_exportChart; }

public Q_SLOTS:
    // Reads the athletes again, keeping the one shown, and scores the
    // routines that wait for their result.
    void refresh();
    // The table as shown (its order), as CSV; true when written.
    bool exportTable(const QString &path);
    // The chart as a PNG picture; true when written.
    bool exportChart(const QString &path);
    // The chosen routine is shown in the main window as a stored measure.
    void openSelectedRoutine();

Q_SIGNALS:
    void openMeasure(QString name, qint64 idx);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void fillAthletes();
    void athleteChosen();
    void selectionChanged();
    void showChart();
    void showDeltas();
    void showHeatMap();
    void backfillProgress(int done, int total);
    void backfillFinished();
    void poll();
    void askAndExportTable();
    void askAndExportChart();
    QList<int> chosenRows() const;

    HistoryService &m_service;
    ResultsBackfill &m_backfill;
    ResultsBackfill::ConnectionSource m_source;
    SavePathAsker m_askSavePath;
    QString m_current;
    QList<HistoryRoutine> m_routines;
    int m_generation = -1;

    QLineEdit *m_search = nullptr;
    QListWidget *m_athletes = nullptr;
    QLabel *m_title = nullptr;
    QTableView *m_table = nullptr;
    HistoryTableModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QChartView *m_chart = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_deltas = nullptr;
    HeatMapView *m_heatMap = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_exportTable = nullptr;
    QPushButton *m_exportChart = nullptr;
    QProgressBar *m_progress = nullptr;
    QTimer *m_poll = nullptr;
};

} // namespace ovra::history
