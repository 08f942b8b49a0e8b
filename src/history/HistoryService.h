#pragma once

#include "history/AthleteHistory.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace ovra::db {
class Connection;
}

namespace ovra::history {

// The athlete histories of the open competition database for the window,
// the local HTTP server and the audience screen. Lives in the GUI thread,
// where the database is used. What it read is kept until the database's
// measures change (their number, the last one, or the results stored) or
// another database is opened.
class HistoryService : public QObject
{
    Q_OBJECT
public:
    using ConnectionSource = std::function<db::Connection *()>;

    explicit HistoryService(ConnectionSource source, QObject *parent = nullptr);

    // The athletes of the open database; null when none is open or it
    // cannot be read.
    const AthleteIndex *index();
    // The routines of the athlete id, oldest first; found is false when the
    // database holds no such athlete.
    QList<HistoryRoutine> routines(const QString &id, bool *found = nullptr);
    // Forget what was read (a measure renamed, say).
    void invalidate();
    // Counts the times the athletes were read anew: a reader of index()
    // knows by it whether what it shows is still current.
    int generation() const { return m_generation; }

    // The highest total time of flight among the individual routines of the
    // athlete a start entry names (see AthleteIndex::resolve); nothing when
    // the athlete is unknown, ambiguous or has no scored routine. name
    // receives the athlete's name.
    std::optional<double> personalBestTimeOfFlight(const AthleteRef &athlete, QString *name = nullptr);

    // HTTP answers: GET /athletes and GET /athletes/{id}/history. Status
    // 503 without an open database, 404 for an unknown athlete.
    struct Answer
    {
        int status = 503;
        QByteArray body;
    };
    Answer athletesAnswer();
    Answer historyAnswer(const QString &id);

private:
    bool fresh();

    ConnectionSource m_source;
    db::Connection *m_connection = nullptr;
    QString m_location;
    QString m_fingerprint;
    bool m_valid = false;
    int m_generation = 0;
    AthleteIndex m_index;
    QHash<QString, QList<HistoryRoutine>> m_routines;
};

} // namespace ovra::history
