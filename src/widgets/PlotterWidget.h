#pragma once

#include "widgets/ForceSampleSource.h"
#include "widgets/PlotterScale.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <span>
#include <vector>

class QAction;
class QMenu;

namespace widget::plot {

// One sample of one trampoline: the four sensor forces in whole newtons
// (within the 16 bits of a raw value), which is finer than any plot shows.
// A 1000 s measurement of both beds takes 16 MB.
struct PlotPoint
{
    std::array<qint16, 4> sensor{};
    int total() const { return sensor[0] + sensor[1] + sensor[2] + sensor[3]; }
};

} // namespace widget::plot

// Force over time of the current measurement: the total force of each
// trampoline, on request the four sensor forces, and the routine window as a
// band. Everything is painted into a pixmap; new samples only add the newest
// stretch every 50 points, the whole picture is painted on rescaling,
// resizing and flag changes.
class PlotterWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPartialRedrawPoints = 50;
    // The longest measurement the store keeps, in samples.
    static constexpr std::size_t kReservedPoints = 1000800;

    explicit PlotterWidget(QWidget *parent = nullptr);
    ~PlotterWidget() override;

    // Appends the n newest samples of the store, oldest first.
    void appendSamples(const widget::plot::ForceSampleSource &store, int n);
    // Appends samples handed over as values, oldest first.
    void appendSamples(std::span<const widget::plot::ChannelForces> samples);

    const std::vector<widget::plot::PlotPoint> &points(int trampoline) const;
    widget::plot::PlotScale scale() const { return m_scale; }
    bool tramp1Active() const { return m_trampActive[0]; }
    bool tramp2Active() const { return m_trampActive[1]; }
    bool individualForces() const { return m_individualForces; }
    bool scaleAutomatically() const { return m_scaleAutomatically; }
    int exerciseStartTime() const { return m_exerciseStart; }
    int exerciseEndTime() const { return m_exerciseEnd; }
    int exerciseStartTimeFix() const { return m_exerciseStartFix; }
    int exerciseEndTimeFix() const { return m_exerciseEndFix; }

    // The picture as it will be shown, the area the curves are drawn in, and
    // how often it was painted in part or in full.
    const QPixmap &pixmap() const { return m_pixmap; }
    QRectF plotArea() const;
    int partialRedraws() const { return m_partialRedraws; }
    int fullRedraws() const { return m_fullRedraws; }

    QMenu *contextMenu() const { return m_contextMenu; }
    QAction *scaleAutomaticallyAction() const { return m_scaleAction; }
    QAction *drawIndividualForcesAction() const { return m_individualAction; }

public Q_SLOTS:
    void clear();
    void resetScale();
    void autoScale();
    void drawIndividualForces(const bool draw);
    void setScaleAutomatically(bool automatic);
    void setTramp1Active(bool active);
    void setTramp2Active(bool active);
    void setExerciseStartTime(int startTime);
    void setExerciseEndTime(int endTime);
    void setExerciseStartTimeFix(int startTimeFix);
    void setExerciseEndTimeFix(int endTimeFix);
    // Paints the whole picture with every point received, including the
    // stretch of fewer than 50 points not yet drawn (when a routine ends or
    // a file has been loaded).
    void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void appendPoint(const widget::plot::ChannelForces &forces);
    void applyScale(const widget::plot::PlotScale &scale);
    void extendTimeAxis();
    widget::plot::ForceExtent shownExtent() const;
    void redrawAll();
    void redrawStretch(std::size_t first, std::size_t end);
    void drawBand(QPainter &painter, const QRectF &area, double fromSample, double toSample) const;
    void drawGrid(QPainter &painter, const QRectF &area) const;
    void drawSeries(QPainter &painter, const QRectF &area, int trampoline, int component,
                    std::size_t first, std::size_t end, bool decimate) const;
    void drawLegend(QPainter &painter, const QRectF &area) const;
    double xFor(const QRectF &area, double sample) const;
    double yFor(const QRectF &area, double force) const;

    std::array<std::vector<widget::plot::PlotPoint>, 2> m_points;
    std::array<widget::plot::ForceExtent, 2> m_extent;
    widget::plot::PlotScale m_scale;
    // Seconds added to the time axis since the last reset or autoScale.
    double m_timeExtensionTotal = 0.0;
    std::array<bool, 2> m_trampActive{true, true};
    bool m_individualForces = false;
    bool m_scaleAutomatically = true;
    int m_exerciseStart = -1;
    int m_exerciseEnd = -1;
    int m_exerciseStartFix = -1;
    int m_exerciseEndFix = -1;
    std::size_t m_lastPartialRedraw = 0;
    int m_partialRedraws = 0;
    int m_fullRedraws = 0;
    QPixmap m_pixmap;
    QMenu *m_contextMenu = nullptr;
    QAction *m_scaleAction = nullptr;
    QAction *m_individualAction = nullptr;
};
