#pragma once

#include <QObject>

// How long the next-step keys stay locked after one was accepted.
class SpaceDelaySettings : public QObject
{
    Q_OBJECT
public:
    explicit SpaceDelaySettings(QObject *parent = nullptr) : QObject(parent) {}

    unsigned int spaceDelayMs() const { return m_spaceDelayMs; }
    void setSpaceDelayMs(unsigned int delayMs) { m_spaceDelayMs = delayMs; }

private:
    unsigned int m_spaceDelayMs = 500;
};
