#include "rest/server/HostFilter.h"

#include <QRegularExpression>

namespace ovra::rest::server {

HostFilter::HostFilter(const QString &list)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    for (const QString &entry : list.split(separators, Qt::SkipEmptyParts)) {
        m_restricted = true;
        QPair<QHostAddress, int> subnet = QHostAddress::parseSubnet(entry);
        if (subnet.first.isNull()) {
            QHostAddress address;
            if (!address.setAddress(entry)) {
                m_invalid << entry;
                continue;
            }
            subnet = {address, address.protocol() == QAbstractSocket::IPv4Protocol ? 32 : 128};
        }
        m_subnets << subnet;
    }
}

bool HostFilter::allows(const QHostAddress &peer) const
{
    if (!m_restricted)
        return true;
    QHostAddress address = peer;
    bool ipv4 = false;
    const quint32 mapped = peer.toIPv4Address(&ipv4);
    if (ipv4)
        address = QHostAddress(mapped);
    for (const QPair<QHostAddress, int> &subnet : m_subnets) {
        if (address.isInSubnet(subnet))
            return true;
    }
    return false;
}

} // namespace ovra::rest::server
