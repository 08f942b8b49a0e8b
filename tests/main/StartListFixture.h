#pragma once

#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "wsdb.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <sqlite3.h>

namespace ovra::test {

// A competition as the start-list dialogs leave it: two events, an
// individual and a synchronized competition of "Worlds" with a "Final"
// each. The individual final lists Miller (12), a name with ", " and " / "
// in it, and Ng without a first name; the synchronized one a pair.
inline bool seedCompetition(wsdb &db)
{
    bool ok = db.createTables(QStringLiteral("main"));
    const auto run = [&db, &ok](const char *sql, const QVariantList &values) {
        ok = db.execute(QString::fromUtf8(sql), values) && ok;
    };
    const char *event = "INSERT INTO Events ( EventName, City, NOCCode, DateFrom, DateTo, CompetitionName ) "
                        "VALUES ( ?, ?, ?, '', '', '__ws_def_event__' );";
    run(event, {QStringLiteral("Worlds"), QStringLiteral("Baku"), QStringLiteral("AZE")});
    run(event, {QStringLiteral("Coupe d'Europe"), QStringLiteral("Besançon"), QStringLiteral("FRA")});
    const char *competition =
        "INSERT INTO Competitions ( EventName, CompetitionName, GroupName, GenderID, TypeID ) "
        "VALUES ( 'Worlds', ?, '__ws_def_competition__', ?, ? );";
    run(competition, {QStringLiteral("Seniors"), 2, 1});
    run(competition, {QStringLiteral("Pairs"), 3, 2});
    const char *group = "INSERT INTO Groups ( EventName, CompetitionName, GroupName, LastName1 ) "
                        "VALUES ( 'Worlds', ?, 'Final', '__ws_def_group__' );";
    run(group, {QStringLiteral("Seniors")});
    run(group, {QStringLiteral("Pairs")});
    const char *entry =
        "INSERT INTO Groups ( EventName, CompetitionName, GroupName, StartOrder, Competitor1No, LastName1, "
        "FirstName1, Gender1, Year1, NOCCode1, IDFIG1, Competitor2No, LastName2, FirstName2, Gender2, Year2, "
        "NOCCode2, IDFIG2, GenderID, TypeID ) VALUES ( 'Worlds', ?, 'Final', ?, ?, ?, ?, 'Female', 1999, "
        "'IRL', "
        "'F1', ?, ?, ?, 'Male', ?, 'GER', 'F2', ?, ? );";
    run(entry, {QStringLiteral("Seniors"), 1, 12, QStringLiteral("Miller"), QStringLiteral("John"), -1,
                QString(), QString(), 0, 2, 1});
    run(entry, {QStringLiteral("Seniors"), 2, -1, QStringLiteral("Smith, Jr."), QStringLiteral("Anna / B"),
                -1, QString(), QString(), 0, 2, 1});
    run(entry, {QStringLiteral("Seniors"), 3, -1, QStringLiteral("Ng"), QString(), -1, QString(), QString(),
                0, 2, 1});
    run(entry, {QStringLiteral("Pairs"), 1, 7, QStringLiteral("O'Brien"), QStringLiteral("Siobhán"), 8,
                QStringLiteral("Müller"), QStringLiteral("Jürgen"), 2001, 3, 2});
    return ok;
}

// A database file at path that holds the competition above and nothing else.
inline bool writeCompetitionFile(const QString &path)
{
    QFile::remove(path);
    wsDaten store;
    wsdb db(store);
    return db.openDatabase(path) && seedCompetition(db);
}

// The settings that the next window loads open this database file.
inline void storeDatabaseSetting(const QString &path)
{
    auto storage = OvraSettings::openStorage();
    storage->setValue(QStringLiteral("db/dbFile"), path);
    storage->sync();
}

// Every row of a query as "a|b|c" (NULL as "NULL"), read through a
// connection of its own: what it sees is in the file.
inline QStringList queryRows(const QString &path, const char *sql)
{
    QStringList out;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                QStringList row;
                for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                    row << (sqlite3_column_type(stmt, c) == SQLITE_NULL
                                ? QStringLiteral("NULL")
                                : QString::fromUtf8(
                                      reinterpret_cast<const char *>(sqlite3_column_text(stmt, c))));
                out << row.join(QLatin1Char('|'));
            }
        } else {
            out << QStringLiteral("prepare failed");
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return out;
}

} // namespace ovra::test
