#pragma once

#include <QJsonValue>
#include <QString>
#include <QStringList>

namespace ovra::rest::client {

// Base of the scoring enumerations: an integer value (0 = no value) that
// renders as one of a fixed list of strings.
class ScoringEnum
{
public:
    virtual ~ScoringEnum() = default;

    // The JSON string of the value; the empty string for 0.
    virtual QJsonValue toJsonValue() const { return toString(); }
    virtual QString toString() const;
    // Reads any JSON value by its string, case-insensitively. An unknown
    // string leaves value 0 and both flags false.
    virtual void fromJsonValue(const QJsonValue &value);
    virtual bool fromString(const QString &text);
    virtual bool isSet() const { return m_isSet; }
    virtual bool isValid() const { return m_isValid; }

    int value() const { return m_value; }
    // A value outside the enumeration clears it.
    void setValue(int value);

protected:
    ScoringEnum() = default;
    ScoringEnum(const ScoringEnum &) = default;
    ScoringEnum &operator=(const ScoringEnum &) = default;

    // The strings of values 1, 2, ...
    virtual const QStringList &names() const = 0;

private:
    int m_value = 0;
    bool m_isSet = false;
    bool m_isValid = false;
};

} // namespace ovra::rest::client
