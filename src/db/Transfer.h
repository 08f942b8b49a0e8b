#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace ovra::db {

class Connection;

// Tables of a copy, combined by OR.
enum CopyFlag : int {
    CopyAthlets = 1,
    CopyEvents = 2,
    CopyCompetitions = 4,
    CopyGroups = 8,
    CopyMeasures = 16,
    CopyAll = 31,
};

struct MergeCounts
{
    int added = 0;
    int identical = 0;
    int conflicting = 0;
    bool operator==(const MergeCounts &) const = default;
};

struct MergeResult
{
    bool ok = false;
    // Athlets, Events, Competitions, Groups, Measures.
    std::array<MergeCounts, 5> tables{};
    // Why the merge failed, for the operator.
    QString error;
};

// How a table is merged: the columns copied (idx never is) and the key
// that tells a conflicting row from a new one.
struct MergeColumns
{
    QStringList copied;
    QStringList key;
};
// Athlets, Events, Competitions, Groups, Measures.
const std::array<MergeColumns, 5> &mergeColumns();

// The merge between two databases of any kind: adds to target every row of
// source that target does not hold identically (all copied columns equal,
// NULL equal to NULL), counting what it finds against target as it was
// before. A source measure without an id gets the one its content gives.
// A measure's Results (its score, computed from the samples) is not
// compared: a measure equal in every other column is the same routine, and
// where target holds it unscored it takes the source's result.
// Runs inside the caller's transaction on target; false (with the reason
// in result.error) when a statement fails.
bool mergeRows(Connection &target, Connection &source, MergeResult &result);

// Copies the tables of flags from source into target (whose tables exist)
// with their idx values, in parts, so that large measures are never all in
// memory at once. Runs inside the caller's transaction on target.
bool copyRows(Connection &target, Connection &source, int flags, QString *error = nullptr);

} // namespace ovra::db
