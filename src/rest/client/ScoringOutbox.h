#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <optional>

namespace ovra::rest::client {

// One committed result that a scoring system has not accepted yet.
struct ScoringOutboxEntry
{
    // The file name without its folder; also what the window names it by.
    QString id;
    // Commit order: entries of one commit follow each other.
    qint64 sequence = 0;
    // The commit's Idempotency-Key, the same on every send of the result.
    QString key;
    // The scoring system as it was configured at the commit.
    QString systemLabel;
    QString systemUrl;
    // Who the routine was, for the operator.
    QString athlete;
    QDateTime committedAt;
    // The request body, sent unchanged byte for byte.
    QByteArray body;
};

// The results waiting for scoring systems, one small JSON file per entry in
// a folder of its own, each written atomically, so that a quit or a kill
// loses none and never leaves half an entry. Without a folder the entries
// live in memory only.
class ScoringOutbox : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFormat = 1;
    // Entries that cannot be read are moved here, inside the folder.
    static constexpr const char *kUnreadableFolder = "unreadable";

    explicit ScoringOutbox(QObject *parent = nullptr);

    // Reads the entries waiting in the folder. An entry that cannot be read
    // is logged and set aside into the unreadable folder; the others stay.
    void open(const QString &directory);
    QString directory() const { return m_directory; }

    // Adds the entries of one commit after those waiting, in the given
    // order; ids and sequence numbers are filled in. The entries are kept
    // even when they cannot be written; false then, with the reason.
    bool add(QList<ScoringOutboxEntry> entries, QString *error = nullptr);
    // Removes an entry (it was delivered or discarded).
    void remove(const QString &id);

    // In commit order.
    const QList<ScoringOutboxEntry> &entries() const { return m_entries; }
    std::optional<ScoringOutboxEntry> entry(const QString &id) const;
    bool isEmpty() const { return m_entries.isEmpty(); }

    // "First Last" of the routine meta information, "A / B" for a pair;
    // empty when it names nobody.
    static QString athleteOf(const QMap<QString, QString> &routineMeta);

Q_SIGNALS:
    void changed();

private:
    bool write(const ScoringOutboxEntry &entry, QString *error) const;
    void setAside(const QString &fileName, const QString &reason) const;

    QString m_directory;
    QList<ScoringOutboxEntry> m_entries;
    qint64 m_lastSequence = 0;
};

} // namespace ovra::rest::client
