#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

namespace ovra::db {

// One connection to a competition database: a local SQLite file or a
// database server. The competition database (wsdb) runs its statements
// through this interface and never asks which kind it talks to.
//
// Statements are written once for both kinds: values are bound to "?"
// parameters in order (QString, integers, double, QByteArray as bytes, an
// invalid QVariant as NULL; a null QString is an empty text), names are
// written as the tables spell them, and rows come back with those
// spellings. Text compares and sorts by its code points, LIKE ignores the
// case of ASCII letters only, and NULL sorts before every value: the rules
// of a file, which a server connection keeps too.
//
// A query that one kind cannot answer the same way (athlete history, say)
// goes here as a virtual function with an implementation in each kind.
class Connection : public QObject
{
    Q_OBJECT
public:
    enum class Kind {
        File,
        Server,
    };

    using QObject::QObject;
    ~Connection() override = default;

    virtual Kind kind() const = 0;
    // For the operator: the file's path, or the server as user@host:port/database.
    virtual QString location() const = 0;
    // Whether statements can run now. A server that went away is not open
    // until it answers again.
    virtual bool isOpen() const = 0;

    // The five tables (and the measure id) where they are missing; true when
    // every table is there.
    virtual bool createTables() = 0;

    // Runs one statement with values bound; true when it ran.
    virtual bool execute(const QString &sql, const QVariantList &values = {}) = 0;
    // Every row of a query as column name -> value (qlonglong, double,
    // QString, QByteArray; an invalid QVariant for NULL). ok, when given,
    // says whether the query ran.
    QList<QVariantMap> select(const QString &sql, const QVariantList &values = {}, bool *ok = nullptr)
    {
        QStringList names;
        const QList<QVariantList> list = selectRows(sql, values, ok, &names);
        QList<QVariantMap> rows;
        rows.reserve(list.size());
        for (const QVariantList &cells : list) {
            QVariantMap row;
            for (qsizetype c = 0; c < names.size(); ++c)
                row.insert(names.at(c), cells.at(c));
            rows.append(row);
        }
        return rows;
    }
    // The same, each row as its values in the order of the query's columns:
    // cheaper for long lists. names, when given, receives the column names.
    virtual QList<QVariantList> selectRows(const QString &sql, const QVariantList &values = {},
                                           bool *ok = nullptr, QStringList *names = nullptr) = 0;
    // Runs work with the database's write lock held (taken, or waited for,
    // before work reads anything), then commits; rolls back and returns false
    // when work returns false or the commit fails. Inside a running
    // transaction work simply joins it.
    virtual bool transaction(const std::function<bool()> &work) = 0;
    // Row id (idx) of the last row this connection inserted.
    virtual qint64 lastInsertRowId() = 0;
    // Why the last statement failed, for the operator.
    virtual QString lastError() const = 0;

Q_SIGNALS:
    // Another connection changed these tables (canonical names). Only a
    // server reports them; byOthers is false for this connection's own
    // changes.
    void tablesChanged(const QStringList &tables, bool byOthers);
    // A server went away or answers again.
    void openChanged(bool open);
};

} // namespace ovra::db
