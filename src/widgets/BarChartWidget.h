#pragma once

#include "data/DataEnums.h"
#include "data/Landing.h"

#include <QList>
#include <QWidget>

#include <cstddef>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QChart;
class QChartView;
class QScatterSeries;
class QValueAxis;

// The flight times of the landings of the continuous training routine as
// bars, each labelled with its value. When the routine rolls its oldest
// landing out, the bars move one place to the left.
class BarChartWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMinimumCategories = 10;

    explicit BarChartWidget(QWidget *parent = nullptr);
    ~BarChartWidget() override;

    QList<double> values() const { return m_values; }
    QString title() const;
    QStringList categories() const;
    QChart *chart() const { return m_chart; }
    QBarSet *barSet() const { return m_barSet; }
    QScatterSeries *pointSeries() const { return m_points; }

    // "1 landing" or "%1 landings".
    static QString titleFor(int landings);

public Q_SLOTS:
    void setLandingsPerRoutine(int expectedLandingsPerRoutine);
    // Which trampoline's landings are shown (trampoline 2 only in its own
    // individual mode).
    void setTrampMode(data::model::TrampMode trampMode);
    // Flight time in seconds, appended as the newest bar.
    void appendValue(double value);
    // The landing with this routine index: a new one is appended, a known
    // one replaced.
    void setLanding(int index, data::model::Landing landing);
    void updateLandingTrampoline1(std::size_t index, data::model::Landing landing, DataUpdateReason reason);
    void updateLandingTrampoline2(std::size_t index, data::model::Landing landing, DataUpdateReason reason);
    void rollover();
    void clear();

private:
    void rebuild();

    QChartView *m_view = nullptr;
    QChart *m_chart = nullptr;
    QBarSeries *m_bars = nullptr;
    QBarSet *m_barSet = nullptr;
    QScatterSeries *m_points = nullptr;
    QBarCategoryAxis *m_categoryAxis = nullptr;
    QValueAxis *m_valueAxis = nullptr;
    QList<double> m_values;
    int m_landingsPerRoutine = 10;
    int m_shownTrampoline = 0;
};
