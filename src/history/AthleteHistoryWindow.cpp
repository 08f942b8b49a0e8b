#include "history/AthleteHistoryWindow.h"

#include "history/HistoryService.h"
#include "statistics/CompetitionStatistics.h"
#include "statistics/LandingHeatMap.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovra::history {

namespace {

QString number(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

// "+0.51", "−1.90", "±0.00".
QString signedNumber(double value, int decimals)
{
    const double rounded = std::round(value * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    if (rounded == 0.0)
        return QStringLiteral("±") + number(0.0, decimals);
    return (rounded > 0 ? QStringLiteral("+") : QStringLiteral("−")) + number(std::abs(rounded), decimals);
}

// Where a figure sits in the table, how it is written, and its name.
struct FigureColumn
{
    Figure figure;
    int decimals;
};

} // namespace

// The routines of one athlete as table rows. Sorting goes by the values
// (Qt::UserRole), a routine without a value first.
class HistoryTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRoutines(const QList<HistoryRoutine> &routines)
    {
        beginResetModel();
        m_routines = routines;
        endResetModel();
    }
    const HistoryRoutine &routine(int row) const { return m_routines.at(row); }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_routines.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : AthleteHistoryWindow::ColumnCount;
    }

    static QString title(int column)
    {
        switch (column) {
        case AthleteHistoryWindow::Date:
            return AthleteHistoryWindow::tr("Date");
        case AthleteHistoryWindow::Event:
            return AthleteHistoryWindow::tr("Event");
        case AthleteHistoryWindow::Competition:
            return AthleteHistoryWindow::tr("Competition");
        case AthleteHistoryWindow::Group:
            return AthleteHistoryWindow::tr("Group");
        case AthleteHistoryWindow::Elements:
            return AthleteHistoryWindow::tr("Elements");
        case AthleteHistoryWindow::TimeOfFlight:
            return AthleteHistoryWindow::tr("Total ToF (s)");
        case AthleteHistoryWindow::HorizontalDisplacement:
            return AthleteHistoryWindow::tr("Total HD");
        case AthleteHistoryWindow::MeanDistance:
            return AthleteHistoryWindow::tr("Mean distance (cm)");
        case AthleteHistoryWindow::SynchronizedScore:
            return AthleteHistoryWindow::tr("Synchronisation");
        case AthleteHistoryWindow::Status:
            return AthleteHistoryWindow::tr("Status");
        default:
            return QString();
        }
    }

    static QString status(const HistoryRoutine &r)
    {
        QStringList parts;
        if (r.ambiguous)
            parts << AthleteHistoryWindow::tr("athlete ambiguous");
        switch (r.result) {
        case ResultState::Scored:
            break;
        case ResultState::NotScored:
            parts << AthleteHistoryWindow::tr("not scored yet");
            break;
        case ResultState::InvalidResult:
            parts << AthleteHistoryWindow::tr("stored result unreadable");
            break;
        case ResultState::NoSamples:
            parts << AthleteHistoryWindow::tr("no samples");
            break;
        }
        return parts.join(QStringLiteral(", "));
    }

    // The cell's value: what sorts, and (written) what is shown.
    static QVariant value(const HistoryRoutine &r, int column)
    {
        const auto optional = [](const std::optional<double> &v) { return v ? QVariant(*v) : QVariant(); };
        switch (column) {
        case AthleteHistoryWindow::Date:
            return r.savedAt.isValid() ? QVariant(r.savedAt) : QVariant();
        case AthleteHistoryWindow::Event:
            return r.event;
        case AthleteHistoryWindow::Competition:
            return r.competition;
        case AthleteHistoryWindow::Group:
            return r.group;
        case AthleteHistoryWindow::Elements:
            return r.result == ResultState::Scored ? QVariant(r.elements) : QVariant();
        case AthleteHistoryWindow::TimeOfFlight:
            return optional(r.timeOfFlight);
        case AthleteHistoryWindow::HorizontalDisplacement:
            return optional(r.horizontalDisplacement);
        case AthleteHistoryWindow::MeanDistance:
            return optional(r.meanDistanceCm);
        case AthleteHistoryWindow::SynchronizedScore:
            return optional(r.synchronizedScore);
        case AthleteHistoryWindow::Status:
            return status(r);
        default:
            return QVariant();
        }
    }

