#include "history/AthleteHistory.h"

#include "db/Connection.h"
#include "db/Schema.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace ovra::history {

namespace {

constexpr QChar kUnit(0x1f);
// Rows asked for at a time by idx.
constexpr qsizetype kRowsPerQuery = 200;

QString folded(const QString &text)
{
    return text.simplified().toCaseFolded();
}

QString nameKey(const AthleteRef &a)
{
    return folded(a.lastName) + kUnit + folded(a.firstName);
}

QString figKey(const AthleteRef &a)
{
    return a.idFig.trimmed().toCaseFolded();
}

QString displayName(const AthleteRef &a)
{
    const QString last = a.lastName.simplified();
    const QString first = a.firstName.simplified();
    if (first.isEmpty())
        return last;
    if (last.isEmpty())
        return first;
    return last + QStringLiteral(", ") + first;
}

QString idOf(const QString &key)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
}

QString figPerson(const QString &fig)
{
    return QStringLiteral("F") + kUnit + fig;
}

QString yearPerson(const QString &name, int year)
{
    return QStringLiteral("Y") + kUnit + name + kUnit + QString::number(year);
}

QString text(const QVariant &value)
{
    return db::normalized(value, db::ColumnType::Text).toString();
}

int number(const QVariant &value)
{
    return int(db::normalized(value, db::ColumnType::Integer).toLongLong());
}

// "yyyy/MM/dd" and "hh:mm:ss" as the measure insert writes them; read by
// hand, as a database holds thousands of them.
QDateTime savedAt(const QVariant &date, const QVariant &time)
{
    const QString d = text(date).trimmed();
    const QString t = text(time).trimmed();
    if (d.size() != 10 || t.size() != 8 || d.at(4) != QLatin1Char('/') || d.at(7) != QLatin1Char('/') ||
        t.at(2) != QLatin1Char(':') || t.at(5) != QLatin1Char(':'))
        return QDateTime();
    bool ok[6] = {};
    const int year = QStringView(d).left(4).toInt(&ok[0]);
    const int month = QStringView(d).mid(5, 2).toInt(&ok[1]);
    const int day = QStringView(d).mid(8, 2).toInt(&ok[2]);
    const int hour = QStringView(t).left(2).toInt(&ok[3]);
    const int minute = QStringView(t).mid(3, 2).toInt(&ok[4]);
    const int second = QStringView(t).mid(6, 2).toInt(&ok[5]);
    if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }))
        return QDateTime();
    const QDate day_(year, month, day);
    const QTime time_(hour, minute, second);
    return day_.isValid() && time_.isValid() ? QDateTime(day_, time_) : QDateTime();
}

// Oldest first; rows without a readable save time first, by idx.
bool earlier(const QDateTime &a, qint64 ia, const QDateTime &b, qint64 ib)
{
    if (a.isValid() != b.isValid())
        return !a.isValid();
    if (a.isValid() && a != b)
        return a < b;
    return ia < ib;
}

// The trampoline mode of a stored header: the third column of its -0.002 line.
QString modeOf(const QByteArray &header)
{
    qsizetype from = 0;
    while (from < header.size()) {
        qsizetype end = header.indexOf('\n', from);
        if (end < 0)
            end = header.size();
        const QByteArray line = header.mid(from, end - from).trimmed();
        if (line.startsWith("-0.002")) {
            const QList<QByteArray> parts = line.split('\t');
            return parts.size() >= 3 ? QString::fromLatin1(parts.at(2).trimmed()) : QString();
        }
        from = end + 1;
    }
    return QString();
}

bool isNumber(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).isDouble();
}

std::optional<QPointF> positionOf(const QJsonValue &value)
{
    const QJsonObject p = value.toObject();
    if (!p.value(QStringLiteral("x")).isDouble() || !p.value(QStringLiteral("y")).isDouble())
        return std::nullopt;
    return QPointF(p.value(QStringLiteral("x")).toDouble(), p.value(QStringLiteral("y")).toDouble());
}

} // namespace

