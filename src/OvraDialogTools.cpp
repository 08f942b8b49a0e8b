// The operator's tools around the measurement: the settings and rules
// dialogs, the competition protocol export, the tutorials and About. Each
// dialog does its own work; the window opens it and applies what it stored.

#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "config/ExportDialog.h"
#include "config/RulesDialog.h"
#include "data/wsDaten.h"
#include "misc/AboutDialog.h"
#include "misc/TutorialLauncher.h"
#include "settings/OvraSettings.h"
#include "statistics/ExportCompetitionProtocolDialog.h"

#include <QAction>
#include <QFileInfo>

namespace {

// One dialog of a kind at a time, deleted when closed.
template <typename D> bool alreadyOpen(QObject *window)
{
    if (D *open = window->findChild<D *>()) {
        open->raise();
        open->activateWindow();
        return true;
    }
    return false;
}

} // namespace

void OvraDialog::connectToolActions()
{
    OvraDialogUi &ui = *m_ui;
    connect(ui.actionConfig, &QAction::triggered, this, &OvraDialog::showExportDialog);
    connect(ui.actionConfigRules, &QAction::triggered, this, &OvraDialog::showRulesDialog);
    connect(ui.actionExport_Competition_Protocol, &QAction::triggered, this,
            &OvraDialog::showExportCompetitionProtocolDialog);
    connect(ui.actionSetup_Instructions, &QAction::triggered, this, &OvraDialog::showSetupTutorialDialog);
    connect(ui.actionUI_Tutorial, &QAction::triggered, this, &OvraDialog::showUiTutorialDialog);
    connect(ui.actionNetwork_Tutorial, &QAction::triggered, this, &OvraDialog::showNetworkTutorialDialog);
    connect(ui.actionAbout_Ovra, &QAction::triggered, this, &OvraDialog::showAboutDialog);
}

void OvraDialog::showExportDialog()
{
    if (alreadyOpen<ExportDialog>(this))
        return;
    auto *dialog = new ExportDialog(m_settings->exportSettings(), &m_logHandler,
                                    m_settings->spaceDelaySettings(), m_settings->warningSettings(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] {
        // A new bed size counts from the next landing on, and the settings
        // are on disk at once: a crash does not lose them.
        const ExportSettings &e = m_settings->exportSettings();
        m_daten->rebuildBedGeometry(e.trampLength(), e.trampWidth());
        m_settings->writeSettings(width(), height(), m_font);
    });
    dialog->open();
}

void OvraDialog::showRulesDialog()
{
    if (alreadyOpen<RulesDialog>(this))
        return;
    // The next block is evaluated with the rule accepted here.
    auto *dialog = new RulesDialog(m_settings->rulesSettings(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this] { m_settings->writeSettings(width(), height(), m_font); });
    dialog->open();
}

void OvraDialog::showExportCompetitionProtocolDialog()
{
    if (alreadyOpen<ExportCompetitionProtocolDialog>(this))
        return;
    // The routines of a competition are where the autosave puts them (its
    // folder, also the default one), or beside the last data file opened or
    // saved when that folder does not exist.
    QString folder = m_settings->autoSaveSettings().targetDirectory();
    const QString lastFiles = m_settings->exportSettings().path();
    if (!QFileInfo(folder).isDir() && !lastFiles.isEmpty() && lastFiles != QLatin1String(".") &&
        QFileInfo(lastFiles).isDir())
        folder = QFileInfo(lastFiles).absoluteFilePath();
    auto *dialog = new ExportCompetitionProtocolDialog(folder, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void OvraDialog::showSetupTutorialDialog()
{
    m_tutorials->showSetupTutorial();
}

void OvraDialog::showUiTutorialDialog()
{
    m_tutorials->showUiTutorial();
}

void OvraDialog::showNetworkTutorialDialog()
{
    m_tutorials->showNetworkTutorial();
}

void OvraDialog::showAboutDialog()
{
    if (alreadyOpen<AboutDialog>(this))
        return;
    auto *dialog = new AboutDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
