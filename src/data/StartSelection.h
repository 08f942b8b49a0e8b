#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// One athlete of the current start-list choice; the fields carry the names
// of the Athlets columns they come from.
struct StartSelectionAthlete
{
    QString lastName;
    QString firstName;
    QString gender;
    int year = 0;
    QString noc;
    QString nocCode;
    QString idFig;
    QString idNational;
    QString email;
};

// The current start-list choice (event, competition, group, start entry),
// filled by the selection dialogs and read when a measure is stored.
struct StartSelection
{
    // Event
    QString eventName;
    QString city;
    QString nocCode;
    QString dateFrom;
    QString dateTo;
    // Competition
    QString competitionName;
    int genderId = 0;
    int typeId = 0;
    // Group and start entry; competitor numbers are -1 when unset.
    QString groupName;
    int startOrder = 0;
    int competitor1No = -1;
    int competitor2No = -1;
    StartSelectionAthlete athlete1;
    StartSelectionAthlete athlete2;
};

namespace data::model {

// The start entry that routine meta information names: event, competition
// and group from "event", "competition" and "group"; a pair from
// "lastname1", "firstname1", "lastname2" and "firstname2", a single athlete
// from "lastname" and "firstname". Keys are matched whatever their case.
// What the meta does not name stays empty.
StartSelection startSelectionOf(const QMap<QString, QString> &meta);

// Who jumps, as the operator and the audience read it: "Ann Example", or
// "Ann Example / Ben Example" for a pair; without those keys the value of a
// "name" or "athlete" entry; empty when the meta names nobody.
QString athleteName(const QMap<QString, QString> &meta);

// The keys athleteName takes its text from in this map.
QStringList athleteKeys(const QMap<QString, QString> &meta);

} // namespace data::model
