#include "widgets/BarChartWidget.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

BarChartWidget::BarChartWidget(QWidget *parent)
    : QWidget(parent)
    , m_chart(new QChart)
{
    setObjectName(QStringLiteral("barChartWidget"));
    m_barSet = new QBarSet(tr("ToF"));
    m_barSet->setColor(QColor(50, 100, 200));
    m_barSet->setBorderColor(QColor(50, 100, 200));
    m_bars = new QBarSeries;
    m_bars->append(m_barSet);
    m_points = new QScatterSeries;
    m_points->setName(tr("ToF"));
    m_points->setMarkerSize(6.0);
    m_points->setColor(QColor(20, 40, 90));
    m_points->setPointLabelsVisible(true);
    m_points->setPointLabelsFormat(QStringLiteral("@yPoint"));
    m_points->setPointLabelsClipping(false);

    m_chart->addSeries(m_bars);
    m_chart->addSeries(m_points);
    m_categoryAxis = new QBarCategoryAxis;
    m_valueAxis = new QValueAxis;
    m_valueAxis->setLabelFormat(QStringLiteral("%.1f"));
    m_chart->addAxis(m_categoryAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    for (QAbstractSeries *series : {static_cast<QAbstractSeries *>(m_bars),
                                    static_cast<QAbstractSeries *>(m_points)}) {
        series->attachAxis(m_categoryAxis);
        series->attachAxis(m_valueAxis);
    }
    m_chart->legend()->hide();
    m_chart->setAnimationOptions(QChart::NoAnimation);

    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    setLandingsPerRoutine(m_landingsPerRoutine);
    rebuild();
}

BarChartWidget::~BarChartWidget() = default;

QString BarChartWidget::titleFor(int landings)
{
    return landings == 1 ? tr("1 landing") : tr("%1 landings").arg(landings);
}

QString BarChartWidget::title() const
{
    return m_chart->title();
}

QStringList BarChartWidget::categories() const
{
    return m_categoryAxis->categories();
}

void BarChartWidget::setLandingsPerRoutine(int expectedLandingsPerRoutine)
{
    m_landingsPerRoutine = expectedLandingsPerRoutine;
    m_chart->setTitle(titleFor(expectedLandingsPerRoutine));
    rebuild();
}

void BarChartWidget::setTrampMode(data::model::TrampMode trampMode)
{
    m_shownTrampoline = trampMode == data::model::TrampMode::Trampoline2 ? 1 : 0;
}

void BarChartWidget::appendValue(double value)
{
    m_values.append(value);
    rebuild();
}

void BarChartWidget::setLanding(int index, data::model::Landing landing)
{
    if (index < 0)
        return;
    // Divided rather than scaled by 0.001, so 1230 ms reads exactly 1.23.
    const double value = std::max(0, landing.timeOfFlight) / 1000.0;
    if (index < m_values.size()) {
        m_values[index] = value;
        rebuild();
    } else {
        appendValue(value);
    }
}

void BarChartWidget::updateLandingTrampoline1(std::size_t index, data::model::Landing landing,
                                              DataUpdateReason reason)
{
    Q_UNUSED(reason);
    if (m_shownTrampoline == 0)
        setLanding(static_cast<int>(std::min<std::size_t>(index, 1000)), landing);
}

void BarChartWidget::updateLandingTrampoline2(std::size_t index, data::model::Landing landing,
                                              DataUpdateReason reason)
{
    Q_UNUSED(reason);
    if (m_shownTrampoline == 1)
        setLanding(static_cast<int>(std::min<std::size_t>(index, 1000)), landing);
}

void BarChartWidget::rollover()
{
    if (m_values.isEmpty())
        return;
    m_values.removeFirst();
    rebuild();
}

void BarChartWidget::clear()
{
    m_values.clear();
    rebuild();
}

void BarChartWidget::rebuild()
{
    const int count = static_cast<int>(m_values.size());
    const int categoryCount = std::max({kMinimumCategories, m_landingsPerRoutine, count});
    QStringList categories;
    for (int i = 1; i <= categoryCount; ++i)
        categories << QString::number(i);
    if (m_categoryAxis->categories() != categories) {
        m_categoryAxis->setCategories(categories);
    }

    // The bar set is rewritten as a whole: a handful of bars, and a rollover
    // moves every one of them.
    if (m_barSet->count() > 0)
        m_barSet->remove(0, m_barSet->count());
    QList<QPointF> points;
    double largest = 0.0;
    for (int i = 0; i < count; ++i) {
        m_barSet->append(m_values[i]);
        points.append(QPointF(i, m_values[i]));
        largest = std::max(largest, m_values[i]);
    }
    m_points->replace(points);
    m_valueAxis->setRange(0.0, std::max(2.0, largest * 1.2));
}
