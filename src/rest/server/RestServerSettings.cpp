#include "rest/server/RestServerSettings.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace ovra::rest::server {

bool RestServerSettings::isValidHostName(const QString &hostName)
{
    if (hostName.isEmpty())
        return true;
    QHostAddress address;
    if (address.setAddress(hostName))
        return true;
    // Labels of at most 63 letters, digits and inner hyphens; 253 in all.
    static const QRegularExpression name(
        QStringLiteral("^(?=.{1,253}\\.?$)[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-"
                       "z0-9-]{0,61}[A-Za-z0-9])?)*\\.?$"));
    return name.match(hostName).hasMatch();
}

} // namespace ovra::rest::server
