#include "widgets/PlotterWidget.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDebug>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

using widget::plot::ChannelForces;
using widget::plot::ForceExtent;
using widget::plot::PlotPoint;
using widget::plot::PlotScale;

namespace {

constexpr double kMarginLeft = 52.0;
constexpr double kMarginRight = 12.0;
constexpr double kMarginTop = 8.0;
constexpr double kMarginBottom = 22.0;
const QColor kBackground(248, 248, 248);
const QColor kBand(255, 255, 0, 100);
const QColor kGrid(210, 210, 210);
const QColor kFixMarker(230, 140, 0);
// Component 4 is the total, 0 to 3 the sensors.
constexpr int kTotal = 4;

QColor curveColour(int trampoline, int component)
{
    static const std::array<std::array<QColor, 5>, 2> colours{{
        {QColor(0, 170, 220), QColor(0, 150, 90), QColor(140, 80, 200), QColor(220, 120, 0),
         QColor(0, 60, 190)},
        {QColor(230, 90, 120), QColor(120, 160, 0), QColor(160, 100, 60), QColor(90, 90, 90),
         QColor(200, 30, 30)},
    }};
    return colours[static_cast<std::size_t>(trampoline)][static_cast<std::size_t>(component)];
}

float componentOf(const PlotPoint &point, int component)
{
    return static_cast<float>(component == kTotal ? point.total() : point.sensor[static_cast<std::size_t>(component)]);
}

qint16 wholeNewtons(double force)
{
    return std::isfinite(force) ? static_cast<qint16>(std::clamp(std::round(force), -32768.0, 32767.0)) : qint16(0);
}

} // namespace