    static QString text(const HistoryRoutine &r, int column)
    {
        const QVariant v = value(r, column);
        if (!v.isValid())
            return QString();
        switch (column) {
        case AthleteHistoryWindow::Date:
            return QLocale().toString(r.savedAt, QLocale::ShortFormat);
        case AthleteHistoryWindow::TimeOfFlight:
        case AthleteHistoryWindow::HorizontalDisplacement:
        case AthleteHistoryWindow::SynchronizedScore:
            return number(v.toDouble(), 2);
        case AthleteHistoryWindow::MeanDistance:
            return number(v.toDouble(), 1);
        default:
            return v.toString();
        }
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return QVariant();
        const HistoryRoutine &r = m_routines.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
            return text(r, index.column());
        case Qt::UserRole: {
            // Missing values sort before every value.
            const QVariant v = value(r, index.column());
            if (!v.isValid())
                return index.column() >= AthleteHistoryWindow::Elements &&
                               index.column() <= AthleteHistoryWindow::SynchronizedScore
                           ? QVariant(-std::numeric_limits<double>::infinity())
                           : QVariant(QString());
            return v;
        }
        case Qt::TextAlignmentRole:
            return index.column() >= AthleteHistoryWindow::Elements &&
                           index.column() <= AthleteHistoryWindow::SynchronizedScore
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ToolTipRole:
            return r.measureName;
        default:
            return QVariant();
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return title(section);
        if (orientation == Qt::Horizontal && role == Qt::ToolTipRole &&
            section == AthleteHistoryWindow::MeanDistance)
            return AthleteHistoryWindow::tr("Mean distance of the routine's landings from the bed centre");
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    QList<HistoryRoutine> m_routines;
};

// The heat map picture, scaled to the space it has.
class HeatMapView : public QWidget
{
public:
    using QWidget::QWidget;
    void setImage(const QImage &image)
    {
        m_image = image;
        update();
    }
    const QImage &image() const { return m_image; }
    QSize sizeHint() const override { return {480, 200}; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_image.isNull())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        const QSize scaled = m_image.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
        painter.drawImage(target, m_image);
    }

private:
    QImage m_image;
};

