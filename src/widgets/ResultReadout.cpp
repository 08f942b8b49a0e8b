#include "widgets/ResultReadout.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace {

// The widest value a read-out shows; a wider text makes the digits smaller.
const QString kWidestValue = QStringLiteral("88.88");
constexpr int kMinimumValuePixels = 12;
constexpr int kMinimumTitlePixels = 8;
// Of the value's box, the digits fill at most this share.
constexpr double kFill = 0.9;

// The largest pixel size, up to `largest`, at which `text` in `font` fits
// `box` (within kFill of it).
int fittingPixelSize(QFont font, const QString &text, const QSize &box, int largest)
{
    constexpr int kProbePixels = 100;
    font.setPixelSize(kProbePixels);
    const QFontMetricsF metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    double widest = 1.0;
    for (const QString &line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const double scale = std::min(kFill * box.width() / widest,
                                  kFill * box.height() / std::max(1.0, lines.size() * metrics.lineSpacing()));
    return std::min(largest, static_cast<int>(kProbePixels * scale));
}

// The text broken at the blank nearest its middle.
QString inTwoLines(const QString &text)
{
    const qsizetype middle = text.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char(' ') && (best < 0 || std::abs(i - middle) < std::abs(best - middle)))
            best = i;
    }
    if (best < 0)
        return text;
    QString broken = text;
    broken[best] = QLatin1Char('\n');
    return broken;
}

} // namespace

ResultReadout::ResultReadout(QWidget *parent)
    : QFrame(parent)
    , m_title(new QLabel(this))
    , m_value(new QLabel(this))
{
    setFrameShape(QFrame::StyledPanel);
    m_title->setObjectName(QStringLiteral("readoutTitle"));
    m_value->setObjectName(QStringLiteral("readoutValue"));
    m_title->setAlignment(Qt::AlignCenter);
    m_value->setAlignment(Qt::AlignCenter);
    m_titleFont = m_title->font();
    m_titleFont.setPointSizeF(m_titleFont.pointSizeF() * 1.4);
    m_titleFont.setBold(true);
    m_title->setFont(m_titleFont);
    // A long title ("Horizontal Displacement Trampoline 1") gets smaller
    // rather than widening the page.
    m_title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_title->setMinimumHeight(QFontMetrics(m_titleFont).height());
    QFont valueFont = m_value->font();
    valueFont.setPointSizeF(valueFont.pointSizeF() * 4.0);
    valueFont.setBold(true);
    m_value->setFont(valueFont);
    // The box decides the digits' size, not the other way round.
    m_value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    QFont smallest = valueFont;
    smallest.setPixelSize(2 * kMinimumValuePixels);
    m_value->setMinimumSize(QFontMetrics(smallest).horizontalAdvance(kWidestValue),
                            QFontMetrics(smallest).height());
    // The labels' own resizes, also those of a layout change inside the
    // read-out, size the text.
    m_title->installEventFilter(this);
    m_value->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_title);
    layout->addWidget(m_value, 1);
}

QString ResultReadout::title() const
{
    return m_titleText;
}

QString ResultReadout::value() const
{
    return m_value->text();
}

void ResultReadout::setTitle(const QString &title)
{
    m_titleText = title;
    m_title->setText(title);
    fitTitleFont();
}

void ResultReadout::setValue(const QString &value)
{
    m_value->setText(value);
    fitValueFont();
}

bool ResultReadout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_value)
            fitValueFont();
        else if (watched == m_title)
            fitTitleFont();
    }
    return QFrame::eventFilter(watched, event);
}

void ResultReadout::fitTitleFont()
{
    const QRect box = m_title->contentsRect();
    if (box.width() <= 0)
        return;
    // One line while it stays nearly full size; a title that would shrink
    // much more goes onto two lines instead.
    const int full = QFontInfo(m_titleFont).pixelSize();
    const QSize room(box.width(), 4 * full);
    QString text = m_titleText;
    int pixels = fittingPixelSize(m_titleFont, text, room, full);
    if (pixels < full * 8 / 10) {
        const QString twoLines = inTwoLines(m_titleText);
        const int twoLinePixels = fittingPixelSize(m_titleFont, twoLines, room, full);
        if (twoLinePixels > pixels) {
            text = twoLines;
            pixels = twoLinePixels;
        }
    }
    QFont font = m_titleFont;
    font.setPixelSize(std::max(kMinimumTitlePixels, pixels));
    // Too narrow even for the smallest type: the lines end in an ellipsis
    // rather than losing letters at both ends.
    if (pixels < kMinimumTitlePixels) {
        const QFontMetrics metrics(font);
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString &line : lines)
            line = metrics.elidedText(line, Qt::ElideRight, box.width());
        text = lines.join(QLatin1Char('\n'));
    }
    if (m_title->text() != text)
        m_title->setText(text);
    if (font.pixelSize() != m_title->font().pixelSize())
        m_title->setFont(font);
}

void ResultReadout::fitValueFont()
{
    const QRect box = m_value->contentsRect();
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QString sample = m_value->text().size() > kWidestValue.size() ? m_value->text() : kWidestValue;
    QFont font = m_value->font();
    font.setPixelSize(std::max(kMinimumValuePixels, fittingPixelSize(font, sample, box.size(), 1000)));
    if (font.pixelSize() != m_value->font().pixelSize())
        m_value->setFont(font);
}