PlotterWidget::PlotterWidget(QWidget *parent)
    : QWidget(parent)
    , m_scale(widget::plot::defaultScale())
{
    setObjectName(QStringLiteral("plotterWidget"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);

    m_contextMenu = new QMenu(this);
    m_scaleAction = m_contextMenu->addAction(tr("scale automatically"));
    m_scaleAction->setCheckable(true);
    m_scaleAction->setChecked(m_scaleAutomatically);
    connect(m_scaleAction, &QAction::toggled, this, &PlotterWidget::setScaleAutomatically);
    m_individualAction = m_contextMenu->addAction(tr("draw individual forces"));
    m_individualAction->setCheckable(true);
    m_individualAction->setChecked(m_individualForces);
    connect(m_individualAction, &QAction::toggled, this, &PlotterWidget::drawIndividualForces);
}

PlotterWidget::~PlotterWidget() = default;

const std::vector<PlotPoint> &PlotterWidget::points(int trampoline) const
{
    Q_ASSERT(trampoline == 0 || trampoline == 1);
    return m_points[trampoline == 1 ? 1 : 0];
}

void PlotterWidget::appendSamples(const widget::plot::ForceSampleSource &store, int n)
{
    const int count = store.sampleCount();
    n = std::clamp(n, 0, std::max(count, 0));
    for (int i = count - n; i < count; ++i)
        appendPoint(store.forces(i));
}

void PlotterWidget::appendSamples(std::span<const ChannelForces> samples)
{
    for (const ChannelForces &forces : samples)
        appendPoint(forces);
}

void PlotterWidget::appendPoint(const ChannelForces &forces)
{
    if (m_points[0].capacity() == 0) {
        // Room for a whole measurement at once: growing by copying would stall
        // a block for tens of milliseconds at every doubling. Pages are only
        // committed as the points arrive.
        for (auto &list : m_points)
            list.reserve(kReservedPoints);
    }
    for (std::size_t t = 0; t < 2; ++t) {
        PlotPoint point;
        for (std::size_t s = 0; s < 4; ++s) {
            point.sensor[s] = wholeNewtons(forces[t * 4 + s]);
            m_extent[t].include(point.sensor[s]);
        }
        m_extent[t].include(point.total());
        m_points[t].push_back(point);
    }

    const std::size_t count = m_points[0].size();
    bool rescaled = false;
    if (m_scale.time.maximum < static_cast<double>(count) / widget::plot::kSamplesPerSecond) {
        extendTimeAxis();
        rescaled = true;
    } else if (m_scaleAutomatically && count > widget::plot::kMinimumAutoScalePoints) {
        // A force beyond the shown range widens the axis at once; the range
        // never narrows while the measurement runs.
        const widget::plot::AxisRange fitted =
            widget::plot::autoScaleFor(count, shownExtent()).force;
        if (fitted.minimum < m_scale.force.minimum || fitted.maximum > m_scale.force.maximum) {
            autoScale();
            rescaled = true;
        }
    }
    if (rescaled)
        return;
    if (count >= m_lastPartialRedraw + kPartialRedrawPoints) {
        redrawStretch(m_lastPartialRedraw, count);
        m_lastPartialRedraw = count;
    }
}

void PlotterWidget::extendTimeAxis()
{
    const double duration = static_cast<double>(m_points[0].size()) / widget::plot::kSamplesPerSecond;
    PlotScale scale = m_scale;
    // The axis grows in steps of 20 s; autoScale may choose a rounder end
    // from its table, but never one the measurement already outran.
    while (scale.time.maximum < duration) {
        scale.time.maximum += widget::plot::kTimeExtensionSeconds;
        m_timeExtensionTotal += widget::plot::kTimeExtensionSeconds;
    }
    if (m_scaleAutomatically) {
        const PlotScale fitted = widget::plot::autoScaleFor(m_points[0].size(), shownExtent());
        if (fitted.time.maximum >= duration)
            scale.time.maximum = fitted.time.maximum;
        scale.force = fitted.force;
    }
    scale.time.tick = widget::plot::timeTickFor(scale.time.maximum);
    applyScale(scale);
}

ForceExtent PlotterWidget::shownExtent() const
{
    ForceExtent extent;
    for (std::size_t t = 0; t < 2; ++t) {
        if (m_trampActive[t])
            extent.include(m_extent[t]);
    }
    return extent;
}

void PlotterWidget::clear()
{
    qDebug() << "Resetting plotter widget data";
    for (auto &list : m_points) {
        list.clear();
        list.shrink_to_fit();
    }
    m_extent = {};
    m_exerciseStart = m_exerciseEnd = m_exerciseStartFix = m_exerciseEndFix = -1;
    m_lastPartialRedraw = 0;
    m_timeExtensionTotal = 0.0;
    // A new measurement starts on the default axes, not on those the last
    // (perhaps much longer) one grew to.
    if (m_scaleAutomatically)
        autoScale();
    else
        redrawAll();
}

void PlotterWidget::resetScale()
{
    m_timeExtensionTotal = 0.0;
    applyScale(widget::plot::defaultScale());
}

void PlotterWidget::autoScale()
{
    m_timeExtensionTotal = 0.0;
    PlotScale scale = widget::plot::autoScaleFor(m_points[0].size(), shownExtent());
    // Past the end of the table (a measurement longer than 1000 s) the axis
    // keeps growing in 20 s steps so that the newest samples stay visible.
    const double duration = static_cast<double>(m_points[0].size()) / widget::plot::kSamplesPerSecond;
    while (scale.time.maximum < duration)
        scale.time.maximum += widget::plot::kTimeExtensionSeconds;
    scale.time.tick = widget::plot::timeTickFor(scale.time.maximum);
    applyScale(scale);
}

void PlotterWidget::applyScale(const PlotScale &scale)
{
    m_scale = scale;
    redrawAll();
}

void PlotterWidget::drawIndividualForces(const bool draw)
{
    qDebug() << "drawIndividualForces: " << draw;
    m_individualForces = draw;
    {
        const QSignalBlocker blocker(m_individualAction);
        m_individualAction->setChecked(draw);
    }
    redrawAll();
}

void PlotterWidget::setScaleAutomatically(bool automatic)
{
    m_scaleAutomatically = automatic;
    {
        const QSignalBlocker blocker(m_scaleAction);
        m_scaleAction->setChecked(automatic);
    }
    if (automatic)
        autoScale();
    else
        redrawAll();
}

void PlotterWidget::setTramp1Active(bool active)
{
    if (m_trampActive[0] == active)
        return;
    m_trampActive[0] = active;
    redrawAll();
}

void PlotterWidget::setTramp2Active(bool active)
{
    if (m_trampActive[1] == active)
        return;
    m_trampActive[1] = active;
    redrawAll();
}

void PlotterWidget::setExerciseStartTime(int startTime)
{
    m_exerciseStart = startTime;
    redrawAll();
}

void PlotterWidget::setExerciseEndTime(int endTime)
{
    m_exerciseEnd = endTime;
    redrawAll();
}

void PlotterWidget::setExerciseStartTimeFix(int startTimeFix)
{
    m_exerciseStartFix = startTimeFix;
    redrawAll();
}

void PlotterWidget::setExerciseEndTimeFix(int endTimeFix)
{
    m_exerciseEndFix = endTimeFix;
    redrawAll();
}

void PlotterWidget::refresh()
{
    m_lastPartialRedraw = m_points[0].size();
    redrawAll();
}

QRectF PlotterWidget::plotArea() const
{
    const QSizeF size =
        m_pixmap.isNull() ? QSizeF(width(), height()) : m_pixmap.deviceIndependentSize();
    return QRectF(kMarginLeft, kMarginTop, std::max(1.0, size.width() - kMarginLeft - kMarginRight),
                  std::max(1.0, size.height() - kMarginTop - kMarginBottom));
}

double PlotterWidget::xFor(const QRectF &area, double sample) const
{
    const double span = std::max(1e-9, m_scale.time.maximum - m_scale.time.minimum);
    const double seconds = sample / widget::plot::kSamplesPerSecond;
    return area.left() + (seconds - m_scale.time.minimum) / span * area.width();
}

double PlotterWidget::yFor(const QRectF &area, double force) const
{
    const double span = std::max(1e-9, m_scale.force.maximum - m_scale.force.minimum);
    return area.bottom() - (force - m_scale.force.minimum) / span * area.height();
}

void PlotterWidget::redrawAll()
{
    if (m_pixmap.isNull())
        return;
    ++m_fullRedraws;
    m_lastPartialRedraw = m_points[0].size();
    QPainter painter(&m_pixmap);
    painter.fillRect(QRectF(QPointF(0, 0), m_pixmap.deviceIndependentSize()), kBackground);
    const QRectF area = plotArea();

    if (m_exerciseStart >= 0) {
        // An open window reaches to the newest sample.
        const double end = m_exerciseEnd >= m_exerciseStart
                               ? static_cast<double>(m_exerciseEnd)
                               : static_cast<double>(m_points[0].size());
        drawBand(painter, area, m_exerciseStart, end);
    }
    drawGrid(painter, area);

    painter.save();
    painter.setPen(QPen(kFixMarker, 1, Qt::DashLine));
    for (int marker : {m_exerciseStartFix, m_exerciseEndFix}) {
        if (marker >= 0) {
            const double x = xFor(area, marker);
            if (x >= area.left() && x <= area.right())
                painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        }
    }
    painter.restore();

    const std::size_t count = m_points[0].size();
    const bool decimate = count > static_cast<std::size_t>(2 * area.width());
    painter.setClipRect(area);
    for (int t = 0; t < 2; ++t) {
        if (!m_trampActive[static_cast<std::size_t>(t)])
            continue;
        if (m_individualForces) {
            for (int component = 0; component < 4; ++component)
                drawSeries(painter, area, t, component, 0, count, decimate);
        }
        drawSeries(painter, area, t, kTotal, 0, count, decimate);
    }
    painter.setClipping(false);
    if (m_individualForces)
        drawLegend(painter, area);
    painter.end();
    update();
}

void PlotterWidget::redrawStretch(std::size_t first, std::size_t end)
{
    if (m_pixmap.isNull() || end <= first)
        return;
    ++m_partialRedraws;
    const QRectF area = plotArea();
    // Start one point earlier so the stretch joins the curve drawn before.
    const std::size_t from = first > 0 ? first - 1 : 0;
    QPainter painter(&m_pixmap);
    painter.setClipRect(area);
    if (m_exerciseStart >= 0 && m_exerciseEnd < m_exerciseStart) {
        const double bandFrom = std::max<double>(m_exerciseStart, static_cast<double>(first));
        if (bandFrom < static_cast<double>(end))
            drawBand(painter, area, bandFrom, static_cast<double>(end));
    }
    for (int t = 0; t < 2; ++t) {
        if (!m_trampActive[static_cast<std::size_t>(t)])
            continue;
        if (m_individualForces) {
            for (int component = 0; component < 4; ++component)
                drawSeries(painter, area, t, component, from, end, false);
        }
        drawSeries(painter, area, t, kTotal, from, end, false);
    }
    painter.end();
    const double x0 = xFor(area, static_cast<double>(from));
    const double x1 = xFor(area, static_cast<double>(end));
    update(QRectF(x0 - 2.0, area.top(), x1 - x0 + 4.0, area.height()).toAlignedRect());
}

void PlotterWidget::drawBand(QPainter &painter, const QRectF &area, double fromSample,
                             double toSample) const
{
    // Whole pixel columns, so that stretches painted one after the other do
    // not overlap and darken the translucent band.
    const double left = std::max(area.left(), std::floor(xFor(area, fromSample)));
    const double right = std::min(area.right(), std::floor(xFor(area, toSample)));
    if (right <= left)
        return;
    painter.fillRect(QRectF(left, area.top(), right - left, area.height()), kBand);
}

void PlotterWidget::drawGrid(QPainter &painter, const QRectF &area) const
{
    painter.save();
    QFont font = painter.font();
    font.setPointSizeF(8.0);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (double force : widget::plot::tickPositions(m_scale.force)) {
        const double y = yFor(area, force);
        painter.setPen(QPen(force == 0.0 ? QColor(150, 150, 150) : kGrid, 1));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(Qt::black);
        const QString label = QString::number(force, 'f', 0);
        painter.drawText(QRectF(0, y - metrics.height() / 2, kMarginLeft - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
    for (double seconds : widget::plot::tickPositions(m_scale.time)) {
        const double x = xFor(area, seconds * widget::plot::kSamplesPerSecond);
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        painter.setPen(Qt::black);
        const QString label = QString::number(seconds, 'f', 0);
        painter.drawText(QRectF(x - 30, area.bottom() + 2, 60, kMarginBottom - 2),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    painter.restore();
}

void PlotterWidget::drawSeries(QPainter &painter, const QRectF &area, int trampoline,
                               int component, std::size_t first, std::size_t end,
                               bool decimate) const
{
    const std::vector<PlotPoint> &list = m_points[static_cast<std::size_t>(trampoline)];
    end = std::min(end, list.size());
    if (end <= first)
        return;
    // Thin cosmetic pens take the rasteriser's fast path; a wider pen would
    // stroke every zig-zag of a long decimated curve as an outline.
    QPen pen(curveColour(trampoline, component), 1.0);
    pen.setCosmetic(true);
    painter.setPen(pen);

    QList<QPointF> line;
    if (!decimate) {
        line.reserve(static_cast<qsizetype>(end - first));
        for (std::size_t i = first; i < end; ++i)
            line.append(QPointF(xFor(area, static_cast<double>(i)),
                                yFor(area, componentOf(list[i], component))));
    } else {
        // Many points per pixel column: keep each column's extremes in the
        // order they occurred, so peaks survive and the path stays short.
        const double pointsPerPixel = widget::plot::kSamplesPerSecond
                                      * (m_scale.time.maximum - m_scale.time.minimum)
                                      / area.width();
        const std::size_t step = std::max<std::size_t>(1, static_cast<std::size_t>(pointsPerPixel));
        line.reserve(static_cast<qsizetype>(2 * (end - first) / step + 2));
        for (std::size_t column = first; column < end; column += step) {
            const std::size_t columnEnd = std::min(end, column + step);
            std::size_t low = column;
            std::size_t high = column;
            float lowValue = componentOf(list[column], component);
            float highValue = lowValue;
            for (std::size_t i = column + 1; i < columnEnd; ++i) {
                const float value = componentOf(list[i], component);
                if (value < lowValue) {
                    lowValue = value;
                    low = i;
                } else if (value > highValue) {
                    highValue = value;
                    high = i;
                }
            }
            const double x = xFor(area, static_cast<double>(column));
            const std::size_t firstIndex = std::min(low, high);
            const std::size_t secondIndex = std::max(low, high);
            line.append(QPointF(x, yFor(area, componentOf(list[firstIndex], component))));
            if (secondIndex != firstIndex)
                line.append(QPointF(x, yFor(area, componentOf(list[secondIndex], component))));
        }
    }
    if (line.size() == 1)
        painter.drawPoint(line.first());
    else
        painter.drawPolyline(line.constData(), static_cast<int>(line.size()));
}

void PlotterWidget::drawLegend(QPainter &painter, const QRectF &area) const
{
    painter.save();
    QFont font = painter.font();
    font.setPointSizeF(8.0);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    double y = area.top() + 4 + metrics.ascent();
    for (int t = 0; t < 2; ++t) {
        if (!m_trampActive[static_cast<std::size_t>(t)])
            continue;
        double x = area.left() + 6;
        const QString name = t == 0 ? QStringLiteral("S1:") : QStringLiteral("S2:");
        painter.setPen(curveColour(t, kTotal));
        painter.drawText(QPointF(x, y), name);
        x += metrics.horizontalAdvance(name) + 6;
        for (int s = 0; s < 4; ++s) {
            const QString sensor = QStringLiteral("F%1").arg(s + 1);
            painter.setPen(curveColour(t, s));
            painter.drawText(QPointF(x, y), sensor);
            x += metrics.horizontalAdvance(sensor) + 6;
        }
        y += metrics.height();
    }
    painter.restore();
}

void PlotterWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_pixmap.isNull()) {
        painter.fillRect(event->rect(), kBackground);
        return;
    }
    const qreal ratio = m_pixmap.devicePixelRatio();
    const QRectF target(event->rect());
    painter.drawPixmap(target, m_pixmap, QRectF(target.topLeft() * ratio, target.size() * ratio));
}

void PlotterWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (width() <= 0 || height() <= 0) {
        m_pixmap = QPixmap();
        return;
    }
    // Drawn at the screen's resolution, so curves stay sharp on HiDPI screens.
    const qreal ratio = devicePixelRatioF();
    m_pixmap = QPixmap(size() * ratio);
    m_pixmap.setDevicePixelRatio(ratio);
    m_lastPartialRedraw = m_points[0].size();
    redrawAll();
}

void PlotterWidget::contextMenuEvent(QContextMenuEvent *event)
{
    m_contextMenu->exec(event->globalPos());
}
