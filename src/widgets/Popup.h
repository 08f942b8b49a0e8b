#pragma once

#include <QColor>
#include <QPointer>
#include <QPropertyAnimation>
#include <QString>
#include <QTimer>
#include <QWidget>

class QLabel;

// A small frameless message that fades in, stays for a while, fades out and
// hides itself. Anchored over a widget it takes that widget's place on the
// screen; without an anchor it sits in the lower right corner of the screen.
class Popup : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(float popupOpacity READ getPopupOpacity WRITE setPopupOpacity)
public:
    enum PopupColor : int { Black = 0, Red = 1, Green = 2, Yellow = 3 };

    static constexpr int kScreenMargin = 36;
    static constexpr int kInset = 5;
    static constexpr int kCornerRadius = 10;

    Popup(QWidget *parent, QWidget *anchor, int fadeInMs, int fadeOutMs, int displayMs, bool fill);

    // Colour values 0 to 3 choose background and text colour; any other
    // value keeps the current ones.
    void setPopupText(int color, const QString &text);
    // The same, except that a red message still on screen keeps its place:
    // the new one is added below it. For messages that must not hide a
    // failure reported a moment before.
    void addPopupText(int color, const QString &text);

    QColor color() const { return m_color; }
    QString text() const;
    bool fills() const { return m_fill; }
    QLabel *label() const { return m_label; }

    float getPopupOpacity() const { return m_popupOpacity; }
    void setPopupOpacity(float opacity);

public Q_SLOTS:
    void show();
    void hideAnimation();
    // Hides only a popup that has faded out completely.
    void hide();

protected:
    void paintEvent(QPaintEvent *event) override;
    // A platform that activates the popup anyway (some do for every window
    // shown) must not swallow the operator's keys: they go to the window the
    // popup belongs to.
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    QLabel *m_label;
    QPointer<QWidget> m_anchor;
    QColor m_color;
    int m_fadeInMs;
    int m_fadeOutMs;
    int m_displayMs;
    bool m_fill;
    float m_popupOpacity = 0.0F;
    bool m_showsFailure = false;
    QPropertyAnimation m_animation;
    QTimer m_displayTimer;
};
