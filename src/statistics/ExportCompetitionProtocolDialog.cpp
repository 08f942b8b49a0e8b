#include "statistics/ExportCompetitionProtocolDialog.h"

#include "statistics/CompetitionStatistics.h"
#include "statistics/LandingHeatMap.h"
#include "statistics/ProtocolScan.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDebug>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ExportCompetitionProtocolDialog::ExportCompetitionProtocolDialog(const QString &folder, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("exportCompetitionProtocolDialog"));
    setWindowTitle(tr("Export Competition Protocol"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Folder containing routine protocols"), this));
    auto *pathRow = new QHBoxLayout;
    m_pathLabel = new QLabel(this);
    m_pathLabel->setObjectName(QStringLiteral("pathLabel"));
    m_pathLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pathLabel->setMinimumWidth(360);
    m_pathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pathButton = new QPushButton(tr("Path"), this);
    m_pathButton->setObjectName(QStringLiteral("pathButton"));
    pathRow->addWidget(m_pathLabel, 1);
    pathRow->addWidget(m_pathButton);
    layout->addLayout(pathRow);
    m_includeSubfolders = new QCheckBox(tr("include subfolders"), this);
    m_includeSubfolders->setObjectName(QStringLiteral("includeSubfoldersCheckbox"));
    // Autosave templates often file routines in folders by date or group.
    m_includeSubfolders->setChecked(true);
    layout->addWidget(m_includeSubfolders);
    auto *startRow = new QHBoxLayout;
    m_startButton = new QPushButton(tr("Start"), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_startButton->setDefault(true);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    startRow->addWidget(m_startButton);
    startRow->addWidget(m_progressBar, 1);
    layout->addLayout(startRow);
    m_resultLabel = new QLabel(this);
    m_resultLabel->setObjectName(QStringLiteral("resultLabel"));
    m_resultLabel->setWordWrap(true);
    // Room for two paths, so the message does not grow the dialog.
    m_resultLabel->setMinimumHeight(3 * m_resultLabel->fontMetrics().lineSpacing());
    m_resultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_resultLabel);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);

    connect(m_pathButton, &QPushButton::clicked, this, &ExportCompetitionProtocolDialog::chooseFolder);
    connect(m_startButton, &QPushButton::clicked, this, &ExportCompetitionProtocolDialog::startExport);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportCompetitionProtocolDialog::reject);
    m_targetChooser = [this](const QString &start) {
        return QFileDialog::getSaveFileName(this, tr("Save as"), start, QStringLiteral("*.json"));
    };
    setFolder(folder);
}

void ExportCompetitionProtocolDialog::setFolder(const QString &folder)
{
    m_folder = folder;
    m_pathLabel->setText(QDir::toNativeSeparators(folder));
}

QString ExportCompetitionProtocolDialog::proposedTarget() const
{
    // In the scanned folder, named after it and the day.
    const QString name = QFileInfo(QDir::cleanPath(m_folder)).fileName();
    return QDir(m_folder).filePath(QStringLiteral("%1_protocol_%2.json")
                                       .arg(name.isEmpty() ? QStringLiteral("competition") : name,
                                            QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
}

void ExportCompetitionProtocolDialog::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Open Directory"), m_folder);
    if (!folder.isEmpty())
        setFolder(folder);
}

void ExportCompetitionProtocolDialog::setRunning(bool running)
{
    m_running = running;
    m_startButton->setEnabled(!running);
    m_pathButton->setEnabled(!running);
    m_includeSubfolders->setEnabled(!running);
}

void ExportCompetitionProtocolDialog::reject()
{
    if (m_running) {
        m_stopRequested = true;
        return;
    }
    QDialog::reject();
}

bool ExportCompetitionProtocolDialog::askReplace(const QString &path)
{
    return QMessageBox::question(
               this, windowTitle(),
               tr("The heat map %1 exists already. Replace it?").arg(QDir::toNativeSeparators(path)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void ExportCompetitionProtocolDialog::startExport()
{
    if (m_running)
        return;
    m_progressBar->setValue(0);
    m_resultLabel->clear();
    if (!QFileInfo(m_folder).isDir()) {
        qDebug() << "Path does not exist" << m_folder;
        m_resultLabel->setText(tr("The folder %1 does not exist.").arg(QDir::toNativeSeparators(m_folder)));
        return;
    }
    CompetitionStatistics statistics;
    m_stopRequested = false;
    setRunning(true);
    const bool complete = ovra::statistics::scanCompetitionFolder(
        m_folder, m_includeSubfolders->isChecked(), statistics, [this](int done, int total) {
            m_progressBar->setValue(done * 100 / total);
            QApplication::processEvents();
            return !m_stopRequested;
        });
    setRunning(false);
    if (!complete) {
        // Closed while it ran: nothing is written.
        QDialog::reject();
        return;
    }
    m_progressBar->setValue(100);

    const QString target = m_targetChooser ? m_targetChooser(proposedTarget()) : QString();
    if (target.isEmpty()) {
        qInfo() << "User did not select a target file to save the data.";
        return;
    }
    const QString heatMap = ovra::statistics::heatMapPathFor(target);
    if (QFileInfo::exists(heatMap) &&
        !(m_replaceQuestion ? m_replaceQuestion(heatMap) : askReplace(heatMap))) {
        m_resultLabel->setText(
            tr("Nothing written: the heat map %1 was kept.").arg(QDir::toNativeSeparators(heatMap)));
        return;
    }
    if (!ovra::statistics::writeStatisticsFile(statistics, target)) {
        QMessageBox::warning(
            this, windowTitle(),
            tr("The competition protocol could not be written to %1.").arg(QDir::toNativeSeparators(target)));
        return;
    }
    if (!ovra::statistics::saveHeatMap(statistics, heatMap)) {
        QMessageBox::warning(
            this, windowTitle(),
            tr("The heat map could not be written to %1.").arg(QDir::toNativeSeparators(heatMap)));
        return;
    }
    m_resultLabel->setText(
        tr("Written: %1 and %2").arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(heatMap)));
    Q_EMIT exported(target, heatMap);
}
