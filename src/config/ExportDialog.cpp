#include "config/ExportDialog.h"

#include "settings/ExportSettings.h"
#include "settings/SpaceDelaySettings.h"
#include "settings/WarningSettings.h"
#include "util/LogHandler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kOtherIndex = static_cast<int>(TrampType::Other);

// Numbers as the operator may type them: with a point or the locale's
// decimal comma. Not a number (or nothing) gives false.
bool parseNumber(const QString &text, double &value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    if (!ok)
        value = QLocale().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value);
}

} // namespace

QString ExportDialog::trampTypeLabel(int index)
{
    switch (index) {
    case 0:
        return tr("Standard frame (3644 × 2423 mm)");
    case 1:
        return tr("Standard frame, wide (3650 × 2425 mm)");
    case 2:
        return tr("Long frame (4013 × 2423 mm)");
    default:
        return tr("Other");
    }
}

ExportDialog::ExportDialog(ExportSettings &exportSettings, ovra::util::LogHandler *logHandler,
                           SpaceDelaySettings &spaceDelaySettings, WarningSettings &warningSettings,
                           QWidget *parent)
    : QDialog(parent)
    , m_exportSettings(exportSettings)
    , m_logHandler(logHandler)
    , m_spaceDelaySettings(spaceDelaySettings)
    , m_warningSettings(warningSettings)
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(tr("Settings"));
    auto *layout = new QVBoxLayout(this);

    auto *geometry = new QGroupBox(tr("Geometry"), this);
    auto *geometryLayout = new QFormLayout(geometry);
    m_trampType = new QComboBox(geometry);
    m_trampType->setObjectName(QStringLiteral("trampTypeComboBox"));
    for (int index = 0; index <= kOtherIndex; ++index)
        m_trampType->addItem(trampTypeLabel(index));
    geometryLayout->addRow(m_trampType);
    m_length = new QLineEdit(geometry);
    m_length->setObjectName(QStringLiteral("lengthLineEdit"));
    m_width = new QLineEdit(geometry);
    m_width->setObjectName(QStringLiteral("widthLineEdit"));
    geometryLayout->addRow(tr("L [mm]"), m_length);
    geometryLayout->addRow(tr("B [mm]"), m_width);
    m_geometryError = new QLabel(geometry);
    m_geometryError->setObjectName(QStringLiteral("geometryErrorLabel"));
    m_geometryError->setStyleSheet(QStringLiteral("QLabel { color: #c02020; }"));
    m_geometryError->setWordWrap(true);
    m_geometryError->setVisible(false);
    geometryLayout->addRow(m_geometryError);
    layout->addWidget(geometry);

    auto *synchronisation = new QGroupBox(tr("Synchronisation"), this);
    auto *synchronisationLayout = new QFormLayout(synchronisation);
    m_impulse = new QSpinBox(synchronisation);
    m_impulse->setObjectName(QStringLiteral("impulseSpinBox"));
    // The box counts in a signed 16-bit register.
    m_impulse->setRange(0, 32767);
    synchronisationLayout->addRow(tr("Pulse after every x'th value (0=off)"), m_impulse);
    layout->addWidget(synchronisation);

    auto *warnings = new QGroupBox(tr("Warnings"), this);
    auto *warningsLayout = new QVBoxLayout(warnings);
    const QString warningTexts[5] = {
        tr("show warning when trampoline is not set to 'Automatic'"),
        tr("show warning when weight class is not set to 'Automatic'"),
        tr("show warning when not all sensors are connected properly"),
        tr("show warning when unusual sensor data is detected"),
        tr("show warning when no client is connected to the websocket server"),
    };
    for (int k = 0; k < 5; ++k) {
        m_warnings[k] = new QCheckBox(warningTexts[k], warnings);
        m_warnings[k]->setObjectName(QStringLiteral("warningCheckBox%1").arg(k));
        warningsLayout->addWidget(m_warnings[k]);
    }
    layout->addWidget(warnings);

    auto *miscellaneous = new QGroupBox(tr("Miscellaneous"), this);
    auto *miscellaneousLayout = new QFormLayout(miscellaneous);
    m_delay = new QSpinBox(miscellaneous);
    m_delay->setObjectName(QStringLiteral("delaySpinBox"));
    m_delay->setRange(0, 60000);
    m_delay->setSingleStep(50);
    miscellaneousLayout->addRow(tr("Minimal delay between state transitions (ms)"), m_delay);
    layout->addWidget(miscellaneous);

    auto *logging = new QGroupBox(tr("Logging"), this);
    auto *loggingLayout = new QGridLayout(logging);
    m_saveLogs = new QCheckBox(tr("Save logs to file"), logging);
    m_saveLogs->setObjectName(QStringLiteral("saveLogsCheckBox"));
    m_logDirectory = new QLabel(logging);
    m_logDirectory->setObjectName(QStringLiteral("logDirectoryLabel"));
    m_logDirectory->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_logDirectory->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_selectFolder = new QPushButton(tr("Select Folder"), logging);
    m_selectFolder->setObjectName(QStringLiteral("selectFolderButton"));
    loggingLayout->addWidget(m_saveLogs, 0, 0, 1, 2);
    loggingLayout->addWidget(m_logDirectory, 1, 0);
    loggingLayout->addWidget(m_selectFolder, 1, 1);
    loggingLayout->setColumnStretch(0, 1);
    layout->addWidget(logging);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportDialog::reject);

    // Opening: the values as they are stored.
    m_length->setText(QString::number(m_exportSettings.trampLength()));
    m_width->setText(QString::number(m_exportSettings.trampWidth()));
    const int type = static_cast<int>(m_exportSettings.trampType());
    // A stored type this program does not know keeps its size as "Other".
    m_trampType->setCurrentIndex(type >= 0 && type <= kOtherIndex ? type : kOtherIndex);
    m_length->setEnabled(m_trampType->currentIndex() == kOtherIndex);
    m_width->setEnabled(m_trampType->currentIndex() == kOtherIndex);
    connect(m_trampType, &QComboBox::currentIndexChanged, this, &ExportDialog::trampTypeChanged);

    m_impulse->setValue(m_exportSettings.impulsVal());
    m_warnings[0]->setChecked(m_warningSettings.shouldShowTrampolineSelectionWarning());
    m_warnings[1]->setChecked(m_warningSettings.shouldShowWeightSelectionWarning());
    m_warnings[2]->setChecked(m_warningSettings.shouldShowAllSensorsConnectedWarning());
    m_warnings[3]->setChecked(m_warningSettings.shouldShowUnusualSensorDataWarning());
    m_warnings[4]->setChecked(m_warningSettings.shouldShowWebSocketClientConnectedWarning());
    m_delay->setValue(static_cast<int>(std::min<unsigned int>(m_spaceDelaySettings.spaceDelayMs(), 60000U)));

    if (m_logHandler) {
        m_saveLogs->setChecked(m_logHandler->saveToFile());
        m_logDirectory->setText(m_logHandler->logDirectory().absolutePath());
    }
    updateLoggingControls();
    connect(m_saveLogs, &QCheckBox::toggled, this, &ExportDialog::updateLoggingControls);
    connect(m_selectFolder, &QPushButton::clicked, this, &ExportDialog::selectLogFolder);
}

