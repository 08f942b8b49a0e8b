#include "OvraDialog.h"

#include "BuildInfo.h"
#include "settings/OvraSettings.h"
#include "usb/DeviceLink.h"
#include "util/LogHandler.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QMenuBar>

OvraDialog::OvraDialog(ovra::util::LogHandler &logHandler, QWidget *parent)
    : QMainWindow(parent)
    , m_logHandler(logHandler)
{
    qDebug() << "Starting OvraDialog";
    setWindowTitle(tr("Ovra v%1").arg(QLatin1String(ovra::build::kVersion)));
    createDeviceLink();
    createActions();

    m_settings = std::make_unique<OvraSettings>(OvraSettings::Targets{}, m_logHandler, this);
    int width = 849;
    int height = 665;
    m_settings->load(width, height, m_font);
    resize(width, height);
    setFocus();
    connectDeviceLink();
}

OvraDialog::~OvraDialog() = default;

void OvraDialog::createActions()
{
    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    m_actionQuit = fileMenu->addAction(tr("Quit"));
    m_actionQuit->setObjectName(QStringLiteral("actionQuit"));
    m_actionQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(m_actionQuit, &QAction::triggered, this, &OvraDialog::quit);
    createSimulationMenu();
}

void OvraDialog::quit()
{
    if (!m_quitting) {
        m_deviceLink->shutdown();
        m_quitting = true;
        m_settings->writeSettings(width(), height(), m_font);
    }
    close();
}

void OvraDialog::closeEvent(QCloseEvent *event)
{
    if (!m_quitting)
        quit();
    event->accept();
}
