#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The mark that a routine kept in a data file (the temporary routine file
// whose saves failed at commit) has been committed: a small file beside it
// with the commit's key and the saves still to be repeated. A routine that
// comes back with it is never committed, and so never sent, a second time.
struct CommitMarker
{
    QString key;
    QDateTime committedAt;
    // The saves that failed, or had not finished when the program ended.
    bool fileSavePending = false;
    bool databaseSavePending = false;

    bool savesPending() const { return fileSavePending || databaseSavePending; }

    // "name.committed" beside "name.dat".
    static QString pathFor(const QString &dataFile);
    static std::optional<CommitMarker> read(const QString &dataFile);
    // Written atomically; false with the reason when it could not be.
    bool write(const QString &dataFile, QString *error = nullptr) const;
    static void remove(const QString &dataFile);
    // Follows its data file to a new name.
    static bool move(const QString &fromDataFile, const QString &toDataFile);
};
