#include "rest/client/ScoringEnum.h"
#include "rest/client/ScoringEnums.h"

namespace ovra::rest::client {

QString ScoringEnum::toString() const
{
    const QStringList &list = names();
    if (m_value < 1 || m_value > list.size())
        return QString();
    return list.at(m_value - 1);
}

void ScoringEnum::fromJsonValue(const QJsonValue &value)
{
    fromString(value.toString());
}

bool ScoringEnum::fromString(const QString &text)
{
    m_value = 0;
    m_isSet = false;
    m_isValid = false;
    const QStringList &list = names();
    for (int i = 0; i < list.size(); ++i) {
        if (text.compare(list.at(i), Qt::CaseInsensitive) == 0) {
            setValue(i + 1);
            return true;
        }
    }
    return false;
}

void ScoringEnum::setValue(int value)
{
    const bool known = value >= 1 && value <= names().size();
    m_value = known ? value : 0;
    m_isSet = known;
    m_isValid = known;
}

const QStringList &ScoringResultType::names() const
{
    static const QStringList list{QStringLiteral("individual"), QStringLiteral("synchronized")};
    return list;
}

const QStringList &ScoringResultMaturity::names() const
{
    static const QStringList list{QStringLiteral("preliminary"), QStringLiteral("confirmed")};
    return list;
}

const QStringList &ScoringRulesSettingsHdDeductions::names() const
{
    static const QStringList list{QStringLiteral("max3"), QStringLiteral("max5")};
    return list;
}

const QStringList &ScoringStateType::names() const
{
    static const QStringList list{QStringLiteral("other"), QStringLiteral("ready"), QStringLiteral("start"),
                                  QStringLiteral("routine"), QStringLiteral("review")};
    return list;
}

} // namespace ovra::rest::client
