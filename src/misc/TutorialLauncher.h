#pragma once

#include "misc/TutorialDialog.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class TutorialSettings;

// Opens the three tutorials without blocking the window: from the Help menu,
// and the setup instructions and then the UI tutorial the first time the
// window is activated, on the first start or when the tutorial settings ask
// for them on every start. At start-up they give way to what the operator
// needs to see (a routine restored after a crash, a routine under way), and
// a tutorial shown never stays in front of a routine.
class TutorialLauncher : public QObject
{
    Q_OBJECT
public:
    TutorialLauncher(TutorialSettings &settings, QWidget *window);

    TutorialDialog *showSetupTutorial();
    TutorialDialog *showUiTutorial();
    TutorialDialog *showNetworkTutorial();
    // Asked before a start-up tutorial comes up; false keeps it away.
    void setStartupCondition(std::function<bool()> allowed) { m_startupAllowed = std::move(allowed); }
    // A routine starts: the tutorial shown goes out of its way.
    void closeCurrent();
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
    std::function<bool()> m_startupAllowed;
};
