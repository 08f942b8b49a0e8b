#include "db/Schema.h"

#include <QCryptographicHash>
#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace ovra::db {

namespace {

constexpr ColumnType I = ColumnType::Integer;
constexpr ColumnType T = ColumnType::Text;
constexpr ColumnType B = ColumnType::Blob;

} // namespace

QStringList Table::names() const
{
    QStringList out;
    out.reserve(qsizetype(columns.size()));
    for (const Column &c : columns)
        out << QString::fromLatin1(c.name);
    return out;
}

ColumnType Table::type(const QString &column) const
{
    for (const Column &c : columns) {
        if (column.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.type;
    }
    return column.compare(QLatin1String("idx"), Qt::CaseInsensitive) == 0 ? I : T;
}

const std::array<Table, 5> &tables()
{
    // R4 and BLOB carry no type in a file; a server keeps R4 as text and
    // BLOB as bytes.
    static const std::array<Table, 5> kTables = {{
        {"Athlets",
         {{"LastName", T},
          {"FirstName", T},
          {"Gender", T},
          {"Year", I},
          {"NOC", T},
          {"NOCCode", T},
          {"IDFIG", T},
          {"IDNational", T},
          {"Email", T},
          {"R1", T},
          {"R2", T},
          {"R3", T},
          {"Picture", B},
          {"R4", T},
          {"BLOB", B}}},
        {"Groups",
         {{"EventName", T},
          {"CompetitionName", T},
          {"GroupName", T},
          {"StartOrder", I},
          {"Competitor1No", I},
          {"LastName1", T},
          {"FirstName1", T},
          {"Gender1", T},
          {"Year1", I},
          {"NOCCode1", T},
          {"IDFIG1", T},
          {"Competitor2No", I},
          {"LastName2", T},
          {"FirstName2", T},
          {"Gender2", T},
          {"Year2", I},
          {"NOCCode2", T},
          {"IDFIG2", T},
          {"GenderID", I},
          {"TypeID", I},
          {"R1", T},
          {"R2", T},
          {"R3", T}}},
        {"Competitions",
         {{"EventName", T},
          {"CompetitionName", T},
          {"GroupName", T},
          {"Date", T},
          {"GenderID", I},
          {"TypeID", I},
          {"R1", T},
          {"R2", T},
          {"R3", T}}},
        {"Events",
         {{"EventName", T},
          {"City", T},
          {"NOCCode", T},
          {"DateFrom", T},
          {"DateTo", T},
          {"CompetitionName", T},
          {"R1", T},
          {"R2", T},
          {"R3", T}}},
        {"Measures", {{"Name", T},         {"EventName", T},       {"EventCity", T},
                      {"EventNOCCode", T}, {"CompetitionName", T}, {"CompGenderID", I},
                      {"CompTypeID", I},   {"GroupName", T},       {"LastName1", T},
                      {"FirstName1", T},   {"Gender1", T},         {"Year1", I},
                      {"NOCCode1", T},     {"IDFIG1", T},          {"LastName2", T},
                      {"FirstName2", T},   {"Gender2", T},         {"Year2", I},
                      {"NOCCode2", T},     {"IDFIG2", T},          {"Date", T},
                      {"Time", T},         {"Comment1", T},        {"Comment2", T},
                      {"Header", B},       {"Results", B},         {"PDF", B},
                      {"Data", B},         {"MeasureUid", T}}},
    }};
    return kTables;
}

const Table &table(const char *name)
{
    const auto &all = tables();
    const auto it =
        std::find_if(all.cbegin(), all.cend(), [name](const Table &t) { return qstrcmp(t.name, name) == 0; });
    Q_ASSERT(it != all.cend());
    return it != all.cend() ? *it : all.back();
}

bool isStartListTable(const QString &name)
{
    for (const char *t : {"Athlets", "Events", "Competitions", "Groups"}) {
        if (name.compare(QLatin1String(t), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString canonicalName(const QString &name)
{
    static const QHash<QString, QString> kNames = [] {
        QHash<QString, QString> names;
        names.insert(QStringLiteral("idx"), QStringLiteral("idx"));
        for (const Table &t : tables()) {
            names.insert(QString::fromLatin1(t.name).toLower(), QString::fromLatin1(t.name));
            for (const Column &c : t.columns)
                names.insert(QString::fromLatin1(c.name).toLower(), QString::fromLatin1(c.name));
        }
        return names;
    }();
    return kNames.value(name.toLower(), name);
}

QVariant normalized(const QVariant &value, ColumnType type)
{
    if (!value.isValid() ||
        (value.isNull() && value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray))
        return {};
    switch (type) {
    case ColumnType::Integer:
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            return value.toLongLong();
        case QMetaType::Double:
            return qlonglong(std::llround(value.toDouble()));
        default: {
            bool ok = false;
            const qlonglong n = value.toString().trimmed().toLongLong(&ok);
            return ok ? QVariant(n) : QVariant();
        }
        }
    case ColumnType::Blob:
        if (value.typeId() == QMetaType::QByteArray)
            return value;
        return value.toString().toUtf8();
    case ColumnType::Text:
        if (value.typeId() == QMetaType::QByteArray)
            return QString::fromUtf8(value.toByteArray());
        return value.toString();
    }
    return value;
}

QString measureUid(const QString &lastName1, const QString &firstName1, const QString &lastName2,
                   const QString &firstName2, const QString &date, const QString &time,
                   const QByteArray &samples)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString *text : {&lastName1, &firstName1, &lastName2, &firstName2, &date, &time}) {
        const QByteArray bytes = text->toUtf8();
        const quint32 size = qToLittleEndian(quint32(bytes.size()));
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(&size), sizeof size));
        hash.addData(bytes);
    }
    hash.addData(samples);
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace ovra::db