AthleteHistoryWindow::AthleteHistoryWindow(HistoryService &service, ResultsBackfill &backfill,
                                           ResultsBackfill::ConnectionSource source, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_service(service)
    , m_backfill(backfill)
    , m_source(std::move(source))
    , m_poll(new QTimer(this))
{
    setObjectName(QStringLiteral("AthleteHistoryWindow"));
    setWindowTitle(tr("Athlete history"));
    m_askSavePath = [this](const QString &title, const QString &suggestion, const QString &filter) {
        return QFileDialog::getSaveFileName(this, title, suggestion, filter);
    };

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("historySearch"));
    m_search->setPlaceholderText(tr("Search athletes and pairs"));
    m_search->setClearButtonEnabled(true);
    m_athletes = new QListWidget(this);
    m_athletes->setObjectName(QStringLiteral("historyAthletes"));
    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_search);
    leftLayout->addWidget(m_athletes, 1);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("historyTitle"));
    QFont big = m_title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_title->setFont(big);

    m_model = new HistoryTableModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("historyTable"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(Date, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);

    m_chart = new QChartView(this);
    m_chart->setObjectName(QStringLiteral("historyChart"));
    m_chart->setRenderHint(QPainter::Antialiasing, true);
    m_chart->setMinimumHeight(220);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("historyState"));
    m_state->setAlignment(Qt::AlignCenter);
    m_state->setWordWrap(true);
    m_deltas = new QLabel(this);
    m_deltas->setObjectName(QStringLiteral("historyDeltas"));
    m_deltas->setWordWrap(true);
    m_heatMap = new HeatMapView(this);
    m_heatMap->setObjectName(QStringLiteral("historyHeatMap"));
    m_heatMap->setMinimumHeight(140);

    m_open = new QPushButton(tr("Open routine"), this);
    m_open->setObjectName(QStringLiteral("historyOpen"));
    m_open->setToolTip(tr("Show the chosen routine in the main window as a stored measure"));
    m_exportTable = new QPushButton(tr("Export table (CSV)..."), this);
    m_exportTable->setObjectName(QStringLiteral("historyExportTable"));
    m_exportChart = new QPushButton(tr("Export chart (PNG)..."), this);
    m_exportChart->setObjectName(QStringLiteral("historyExportChart"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addStretch(1);
    buttons->addWidget(m_exportTable);
    buttons->addWidget(m_exportChart);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("historyProgress"));
    m_progress->setFormat(tr("Scoring older routines: %v of %m"));
    m_progress->hide();

    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_title);
    auto *figures = new QSplitter(Qt::Vertical, right);
    figures->addWidget(m_table);
    auto *chartArea = new QWidget(figures);
    auto *chartLayout = new QVBoxLayout(chartArea);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    auto *charts = new QHBoxLayout;
    auto *trend = new QVBoxLayout;
    trend->addWidget(m_chart, 1);
    trend->addWidget(m_state, 1);
    charts->addLayout(trend, 1);
    charts->addWidget(m_heatMap, 1);
    chartLayout->addLayout(charts, 1);
    chartLayout->addWidget(m_deltas);
    figures->addWidget(chartArea);
    figures->setStretchFactor(0, 2);
    figures->setStretchFactor(1, 3);
    rightLayout->addWidget(figures, 1);
    rightLayout->addLayout(buttons);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 4);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addWidget(m_progress);
    resize(1200, 760);

    connect(m_search, &QLineEdit::textChanged, this, &AthleteHistoryWindow::fillAthletes);
    connect(m_athletes, &QListWidget::currentItemChanged, this, &AthleteHistoryWindow::athleteChosen);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AthleteHistoryWindow::selectionChanged);
    connect(m_table, &QTableView::doubleClicked, this, &AthleteHistoryWindow::openSelectedRoutine);
    connect(m_open, &QPushButton::clicked, this, &AthleteHistoryWindow::openSelectedRoutine);
    connect(m_exportTable, &QPushButton::clicked, this, &AthleteHistoryWindow::askAndExportTable);
    connect(m_exportChart, &QPushButton::clicked, this, &AthleteHistoryWindow::askAndExportChart);
    connect(&m_backfill, &ResultsBackfill::progress, this, &AthleteHistoryWindow::backfillProgress);
    connect(&m_backfill, &ResultsBackfill::finished, this, &AthleteHistoryWindow::backfillFinished);
    m_poll->setInterval(kRefreshIntervalMs);
    connect(m_poll, &QTimer::timeout, this, &AthleteHistoryWindow::poll);

    showAthlete(QString());
}

AthleteHistoryWindow::~AthleteHistoryWindow() = default;

void AthleteHistoryWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
    m_poll->start();
}

void AthleteHistoryWindow::hideEvent(QHideEvent *event)
{
    m_poll->stop();
    QWidget::hideEvent(event);
}

void AthleteHistoryWindow::refresh()
{
    fillAthletes();
    if (m_current.isEmpty() || !showAthlete(m_current))
        showAthlete(QString());
    if (!m_backfill.isRunning())
        m_backfill.start(m_source);
    if (m_backfill.isRunning())
        backfillProgress(m_backfill.done(), m_backfill.total());
}

void AthleteHistoryWindow::poll()
{
    m_service.index();
    if (m_service.generation() != m_generation)
        refresh();
}

void AthleteHistoryWindow::fillAthletes()
{
    const AthleteIndex *index = m_service.index();
    m_generation = m_service.generation();
    const QSignalBlocker quiet(m_athletes);
    m_athletes->clear();
    if (!index)
        return;
    for (const Athlete *a : index->search(m_search->text())) {
        QString detail;
        switch (a->kind) {
        case Athlete::Kind::Individual:
            if (!a->figId.isEmpty())
                detail = tr("FIG %1").arg(a->figId);
            else if (a->year > 0)
                detail = tr("born %1").arg(a->year);
            break;
        case Athlete::Kind::Pair:
            detail = tr("pair");
            break;
        case Athlete::Kind::Ambiguous:
            detail = tr("ambiguous: %n athletes of this name", nullptr, a->candidates);
            break;
        }
        QString text = a->name;
        if (!detail.isEmpty())
            text += QStringLiteral(" (") + detail + QLatin1Char(')');
        text += QStringLiteral(" – ") + tr("%n routine(s)", nullptr, int(a->rows.size()));
        auto *item = new QListWidgetItem(text, m_athletes);
        item->setData(Qt::UserRole, a->id);
        if (a->kind == Athlete::Kind::Ambiguous)
            item->setToolTip(
                tr("These routines name an athlete that several athletes in the database could "
                   "be: without a FIG id or year of birth they are not counted for any of them."));
        if (a->id == m_current)
            m_athletes->setCurrentItem(item);
    }
}

