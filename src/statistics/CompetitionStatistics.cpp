#include "statistics/CompetitionStatistics.h"

#include <QJsonArray>

#include <cmath>

namespace {

int *counterFor(const QString &mode, int &one, int &two, int &synchronized)
{
    if (mode == QLatin1String("1"))
        return &one;
    if (mode == QLatin1String("2"))
        return &two;
    if (mode == QLatin1String("3"))
        return &synchronized;
    return nullptr;
}

QJsonArray landingsToJson(const QList<LandingSample> &landings)
{
    QJsonArray array;
    for (const LandingSample &landing : landings)
        array.append(QJsonObject{
            {QStringLiteral("x"), landing.x},
            {QStringLiteral("y"), landing.y},
            {QStringLiteral("ts"), landing.time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"))}});
    return array;
}

} // namespace

CompetitionStatistics::CompetitionStatistics(QObject *parent)
    : QObject(parent)
{}

bool CompetitionStatistics::countRoutine(const QString &mode)
{
    int *counter = counterFor(mode, m_trampOneRoutines, m_trampTwoRoutines, m_synRoutines);
    if (counter)
        ++*counter;
    return counter != nullptr;
}

bool CompetitionStatistics::countAbort(const QString &mode)
{
    int *counter = counterFor(mode, m_trampOneAborts, m_trampTwoAborts, m_synAborts);
    if (counter)
        ++*counter;
    return counter != nullptr;
}

void CompetitionStatistics::addLanding(const QString &mode, double x, double y, const QDateTime &time)
{
    if (mode == QLatin1String("1"))
        addLandingTrampOne(x, y, time);
    else if (mode == QLatin1String("2"))
        addLandingTrampTwo(x, y, time);
}

void CompetitionStatistics::addLandingTrampOne(double x, double y, const QDateTime &time)
{
    append(m_trampOneLandings, x, y, time);
}

void CompetitionStatistics::addLandingTrampTwo(double x, double y, const QDateTime &time)
{
    append(m_trampTwoLandings, x, y, time);
}

bool CompetitionStatistics::append(QList<LandingSample> &list, double x, double y, const QDateTime &time)
{
    // Positions are a few hundred centimetres at most; a broken file must
    // not turn into undefined conversions.
    constexpr double kLimit = 1.0e6;
    if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > kLimit || std::abs(y) > kLimit)
        return false;
    list.append(LandingSample{static_cast<int>(x), static_cast<int>(y), time});
    return true;
}

QJsonObject CompetitionStatistics::toJson() const
{
    return QJsonObject{
        {QStringLiteral("trampOneRoutines"), m_trampOneRoutines},
        {QStringLiteral("trampTwoRoutines"), m_trampTwoRoutines},
        {QStringLiteral("synRoutines"), m_synRoutines},
        {QStringLiteral("trampOneAborts"), m_trampOneAborts},
        {QStringLiteral("trampTwoAborts"), m_trampTwoAborts},
        {QStringLiteral("synAborts"), m_synAborts},
        {QStringLiteral("trampOneLandings"), landingsToJson(m_trampOneLandings)},
        {QStringLiteral("trampTwoLandings"), landingsToJson(m_trampTwoLandings)},
    };
}