bool AthleteRef::isEmpty() const
{
    return lastName.trimmed().isEmpty() && firstName.trimmed().isEmpty();
}

AthleteIndex::Resolved AthleteIndex::resolveRef(const AthleteRef &ref) const
{
    Resolved r;
    const QString fig = figKey(ref);
    if (!fig.isEmpty()) {
        r.key = figPerson(fig);
        return r;
    }
    const QString name = nameKey(ref);
    QSet<QString> candidates;
    if (ref.year > 0) {
        const QStringList figs = m_figsByNameYear.value(name + kUnit + QString::number(ref.year));
        if (figs.isEmpty()) {
            r.key = yearPerson(name, ref.year);
            return r;
        }
        for (const QString &f : figs)
            candidates.insert(figPerson(f));
    } else {
        for (const QString &f : m_figsByName.value(name))
            candidates.insert(figPerson(f));
        // Athletes known by name and year only (those with a FIG id of the
        // same name and year are among the FIG ids already).
        for (const QString &year : m_yearPersonsByName.value(name)) {
            if (m_figsByNameYear.value(name + kUnit + year).isEmpty())
                candidates.insert(yearPerson(name, year.toInt()));
        }
        if (candidates.isEmpty()) {
            r.key = QStringLiteral("N") + kUnit + name;
            return r;
        }
    }
    if (candidates.size() == 1) {
        r.key = *candidates.cbegin();
        return r;
    }
    r.ambiguous = true;
    r.candidates = int(candidates.size());
    return r;
}

void AthleteIndex::build(const QList<MeasureAthletes> &rows)
{
    m_athletes.clear();
    m_byId.clear();
    m_figsByName.clear();
    m_figsByNameYear.clear();
    m_yearPersonsByName.clear();
    m_keyToId.clear();

    // What the rows say about who exists.
    for (const MeasureAthletes &row : rows) {
        for (const AthleteRef *a : {&row.athlete1, &row.athlete2}) {
            if (a->isEmpty())
                continue;
            const QString fig = figKey(*a);
            const QString name = nameKey(*a);
            if (!fig.isEmpty()) {
                QStringList &byName = m_figsByName[name];
                if (!byName.contains(fig))
                    byName << fig;
                if (a->year > 0) {
                    QStringList &byYear = m_figsByNameYear[name + kUnit + QString::number(a->year)];
                    if (!byYear.contains(fig))
                        byYear << fig;
                }
            } else if (a->year > 0) {
                QStringList &years = m_yearPersonsByName[name];
                if (!years.contains(QString::number(a->year)))
                    years << QString::number(a->year);
            }
        }
    }

    struct Entry
    {
        Athlete athlete;
        QList<std::pair<QDateTime, qint64>> rows;
        // The latest row's spelling.
        QDateTime namedAt;
        qint64 namedIdx = -1;
    };
    QHash<QString, Entry> entries;
    QStringList order;
    for (const MeasureAthletes &row : rows) {
        QList<const AthleteRef *> named;
        for (const AthleteRef *a : {&row.athlete1, &row.athlete2}) {
            if (!a->isEmpty())
                named << a;
        }
        if (named.isEmpty())
            continue;
        QString key;
        Athlete::Kind kind = Athlete::Kind::Individual;
        int candidates = 0;
        QList<Resolved> resolved;
        for (const AthleteRef *a : named)
            resolved << resolveRef(*a);
        const bool ambiguous =
            std::any_of(resolved.cbegin(), resolved.cend(), [](const Resolved &r) { return r.ambiguous; });
        if (ambiguous) {
            kind = Athlete::Kind::Ambiguous;
            QStringList names;
            for (const AthleteRef *a : named)
                names << nameKey(*a);
            names.sort();
            key = QStringLiteral("A") + kUnit + names.join(QChar(0x1e));
            for (const Resolved &r : resolved)
                candidates = std::max(candidates, r.candidates);
        } else if (named.size() == 2) {
            kind = Athlete::Kind::Pair;
            QStringList keys{resolved.at(0).key, resolved.at(1).key};
            keys.sort();
            key = QStringLiteral("P") + kUnit + keys.join(QChar(0x1e));
        } else {
            key = resolved.first().key;
        }
        auto it = entries.find(key);
        if (it == entries.end()) {
            it = entries.insert(key, Entry());
            it->athlete.id = idOf(key);
            it->athlete.kind = kind;
            order << key;
        }
        Entry &e = *it;
        e.rows.append({row.savedAt, row.idx});
        e.athlete.candidates = std::max(e.athlete.candidates, candidates);
        if (e.namedIdx < 0 || !earlier(row.savedAt, row.idx, e.namedAt, e.namedIdx)) {
            e.namedAt = row.savedAt;
            e.namedIdx = row.idx;
            QStringList members;
            for (const AthleteRef *a : named)
                members << displayName(*a);
            e.athlete.name = members.join(QStringLiteral(" / "));
            if (kind != Athlete::Kind::Pair) {
                if (!named.first()->idFig.trimmed().isEmpty())
                    e.athlete.figId = named.first()->idFig.trimmed();
                if (named.first()->year > 0)
                    e.athlete.year = named.first()->year;
            }
        }
    }

    for (const QString &key : order) {
        Entry &e = entries[key];
        std::sort(e.rows.begin(), e.rows.end(),
                  [](const auto &a, const auto &b) { return earlier(a.first, a.second, b.first, b.second); });
        for (const auto &r : e.rows)
            e.athlete.rows << r.second;
        e.athlete.latest = e.rows.last().first;
        m_keyToId.insert(key, e.athlete.id);
        m_athletes << e.athlete;
    }
    std::sort(m_athletes.begin(), m_athletes.end(), [](const Athlete &a, const Athlete &b) {
        const int byName = QString::localeAwareCompare(folded(a.name), folded(b.name));
        if (byName != 0)
            return byName < 0;
        if (a.kind != b.kind)
            return int(a.kind) < int(b.kind);
        return a.id < b.id;
    });
    for (qsizetype i = 0; i < m_athletes.size(); ++i)
        m_byId.insert(m_athletes.at(i).id, i);
}

