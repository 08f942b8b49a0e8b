#include "settings/ExportSettings.h"

#include <QDebug>
#include <QStringList>

namespace {
const QStringList &decimalSeparators()
{
    static const QStringList table{QStringLiteral("."), QStringLiteral(",")};
    return table;
}

const QStringList &columnSeparators()
{
    static const QStringList table{QStringLiteral("\t"), QStringLiteral(","), QStringLiteral(";"),
                                   QStringLiteral(" ")};
    return table;
}

const QStringList &lineSeparators()
{
    static const QStringList table{QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")};
    return table;
}

QString entryOrFirst(const QStringList &table, int index)
{
    return index >= 0 && index < table.size() ? table.at(index) : table.first();
}

int indexOrWarn(const QStringList &table, const QString &value, const char *what)
{
    const int index = static_cast<int>(table.indexOf(value));
    if (index >= 0)
        return index;
    qWarning().noquote() << QStringLiteral("Unknown %1 separator:").arg(QLatin1String(what)) << value
                         << "Using" << table.first() << "instead.";
    return 0;
}
} // namespace

bool ExportSettings::isPlausibleBedSize(double millimetres)
{
    return millimetres >= kMinBedSizeMm && millimetres <= kMaxBedSizeMm;
}

bool ExportSettings::builtInGeometry(TrampType type, double &length, double &width)
{
    switch (type) {
    case TrampType::Standard:
        length = 3644.0;
        width = 2423.0;
        return true;
    case TrampType::StandardWide:
        length = 3650.0;
        width = 2425.0;
        return true;
    case TrampType::Long:
        length = 4013.0;
        width = 2423.0;
        return true;
    case TrampType::Other:
        break;
    }
    return false;
}

TrampType ExportSettings::typeOfGeometry(double length, double width)
{
    for (TrampType type : {TrampType::Standard, TrampType::StandardWide, TrampType::Long}) {
        double l = 0.0;
        double w = 0.0;
        if (builtInGeometry(type, l, w) && qFuzzyCompare(l, length) && qFuzzyCompare(w, width))
            return type;
    }
    return TrampType::Other;
}

QString ExportSettings::decimalSepForIndex(int index)
{
    return entryOrFirst(decimalSeparators(), index);
}
QString ExportSettings::columnSepForIndex(int index)
{
    return entryOrFirst(columnSeparators(), index);
}
QString ExportSettings::lineSepForIndex(int index)
{
    return entryOrFirst(lineSeparators(), index);
}

void ExportSettings::setDecimalSepIndex(int index)
{
    setDecimalSep(decimalSepForIndex(index));
}
void ExportSettings::setColumnSepIndex(int index)
{
    setColumnSep(columnSepForIndex(index));
}
void ExportSettings::setLineSepIndex(int index)
{
    setLineSep(lineSepForIndex(index));
}

int ExportSettings::decimalSepIndex() const
{
    return indexOrWarn(decimalSeparators(), m_decimalSep, "decimal");
}
int ExportSettings::columnSepIndex() const
{
    return indexOrWarn(columnSeparators(), m_columnSep, "column");
}
int ExportSettings::lineSepIndex() const
{
    return indexOrWarn(lineSeparators(), m_lineSep, "line");
}

void ExportSettings::setDecimalSep(const QString &decimalSep)
{
    m_decimalSep = decimalSep;
    Q_EMIT decimalSepChanged(m_decimalSep);
}

void ExportSettings::setColumnSep(const QString &columnSep)
{
    m_columnSep = columnSep;
    Q_EMIT columnSepChanged(m_columnSep);
}

void ExportSettings::setLineSep(const QString &lineSep)
{
    m_lineSep = lineSep;
    Q_EMIT lineSepChanged(m_lineSep);
}

void ExportSettings::setPath(const QString &path)
{
    m_path = path;
    Q_EMIT pathChanged(m_path);
}

void ExportSettings::setName(const QString &name)
{
    m_name = name;
    Q_EMIT nameChanged(m_name);
}

void ExportSettings::setPathName(const QString &pathName)
{
    m_pathName = pathName;
    Q_EMIT pathNameChanged(m_pathName);
}

void ExportSettings::setTrampLength(double trampLength)
{
    m_trampLength = trampLength;
    Q_EMIT trampLengthChanged(m_trampLength);
}

void ExportSettings::setTrampWidth(double trampWidth)
{
    m_trampWidth = trampWidth;
    Q_EMIT trampWidthChanged(m_trampWidth);
}

void ExportSettings::setTrampType(TrampType trampType)
{
    m_trampType = trampType;
    Q_EMIT trampTypeChanged(m_trampType);
}

void ExportSettings::setImpulsVal(int val)
{
    m_impulsVal = val;
    Q_EMIT impulsValChanged(m_impulsVal);
}
