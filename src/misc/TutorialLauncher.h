#pragma once

#include "misc/TutorialDialog.h"

#include <QObject>
#include <QPointer>

class QWidget;
class TutorialSettings;

// Opens the three tutorials without blocking the window: from the Help menu,
// and the setup instructions and then the UI tutorial the first time the
// window is activated, when the tutorial settings ask for them.
class TutorialLauncher : public QObject
{
    Q_OBJECT
public:
    TutorialLauncher(TutorialSettings &settings, QWidget *window);

    TutorialDialog *showSetupTutorial();
    TutorialDialog *showUiTutorial();
    TutorialDialog *showNetworkTutorial();
    // The tutorial shown now, if any.
    TutorialDialog *current() const { return m_current; }
    bool startupShown() const { return m_startupShown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Kind { Setup, Ui, Network };
    TutorialDialog *show(Kind kind);
    void showAtStartup();

    TutorialSettings &m_settings;
    QWidget *m_window;
    QPointer<TutorialDialog> m_current;
    Kind m_currentKind = Kind::Setup;
    bool m_startupShown = false;
};
