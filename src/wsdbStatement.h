#pragma once

// The prepared statement and the error printing shared by the translation
// units of wsdb; not part of its interface.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <sqlite3.h>

#include <cstdio>
#include <cstring>

namespace wsdb_detail {

// A prepared statement that is finalized however the function leaves.
class Statement
{
public:
    Statement(sqlite3 *db, const QByteArray &sql)
    {
        m_result = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool prepared() const { return m_result == SQLITE_OK && m_stmt; }
    int prepareResult() const { return m_result == SQLITE_OK ? SQLITE_ERROR : m_result; }
    sqlite3_stmt *get() const { return m_stmt; }

    // Binds the values to the parameters first, first + 1, ...; false when
    // one does not bind.
    bool bind(const QVariantList &values, int first = 1)
    {
        int i = first;
        for (const QVariant &v : values) {
            int rc = SQLITE_OK;
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Bool:
                rc = sqlite3_bind_int(m_stmt, i, v.toInt());
                break;
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(m_stmt, i, v.toLongLong());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(m_stmt, i, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = v.toByteArray();
                rc = sqlite3_bind_blob(m_stmt, i, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
                break;
            }
            default:
                if (v.isNull() && v.typeId() != QMetaType::QString) {
                    rc = sqlite3_bind_null(m_stmt, i);
                } else {
                    const QByteArray text = v.toString().toUtf8();
                    rc = sqlite3_bind_text(m_stmt, i, text.constData(), int(text.size()), SQLITE_TRANSIENT);
                }
                break;
            }
            if (rc != SQLITE_OK)
                return false;
            ++i;
        }
        return true;
    }

    int column(const char *name) const
    {
        const int n = sqlite3_column_count(m_stmt);
        for (int i = 0; i < n; ++i) {
            if (std::strcmp(sqlite3_column_name(m_stmt, i), name) == 0)
                return i;
        }
        return -1;
    }
    QString text(int i) const
    {
        const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
        return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, i));
    }
    QString text(const char *name) const
    {
        const int i = column(name);
        return i < 0 ? QString() : text(i);
    }
    int integer(const char *name) const
    {
        const int i = column(name);
        return i < 0 ? 0 : sqlite3_column_int(m_stmt, i);
    }
    // The column as the nearest Qt value: qlonglong, double, QString,
    // QByteArray, or an invalid QVariant for NULL.
    QVariant value(int i) const
    {
        switch (sqlite3_column_type(m_stmt, i)) {
        case SQLITE_INTEGER:
            return qlonglong(sqlite3_column_int64(m_stmt, i));
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_stmt, i);
        case SQLITE_BLOB:
            return blob(i);
        case SQLITE_NULL:
            return {};
        default:
            return text(i);
        }
    }
    QByteArray blob(int i) const
    {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, i));
        const int n = sqlite3_column_bytes(m_stmt, i);
        return data && n > 0 ? QByteArray(data, n) : QByteArray();
    }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_result = SQLITE_ERROR;
};

inline void printQueryError(const QByteArray &sql)
{
    std::fprintf(stderr, "ERROR in sqlite3_prepare_v2()\n");
    std::fprintf(stderr, "query=%s\n", sql.constData());
}

inline void printStepError(int rc)
{
    if (rc == SQLITE_ERROR)
        std::fprintf(stderr, "ERROR in sqlite3_step()\n");
}

} // namespace wsdb_detail
