// The main window's files: Open and "Save as", the autosave on commit, the
// temporary routine file, the last-chance recovery and the saved-files list.

#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "data/wsDaten.h"
#include "recovery/AutoSaveDialog.h"
#include "recovery/CommitMarker.h"
#include "recovery/LastChanceRecovery.h"
#include "recovery/RecoveryDialog.h"
#include "recovery/RoutineRecorder.h"
#include "recovery/SaveReport.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "state/RoutineAnnouncements.h"
#include "usb/DeviceLink.h"
#include "util/EventWait.h"
#include "util/FileUtils.h"
#include "util/Warnings.h"
#include "widgets/ForceSampleSource.h"
#include "widgets/LogWidget.h"
#include "widgets/PlotterWidget.h"
#include "widgets/Popup.h"
#include "wsdb.h"

#include <QAction>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>

#include <utility>

using ovra::util::FileUtils;

namespace {

constexpr int kLoadEventWaitMs = 100;
constexpr int kTempFileReloadDelayMs = 1000;

// Hands the samples of a stored or recovered measurement to the force plot.
// The readers report every sample; the plot takes them in chunks so a long
// measurement is not repainted once per sample.
class PlotterFeed final : public ovra::util::SamplePlotter
{
public:
    static constexpr int kChunk = 4800;

    explicit PlotterFeed(PlotterWidget &plotter)
        : m_plotter(plotter)
    {}
    ~PlotterFeed() override { flush(); }
    PlotterFeed(const PlotterFeed &) = delete;
    PlotterFeed &operator=(const PlotterFeed &) = delete;

    void appendSamples(const wsDaten &store, int n) override
    {
        m_store = &store;
        m_pending += n;
        if (m_pending >= kChunk)
            flush();
    }
    void flush()
    {
        if (m_store && m_pending > 0)
            m_plotter.appendSamples(widget::plot::StoreForceSource<wsDaten>(*m_store), m_pending);
        m_pending = 0;
    }

private:
    PlotterWidget &m_plotter;
    const wsDaten *m_store = nullptr;
    int m_pending = 0;
};

} // namespace

