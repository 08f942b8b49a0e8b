#include "widgets/Popup.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

const QString kWhiteText = QStringLiteral(
    "QLabel { color : white; margin-top: 6px;margin-bottom: 6px;margin-left: 10px;margin-right: 10px; }");
const QString kBlackText = QStringLiteral(
    "QLabel { color : black; margin-top: 6px;margin-bottom: 6px;margin-left: 10px;margin-right: 10px; }");

} // namespace

Popup::Popup(QWidget *parent, QWidget *anchor, int fadeInMs, int fadeOutMs, int displayMs, bool fill)
    : QWidget(parent)
    , m_label(new QLabel(this))
    , m_anchor(anchor)
    , m_color(0, 0, 0, 200)
    , m_fadeInMs(fadeInMs)
    , m_fadeOutMs(fadeOutMs)
    , m_displayMs(displayMs)
    , m_fill(fill)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_label->setWordWrap(true);
    QFont font = m_label->font();
    font.setPointSize(14);
    m_label->setFont(font);
    m_label->setStyleSheet(kWhiteText);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_label, 0, 0);

    m_animation.setTargetObject(this);
    m_animation.setPropertyName("popupOpacity");
    connect(&m_animation, &QAbstractAnimation::finished, this, &Popup::hide);
    m_displayTimer.setSingleShot(true);
    connect(&m_displayTimer, &QTimer::timeout, this, &Popup::hideAnimation);
}

void Popup::addPopupText(int color, const QString &text)
{
    // A failure still on screen is not covered: the message goes below it,
    // and the popup stays red.
    if (m_showsFailure && isVisible() && m_displayTimer.isActive() && !m_label->text().contains(text))
        setPopupText(Red, m_label->text() + QLatin1Char('\n') + text);
    else
        setPopupText(color, text);
}

void Popup::setPopupText(int color, const QString &text)
{
    m_showsFailure = color == Red;
    switch (color) {
    case Black:
        m_color = QColor(0, 0, 0, 200);
        m_label->setStyleSheet(kWhiteText);
        break;
    case Red:
        m_color = QColor(230, 90, 90, 230);
        m_label->setStyleSheet(kWhiteText);
        break;
    case Green:
        m_color = QColor(70, 170, 110, 230);
        m_label->setStyleSheet(kWhiteText);
        break;
    case Yellow:
        m_color = QColor(220, 220, 90, 230);
        m_label->setStyleSheet(kBlackText);
        break;
    default:
        break;
    }
    m_label->setText(text);
    adjustSize();
}

QString Popup::text() const
{
    return m_label->text();
}

void Popup::setPopupOpacity(float opacity)
{
    m_popupOpacity = opacity;
    setWindowOpacity(static_cast<qreal>(opacity));
}

void Popup::show()
{
    setPopupOpacity(0.0F);
    m_animation.stop();
    m_animation.setDuration(m_fadeInMs);
    m_animation.setStartValue(0.0F);
    m_animation.setEndValue(1.0F);

    if (m_anchor) {
        const int h = m_fill ? m_anchor->height() : height();
        setGeometry(QRect(m_anchor->mapToGlobal(QPoint(0, 0)), QSize(m_anchor->width(), h)));
    } else {
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QRect available = screen->availableGeometry();
            move(available.right() + 1 - kScreenMargin - width(),
                 available.bottom() + 1 - kScreenMargin - height());
        }
    }

    QWindow *focusWindow = QGuiApplication::focusWindow();
    QWidget::show();
    // Platforms that activate every new window would move the keyboard
    // focus here; the operator's keys belong to the window below.
    if (focusWindow && focusWindow != windowHandle() && QGuiApplication::focusWindow() == windowHandle())
        focusWindow->requestActivate();
    m_animation.start();
    m_displayTimer.start(m_displayMs);
}

void Popup::hideAnimation()
{
    m_displayTimer.stop();
    m_animation.stop();
    m_animation.setDuration(m_fadeOutMs);
    m_animation.setStartValue(1.0F);
    m_animation.setEndValue(0.0F);
    m_animation.start();
}

void Popup::hide()
{
    if (getPopupOpacity() == 0.0F)
        QWidget::hide();
}

void Popup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(m_color);
    painter.setPen(Qt::NoPen);
    const QRect area = m_fill ? rect() : rect().adjusted(kInset, kInset, -kInset, -kInset);
    painter.drawRoundedRect(area, kCornerRadius, kCornerRadius);
}

void Popup::keyPressEvent(QKeyEvent *event)
{
    if (parentWidget())
        QCoreApplication::sendEvent(parentWidget()->window(), event);
    else
        QWidget::keyPressEvent(event);
}

void Popup::keyReleaseEvent(QKeyEvent *event)
{
    if (parentWidget())
        QCoreApplication::sendEvent(parentWidget()->window(), event);
    else
        QWidget::keyReleaseEvent(event);
}
