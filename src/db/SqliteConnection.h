#pragma once

#include "db/Connection.h"

struct sqlite3;

namespace ovra::db {

// A competition database in an SQLite file. The file is kept in
// write-ahead-log mode, so readers in other programs never stop a save, and
// a writer's lock is waited for up to busyTimeout(). Opening adds the
// measure id (MeasureUid) where a file of an older version lacks it.
class SqliteConnection : public Connection
{
    Q_OBJECT
public:
    static constexpr int kBusyTimeoutMs = 5000;

    using Connection::Connection;
    ~SqliteConnection() override;

    // Opens path (created when missing); true when it is open.
    bool open(const QString &path);
    // Opens an existing file only to read it: nothing about the file
    // changes (no log mode, no measure ids added).
    bool openReadOnly(const QString &path);
    // Writes the log back into the file first, so that a copy of the file
    // alone holds every stored row.
    void close();
    QString path() const { return m_path; }
    // Moves what the log holds into the file where no reader prevents it.
    void checkpoint();
    sqlite3 *handle() const { return m_db; }

    void setBusyTimeout(int ms);
    int busyTimeout() const { return m_busyTimeoutMs; }

    Kind kind() const override { return Kind::File; }
    QString location() const override { return m_path; }
    bool isOpen() const override { return m_db != nullptr; }
    bool createTables() override { return createTables(QStringLiteral("main")); }
    // The tables in schema ("main" or an attached file).
    bool createTables(const QString &schema);
    // Adds and fills the measure id in schema's Measures where missing.
    bool addMeasureUids(const QString &schema);
    bool execute(const QString &sql, const QVariantList &values = {}) override;
    QList<QVariantList> selectRows(const QString &sql, const QVariantList &values = {}, bool *ok = nullptr,
                                   QStringList *names = nullptr) override;
    bool transaction(const std::function<bool()> &work) override;
    qint64 lastInsertRowId() override;
    QString lastError() const override;
    // Rows changed by the last statement.
    int changes() const;

private:
    bool prepare();

    sqlite3 *m_db = nullptr;
    QString m_path;
    int m_busyTimeoutMs = kBusyTimeoutMs;
    bool m_readOnly = false;
};

} // namespace ovra::db
