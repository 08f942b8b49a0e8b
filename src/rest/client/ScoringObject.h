#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QString>

#include <cmath>
#include <type_traits>

namespace ovra::rest::client {

// One member of a scoring model: the value and whether it was set and is
// valid. A setter raises both flags; reading JSON raises them as the value
// allows.
template <typename T> struct ScoringMember
{
    T value{};
    bool isSet = false;
    bool isValid = false;

    void set(const T &newValue)
    {
        value = newValue;
        isSet = true;
        isValid = true;
    }
};

// Base of every scoring model class. The JSON written holds only the members
// that are set; nothing is written as null.
class ScoringObject
{
public:
    ScoringObject() = default;
    explicit ScoringObject(const QJsonObject &raw)
        : m_raw(raw)
    {}
    virtual ~ScoringObject() = default;

    // The base renders the raw object it holds.
    virtual QJsonObject toJsonObject() const { return m_raw; }
    // Indented JSON text of toJsonObject(); the base alone writes its raw
    // object compactly.
    virtual QByteArray toJson() const;
    // Parses text and reads the object. Text that is not a JSON object reads
    // as an empty object and returns false.
    virtual bool fromJson(const QByteArray &text);
    virtual void fromJsonObject(const QJsonObject &object) { m_raw = object; }
    virtual bool isSet() const { return !m_raw.isEmpty(); }
    virtual bool isValid() const { return true; }

protected:
    ScoringObject(const ScoringObject &) = default;
    ScoringObject &operator=(const ScoringObject &) = default;

    static QByteArray indentedJson(const QJsonObject &object);

    // Reading rules per member type: the member is replaced, isSet is raised
    // when the key is present, not null and read validly.
    static void readDouble(const QJsonObject &object, const QString &key, ScoringMember<double> &member);
    static void readInteger(const QJsonObject &object, const QString &key, ScoringMember<int> &member);
    static void readBoolean(const QJsonObject &object, const QString &key, ScoringMember<bool> &member);
    static void readStringMap(const QJsonObject &object, const QString &key,
                              ScoringMember<QMap<QString, QString>> &member);

    template <typename T>
    static void readObject(const QJsonObject &object, const QString &key, ScoringMember<T> &member)
    {
        member = ScoringMember<T>();
        const QJsonValue value = object.value(key);
        if (!value.isObject())
            return;
        member.value.fromJsonObject(value.toObject());
        member.isValid = member.value.isValid();
        member.isSet = member.isValid;
    }

    template <typename T>
    static void readList(const QJsonObject &object, const QString &key, ScoringMember<QList<T>> &member)
    {
        member = ScoringMember<QList<T>>();
        const QJsonValue value = object.value(key);
        if (!value.isArray())
            return;
        bool allValid = true;
        const QJsonArray array = value.toArray();
        for (const QJsonValue &entry : array) {
            T element;
            element.fromJsonObject(entry.toObject());
            allValid = allValid && entry.isObject() && element.isValid();
            member.value.append(element);
        }
        member.isValid = allValid;
        member.isSet = allValid;
    }

    // Whether a member is written by toJsonObject(); isSet() of a model is
    // true exactly when one of its members appears, so that what was read
    // writes and reads back the same.
    static bool appears(const ScoringMember<double> &member)
    {
        return member.isSet && std::isfinite(member.value);
    }
    static bool appears(const ScoringMember<int> &member) { return member.isSet; }
    static bool appears(const ScoringMember<bool> &member) { return member.isSet; }
    static bool appears(const ScoringMember<QMap<QString, QString>> &member)
    {
        return !member.value.isEmpty();
    }
    template <typename T> static bool appears(const ScoringMember<QList<T>> &member)
    {
        return !member.value.isEmpty();
    }
    template <typename T>
    requires std::is_base_of_v<ScoringObject, T>
    static bool appears(const ScoringMember<T> &member) { return member.value.isSet(); }

    static void writeDouble(QJsonObject &object, const QString &key, const ScoringMember<double> &member);
    static void writeInteger(QJsonObject &object, const QString &key, const ScoringMember<int> &member);
    static void writeBoolean(QJsonObject &object, const QString &key, const ScoringMember<bool> &member);
    static void writeStringMap(QJsonObject &object, const QString &key,
                               const ScoringMember<QMap<QString, QString>> &member);

    template <typename T>
    static void writeObject(QJsonObject &object, const QString &key, const ScoringMember<T> &member)
    {
        if (member.value.isSet())
            object.insert(key, member.value.toJsonObject());
    }

    template <typename T>
    static void writeList(QJsonObject &object, const QString &key, const ScoringMember<QList<T>> &member)
    {
        if (member.value.isEmpty())
            return;
        QJsonArray array;
        for (const T &element : member.value)
            array.append(element.toJsonObject());
        object.insert(key, array);
    }

private:
    QJsonObject m_raw;
};

} // namespace ovra::rest::client

// Declares one member of a scoring model: the value getter, the setter that
// raises the flags, and the member with its flags for readers.
#define OVRA_SCORING_MEMBER(Type, name, setter)                                                              \
public:                                                                                                      \
    const Type &name() const                                                                                 \
    {                                                                                                        \
        return m_##name.value;                                                                               \
    }                                                                                                        \
    void setter(const Type &value)                                                                           \
    {                                                                                                        \
        m_##name.set(value);                                                                                 \
    }                                                                                                        \
    const ::ovra::rest::client::ScoringMember<Type> &name##Member() const                                    \
    {                                                                                                        \
        return m_##name;                                                                                     \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    ::ovra::rest::client::ScoringMember<Type> m_##name;

// Declares an enumeration member, which carries its own flags.
#define OVRA_SCORING_ENUM_MEMBER(Type, name, setter)                                                         \
public:                                                                                                      \
    const Type &name() const                                                                                 \
    {                                                                                                        \
        return m_##name;                                                                                     \
    }                                                                                                        \
    void setter(const Type &value)                                                                           \
    {                                                                                                        \
        m_##name = value;                                                                                    \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type m_##name;
