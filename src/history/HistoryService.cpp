#include "history/HistoryService.h"

#include "db/Connection.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ovra::history {

HistoryService::HistoryService(ConnectionSource source, QObject *parent)
    : QObject(parent)
    , m_source(std::move(source))
{}

void HistoryService::invalidate()
{
    m_valid = false;
    m_routines.clear();
}

bool HistoryService::fresh()
{
    db::Connection *connection = m_source ? m_source() : nullptr;
    if (!connection || !connection->isOpen()) {
        if (m_connection)
            ++m_generation;
        invalidate();
        m_connection = nullptr;
        return false;
    }
    // A measure stored, merged, removed or scored changes one of these.
    bool ok = false;
    const QList<QVariantList> rows = connection->selectRows(
        QStringLiteral("SELECT COUNT(*), MAX(idx), SUM(length(Results)) FROM Measures;"), {}, &ok);
    if (!ok || rows.isEmpty()) {
        invalidate();
        return false;
    }
    QStringList parts{connection->location()};
    for (const QVariant &v : rows.first())
        parts << v.toString();
    const QString fingerprint = parts.join(QLatin1Char('|'));
    if (m_valid && connection == m_connection && fingerprint == m_fingerprint)
        return true;
    invalidate();
    m_connection = connection;
    m_fingerprint = fingerprint;
    m_valid = readAthletes(*connection, m_index);
    ++m_generation;
    return m_valid;
}

const AthleteIndex *HistoryService::index()
{
    return fresh() ? &m_index : nullptr;
}

QList<HistoryRoutine> HistoryService::routines(const QString &id, bool *found)
{
    const Athlete *athlete = fresh() ? m_index.find(id) : nullptr;
    if (found)
        *found = athlete != nullptr;
    if (!athlete)
        return {};
    const auto cached = m_routines.constFind(id);
    if (cached != m_routines.cend())
        return *cached;
    bool ok = false;
    QList<HistoryRoutine> read = readRoutines(*m_connection, *athlete, &ok);
    if (ok)
        m_routines.insert(id, read);
    return read;
}

std::optional<double> HistoryService::personalBestTimeOfFlight(const AthleteRef &athlete, QString *name)
{
    const AthleteIndex *athletes = index();
    const Athlete *found = athletes ? athletes->resolve(athlete) : nullptr;
    if (!found)
        return std::nullopt;
    const QString id = found->id;
    if (name)
        *name = found->name;
    return trendOf(routines(id), Figure::TimeOfFlight).bestValue;
}

HistoryService::Answer HistoryService::athletesAnswer()
{
    Answer answer;
    const AthleteIndex *athletes = index();
    if (!athletes)
        return answer;
    QJsonArray list;
    for (const Athlete &a : athletes->athletes())
        list.append(athleteJson(a));
    answer.status = 200;
    answer.body =
        QJsonDocument(QJsonObject{{QStringLiteral("athletes"), list}}).toJson(QJsonDocument::Indented);
    return answer;
}

HistoryService::Answer HistoryService::historyAnswer(const QString &id)
{
    Answer answer;
    const AthleteIndex *athletes = index();
    if (!athletes)
        return answer;
    const Athlete *athlete = athletes->find(id);
    if (!athlete) {
        answer.status = 404;
        return answer;
    }
    // Copied: reading the routines may rebuild the index.
    const Athlete who = *athlete;
    QJsonArray list;
    for (const HistoryRoutine &r : routines(who.id))
        list.append(routineJson(r, who));
    answer.status = 200;
    answer.body = QJsonDocument(QJsonObject{{QStringLiteral("athlete"), athleteJson(who)},
                                            {QStringLiteral("routines"), list}})
                      .toJson(QJsonDocument::Indented);
    return answer;
}

} // namespace ovra::history