void AthleteHistoryWindow::athleteChosen()
{
    const QListWidgetItem *item = m_athletes->currentItem();
    if (item)
        showAthlete(item->data(Qt::UserRole).toString());
}

bool AthleteHistoryWindow::showAthlete(const QString &id)
{
    bool found = false;
    const AthleteIndex *index = m_service.index();
    const Athlete *athlete = index && !id.isEmpty() ? index->find(id) : nullptr;
    const Athlete who = athlete ? *athlete : Athlete();
    m_routines = athlete ? m_service.routines(id, &found) : QList<HistoryRoutine>();
    m_current = found ? id : QString();
    m_model->setRoutines(m_routines);
    if (!found) {
        m_title->setText(QString());
        m_state->setText(!index ? tr("No competition database is open, or its server does not answer.")
                                : (index->athletes().isEmpty()
                                       ? tr("No stored routine names an athlete yet.")
                                       : tr("Choose an athlete or a pair to see every routine stored.")));
    } else {
        QString title = who.name;
        if (who.kind == Athlete::Kind::Ambiguous)
            title += QStringLiteral(" – ") +
                     tr("ambiguous: these routines could belong to any of %n athletes of this name", nullptr,
                        who.candidates);
        m_title->setText(title);
    }
    // Pairs have no time of flight, individuals no synchronisation.
    const bool pair = std::any_of(m_routines.cbegin(), m_routines.cend(),
                                  [](const HistoryRoutine &r) { return r.synchronized; });
    m_table->setColumnHidden(TimeOfFlight, pair);
    m_table->setColumnHidden(SynchronizedScore, !pair);
    m_exportTable->setEnabled(!m_routines.isEmpty());
    showChart();
    selectionChanged();
    return found;
}

QList<int> AthleteHistoryWindow::chosenRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows << m_sorted->mapToSource(index).row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void AthleteHistoryWindow::selectionChanged()
{
    const QList<int> rows = chosenRows();
    m_open->setEnabled(rows.size() == 1 && m_model->routine(rows.first()).result != ResultState::NoSamples);
    showDeltas();
    showHeatMap();
}

