#include "rest/client/ScoringObject.h"

#include <QJsonDocument>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovra::rest::client {

QByteArray ScoringObject::toJson() const
{
    return QJsonDocument(m_raw).toJson(QJsonDocument::Compact);
}

bool ScoringObject::fromJson(const QByteArray &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    const bool isObject = error.error == QJsonParseError::NoError && document.isObject();
    fromJsonObject(isObject ? document.object() : QJsonObject());
    return isObject;
}

QByteArray ScoringObject::indentedJson(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

void ScoringObject::readDouble(const QJsonObject &object, const QString &key, ScoringMember<double> &member)
{
    member = ScoringMember<double>();
    const QJsonValue value = object.value(key);
    if (!value.isDouble())
        return;
    member.set(value.toDouble());
}

void ScoringObject::readInteger(const QJsonObject &object, const QString &key, ScoringMember<int> &member)
{
    member = ScoringMember<int>();
    const QJsonValue value = object.value(key);
    switch (value.type()) {
    case QJsonValue::Undefined:
    case QJsonValue::Null:
    case QJsonValue::Object:
    case QJsonValue::Array:
        return;
    case QJsonValue::Double: {
        // Fractions are cut off and huge numbers saturate rather than
        // overflow.
        const double number = std::trunc(value.toDouble());
        constexpr double kMax = std::numeric_limits<int>::max();
        constexpr double kMin = std::numeric_limits<int>::min();
        member.set(static_cast<int>(std::clamp(number, kMin, kMax)));
        return;
    }
    case QJsonValue::Bool:
        member.set(value.toBool() ? 1 : 0);
        return;
    case QJsonValue::String:
        member.set(0);
        return;
    }
}

void ScoringObject::readBoolean(const QJsonObject &object, const QString &key, ScoringMember<bool> &member)
{
    member = ScoringMember<bool>();
    const QJsonValue value = object.value(key);
    if (!value.isBool())
        return;
    member.set(value.toBool());
}

void ScoringObject::readStringMap(const QJsonObject &object, const QString &key,
                                  ScoringMember<QMap<QString, QString>> &member)
{
    member = ScoringMember<QMap<QString, QString>>();
    const QJsonValue value = object.value(key);
    if (!value.isObject())
        return;
    const QJsonObject map = value.toObject();
    bool allStrings = true;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        if (it.value().isString())
            member.value.insert(it.key(), it.value().toString());
        else
            allStrings = false;
    }
    member.isValid = allStrings;
    member.isSet = allStrings;
}

void ScoringObject::writeDouble(QJsonObject &object, const QString &key, const ScoringMember<double> &member)
{
    // JSON has no infinity or NaN; Qt would write them as null, which
    // receivers must never see.
    if (member.isSet && std::isfinite(member.value))
        object.insert(key, member.value);
}

void ScoringObject::writeInteger(QJsonObject &object, const QString &key, const ScoringMember<int> &member)
{
    if (member.isSet)
        object.insert(key, member.value);
}

void ScoringObject::writeBoolean(QJsonObject &object, const QString &key, const ScoringMember<bool> &member)
{
    if (member.isSet)
        object.insert(key, member.value);
}

void ScoringObject::writeStringMap(QJsonObject &object, const QString &key,
                                   const ScoringMember<QMap<QString, QString>> &member)
{
    if (member.value.isEmpty())
        return;
    QJsonObject map;
    for (auto it = member.value.cbegin(); it != member.value.cend(); ++it)
        map.insert(it.key(), it.value());
    object.insert(key, map);
}

} // namespace ovra::rest::client