const Athlete *AthleteIndex::find(const QString &id) const
{
    const auto it = m_byId.constFind(id);
    return it == m_byId.cend() ? nullptr : &m_athletes.at(*it);
}

QList<const Athlete *> AthleteIndex::search(const QString &text) const
{
    const QString wanted = folded(text);
    QList<const Athlete *> out;
    for (const Athlete &a : m_athletes) {
        if (wanted.isEmpty() || folded(a.name).contains(wanted) ||
            (!a.figId.isEmpty() && a.figId.toCaseFolded().contains(wanted)))
            out << &a;
    }
    return out;
}

QList<const Athlete *> AthleteIndex::named(const QString &lastCommaFirst) const
{
    const qsizetype comma = lastCommaFirst.indexOf(QLatin1Char(','));
    AthleteRef wanted;
    wanted.lastName = comma < 0 ? lastCommaFirst : lastCommaFirst.left(comma);
    wanted.firstName = comma < 0 ? QString() : lastCommaFirst.mid(comma + 1);
    const QString name = folded(displayName(wanted));
    QList<const Athlete *> out;
    for (const Athlete &a : m_athletes) {
        const QStringList members = a.name.split(QStringLiteral(" / "));
        if (std::any_of(members.cbegin(), members.cend(),
                        [&name](const QString &m) { return folded(m) == name; }))
            out << &a;
    }
    return out;
}

