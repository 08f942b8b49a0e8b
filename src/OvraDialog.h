#pragma once

#include <QFont>
#include <QMainWindow>

#include <memory>

class OvraSettings;
class QAction;

namespace ovra::util {
class LogHandler;
}

// The main window and the controller of the workstation. It owns every
// long-lived component for the life of the process.
class OvraDialog : public QMainWindow
{
    Q_OBJECT
public:
    explicit OvraDialog(ovra::util::LogHandler &logHandler, QWidget *parent = nullptr);
    ~OvraDialog() override;

    OvraSettings &settings() { return *m_settings; }
    bool isQuitting() const { return m_quitting; }

public Q_SLOTS:
    // Stops the device link and saves the settings; only the first call does
    // the work, every call closes the window.
    void quit();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();

    ovra::util::LogHandler &m_logHandler;
    std::unique_ptr<OvraSettings> m_settings;
    QFont m_font;
    QAction *m_actionQuit = nullptr;
    bool m_quitting = false;
};