void OvraDialog::setupFiles()
{
    OvraDialogUi &ui = *m_ui;
    m_lastChanceRecovery = new LastChanceRecovery(this);
    connect(m_deviceLink, &usb::DeviceLink::frameReceived, m_lastChanceRecovery,
            qOverload<const UsbFrame &>(&LastChanceRecovery::storeFrame));

    m_routineRecorder = std::make_unique<RoutineRecorder>(*m_settings, *m_daten);
    m_routineRecorder->setWeightClassSelection(m_weightClassSelection.get());
    // Non-blocking, so that a commit or a recovery that cannot write goes on
    // while the operator reads the message.
    m_routineRecorder->setSaveFailedHandler([this](const QString &path) {
        auto *box = new QMessageBox(QMessageBox::Critical, tr("Ovra"),
                                    tr("It's not possible to write the file") + QLatin1Char('\n') + path +
                                        QLatin1Char('\n') + tr("No permissions!"),
                                    QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("saveFailedMessageBox"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });

    m_fileChooser = [this](bool save, const QString &title, const QString &start, const QString &filter) {
        return save ? QFileDialog::getSaveFileName(this, title, start, filter)
                    : QFileDialog::getOpenFileName(this, title, start, filter);
    };

    // The saved-files list takes the place of its placeholder in the splitter.
    m_logWidget = new LogWidget;
    m_logWidget->setObjectName(QStringLiteral("logWidget"));
    if (const int index = ui.subSplitter->indexOf(ui.logWidget); index >= 0) {
        QWidget *placeholder = ui.subSplitter->replaceWidget(index, m_logWidget);
        if (placeholder)
            placeholder->deleteLater();
    } else {
        ui.subSplitter->addWidget(m_logWidget);
    }
    ui.logWidget = m_logWidget;
    m_logWidget->showLog(false);
    AutoSaveSettings &autoSave = m_settings->autoSaveSettings();
    connect(&autoSave, &AutoSaveSettings::fileSaveChanged, m_logWidget, &LogWidget::showLog);
    connect(&autoSave, &AutoSaveSettings::fileSaveChanged, this, &OvraDialog::showAutoSaveFolder);
    connect(&autoSave, &AutoSaveSettings::pathChanged, this, &OvraDialog::showAutoSaveFolder);
    connect(&autoSave, &AutoSaveSettings::fileSaveChanged, this, &OvraDialog::updateStorageWarning);
    connect(&autoSave, &AutoSaveSettings::databaseSaveChanged, this, &OvraDialog::updateStorageWarning);
    updateStorageWarning();
    // A measure the database refused stays on show until it is stored.
    connect(m_database, &wsdb::pendingMeasuresChanged, this, [this](int waiting) {
        m_warnings->setRoutinesAwaitingDatabaseWarning(waiting > 0);
        if (waiting == 0) {
            keptRoutinesStored();
            m_notificationPopup->setPopupText(Popup::Green,
                                              tr("The routines that waited are now stored in the database"));
            m_notificationPopup->show();
        }
    });
    connect(m_logWidget, &LogWidget::loadFile, this, &OvraDialog::loadFile);
    connect(m_logWidget, &LogWidget::openAutosaveConfig, this, &OvraDialog::showAutoSaveDialog);
    connect(m_logWidget, &LogWidget::fileRemoved, this, [this](const QString &path, bool toTrash) {
        const QString name = QFileInfo(path).fileName();
        qInfo().noquote() << (toTrash ? "Moved to the trash:" : "Deleted:") << path;
        m_notificationPopup->setPopupText(toTrash ? Popup::Green : Popup::Yellow,
                                          toTrash ? tr("Moved to the trash: %1").arg(name)
                                                  : tr("Deleted: %1").arg(name));
        m_notificationPopup->show();
    });

    // Whatever the window shows next is not the routine of a file any more.
    connect(this, &OvraDialog::clearAllResultWidgets, this, [this] {
        m_shownFile.clear();
        m_shownCommit.reset();
    });

    connect(ui.actionSave, &QAction::triggered, this, &OvraDialog::handleSaveEvent);
    connect(ui.actionLoad, &QAction::triggered, this, &OvraDialog::handleLoadEvent);
    connect(ui.actionRecoverData, &QAction::triggered, this, &OvraDialog::recoverData);
    connect(ui.actionConfigAutoSave, &QAction::triggered, this, &OvraDialog::showAutoSaveDialog);

    // A routine that was under review when the program ended comes back.
    QTimer::singleShot(kTempFileReloadDelayMs, this, &OvraDialog::loadRoutineResultsFromTempFile);
}

bool OvraDialog::saveMeasurement(const QString &path, bool toFile)
{
    return m_routineRecorder->saveMeasurement(path, toFile);
}

void OvraDialog::saveToDatabase()
{
    databaseSave();
}

bool OvraDialog::databaseSave()
{
    // A large measure can take the database a while; the frames that pile up
    // meanwhile must not count as a lost box.
    const bool held = holdBoxWatchdog();
    const bool failed = saveMeasurement(QStringLiteral("__delete_me__"), false);
    releaseBoxWatchdog(held);
    return !failed;
}

void OvraDialog::handleSaveEvent()
{
    // The name the routine would get from the autosave, in the autosave
    // folder.
    const QString proposal = m_routineRecorder->autoSavePath(QDateTime::currentDateTime());
    const QString chosen = m_fileChooser(true, tr("Save as"), proposal, QStringLiteral("*.dat"));
    qDebug() << "saving routine to file:" << chosen;
    if (chosen.isEmpty()) {
        qInfo() << "User did not select a target file to save the data.";
        return;
    }
    const QString path = FileUtils::saveTargetPath(chosen);
    const bool failed = saveMeasurement(path, true);
    if (failed)
        qWarning() << "Failed to save the data to" << chosen;
    SaveReport report;
    report.addFile(path, !failed);
    showSaveReport(report);
}

void OvraDialog::showSaveReport(const SaveReport &report)
{
    if (report.isEmpty())
        return;
    // A failure of the commit reported a moment before (the outbox) stays
    // readable.
    m_notificationPopup->addPopupText(report.failed() ? Popup::Red : Popup::Green, report.text());
    m_notificationPopup->show();
}

void OvraDialog::showLoadRefusal(const QString &what, const QString &reason)
{
    m_notificationPopup->setPopupText(Popup::Red,
                                      tr("Not loaded: %1").arg(what) + QLatin1Char('\n') + reason);
    m_notificationPopup->show();
}

void OvraDialog::showAutoSaveFolder()
{
    // The list shows only a folder that exists; the first autosave would
    // create it anyway.
    const AutoSaveSettings &autoSave = m_settings->autoSaveSettings();
    const QString folder = autoSave.targetDirectory();
    if (autoSave.fileSave() && !QDir().mkpath(folder))
        qWarning().noquote() << QStringLiteral("Could not create the folder %1").arg(folder);
    m_logWidget->setPath(folder);
}

void OvraDialog::updateStorageWarning()
{
    const AutoSaveSettings &autoSave = m_settings->autoSaveSettings();
    m_warnings->setRoutinesNotStoredWarning(!autoSave.fileSave() && !autoSave.databaseSave());
}

void OvraDialog::handleLoadEvent()
{
    const QString chosen =
        m_fileChooser(false, tr("Open"), m_settings->exportSettings().pathName() + QStringLiteral(".dat"),
                      QStringLiteral("*.dat"));
    if (!chosen.isEmpty())
        loadFile(chosen);
}

void OvraDialog::resetMeasurementForLoad()
{
    Q_EMIT clearAllResultWidgets();
    FileUtils::resetMeasurementForLoad(*m_daten);
}

void OvraDialog::loadFile(const QString &path)
{
    const QString basePath = path.isEmpty() ? QString() : FileUtils::loadBasePath(path);
    // A file that cannot be read changes nothing: what is on show stays.
    QString unreadable;
    if (!path.isEmpty() && !FileUtils::dataFileReadable(basePath, &unreadable)) {
        qWarning().noquote() << QStringLiteral("Not loading %1: %2").arg(path, unreadable);
        showLoadRefusal(QDir::toNativeSeparators(path), unreadable);
        return;
    }
    const bool temporary = !path.isEmpty() && QFileInfo(basePath + QStringLiteral(".dat")) ==
                                                  QFileInfo(m_routineRecorder->temporaryRoutineFilePath());
    if (!path.isEmpty() && !temporary)
        setUnsavedRoutineAside();
    const bool held = holdBoxWatchdog();
    qDebug() << "begin load";
    Q_EMIT beginLoad();
    ovra::util::waitProcessingEvents(kLoadEventWaitMs);
    // The live zero offsets are set aside once per display of stored data.
    m_daten->saveTaraForDisplay();
    if (!path.isEmpty()) {
        std::function<void()> reset = [this] { resetMeasurementForLoad(); };
        PlotterFeed feed(*m_plotter);
        QString refusal;
        const bool loaded =
            FileUtils::loadDataFile(basePath, m_settings.get(), *m_daten, &feed, reset, &refusal);
        feed.flush();
        if (loaded) {
            m_ui->statusLoadedMeasure->setText(path);
            emitRoutineWindow();
            m_shownFile = basePath + QStringLiteral(".dat");
            // Reloaded, the temporary routine file is still the routine's
            // only copy: whatever replaces it on screen puts it aside.
            if (QFileInfo(m_shownFile) == QFileInfo(m_routineRecorder->temporaryRoutineFilePath()))
                m_tempFileUnsaved = true;
            m_shownCommit = CommitMarker::read(m_shownFile);
            if (m_shownCommit)
                showCommittedRoutineNote();
        } else {
            // The reset took off what was shown before; nothing of the
            // refused file took its place.
            qWarning() << "Failed to load data from" << path << refusal;
            showLoadRefusal(QDir::toNativeSeparators(path), refusal);
        }
        m_ui->resultTableStack->setCurrentIndex(static_cast<int>(m_daten->trampMode()) > 2 ? 1 : 0);
        qDebug() << "complete load";
    }
    // The temporary routine file holds a routine that was never committed:
    // it is committed as a live one. Any other file was stored before, and
    // so was a routine whose commit kept the file: neither moves a list.
    if (temporary && !m_shownCommit)
        m_announcements->routineRestored();
    else
        m_announcements->routineLoaded();
    releaseBoxWatchdog(held);
    keepMeasuredRoutine();
    Q_EMIT loadComplete();
}

void OvraDialog::getMeasureFromDatabaseSlot(const QString &name)
{
    loadMeasureFromDatabase(name, -1);
}

void OvraDialog::loadMeasureFromDatabase(const QString &name, qint64 idx)
{
    // A stored measure must never replace a routine under way.
    if (!m_ovraState->acceptsLoad()) {
        const QString state = OvraState::stateName(m_ovraState->innerState());
        qWarning().noquote() << "Not loading the measure" << name << "in state" << state;
        m_notificationPopup->setPopupText(
            Popup::Yellow,
            tr("Not loaded: a stored measure can be loaded only in READY or while another one is shown."));
        m_notificationPopup->show();
        return;
    }
    setUnsavedRoutineAside();
    const bool held = holdBoxWatchdog();
    Q_EMIT beginLoad();
    ovra::util::waitProcessingEvents(kLoadEventWaitMs);
    m_daten->saveTaraForDisplay();
    resetMeasurementForLoad();
    QStringList fields;
    QString header;
    std::vector<wsDaten::Sample> samples;
    if (m_database->readMeasure(name, fields, header, samples, idx)) {
        // Name, event (and city), competition, group, date, time, athlete 1,
        // then athlete 2 when there is one.
        QString label = name + QStringLiteral(": ") + fields.value(0);
        const auto add = [&label](const QString &value, bool always) {
            if (always || !value.isEmpty())
                label += QStringLiteral(", ") + value;
        };
        add(fields.value(1), false);
        for (int i : {2, 3, 8, 9, 4, 5})
            add(fields.value(i), true);
        add(fields.value(6), false);
        add(fields.value(7), false);
        m_ui->statusLoadedMeasure->setText(label);
        QString refusal;
        PlotterFeed feed(*m_plotter);
        if (FileUtils::replayStoredMeasure(header, samples, m_settings.get(), *m_daten, &feed, &refusal)) {
            feed.flush();
        } else {
            qWarning() << "The measure" << name << "was refused:" << refusal;
            resetMeasurementForLoad();
            showLoadRefusal(tr("stored measure %1").arg(name), refusal);
        }
        emitRoutineWindow();
    } else {
        qWarning() << "No measure in the database named" << name;
        showLoadRefusal(tr("stored measure %1").arg(name),
                        tr("it cannot be read from the database %1").arg(m_database->databasePath()));
    }
    m_ui->resultTableStack->setCurrentIndex(static_cast<int>(m_daten->trampMode()) > 2 ? 1 : 0);
    m_announcements->routineLoaded();
    releaseBoxWatchdog(held);
    keepMeasuredRoutine();
    Q_EMIT loadComplete();
}

void OvraDialog::emitRoutineWindow()
{
    const auto &routine = m_daten->routines();
    Q_EMIT setExerciseStartTime(routine.exerciseStart);
    Q_EMIT setExerciseEndTime(routine.exerciseEnd);
    Q_EMIT setExerciseStartTimeFix(routine.exerciseStartFix);
    Q_EMIT setExerciseEndTimeFix(routine.exerciseEndFix);
}

bool OvraDialog::autoSaveToFile()
{
    SaveReport report;
    const bool saved = autoSaveToFile(report);
    showSaveReport(report);
    return saved;
}

bool OvraDialog::autoSaveToFile(SaveReport &report)
{
    const bool held = holdBoxWatchdog();
    const QDateTime now = QDateTime::currentDateTime();
    QString path;
    const bool saved = m_routineRecorder->autoSaveToFile(now, &path);
    releaseBoxWatchdog(held);
    report.addFile(path, saved);
    return saved;
}

void OvraDialog::routineFilesOnCommit(const QString &commitKey)
{
    // The temporary routine file is the last copy of the routine until a
    // save has succeeded; it is removed only then. While it is kept, the
    // mark beside it says that its routine was committed and which saves
    // are still to be done; it is written before the saves, so that a
    // routine whose commit the end of the program cut short comes back as
    // committed too.
    const AutoSaveSettings &autoSave = m_settings->autoSaveSettings();
    const QString temp = m_routineRecorder->temporaryRoutineFilePath();
    const bool kept = m_routineRecorder->temporaryRoutineFileExists();
    CommitMarker marker;
    marker.key = commitKey;
    marker.committedAt = QDateTime::currentDateTime();
    marker.fileSavePending = autoSave.fileSave();
    marker.databaseSavePending = autoSave.databaseSave();
    QString error;
    if (kept && marker.savesPending() && !marker.write(temp, &error))
        qWarning().noquote()
            << QStringLiteral("The commit mark beside %1 could not be written: %2").arg(temp, error);

    SaveReport report;
    runPendingSaves(marker, report, kept ? temp : QString());
    if (!autoSave.fileSave() && !autoSave.databaseSave())
        report.addNothingStored();
    showSaveReport(report);
    if (!marker.savesPending()) {
        m_tempFileUnsaved = false;
        deleteTempRoutineFile();
        m_commitSaveNote = autoSave.fileSave() || autoSave.databaseSave()
                               ? tr("The routine itself is saved.")
                               : tr("Autosave is off: the routine itself is not saved.");
    } else if (kept) {
        m_tempFileUnsaved = true;
        if (!marker.write(temp, &error))
            qWarning().noquote()
                << QStringLiteral("The commit mark beside %1 could not be written: %2").arg(temp, error);
        qWarning().noquote() << QStringLiteral("The routine was not saved; it stays in %1").arg(temp);
        m_commitSaveNote = tr("The routine itself is kept in %1.").arg(QDir::toNativeSeparators(temp));
    } else {
        m_commitSaveNote = tr("The routine itself was not saved.");
    }
    m_daten->restoreTaraAfterDisplay();
    m_logWidget->clearSelection();
}

void OvraDialog::runPendingSaves(CommitMarker &marker, SaveReport &report, const QString &keptFile)
{
    if (marker.fileSavePending)
        marker.fileSavePending = !autoSaveToFile(report);
    if (marker.databaseSavePending) {
        const bool stored = databaseSave();
        report.addDatabase(stored, m_database->pendingMeasures() > 0);
        marker.databaseSavePending = !stored;
        // The kept file waits for the database; its mark is cleared once
        // the measures that wait are stored.
        if (!stored && !keptFile.isEmpty() && !m_keptForDatabase.contains(keptFile))
            m_keptForDatabase << keptFile;
    }
}

void OvraDialog::repeatFailedSaves()
{
    CommitMarker marker = *m_shownCommit;
    qInfo().noquote() << QStringLiteral("The routine of %1 was committed before; only its failed saves are "
                                        "repeated, nothing is sent")
                             .arg(QDir::toNativeSeparators(m_shownFile));
    SaveReport report;
    runPendingSaves(marker, report, m_shownFile);
    showSaveReport(report);
    const bool temporary = QFileInfo(m_shownFile) == QFileInfo(m_routineRecorder->temporaryRoutineFilePath());
    if (temporary && !marker.savesPending()) {
        m_tempFileUnsaved = false;
        deleteTempRoutineFile();
    } else {
        // A file of its own stays marked for good: loaded again, it is
        // still a committed routine.
        QString error;
        if (!marker.write(m_shownFile, &error))
            qWarning().noquote() << QStringLiteral("The commit mark beside %1 could not be written: %2")
                                        .arg(m_shownFile, error);
    }
    m_shownCommit = marker;
    m_daten->restoreTaraAfterDisplay();
    m_logWidget->clearSelection();
}

void OvraDialog::keptRoutinesStored()
{
    // The database took the measures that waited: the committed routines
    // kept for them need no database save any more, after a restart either.
    const QString temp = m_routineRecorder->temporaryRoutineFilePath();
    for (const QString &dataFile : std::exchange(m_keptForDatabase, {})) {
        std::optional<CommitMarker> marker = CommitMarker::read(dataFile);
        if (!marker || !marker->databaseSavePending)
            continue;
        marker->databaseSavePending = false;
        const bool shown = m_shownCommit && QFileInfo(m_shownFile) == QFileInfo(dataFile);
        if (shown)
            m_shownCommit = marker;
        if (QFileInfo(dataFile) == QFileInfo(temp) && !marker->savesPending() && !shown) {
            m_tempFileUnsaved = false;
            deleteTempRoutineFile();
        } else if (!marker->write(dataFile)) {
            qWarning().noquote()
                << QStringLiteral("The commit mark beside %1 could not be written").arg(dataFile);
        }
    }
}

void OvraDialog::showCommittedRoutineNote()
{
    const CommitMarker &marker = *m_shownCommit;
    const QString when = QLocale().toString(marker.committedAt, QLocale::ShortFormat);
    QString text;
    if (marker.savesPending()) {
        QStringList saves;
        if (marker.fileSavePending)
            saves << tr("file");
        if (marker.databaseSavePending)
            saves << tr("database");
        text =
            tr("This routine was committed on %1 and is not sent again. Saving it failed (%2): the next step "
               "repeats only that.")
                .arg(when, saves.join(QStringLiteral(", ")));
    } else {
        text = tr("This routine was committed on %1; the next step does not commit it again.").arg(when);
    }
    m_notificationPopup->setPopupText(Popup::Yellow, text);
    m_notificationPopup->show();
}

void OvraDialog::routineFilesOnDismiss()
{
    const bool committedUnsaved =
        m_shownCommit && m_shownCommit->savesPending() &&
        QFileInfo(m_shownFile) == QFileInfo(m_routineRecorder->temporaryRoutineFilePath());
    if (committedUnsaved) {
        // A committed routine whose saves failed lives only in this file:
        // dismissing takes it off the screen, not off the disk.
        m_tempFileUnsaved = true;
        setUnsavedRoutineAside();
    } else {
        deleteTempRoutineFile();
    }
    m_daten->restoreTaraAfterDisplay();
    m_logWidget->clearSelection();
}

void OvraDialog::autoSaveAfterDropTest()
{
    if (m_settings->autoSaveSettings().fileSave())
        autoSaveToFile();
}

void OvraDialog::setUnsavedRoutineAside()
{
    // A routine whose saves failed lives only in the temporary file. Before
    // anything else can take that file (the next routine, or the commit or
    // dismissal of another measurement) it moves to a name of its own.
    const QString temp = m_routineRecorder->temporaryRoutineFilePath();
    if (m_tempFileUnsaved && QFile::exists(temp)) {
        const QString kept =
            QDir(QFileInfo(temp).absolutePath())
                .filePath(
                    QStringLiteral("~routine_unsaved_%1.dat")
                        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss_zzz"))));
        if (QFile::rename(temp, kept)) {
            qWarning().noquote() << QStringLiteral("An unsaved routine was kept in %1").arg(kept);
            // A committed routine stays committed under its new name.
            if (!CommitMarker::move(temp, kept))
                qWarning().noquote() << QStringLiteral("The commit mark of %1 could not follow it").arg(kept);
            for (QString &waiting : m_keptForDatabase) {
                if (waiting == temp)
                    waiting = kept;
            }
        } else {
            qWarning().noquote() << QStringLiteral("Could not keep the unsaved routine %1 aside").arg(temp);
        }
    }
    m_tempFileUnsaved = false;
}

bool OvraDialog::holdBoxWatchdog()
{
    // File and database work on this thread holds the frames back; the box
    // must not be taken for lost meanwhile.
    if (!m_deviceLink->isConnected())
        return false;
    m_deviceLink->restartLastFrameTimer();
    m_deviceLink->stopWatchdog();
    return true;
}

void OvraDialog::releaseBoxWatchdog(bool held)
{
    if (!held)
        return;
    m_deviceLink->restartLastFrameTimer();
    if (m_ovraState->isUsbConnected())
        m_deviceLink->restartWatchdog();
}

void OvraDialog::saveRoutineResultsToTempFile()
{
    setUnsavedRoutineAside();
    const bool wasRecording = m_daten->routines().routineRecording;
    m_routineRecorder->saveRoutineResultsToTempFile();
    if (wasRecording) {
        Q_EMIT setExerciseEndTime(m_daten->routines().exerciseEnd);
        Q_EMIT setExerciseEndTimeFix(m_daten->routines().exerciseEndFix);
    }
}

void OvraDialog::loadRoutineResultsFromTempFile()
{
    if (!m_routineRecorder->temporaryRoutineFileExists())
        return;
    qDebug() << "Loading routine results from temporary file.";
    loadFile(m_routineRecorder->temporaryRoutineFilePath());
}

void OvraDialog::deleteTempRoutineFile()
{
    m_routineRecorder->deleteTempRoutineFile();
}

void OvraDialog::showAutoSaveDialog()
{
    if (findChild<AutoSaveDialog *>())
        return;
    auto *dialog =
        new AutoSaveDialog(m_settings->autoSaveSettings(), m_daten->routines().routineMetaInformation, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this] { m_settings->writeSettings(width(), height(), m_font); });
    dialog->open();
}

void OvraDialog::recoverData()
{
    ++m_recoverRequests;
    if (findChild<RecoveryDialog *>())
        return;
    // The dialog does not block the event loop: the box keeps being served
    // while the ring stands still for the operator to choose.
    auto selection = std::make_shared<RecoverySelection>();
    m_lastChanceRecovery->pauseRecording();
    auto *dialog = new RecoveryDialog(*m_lastChanceRecovery, *selection, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, selection](int result) {
        if (result == QDialog::Accepted)
            replayRecovery(*selection);
        m_lastChanceRecovery->resumeRecording();
    });
    dialog->open();
}

void OvraDialog::replayRecovery(const RecoverySelection &selection)
{
    setUnsavedRoutineAside();
    const bool held = holdBoxWatchdog();
    qDebug() << "begin recovery";
    Q_EMIT beginLoad();
    ovra::util::waitProcessingEvents(kLoadEventWaitMs);
    Q_EMIT clearAllResultWidgets();
    PlotterFeed feed(*m_plotter);
    RoutineRecorder::replay(*m_daten, *m_lastChanceRecovery, selection,
                            m_settings->rulesSettings().hdDeductionRule(), &feed);
    feed.flush();
    emitRoutineWindow();
    if (static_cast<int>(m_daten->trampMode()) > 2)
        m_ui->resultTableStack->setCurrentIndex(1);
    // Where the ring marked the routine the begin lies in, the routine keeps
    // its mode and athlete; otherwise it is the athlete's who is due (after
    // a dismissal the one jumping again).
    if (const LastChanceRecovery::RoutineMark *mark = m_lastChanceRecovery->markAt(selection.routineBegin))
        m_daten->routines().setRoutineMetaInformation(mark->meta);
    m_announcements->routineRecovered();
    qDebug() << "end recovery";
    releaseBoxWatchdog(held);
    keepMeasuredRoutine();
    Q_EMIT loadComplete();
}
