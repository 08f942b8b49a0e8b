#pragma once

#include <QObject>
#include <QString>

// Kind of trampoline bed; stored as an integer ("File/Tramp_Type"). The first
// three are built-in frames with fixed sensor distances, Other takes the
// length and width entered by the operator.
enum class TrampType : int {
    Standard = 0,
    StandardWide = 1,
    Long = 2,
    Other = 3,
};

// Data file export and bed geometry. The separators are kept as the strings
// written into files and stored as indices into fixed tables. Every setter
// announces its value, changed or not, so that a load brings all receivers
// into the loaded state.
class ExportSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString decimalSep READ decimalSep WRITE setDecimalSep NOTIFY decimalSepChanged)
    Q_PROPERTY(QString columnSep READ columnSep WRITE setColumnSep NOTIFY columnSepChanged)
    Q_PROPERTY(QString lineSep READ lineSep WRITE setLineSep NOTIFY lineSepChanged)
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString pathName READ pathName WRITE setPathName NOTIFY pathNameChanged)
    Q_PROPERTY(double trampLength READ trampLength WRITE setTrampLength NOTIFY trampLengthChanged)
    Q_PROPERTY(double trampWidth READ trampWidth WRITE setTrampWidth NOTIFY trampWidthChanged)
    Q_PROPERTY(TrampType trampType READ trampType WRITE setTrampType NOTIFY trampTypeChanged)
    Q_PROPERTY(int impulsVal READ impulsVal WRITE setImpulsVal NOTIFY impulsValChanged)
public:
    explicit ExportSettings(QObject *parent = nullptr)
        : QObject(parent)
    {}

    QString decimalSep() const { return m_decimalSep; }
    QString columnSep() const { return m_columnSep; }
    QString lineSep() const { return m_lineSep; }
    QString path() const { return m_path; }
    QString name() const { return m_name; }
    QString pathName() const { return m_pathName; }
    double trampLength() const { return m_trampLength; }
    double trampWidth() const { return m_trampWidth; }
    TrampType trampType() const { return m_trampType; }
    int impulsVal() const { return m_impulsVal; }

    void setDecimalSep(const QString &decimalSep);
    void setColumnSep(const QString &columnSep);
    void setLineSep(const QString &lineSep);
    void setPath(const QString &path);
    void setName(const QString &name);
    void setPathName(const QString &pathName);
    void setTrampLength(double trampLength);
    void setTrampWidth(double trampWidth);
    void setTrampType(TrampType trampType);
    void setImpulsVal(int val);

    // Index tables of the stored separators; an index outside a table gives
    // its first entry.
    void setDecimalSepIndex(int index);
    void setColumnSepIndex(int index);
    void setLineSepIndex(int index);
    // Index of the current string; a string outside the table logs a warning
    // and gives 0.
    int decimalSepIndex() const;
    int columnSepIndex() const;
    int lineSepIndex() const;

    // Sensor distances along and across the bed outside this range (mm) are
    // no trampoline: every landing position divides by them.
    static constexpr double kMinBedSizeMm = 1000.0;
    static constexpr double kMaxBedSizeMm = 8000.0;
    static bool isPlausibleBedSize(double millimetres);
    // Length and width of a built-in frame; false for Other and unknown types.
    static bool builtInGeometry(TrampType type, double &length, double &width);
    // The built-in type of that bed size, Other for none.
    static TrampType typeOfGeometry(double length, double width);

    static QString decimalSepForIndex(int index);
    static QString columnSepForIndex(int index);
    static QString lineSepForIndex(int index);

Q_SIGNALS:
    void decimalSepChanged(QString decimalSep);
    void columnSepChanged(QString columnSep);
    void lineSepChanged(QString lineSep);
    void pathChanged(QString path);
    void nameChanged(QString name);
    void pathNameChanged(QString pathName);
    void trampLengthChanged(double trampLength);
    void trampWidthChanged(double trampWidth);
    void trampTypeChanged(TrampType trampType);
    void impulsValChanged(int val);

private:
    QString m_decimalSep = QStringLiteral(".");
    QString m_columnSep = QStringLiteral("\t");
    QString m_lineSep = QStringLiteral("\n");
    QString m_path = QStringLiteral(".");
    QString m_name = QStringLiteral("unkown");
    QString m_pathName = QStringLiteral(".unknown");
    double m_trampLength = 3650.0;
    double m_trampWidth = 2425.0;
    TrampType m_trampType = TrampType::Standard;
    int m_impulsVal = 0;
};

Q_DECLARE_METATYPE(TrampType)
