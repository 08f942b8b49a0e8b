#include "data/Routines.h"

#include "data/Evaluation.h"

#include <QDebug>

#include <algorithm>

namespace data::model {

Routines::Routines(QObject *parent)
    : RoutineBase(parent)
{}

void Routines::reset()
{
    exerciseStart = -1;
    exerciseEnd = -1;
    exerciseStartFix = -1;
    exerciseEndFix = -1;
    synchronizedLandingCount1 = 0;
    synchronizedLandingCount2 = 0;
    landingCount = 0;
    shiftedLandings = 0;
    routineRecording = false;
    individualLandingsTrampoline1.fill(Landing());
    individualLandingsTrampoline2.fill(Landing());
    synchronizedLandingsTrampoline1.fill(Landing());
    synchronizedLandingsTrampoline2.fill(Landing());
}

QString Routines::normalizeMetaText(const QString &text)
{
    QString normalized = text;
    normalized.replace(QLatin1Char('\t'), QLatin1Char(' '));
    normalized.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return normalized;
}

QMap<QString, QString> Routines::normalizeMeta(const QMap<QString, QString> &meta)
{
    QMap<QString, QString> normalized;
    for (auto it = meta.cbegin(); it != meta.cend(); ++it)
        normalized.insert(normalizeMetaText(it.key()), normalizeMetaText(it.value()));
    return normalized;
}

void Routines::setRoutineMetaInformation(const QMap<QString, QString> &meta)
{
    routineMetaInformation = normalizeMeta(meta);
    emit updateRoutineMetaInformation(routineMetaInformation);
}

void Routines::addRoutineMetaInformation(const QString &key, const QString &value)
{
    routineMetaInformation.insert(normalizeMetaText(key), normalizeMetaText(value));
    emit updateRoutineMetaInformation(routineMetaInformation);
}

void Routines::resetRoutineMetaInformation()
{
    routineMetaInformation.clear();
    emit updateRoutineMetaInformation(routineMetaInformation);
}

void Routines::setExpectedLandingsPerRoutine(int newExpectedLandingsPerRoutine)
{
    int n = newExpectedLandingsPerRoutine;
    Q_ASSERT(n >= 1 && n <= kSlots);
    n = std::clamp(n, 1, kSlots);

    if (static_cast<quint64>(n) < landingCount) {
        qDebug() << n << landingCount << "rollover";
        LandingArray &landings = individualLandingsTrampoline1[0].isEmpty() ? individualLandingsTrampoline2
                                                                            : individualLandingsTrampoline1;
        // A synchronized routine keeps its pairs in the other arrays; with no
        // individual landing to drop, the count must not shrink either.
        if (!landings[0].isEmpty()) {
            std::move(landings.begin() + 1, landings.end(), landings.begin());
            landings.back() = Landing();
            --landingCount;
            const IndividualRoutineResult result = data::calc::evaluateIndividualRoutine(
                landings, static_cast<std::size_t>(landingCount), shiftedLandings);
            emit rolloverLandings(result);
        }
    }
    expectedLandingsPerRoutine = n;
}

} // namespace data::model
