#pragma once

#include <QObject>

class TutorialSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool showSetupTutorialOnEveryStartup READ showSetupTutorialOnEveryStartup WRITE
                   setShowSetupTutorialOnEveryStartup)
    Q_PROPERTY(bool showUiTutorialOnEveryStartup READ showUiTutorialOnEveryStartup WRITE
                   setShowUiTutorialOnEveryStartup)
public:
    explicit TutorialSettings(QObject *parent = nullptr)
        : QObject(parent)
    {}

    bool showSetupTutorialOnEveryStartup() const { return m_showSetup; }
    void setShowSetupTutorialOnEveryStartup(bool show) { m_showSetup = show; }
    bool showUiTutorialOnEveryStartup() const { return m_showUi; }
    void setShowUiTutorialOnEveryStartup(bool show) { m_showUi = show; }
    // The program runs for the first time with these settings: the
    // tutorials come up once whatever the two switches say. Not stored.
    bool firstStart() const { return m_firstStart; }
    void setFirstStart(bool first) { m_firstStart = first; }

private:
    bool m_showSetup = false;
    bool m_showUi = false;
    bool m_firstStart = false;
};
