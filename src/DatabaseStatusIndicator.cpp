#include "DatabaseStatusIndicator.h"

#include "widgets/StatusLight.h"
#include "wsdb.h"

#include <QLabel>

DatabaseStatusIndicator::DatabaseStatusIndicator(wsdb &database, QLabel *label, StatusLight *light,
                                                 QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_label(label)
    , m_light(light)
{
    connect(&m_database, &wsdb::pendingMeasuresChanged, this, &DatabaseStatusIndicator::update);
    connect(&m_database, &wsdb::reachableChanged, this, &DatabaseStatusIndicator::update);
    update();
}

void DatabaseStatusIndicator::update()
{
    const bool server = m_database.isOpen() && m_database.kind() == wsdb::Kind::Server;
    const int waiting = m_database.pendingMeasures();
    QString text = server ? tr("Server %1").arg(m_database.location()) : tr("Database");
    if (waiting > 0)
        text += QStringLiteral(": ") + tr("%n routine(s) waiting", nullptr, waiting);
    m_label->setText(text);
    const bool connecting = server && m_database.isConnecting();
    m_label->setToolTip(
        connecting ? tr("Connecting to the competition server")
        : server && !m_database.isReachable()
            ? tr("The competition server does not answer; routines wait on this workstation and "
                 "are stored there as soon as it answers again")
            : QString());
    m_light->setStatus(connecting ? QStringLiteral("unknown")
                       : server && m_database.isReachable() && waiting == 0 ? QStringLiteral("success")
                                                                            : QStringLiteral("failed"));
    m_label->setVisible(server || waiting > 0);
    m_light->setVisible(server || waiting > 0);
}
