#pragma once

#include <QFrame>
#include <QPixmap>

class LastChanceRecovery;

// A force-time view of the last-chance ring: the totals of both beds over a
// view range, everything outside the selection shaded, and an optional
// marker line.
class RecoveryChartFrame : public QFrame
{
    Q_OBJECT
public:
    explicit RecoveryChartFrame(QWidget *parent = nullptr);

    void setRing(const LastChanceRecovery *ring);
    void setView(int start, int end);
    void setViewStart(int start);
    void setViewEnd(int end);
    void setSelection(int start, int end);
    void setSelectionStart(int start);
    void setSelectionEnd(int end);
    void setMarker(int marker);
    void setCurvesShown(bool trampoline1, bool trampoline2);

    int viewStart() const { return m_viewStart; }
    int viewEnd() const { return m_viewEnd; }
    int selectionStart() const { return m_selectionStart; }
    int selectionEnd() const { return m_selectionEnd; }
    int marker() const { return m_marker; }
    bool showsTrampoline1() const { return m_showTrampoline1; }
    bool showsTrampoline2() const { return m_showTrampoline2; }
    const QPixmap &pixmap() const { return m_pixmap; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void redraw();

    const LastChanceRecovery *m_ring = nullptr;
    int m_viewStart = 0;
    int m_viewEnd = 599999;
    int m_selectionStart = 0;
    int m_selectionEnd = 599999;
    int m_marker = 0;
    bool m_showTrampoline1 = true;
    bool m_showTrampoline2 = true;
    QPixmap m_pixmap;
};
