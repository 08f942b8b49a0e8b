#pragma once

#include <QObject>

class QLabel;
class StatusLight;
class wsdb;

// The competition database in the status bar: the server in use with a
// light (green while it answers, red while it is away), and how many
// routines wait to be stored. A file shows only when routines wait.
class DatabaseStatusIndicator : public QObject
{
    Q_OBJECT
public:
    DatabaseStatusIndicator(wsdb &database, QLabel *label, StatusLight *light, QObject *parent = nullptr);

public Q_SLOTS:
    void update();

private:
    wsdb &m_database;
    QLabel *m_label;
    StatusLight *m_light;
};