void ExportDialog::trampTypeChanged(int index)
{
    double length = 0.0;
    double width = 0.0;
    if (ExportSettings::builtInGeometry(static_cast<TrampType>(index), length, width)) {
        m_length->setText(QString::number(length));
        m_width->setText(QString::number(width));
    }
    m_length->setEnabled(index == kOtherIndex);
    m_width->setEnabled(index == kOtherIndex);
    m_geometryError->setVisible(false);
}

void ExportDialog::updateLoggingControls()
{
    m_saveLogs->setEnabled(m_logHandler != nullptr);
    const bool enabled = m_logHandler != nullptr && m_saveLogs->isChecked();
    m_logDirectory->setEnabled(enabled);
    m_selectFolder->setEnabled(enabled);
}

void ExportDialog::selectLogFolder()
{
    const QString directory =
        QFileDialog::getExistingDirectory(this, tr("Select Folder"), m_logDirectory->text());
    if (directory.isEmpty())
        return;
    m_logDirectory->setText(QDir(directory).absolutePath());
    qDebug() << "User selected log file location" << directory;
}

bool ExportDialog::checkBedSize(QLineEdit *edit)
{
    double value = 0.0;
    if (!parseNumber(edit->text(), value) || ExportSettings::isPlausibleBedSize(value))
        return true;
    m_geometryError->setText(tr("Length and width of the bed must lie between %1 and %2 mm.")
                                 .arg(ExportSettings::kMinBedSizeMm)
                                 .arg(ExportSettings::kMaxBedSizeMm));
    m_geometryError->setVisible(true);
    edit->setFocus();
    edit->selectAll();
    return false;
}

void ExportDialog::accept()
{
    if (!checkBedSize(m_length) || !checkBedSize(m_width))
        return;
    m_geometryError->setVisible(false);

    m_exportSettings.setTrampType(static_cast<TrampType>(m_trampType->currentIndex()));
    double value = 0.0;
    // Text that is no number leaves the stored size as it was.
    if (parseNumber(m_length->text(), value))
        m_exportSettings.setTrampLength(value);
    if (parseNumber(m_width->text(), value))
        m_exportSettings.setTrampWidth(value);
    m_exportSettings.setImpulsVal(m_impulse->value());

    m_warningSettings.setShouldShowTrampolineSelectionWarning(m_warnings[0]->isChecked());
    m_warningSettings.setShouldShowWeightSelectionWarning(m_warnings[1]->isChecked());
    m_warningSettings.setShouldShowAllSensorsConnectedWarning(m_warnings[2]->isChecked());
    m_warningSettings.setShouldShowUnusualSensorDataWarning(m_warnings[3]->isChecked());
    m_warningSettings.setShouldShowWebSocketClientConnectedWarning(m_warnings[4]->isChecked());

    m_spaceDelaySettings.setSpaceDelayMs(static_cast<unsigned int>(m_delay->value()));

    if (m_logHandler) {
        m_logHandler->setSaveToFile(m_saveLogs->isChecked());
        m_logHandler->setLogDirectory(QDir(m_logDirectory->text()));
    }
    QDialog::accept();
}
