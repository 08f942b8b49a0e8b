#pragma once

#include <QDialog>

class ExportSettings;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class SpaceDelaySettings;
class WarningSettings;

namespace ovra::util {
class LogHandler;
}

// The settings that shape the measurement: bed geometry, the external
// impulse counter, the operator warnings, the delay between state
// transitions and file logging. It edits the settings objects directly, and
// only when accepted; cancelling leaves every setting as it was.
class ExportDialog : public QDialog
{
    Q_OBJECT
public:
    // logHandler may be null: the logging group is then disabled.
    ExportDialog(ExportSettings &exportSettings, ovra::util::LogHandler *logHandler,
                 SpaceDelaySettings &spaceDelaySettings, WarningSettings &warningSettings,
                 QWidget *parent = nullptr);

    // The label of a built-in trampoline type in the combo box.
    static QString trampTypeLabel(int index);

    QComboBox *trampTypeComboBox() const { return m_trampType; }
    QLineEdit *lengthLineEdit() const { return m_length; }
    QLineEdit *widthLineEdit() const { return m_width; }
    QLabel *geometryErrorLabel() const { return m_geometryError; }
    QSpinBox *impulseSpinBox() const { return m_impulse; }
    QSpinBox *delaySpinBox() const { return m_delay; }
    QCheckBox *saveLogsCheckBox() const { return m_saveLogs; }
    QLabel *logDirectoryLabel() const { return m_logDirectory; }
    QPushButton *selectFolderButton() const { return m_selectFolder; }
    QCheckBox *warningCheckBox(int index) const { return m_warnings[index]; }

public Q_SLOTS:
    // Stores every value, or keeps the dialog open with the reason when the
    // bed length or width cannot be a trampoline.
    void accept() override;
    void trampTypeChanged(int index);

private:
    void selectLogFolder();
    void updateLoggingControls();
    // True when the text is no number (the stored value stays) or a
    // plausible one.
    bool checkBedSize(QLineEdit *edit);

    ExportSettings &m_exportSettings;
    ovra::util::LogHandler *m_logHandler;
    SpaceDelaySettings &m_spaceDelaySettings;
    WarningSettings &m_warningSettings;

    QComboBox *m_trampType = nullptr;
    QLineEdit *m_length = nullptr;
    QLineEdit *m_width = nullptr;
    QLabel *m_geometryError = nullptr;
    QSpinBox *m_impulse = nullptr;
    QCheckBox *m_warnings[5] = {};
    QSpinBox *m_delay = nullptr;
    QCheckBox *m_saveLogs = nullptr;
    QLabel *m_logDirectory = nullptr;
    QPushButton *m_selectFolder = nullptr;
};
