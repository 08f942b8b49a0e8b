#pragma once

#include "data/DataEnums.h"
#include "data/Landing.h"

#include <QColor>
#include <QFrame>
#include <QList>
#include <QPixmap>

#include <array>
#include <cstddef>

// A bed seen from above with its zone lines, the sensors and the landings of
// the routine under way as numbered markers. Everything is drawn into a
// pixmap whenever something changes; the paint event only copies it.
class TrampolineWidget : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(bool showSensorPositions READ showSensorPositions WRITE setShowSensorPositions)
    Q_PROPERTY(int trampoline READ trampoline WRITE setTrampoline)
public:
    struct Marker
    {
        QPoint point; // drawing units
        int number = -1;
        QColor color;
    };

    static const QColor kDefaultLandingColor;
    static const QColor kLandingColor1;
    static const QColor kLandingColor2;

    explicit TrampolineWidget(QWidget *parent = nullptr);
    ~TrampolineWidget() override;

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    bool showSensorPositions() const { return m_showSensorPositions; }
    void setShowSensorPositions(bool show);
    // Which bed this widget shows (0 or 1); it decides what setTrampMode
    // makes active.
    int trampoline() const { return m_trampoline; }
    void setTrampoline(int trampoline);
    bool isActive() const { return m_active; }

    QColor color(int role) const;
    void setColor(int role, const QColor &color);
    const QList<Marker> &markers() const { return m_markers; }
    const QPixmap &pixmap() const { return m_pixmap; }
    // Where a drawing point appears in the widget.
    QPointF widgetPointFor(const QPoint &drawingPoint) const;

    QSize sizeHint() const override;
    // Set in the size policy (on by default); a layout that must not give
    // the bed its height by width turns it off there.
    bool hasHeightForWidth() const override { return sizePolicy().hasHeightForWidth(); }
    int heightForWidth(int width) const override;

public Q_SLOTS:
    void setActive(bool active);
    // Active in the modes that use this widget's bed.
    void setTrampMode(data::model::TrampMode trampMode);
    void clear();
    void drawPosition(data::calc::LandingPosition landingPosition, QColor color);
    // The same in the default landing colour, for signals that carry only
    // the position (the drop test).
    void drawPosition(data::calc::LandingPosition landingPosition);
    // Marker numbered index + 1 in the default landing colour.
    void drawLanding(int index, data::model::Landing landing);
    void drawLandingColor1(int index, data::model::Landing landing);
    void drawLandingColor2(int index, data::model::Landing landing);
    // The store's landing update, taken as it is emitted.
    void updateLanding(std::size_t index, data::model::Landing landing, DataUpdateReason reason);
    void rolloverPositions();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void addMarker(const data::calc::LandingPosition &position, int number, const QColor &color);
    void redraw();

    QString m_title;
    bool m_active = true;
    bool m_showSensorPositions = true;
    int m_trampoline = 0;
    std::array<QColor, 8> m_colors;
    QList<Marker> m_markers;
    QPixmap m_pixmap;
};