const Athlete *AthleteIndex::resolve(const AthleteRef &first, const AthleteRef &second) const
{
    QList<Resolved> resolved;
    for (const AthleteRef *a : {&first, &second}) {
        if (!a->isEmpty())
            resolved << resolveRef(*a);
    }
    if (resolved.isEmpty() ||
        std::any_of(resolved.cbegin(), resolved.cend(), [](const Resolved &r) { return r.ambiguous; }))
        return nullptr;
    QString key = resolved.first().key;
    if (resolved.size() == 2) {
        QStringList keys{resolved.at(0).key, resolved.at(1).key};
        keys.sort();
        key = QStringLiteral("P") + kUnit + keys.join(QChar(0x1e));
    }
    const auto id = m_keyToId.constFind(key);
    return id == m_keyToId.cend() ? nullptr : find(*id);
}

void readResults(const QByteArray &results, const QString &mode, bool hasSamples, HistoryRoutine &routine)
{
    routine.elements = 0;
    routine.timeOfFlight.reset();
    routine.horizontalDisplacement.reset();
    routine.meanDistanceCm.reset();
    routine.synchronizedScore.reset();
    routine.landings1.clear();
    routine.landings2.clear();
    if (results.trimmed().isEmpty()) {
        routine.result = hasSamples ? ResultState::NotScored : ResultState::NoSamples;
        return;
    }
    routine.result = ResultState::InvalidResult;
    QJsonParseError error{};
    const QJsonObject document = QJsonDocument::fromJson(results, &error).object();
    const QString type = document.value(QStringLiteral("type")).toString();
    double distanceSum = 0.0;
    int distances = 0;
    const auto land = [&](QList<QPointF> &bed, const QJsonValue &value) {
        if (const std::optional<QPointF> p = positionOf(value)) {
            bed << *p;
            distanceSum += std::hypot(p->x(), p->y());
            ++distances;
        }
    };
    if (error.error != QJsonParseError::NoError) {
        return;
    } else if (type == QLatin1String("individual")) {
        const QJsonObject r = document.value(QStringLiteral("individualResult")).toObject();
        if (!isNumber(r, "timeOfFlightInSeconds") || !isNumber(r, "horizontalDisplacement") ||
            !isNumber(r, "elementCount"))
            return;
        routine.synchronized = false;
        routine.timeOfFlight = r.value(QStringLiteral("timeOfFlightInSeconds")).toDouble();
        routine.horizontalDisplacement = r.value(QStringLiteral("horizontalDisplacement")).toDouble();
        routine.elements = r.value(QStringLiteral("elementCount")).toInt();
        QList<QPointF> &bed = mode == QLatin1String("2") ? routine.landings2 : routine.landings1;
        for (const QJsonValue &element : r.value(QStringLiteral("elements")).toArray())
            land(bed, element.toObject().value(QStringLiteral("landingPositionInCm")));
    } else if (type == QLatin1String("synchronized")) {
        const QJsonObject r = document.value(QStringLiteral("synchronizedResult")).toObject();
        if (!isNumber(r, "horizontalDisplacement") || !isNumber(r, "synchronizedScore") ||
            !isNumber(r, "elementCount"))
            return;
        routine.synchronized = true;
        routine.horizontalDisplacement = r.value(QStringLiteral("horizontalDisplacement")).toDouble();
        routine.synchronizedScore = r.value(QStringLiteral("synchronizedScore")).toDouble();
        routine.elements = r.value(QStringLiteral("elementCount")).toInt();
        for (const QJsonValue &element : r.value(QStringLiteral("elements")).toArray()) {
            const QJsonObject pair = element.toObject();
            land(routine.landings1, pair.value(QStringLiteral("landingPositionInCmTrampoline1")));
            land(routine.landings2, pair.value(QStringLiteral("landingPositionInCmTrampoline2")));
        }
    } else {
        return;
    }
    routine.result = ResultState::Scored;
    if (distances > 0)
        routine.meanDistanceCm = distanceSum / distances;
}

