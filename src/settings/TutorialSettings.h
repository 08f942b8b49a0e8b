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
    explicit TutorialSettings(QObject *parent = nullptr) : QObject(parent) {}

    bool showSetupTutorialOnEveryStartup() const { return m_showSetup; }
    void setShowSetupTutorialOnEveryStartup(bool show) { m_showSetup = show; }
    bool showUiTutorialOnEveryStartup() const { return m_showUi; }
    void setShowUiTutorialOnEveryStartup(bool show) { m_showUi = show; }

private:
    bool m_showSetup = true;
    bool m_showUi = true;
};
