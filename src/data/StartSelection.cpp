#include "data/StartSelection.h"

#include <QStringList>

namespace data::model {

namespace {

// The entry whose key is name, whatever the case of the key.
QMap<QString, QString>::const_iterator find(const QMap<QString, QString> &meta, QLatin1StringView name)
{
    for (auto it = meta.cbegin(); it != meta.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it;
    }
    return meta.cend();
}

QString value(const QMap<QString, QString> &meta, QLatin1StringView name)
{
    const auto it = find(meta, name);
    return it == meta.cend() ? QString() : it.value().trimmed();
}

bool isPair(const QMap<QString, QString> &meta)
{
    return find(meta, QLatin1StringView("lastname1")) != meta.cend() ||
           find(meta, QLatin1StringView("lastname2")) != meta.cend();
}

QString person(const QString &firstName, const QString &lastName)
{
    if (firstName.isEmpty() || lastName.isEmpty())
        return firstName + lastName;
    return firstName + QLatin1Char(' ') + lastName;
}

constexpr QLatin1StringView kNameKeys[] = {QLatin1StringView("name"), QLatin1StringView("athlete")};

} // namespace

StartSelection startSelectionOf(const QMap<QString, QString> &meta)
{
    using L = QLatin1StringView;
    StartSelection s;
    s.eventName = value(meta, L("event"));
    s.competitionName = value(meta, L("competition"));
    s.groupName = value(meta, L("group"));
    if (isPair(meta)) {
        s.athlete1.lastName = value(meta, L("lastname1"));
        s.athlete1.firstName = value(meta, L("firstname1"));
        s.athlete2.lastName = value(meta, L("lastname2"));
        s.athlete2.firstName = value(meta, L("firstname2"));
    } else {
        s.athlete1.lastName = value(meta, L("lastname"));
        s.athlete1.firstName = value(meta, L("firstname"));
    }
    return s;
}

QString athleteName(const QMap<QString, QString> &meta)
{
    using L = QLatin1StringView;
    if (isPair(meta)) {
        const QString one = person(value(meta, L("firstname1")), value(meta, L("lastname1")));
        const QString two = person(value(meta, L("firstname2")), value(meta, L("lastname2")));
        if (one.isEmpty() || two.isEmpty())
            return one + two;
        return one + QStringLiteral(" / ") + two;
    }
    const QString single = person(value(meta, L("firstname")), value(meta, L("lastname")));
    if (!single.isEmpty())
        return single;
    for (const QLatin1StringView key : kNameKeys) {
        const QString name = value(meta, key);
        if (!name.isEmpty())
            return name;
    }
    return {};
}

QStringList athleteKeys(const QMap<QString, QString> &meta)
{
    using L = QLatin1StringView;
    QStringList keys;
    const auto take = [&meta, &keys](std::initializer_list<QLatin1StringView> names) {
        for (const QLatin1StringView name : names) {
            const auto it = find(meta, name);
            if (it != meta.cend() && !it.value().trimmed().isEmpty())
                keys << it.key();
        }
    };
    if (isPair(meta)) {
        take({L("firstname1"), L("lastname1"), L("firstname2"), L("lastname2")});
        return keys;
    }
    take({L("firstname"), L("lastname")});
    if (!keys.isEmpty())
        return keys;
    for (const QLatin1StringView key : kNameKeys) {
        take({key});
        if (!keys.isEmpty())
            break;
    }
    return keys;
}

} // namespace data::model