bool readAthletes(db::Connection &connection, AthleteIndex &index)
{
    bool ok = false;
    const QList<QVariantList> rows = connection.selectRows(
        QStringLiteral("SELECT idx, LastName1, FirstName1, Year1, IDFIG1, LastName2, "
                       "FirstName2, Year2, IDFIG2, Date, Time FROM Measures ORDER BY idx;"),
        {}, &ok);
    QList<MeasureAthletes> athletes;
    athletes.reserve(rows.size());
    for (const QVariantList &row : rows) {
        if (row.size() != 11)
            continue;
        MeasureAthletes m;
        m.idx = row.at(0).toLongLong();
        m.athlete1 = {text(row.at(1)), text(row.at(2)), text(row.at(4)), number(row.at(3))};
        m.athlete2 = {text(row.at(5)), text(row.at(6)), text(row.at(8)), number(row.at(7))};
        m.savedAt = savedAt(row.at(9), row.at(10));
        athletes << m;
    }
    index.build(athletes);
    return ok;
}

QList<HistoryRoutine> readRoutines(db::Connection &connection, const Athlete &athlete, bool *ok)
{
    QHash<qint64, HistoryRoutine> byIdx;
    bool ran = true;
    for (qsizetype from = 0; from < athlete.rows.size() && ran; from += kRowsPerQuery) {
        const QList<qint64> part = athlete.rows.mid(from, kRowsPerQuery);
        QVariantList values;
        QStringList marks;
        for (const qint64 idx : part) {
            values << idx;
            marks << QStringLiteral("?");
        }
        const QList<QVariantList> rows = connection.selectRows(
            QStringLiteral("SELECT idx, Name, EventName, CompetitionName, GroupName, Date, Time, LastName1, "
                           "FirstName1, LastName2, FirstName2, Header, Results, length(Data) FROM Measures "
                           "WHERE idx IN (%1);")
                .arg(marks.join(QStringLiteral(", "))),
            values, &ran);
        for (const QVariantList &row : rows) {
            if (row.size() != 14)
                continue;
            HistoryRoutine r;
            r.idx = row.at(0).toLongLong();
            r.measureName = text(row.at(1));
            r.event = text(row.at(2));
            r.competition = text(row.at(3));
            r.group = text(row.at(4));
            r.savedAt = savedAt(row.at(5), row.at(6));
            const AthleteRef one{text(row.at(7)), text(row.at(8)), {}, 0};
            const AthleteRef two{text(row.at(9)), text(row.at(10)), {}, 0};
            r.athletes = two.isEmpty()
                             ? displayName(one)
                             : (one.isEmpty() ? displayName(two)
                                              : displayName(one) + QStringLiteral(" / ") + displayName(two));
            r.synchronized = !one.isEmpty() && !two.isEmpty();
            r.ambiguous = athlete.kind == Athlete::Kind::Ambiguous;
            const QByteArray header = db::normalized(row.at(11), db::ColumnType::Blob).toByteArray();
            const QByteArray results = db::normalized(row.at(12), db::ColumnType::Blob).toByteArray();
            readResults(results, modeOf(header), row.at(13).toLongLong() >= 16, r);
            byIdx.insert(r.idx, r);
        }
    }
    if (ok)
        *ok = ran;
    QList<HistoryRoutine> out;
    out.reserve(athlete.rows.size());
    // In the athlete's order, oldest first.
    for (const qint64 idx : athlete.rows) {
        const auto it = byIdx.constFind(idx);
        if (it != byIdx.cend())
            out << *it;
    }
    return out;
}

std::optional<double> figureOf(const HistoryRoutine &routine, Figure figure)
{
    switch (figure) {
    case Figure::TimeOfFlight:
        return routine.timeOfFlight;
    case Figure::HorizontalDisplacement:
        return routine.horizontalDisplacement;
    case Figure::SynchronizedScore:
        return routine.synchronizedScore;
    }
    return std::nullopt;
}

