#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QUrl>

namespace ovra::rest::client {

// A named variable of a server URL ("{name}" in its text) with its value and
// the values it may take (any value when the set is empty).
struct ScoringServerVariable
{
    QString description;
    QString value;
    QSet<QString> allowedValues;
};

// The base URL an API operation is sent to.
struct ScoringServerConfiguration
{
    QUrl url;
    QString description;
    QMap<QString, ScoringServerVariable> variables;

    // The URL text with every variable replaced by its value; a value that
    // is not allowed is logged and used all the same.
    QString resolvedUrl() const;
};

} // namespace ovra::rest::client
