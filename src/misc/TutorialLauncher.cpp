#include "misc/TutorialLauncher.h"

#include "misc/TutorialDialog.h"
#include "misc/Tutorials.h"
#include "settings/TutorialSettings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QTimer>
#include <QWidget>

TutorialLauncher::TutorialLauncher(TutorialSettings &settings, QWidget *window)
    : QObject(window)
    , m_settings(settings)
    , m_window(window)
{
    m_window->installEventFilter(this);
}

bool TutorialLauncher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::WindowActivate && !m_startupShown) {
        m_startupShown = true;
        m_window->removeEventFilter(this);
        // After the activation has been handled, so the window is up first.
        QTimer::singleShot(0, this, &TutorialLauncher::showAtStartup);
    }
    return QObject::eventFilter(watched, event);
}

void TutorialLauncher::showAtStartup()
{
    const bool first = m_settings.firstStart();
    const auto allowed = [this] { return !m_startupAllowed || m_startupAllowed(); };
    if (!allowed()) {
        qInfo() << "The start-up tutorials give way to the routine on show";
        return;
    }
    if (first || m_settings.showSetupTutorialOnEveryStartup()) {
        TutorialDialog *setup = show(Kind::Setup);
        // The UI tutorial follows when the setup instructions are closed,
        // unless a routine has come up meanwhile.
        connect(setup, &QDialog::finished, this, [this, first, allowed] {
            if ((first || m_settings.showUiTutorialOnEveryStartup()) && allowed())
                show(Kind::Ui);
        });
    } else if (m_settings.showUiTutorialOnEveryStartup()) {
        show(Kind::Ui);
    }
}

void TutorialLauncher::closeCurrent()
{
    if (m_current)
        m_current->close();
}

TutorialDialog *TutorialLauncher::showSetupTutorial()
{
    return show(Kind::Setup);
}

TutorialDialog *TutorialLauncher::showUiTutorial()
{
    return show(Kind::Ui);
}

TutorialDialog *TutorialLauncher::showNetworkTutorial()
{
    return show(Kind::Network);
}

TutorialDialog *TutorialLauncher::show(Kind kind)
{
    if (m_current) {
        if (m_currentKind == kind) {
            m_current->raise();
            m_current->activateWindow();
            return m_current;
        }
        // Replaced by another tutorial: the setup instructions must not hand
        // over to the UI tutorial now.
        m_current->disconnect(this);
        m_current->close();
    }
    QString title;
    QList<TutorialPage> pages;
    // The start-up setting (a property of the tutorial settings) that the
    // tutorial's check box follows; the network tutorial has none.
    const char *startup = nullptr;
    switch (kind) {
    case Kind::Setup:
        title = ovra::tutorials::setupTitle();
        pages = ovra::tutorials::setupPages();
        startup = "showSetupTutorialOnEveryStartup";
        break;
    case Kind::Ui:
        title = ovra::tutorials::uiTitle();
        pages = ovra::tutorials::uiPages();
        startup = "showUiTutorialOnEveryStartup";
        break;
    case Kind::Network:
        title = ovra::tutorials::networkTitle();
        pages = ovra::tutorials::networkPages(QCoreApplication::applicationDirPath());
        break;
    }
    auto *dialog = new TutorialDialog(title, pages, startup != nullptr,
                                      startup != nullptr && m_settings.property(startup).toBool(), m_window);
    if (startup)
        connect(dialog, &TutorialDialog::showOnEveryStartupChanged, this,
                [this, startup](bool checked) { m_settings.setProperty(startup, checked); });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Not modal: the workstation goes on serving the box and the keys.
    dialog->setModal(false);
    m_current = dialog;
    m_currentKind = kind;
    dialog->show();
    return dialog;
}