Trend trendOf(const QList<HistoryRoutine> &routines, Figure figure, int at)
{
    Trend t;
    int latest = -1;
    for (int i = 0; i < int(routines.size()); ++i) {
        const std::optional<double> v = figureOf(routines.at(i), figure);
        if (!v)
            continue;
        ++t.points;
        latest = i;
        if (!t.bestValue || *v > *t.bestValue) {
            t.bestValue = v;
            t.best = i;
        }
    }
    if (at < 0)
        at = latest;
    if (at < 0 || at >= int(routines.size()))
        return t;
    t.value = figureOf(routines.at(at), figure);
    if (!t.value)
        return t;
    for (int i = at - 1; i >= 0; --i) {
        if (const std::optional<double> before = figureOf(routines.at(i), figure)) {
            t.deltaPrevious = *t.value - *before;
            break;
        }
    }
    t.deltaBest = *t.value - *t.bestValue;
    return t;
}

QString resultStateText(ResultState state)
{
    switch (state) {
    case ResultState::Scored:
        return QStringLiteral("scored");
    case ResultState::NotScored:
        return QStringLiteral("not scored");
    case ResultState::InvalidResult:
        return QStringLiteral("invalid result");
    case ResultState::NoSamples:
        return QStringLiteral("no samples");
    }
    return QString();
}

QJsonObject athleteJson(const Athlete &athlete)
{
    static const char *const kKinds[] = {"individual", "pair", "ambiguous"};
    QJsonObject o{
        {QStringLiteral("id"), athlete.id},
        {QStringLiteral("kind"), QLatin1String(kKinds[int(athlete.kind)])},
        {QStringLiteral("name"), athlete.name},
        {QStringLiteral("members"), QJsonArray::fromStringList(athlete.name.split(QStringLiteral(" / ")))},
        {QStringLiteral("routines"), int(athlete.rows.size())}};
    if (!athlete.figId.isEmpty())
        o.insert(QStringLiteral("figId"), athlete.figId);
    if (athlete.year > 0)
        o.insert(QStringLiteral("year"), athlete.year);
    if (athlete.kind == Athlete::Kind::Ambiguous)
        o.insert(QStringLiteral("candidates"), athlete.candidates);
    if (athlete.latest.isValid())
        o.insert(QStringLiteral("latest"), athlete.latest.toString(Qt::ISODate));
    return o;
}

QJsonObject routineJson(const HistoryRoutine &routine, const Athlete &athlete)
{
    QJsonObject o{{QStringLiteral("athleteId"), athlete.id},
                  {QStringLiteral("athlete"), athlete.name},
                  {QStringLiteral("measure"), routine.measureName},
                  {QStringLiteral("idx"), routine.idx},
                  {QStringLiteral("event"), routine.event},
                  {QStringLiteral("competition"), routine.competition},
                  {QStringLiteral("group"), routine.group},
                  {QStringLiteral("type"),
                   routine.synchronized ? QStringLiteral("synchronized") : QStringLiteral("individual")},
                  {QStringLiteral("result"), resultStateText(routine.result)},
                  {QStringLiteral("ambiguous"), routine.ambiguous}};
    if (routine.savedAt.isValid())
        o.insert(QStringLiteral("date"), routine.savedAt.toString(Qt::ISODate));
    if (routine.result == ResultState::Scored)
        o.insert(QStringLiteral("elements"), routine.elements);
    if (routine.timeOfFlight)
        o.insert(QStringLiteral("timeOfFlightInSeconds"), *routine.timeOfFlight);
    if (routine.horizontalDisplacement)
        o.insert(QStringLiteral("horizontalDisplacement"), *routine.horizontalDisplacement);
    if (routine.meanDistanceCm)
        o.insert(QStringLiteral("meanDistanceFromCentreInCm"),
                 std::round(*routine.meanDistanceCm * 10.0) / 10.0);
    if (routine.synchronizedScore)
        o.insert(QStringLiteral("synchronizedScore"), *routine.synchronizedScore);
    return o;
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
        !text.contains(QLatin1Char(';')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace ovra::history
