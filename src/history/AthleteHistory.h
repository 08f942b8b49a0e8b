#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>

namespace ovra::db {
class Connection;
}

// Every stored routine of an athlete across competitions: who is who among
// the measures of a competition database, and what each routine scored.
namespace ovra::history {

// An athlete as a measure row names him or her (athlete 1 or 2).
struct AthleteRef
{
    QString lastName;
    QString firstName;
    QString idFig;
    // 0 when unknown.
    int year = 0;
    // Without a name nobody is named: a start entry of an individual may
    // carry a second athlete's FIG id or year and no name.
    bool isEmpty() const;
};

// The athlete columns of one measure row.
struct MeasureAthletes
{
    qint64 idx = 0;
    AthleteRef athlete1;
    AthleteRef athlete2;
    // When the routine was saved (Date and Time of the row).
    QDateTime savedAt;
};

// One athlete, one pair, or the routines that name an athlete who cannot
// be told apart from others of the same name.
//
// Who is who: an athlete is identified by the FIG id where a row has one,
// otherwise by last name, first name and year of birth (names compared
// without regard to case and surrounding blanks). A row without a FIG id
// joins the athlete with a FIG id of the same name and year when there is
// exactly one; a row with neither FIG id nor year joins the one athlete of
// that name when there is exactly one. Where several athletes fit, the row
// belongs to nobody: it is listed under an entry of kind Ambiguous, never
// merged into one of them. A pair is identified by both its athletes, in
// either order. Rows that name no athlete at all belong to no history.
struct Athlete
{
    enum class Kind {
        Individual,
        Pair,
        Ambiguous,
    };
    // Stable while the same rows identify the athlete; letters and digits only.
    QString id;
    Kind kind = Kind::Individual;
    // "Last, First", a pair as "Last, First / Last, First", spelt as in the
    // athlete's latest routine.
    QString name;
    // Individuals: the FIG id and year of birth the rows give (empty, 0
    // when they give none).
    QString figId;
    int year = 0;
    // Ambiguous: how many athletes the rows could belong to.
    int candidates = 0;
    // The measures (idx), oldest first.
    QList<qint64> rows;
    QDateTime latest;
};

// The athletes of a set of measure rows, as described at Athlete.
class AthleteIndex
{
public:
    void build(const QList<MeasureAthletes> &rows);

    // By name, then individuals before pairs before ambiguous entries.
    const QList<Athlete> &athletes() const { return m_athletes; }
    const Athlete *find(const QString &id) const;
    // Entries whose name (or a pair member's) or FIG id contains text,
    // without regard to case; all for an empty text.
    QList<const Athlete *> search(const QString &text) const;
    // Entries whose name, or a member of the pair, is exactly "Last, First"
    // (without regard to case).
    QList<const Athlete *> named(const QString &lastCommaFirst) const;
    // The athlete (or pair, when second is not empty) a start entry names,
    // by the same rules as a row; null when none is known or several fit.
    const Athlete *resolve(const AthleteRef &first, const AthleteRef &second = {}) const;

private:
    struct Resolved
    {
        QString key;
        bool ambiguous = false;
        int candidates = 0;
    };
    Resolved resolveRef(const AthleteRef &ref) const;

    QList<Athlete> m_athletes;
    QHash<QString, qsizetype> m_byId;
    // Who the rows say exists: the FIG ids of a name, and of a name and
    // year; the years of a name given without a FIG id.
    QHash<QString, QStringList> m_figsByName;
    QHash<QString, QStringList> m_figsByNameYear;
    QHash<QString, QStringList> m_yearPersonsByName;
    // Identity key -> athlete id.
    QHash<QString, QString> m_keyToId;
};

// What a routine's stored result says.
enum class ResultState {
    Scored,
    // Results is empty: stored before routines kept their result; it is
    // scored again from its samples.
    NotScored,
    // Results holds no confirmed result the history can read.
    InvalidResult,
    // Neither a result nor samples to score it from.
    NoSamples,
};

// One stored routine as the history shows it.
struct HistoryRoutine
{
    qint64 idx = 0;
    // The measure's Name (save date and time).
    QString measureName;
    QDateTime savedAt;
    QString event;
    QString competition;
    QString group;
    QString athletes;
    bool synchronized = false;
    ResultState result = ResultState::NotScored;
    // Whose routine it is cannot be told (see Athlete).
    bool ambiguous = false;
    int elements = 0;
    // Total time of flight (individual routines) and total HD, seconds and
    // points as the confirmed result gives them.
    std::optional<double> timeOfFlight;
    std::optional<double> horizontalDisplacement;
    // Mean distance of the landings from the bed centre, cm; both beds of
    // a pair.
    std::optional<double> meanDistanceCm;
    // Pairs: the synchronisation score.
    std::optional<double> synchronizedScore;
    // The landings (cm from the bed centre) on trampoline 1 and 2.
    QList<QPointF> landings1;
    QList<QPointF> landings2;
};

// Reads a stored Results value into routine: state, totals and landings.
// mode is the trampoline mode of the measure's header ("1", "2", "3"),
// which tells the bed of an individual routine; hasSamples whether the
// row holds samples.
void readResults(const QByteArray &results, const QString &mode, bool hasSamples, HistoryRoutine &routine);

// The athletes of every measure of a database; false when the query failed.
bool readAthletes(db::Connection &connection, AthleteIndex &index);
// The routines of athlete, oldest first; ok says whether the query ran.
QList<HistoryRoutine> readRoutines(db::Connection &connection, const Athlete &athlete, bool *ok = nullptr);

// A figure followed over the routines.
enum class Figure {
    TimeOfFlight,
    HorizontalDisplacement,
    SynchronizedScore,
};
std::optional<double> figureOf(const HistoryRoutine &routine, Figure figure);

// The best routine (the first to reach the highest value; higher is better
// for all three figures) and the deltas of one routine against the
// routine before it that has the figure and against the best.
struct Trend
{
    // Routines that have the figure.
    int points = 0;
    // Index into the list, -1 without points.
    int best = -1;
    std::optional<double> bestValue;
    std::optional<double> value;
    std::optional<double> deltaPrevious;
    std::optional<double> deltaBest;
};
// The trend at routine `at` (an index into routines, which are oldest
// first); at < 0 means the latest routine with the figure.
Trend trendOf(const QList<HistoryRoutine> &routines, Figure figure, int at = -1);

// For other programs: an athlete, and one routine with its athlete's name
// and id.
QJsonObject athleteJson(const Athlete &athlete);
QJsonObject routineJson(const HistoryRoutine &routine, const Athlete &athlete);
// "scored", "not scored", "invalid result", "no samples".
QString resultStateText(ResultState state);

// Text for one CSV cell: quoted where it holds a separator, a quote or a
// line break.
QString csvField(const QString &text);

} // namespace ovra::history
