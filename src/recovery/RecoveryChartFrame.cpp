#include "recovery/RecoveryChartFrame.h"

#include "recovery/LastChanceRecovery.h"

#include <QPainter>
#include <QPolygon>

#include <cmath>

RecoveryChartFrame::RecoveryChartFrame(QWidget *parent)
    : QFrame(parent)
{
    setMinimumHeight(80);
}

void RecoveryChartFrame::setRing(const LastChanceRecovery *ring)
{
    m_ring = ring;
    redraw();
}

void RecoveryChartFrame::setView(int start, int end)
{
    m_viewStart = start;
    m_viewEnd = end;
    redraw();
}

void RecoveryChartFrame::setViewStart(int start)
{
    m_viewStart = start;
    redraw();
}

void RecoveryChartFrame::setViewEnd(int end)
{
    m_viewEnd = end;
    redraw();
}

void RecoveryChartFrame::setSelection(int start, int end)
{
    m_selectionStart = start;
    m_selectionEnd = end;
    redraw();
}

void RecoveryChartFrame::setSelectionStart(int start)
{
    m_selectionStart = start;
    redraw();
}

void RecoveryChartFrame::setSelectionEnd(int end)
{
    m_selectionEnd = end;
    redraw();
}

void RecoveryChartFrame::setMarker(int marker)
{
    m_marker = marker;
    redraw();
}

void RecoveryChartFrame::setCurvesShown(bool trampoline1, bool trampoline2)
{
    m_showTrampoline1 = trampoline1;
    m_showTrampoline2 = trampoline2;
    redraw();
}

void RecoveryChartFrame::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    redraw();
}

void RecoveryChartFrame::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixmap);
}

void RecoveryChartFrame::redraw()
{
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return;
    m_pixmap = QPixmap(w, h);
    m_pixmap.fill(QColor(248, 248, 248));
    QPainter painter(&m_pixmap);

    const int last = LastChanceRecovery::kCapacity - 1;
    const int viewStart = qBound(0, m_viewStart, last);
    const int viewEnd = qBound(0, m_viewEnd, last);
    const double span = viewEnd > viewStart ? double(viewEnd - viewStart) : 1.0;
    auto xOf = [&](int k) { return int(std::floor((k - viewStart) / span * w)); };

    if (m_ring && viewEnd > viewStart) {
        // The scale follows the selected part of the view, so a quiet
        // selection is not flattened by a loud neighbour.
        const int scaleFrom = qMax(viewStart, qBound(0, m_selectionStart, last));
        const int scaleTo = qMin(qBound(0, m_selectionEnd, last), viewEnd);
        int minimum = 0;
        int maximum = 0;
        bool first = true;
        for (int k = scaleFrom; k <= scaleTo; ++k) {
            for (int v : {m_ring->totalTrampoline1(k), m_ring->totalTrampoline2(k)}) {
                if (first || v < minimum)
                    minimum = v;
                if (first || v > maximum)
                    maximum = v;
                first = false;
            }
        }
        const double range = maximum > minimum ? double(maximum - minimum) : 1.0;
        auto yOf = [&](int value) { return h - int(std::floor((value - minimum) / range * h)); };

        if (m_showTrampoline1) {
            QPolygon line;
            for (int k = viewStart; k <= viewEnd; k += 10)
                line << QPoint(xOf(k), yOf(m_ring->totalTrampoline1(k)));
            painter.setPen(QColor(13, 128, 51));
            painter.drawPolyline(line);
        }
        if (m_showTrampoline2) {
            QPolygon line;
            for (int k = viewStart; k <= viewEnd; ++k)
                line << QPoint(xOf(k), yOf(m_ring->totalTrampoline2(k)));
            painter.setPen(QColor(89, 13, 128));
            painter.drawPolyline(line);
        }
    }

    const QColor shade(0, 0, 0, 100);
    painter.setPen(shade);
    painter.setBrush(shade);
    const int left = xOf(m_selectionStart);
    if (left > 0)
        painter.drawRect(0, 0, left, h);
    const int right = xOf(m_selectionEnd);
    if (right < w)
        painter.drawRect(right, 0, w - right, h);

    if (m_marker > 0) {
        painter.setPen(Qt::black);
        const int x = xOf(m_marker);
        painter.drawLine(x, 0, x, h);
    }
    painter.end();
    update();
}
