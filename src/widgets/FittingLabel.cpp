#include "widgets/FittingLabel.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <algorithm>

namespace {

constexpr int kMinimumPixels = 10;

} // namespace

FittingLabel::FittingLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , m_full(font())
{
    // The width comes from the layout; the text follows it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void FittingLabel::setFullFont(const QFont &font)
{
    m_full = font;
    setFont(font);
    m_fittedWidth = -1;
    fit();
}

QSize FittingLabel::minimumSizeHint() const
{
    // As high as the full font needs, so that the rows above and below do
    // not move when the text shrinks.
    const QMargins around = contentsMargins();
    const int lines = static_cast<int>(text().count(QLatin1Char('\n'))) + 1;
    return {QFontMetrics(m_full).averageCharWidth() * 4,
            lines * QFontMetrics(m_full).lineSpacing() + 2 * margin() + around.top() + around.bottom()};
}

void FittingLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void FittingLabel::paintEvent(QPaintEvent *event)
{
    // A new text arrives without a resize.
    if (text() != m_fittedText)
        fit();
    QLabel::paintEvent(event);
}

void FittingLabel::fit()
{
    const int width = contentsRect().width() - 2 * margin();
    if (width <= 0 || (text() == m_fittedText && width == m_fittedWidth))
        return;
    m_fittedText = text();
    m_fittedWidth = width;
    const int full = QFontInfo(m_full).pixelSize();
    double widest = 1.0;
    for (const QString &line : text().split(QLatin1Char('\n')))
        widest = std::max(widest, QFontMetricsF(m_full).horizontalAdvance(line));
    QFont fitted = m_full;
    fitted.setPixelSize(std::clamp(static_cast<int>(full * 0.95 * width / widest), kMinimumPixels, full));
    if (QFontInfo(fitted).pixelSize() != QFontInfo(font()).pixelSize())
        setFont(fitted);
}