void AthleteHistoryWindow::showChart()
{
    const bool pair = std::any_of(m_routines.cbegin(), m_routines.cend(),
                                  [](const HistoryRoutine &r) { return r.synchronized; });
    // Pairs have no time of flight; their synchronisation takes its place.
    const FigureColumn main{pair ? Figure::SynchronizedScore : Figure::TimeOfFlight, 2};
    const FigureColumn second{Figure::HorizontalDisplacement, 2};
    int points = 0;
    for (const HistoryRoutine &r : m_routines) {
        if (figureOf(r, main.figure) && r.savedAt.isValid())
            ++points;
    }
    const bool drawn = points >= 2;
    m_chart->setVisible(drawn);
    m_state->setVisible(!drawn);
    m_exportChart->setEnabled(drawn);
    if (!m_current.isEmpty()) {
        if (m_routines.isEmpty())
            m_state->setText(tr("No routine stored for this athlete."));
        else if (points == 0)
            m_state->setText(tr("No scored routine yet: nothing to draw."));
        else if (points == 1)
            m_state->setText(tr("One routine is not a trend yet: the chart starts with the second scored "
                                "routine."));
    }
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    if (drawn) {
        auto *time = new QDateTimeAxis;
        time->setFormat(QLocale().dateFormat(QLocale::ShortFormat));
        time->setTitleText(tr("Date"));
        chart->addAxis(time, Qt::AlignBottom);
        const auto plot = [&](const FigureColumn &f, const QString &name, const QString &bestName,
                              Qt::Alignment side, const QColor &colour) {
            auto *line = new QLineSeries;
            line->setName(name);
            line->setPointsVisible(true);
            line->setColor(colour);
            auto *best = new QScatterSeries;
            best->setName(bestName);
            best->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            best->setMarkerSize(13.0);
            best->setColor(colour.darker(140));
            const Trend trend = trendOf(m_routines, f.figure);
            double low = std::numeric_limits<double>::max();
            double high = std::numeric_limits<double>::lowest();
            for (int i = 0; i < int(m_routines.size()); ++i) {
                const HistoryRoutine &r = m_routines.at(i);
                const std::optional<double> v = figureOf(r, f.figure);
                if (!v || !r.savedAt.isValid())
                    continue;
                const QPointF p(double(r.savedAt.toMSecsSinceEpoch()), *v);
                line->append(p);
                if (i == trend.best)
                    best->append(p);
                low = std::min(low, *v);
                high = std::max(high, *v);
            }
            chart->addSeries(line);
            chart->addSeries(best);
            auto *axis = new QValueAxis;
            axis->setTitleText(name);
            const double margin = std::max(0.1, (high - low) * 0.1);
            axis->setRange(low - margin, high + margin);
            axis->setLabelFormat(QStringLiteral("%.1f"));
            chart->addAxis(axis, side);
            for (QAbstractSeries *s :
                 {static_cast<QAbstractSeries *>(line), static_cast<QAbstractSeries *>(best)}) {
                s->attachAxis(time);
                s->attachAxis(axis);
            }
        };
        if (pair)
            plot(main, tr("Synchronisation"), tr("Best synchronisation"), Qt::AlignLeft, QColor(30, 90, 200));
        else
            plot(main, tr("Total ToF (s)"), tr("Personal best ToF"), Qt::AlignLeft, QColor(30, 90, 200));
        plot(second, tr("Total HD"), tr("Best HD"), Qt::AlignRight, QColor(0, 150, 60));
        // Room around the first and the last routine, so their marks show whole.
        qint64 first = std::numeric_limits<qint64>::max();
        qint64 last = std::numeric_limits<qint64>::min();
        for (const HistoryRoutine &r : m_routines) {
            if (r.savedAt.isValid() && figureOf(r, main.figure)) {
                first = std::min(first, r.savedAt.toMSecsSinceEpoch());
                last = std::max(last, r.savedAt.toMSecsSinceEpoch());
            }
        }
        const qint64 room = std::max<qint64>((last - first) / 25, 3600 * 1000);
        time->setRange(QDateTime::fromMSecsSinceEpoch(first - room),
                       QDateTime::fromMSecsSinceEpoch(last + room));
    }
    QChart *old = m_chart->chart();
    m_chart->setChart(chart);
    delete old;
}

void AthleteHistoryWindow::showDeltas()
{
    const QList<int> rows = chosenRows();
    const int at = rows.size() == 1 ? rows.first() : -1;
    const bool pair = std::any_of(m_routines.cbegin(), m_routines.cend(),
                                  [](const HistoryRoutine &r) { return r.synchronized; });
    QStringList lines;
    const auto describe = [&](Figure figure, const QString &name, const QString &unit) {
        const Trend t = trendOf(m_routines, figure, at);
        if (!t.value)
            return;
        QString line = name + QStringLiteral(" ") + number(*t.value, 2) + unit + QStringLiteral(": ");
        QStringList parts;
        parts << (t.deltaPrevious ? tr("%1 against the routine before").arg(signedNumber(*t.deltaPrevious, 2))
                                  : tr("no routine before"));
        if (t.deltaBest && *t.deltaBest == 0.0)
            parts << tr("the best so far");
        else if (t.deltaBest)
            parts << tr("%1 against the best (%2%3)")
                         .arg(signedNumber(*t.deltaBest, 2), number(*t.bestValue, 2), unit);
        lines << line + parts.join(QStringLiteral(", "));
    };
    if (pair) {
        describe(Figure::SynchronizedScore, tr("Synchronisation"), QString());
    } else {
        describe(Figure::TimeOfFlight, tr("Total ToF"), tr(" s"));
    }
    describe(Figure::HorizontalDisplacement, tr("Total HD"), QString());
    const QString which = at >= 0 ? tr("Chosen routine") : tr("Latest routine");
    m_deltas->setText(lines.isEmpty()
                          ? QString()
                          : QStringLiteral("<b>%1</b><br>%2").arg(which, lines.join(QStringLiteral("<br>"))));
}

