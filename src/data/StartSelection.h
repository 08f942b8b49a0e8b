#pragma once

#include <QString>

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
