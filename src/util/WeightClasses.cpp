#include "util/WeightClasses.h"

#include <QDebug>

#include <array>

namespace ovra::util {

namespace {
struct WeightClass
{
    const char *text;
    double threshold;
};

constexpr std::array<WeightClass, WeightClasses::kCount> kClasses = {{
    {QT_TRANSLATE_NOOP("WeightClasses", "Children (800N)"), 800.0},
    {QT_TRANSLATE_NOOP("WeightClasses", "Teenager (1150N)"), 1150.0},
    {QT_TRANSLATE_NOOP("WeightClasses", "Normal (2500N)"), 2500.0},
    {QT_TRANSLATE_NOOP("WeightClasses", "Adults (5000N)"), 5000.0},
    {QT_TRANSLATE_NOOP("WeightClasses", "Automatic (800N)"), 800.0},
}};

bool validIndex(int index)
{
    return index >= 0 && index < WeightClasses::kCount;
}
} // namespace

double WeightClasses::weightClassFor(double force)
{
    if (force >= 5000.0)
        return 5000.0;
    if (force >= 2500.0)
        return 2500.0;
    if (force >= 1150.0)
        return 1150.0;
    return 800.0;
}

QStringList WeightClasses::texts()
{
    QStringList list;
    for (int i = 0; i < kCount; ++i)
        list << text(i);
    return list;
}

QString WeightClasses::text(int index)
{
    if (!validIndex(index))
        return QString();
    return tr(kClasses[static_cast<std::size_t>(index)].text);
}

QString WeightClasses::sourceText(int index)
{
    if (!validIndex(index))
        return QString();
    return QString::fromLatin1(kClasses[static_cast<std::size_t>(index)].text);
}

double WeightClasses::threshold(int index)
{
    if (!validIndex(index))
        return 800.0;
    return kClasses[static_cast<std::size_t>(index)].threshold;
}

bool WeightClasses::isFixed(int index)
{
    return index >= kChildren && index <= kAdults;
}

int WeightClasses::fixedIndexFor(double threshold)
{
    for (int i = kChildren; i <= kAdults; ++i) {
        if (kClasses[static_cast<std::size_t>(i)].threshold == threshold)
            return i;
    }
    return -1;
}

QString WeightClasses::labelFor(double threshold)
{
    return text(fixedIndexFor(weightClassFor(threshold)));
}

double WeightClasses::selectWeightClass(int index)
{
    Q_ASSERT(validIndex(index));
    qDebug().noquote() << QStringLiteral("Selected weight class '") + sourceText(index) + QLatin1Char('\'');
    return threshold(index);
}

std::optional<double> AutomaticWeightClass::adapt(int landingCount, double newestFmax)
{
    if (landingCount == m_lastLandingCount)
        return std::nullopt;
    m_lastLandingCount = landingCount;
    if (landingCount <= 0)
        return std::nullopt;
    return WeightClasses::weightClassFor(newestFmax * WeightClasses::kAutomaticFactor);
}

} // namespace ovra::util