void AthleteHistoryWindow::showHeatMap()
{
    QList<int> rows = chosenRows();
    if (rows.isEmpty()) {
        for (int i = 0; i < int(m_routines.size()); ++i)
            rows << i;
    }
    CompetitionStatistics statistics;
    int landings = 0;
    for (const int row : rows) {
        const HistoryRoutine &r = m_model->routine(row);
        for (const QPointF &p : r.landings1)
            statistics.addLandingTrampOne(p.x(), p.y(), r.savedAt);
        for (const QPointF &p : r.landings2)
            statistics.addLandingTrampTwo(p.x(), p.y(), r.savedAt);
        landings += int(r.landings1.size() + r.landings2.size());
    }
    m_heatMap->setImage(landings > 0 ? statistics::renderHeatMap(statistics) : QImage());
    m_heatMap->setVisible(landings > 0);
}

QImage AthleteHistoryWindow::heatMapImage() const
{
    return m_heatMap->image();
}

void AthleteHistoryWindow::openSelectedRoutine()
{
    const QList<int> rows = chosenRows();
    if (rows.size() != 1)
        return;
    const HistoryRoutine &r = m_model->routine(rows.first());
    if (r.result == ResultState::NoSamples)
        return;
    Q_EMIT openMeasure(r.measureName, r.idx);
}

bool AthleteHistoryWindow::exportTable(const QString &path)
{
    QStringList lines;
    QStringList titles;
    for (int c = 0; c < ColumnCount; ++c) {
        if (!m_table->isColumnHidden(c))
            titles << csvField(HistoryTableModel::title(c));
    }
    titles << csvField(tr("Measure"));
    lines << titles.join(QLatin1Char(','));
    for (int row = 0; row < m_sorted->rowCount(); ++row) {
        const HistoryRoutine &r = m_model->routine(m_sorted->mapToSource(m_sorted->index(row, 0)).row());
        QStringList cells;
        for (int c = 0; c < ColumnCount; ++c) {
            if (m_table->isColumnHidden(c))
                continue;
            const QVariant v = HistoryTableModel::value(r, c);
            // Numbers and dates as other programs read them, whatever the language.
            if (!v.isValid())
                cells << QString();
            else if (c == Date)
                cells << r.savedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            else if (c == MeanDistance)
                cells << QString::number(v.toDouble(), 'f', 1);
            else if (c >= Elements && c <= SynchronizedScore)
                cells << QString::number(v.toDouble());
            else
                cells << csvField(v.toString());
        }
        cells << csvField(r.measureName);
        lines << cells.join(QLatin1Char(','));
    }
    QSaveFile file(path);
    const QByteArray bytes = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qWarning().noquote() << "The history table could not be written to" << path << file.errorString();
        return false;
    }
    return true;
}

bool AthleteHistoryWindow::exportChart(const QString &path)
{
    if (!m_chart->isVisible() && m_chart->chart()->series().isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !m_chart->grab().save(&file, "PNG") || !file.commit()) {
        qWarning().noquote() << "The history chart could not be written to" << path << file.errorString();
        return false;
    }
    return true;
}

void AthleteHistoryWindow::askAndExportTable()
{
    const QString path =
        m_askSavePath(tr("Export table"), m_title->text() + QStringLiteral(".csv"), tr("CSV files (*.csv)"));
    if (!path.isEmpty())
        exportTable(path);
}

void AthleteHistoryWindow::askAndExportChart()
{
    const QString path = m_askSavePath(tr("Export chart"), m_title->text() + QStringLiteral(".png"),
                                       tr("PNG pictures (*.png)"));
    if (!path.isEmpty())
        exportChart(path);
}

void AthleteHistoryWindow::backfillProgress(int done, int total)
{
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_progress->setVisible(done < total);
}

void AthleteHistoryWindow::backfillFinished()
{
    m_progress->hide();
    if (isVisible())
        refresh();
}

} // namespace ovra::history
