#pragma once

#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace ovra::rest::server {

// The peers that may change what the workstation does over the network:
// post routine meta information and send commands. Every peer when the list
// is empty (the default), otherwise those the list names: addresses and
// subnets ("192.168.0.20", "192.168.0.0/24", "fd00::/8"), separated by
// commas or blanks. An entry that is neither matches nothing, so a mistyped
// list never lets every host in.
class HostFilter
{
public:
    HostFilter() = default;
    explicit HostFilter(const QString &list);

    bool allowsAll() const { return !m_restricted; }
    // An IPv4 peer on a dual-stack socket counts as its IPv4 address.
    bool allows(const QHostAddress &peer) const;
    bool allows(const QString &peer) const { return allows(QHostAddress(peer)); }
    QStringList invalidEntries() const { return m_invalid; }

private:
    bool m_restricted = false;
    QList<QPair<QHostAddress, int>> m_subnets;
    QStringList m_invalid;
};

} // namespace ovra::rest::server
