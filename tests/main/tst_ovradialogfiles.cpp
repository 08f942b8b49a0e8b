#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "data/wsDaten.h"
#include "recovery/AutoSaveDialog.h"
#include "recovery/LastChanceRecovery.h"
#include "recovery/RecoveryDialog.h"
#include "recovery/RoutineRecorder.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "support/TestSupport.h"
#include "util/FileUtils.h"
#include "widgets/LogWidget.h"
#include "widgets/PlotterWidget.h"
#include "widgets/Popup.h"
#include "wsdb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QJsonDocument>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStateMachine>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>

#include <sqlite3.h>

namespace {

// The first column of the first row of a query, read through a connection
// of its own: what it sees is in the file.
int countRows(const QString &path, const QByteArray &sql)
{
    sqlite3 *db = nullptr;
    int value = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return value;
}

using S = OvraState;

struct Window
{
    std::unique_ptr<OvraDialog> dialog;

    explicit Window(bool clear = true)
    {
        if (clear)
            ovra::test::clearSettings();
        dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
        dialog->show();
    }
    ~Window() { dialog->hide(); }
    bool run()
    {
        QDeadlineTimer deadline(3000);
        while (!dialog->ovraState().machine().isRunning() && !deadline.hasExpired())
            QTest::qWait(10);
        return dialog->ovraState().machine().isRunning();
    }
    void fire(const char *name) { QVERIFY(QMetaObject::invokeMethod(dialog.get(), name)); }
    int state() const { return dialog->ovraState().innerState(); }
    QString tempFile() const { return dialog->routineRecorder().temporaryRoutineFilePath(); }
    // A measurement of n samples in the store, as a routine would leave it.
    void measure(int n)
    {
        wsDaten &store = dialog->store();
        for (int i = 0; i < n; ++i) {
            wsDaten::Sample s;
            for (int c = 0; c < 8; ++c)
                s[std::size_t(c)] = qint16(2560 + (i * 3 + c) % 200);
            store.appendSample(s);
        }
    }
    // Autosave into a path that is a file, not a folder: every autosave
    // fails. Returns the blocking file's path.
    QString blockAutosave(const QTemporaryDir &dir)
    {
        QFile blocker(dir.path() + QStringLiteral("/blocked"));
        if (blocker.open(QIODevice::WriteOnly))
            blocker.close();
        AutoSaveSettings &autoSave = dialog->settings().autoSaveSettings();
        autoSave.setPath(blocker.fileName());
        autoSave.setFileSave(true);
        return blocker.fileName();
    }
    // A routine committed while every autosave fails: back in READY with
    // the routine only in the temporary file.
    void commitWithFailingAutosave(const QTemporaryDir &dir)
    {
        QVERIFY(QFile::exists(blockAutosave(dir)));
        toReview();
        fire("nextInnerState");
        QCOMPARE(state(), int(S::READY));
        QVERIFY(QFile::exists(tempFile()));
    }
    // READY -> START -> ROUTINE -> REVIEW.
    void toReview()
    {
        fire("usbConnected");
        fire("nextInnerState");
        fire("nextInnerState");
        QCOMPARE(state(), int(S::ROUTINE));
        measure(960);
        fire("nextInnerState");
        QCOMPARE(state(), int(S::REVIEW));
    }
};

} // namespace

class TestOvraDialogFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(QDir::tempPath().contains(QLatin1String("ovra-test-"))); }

    void temporaryFileExistsFromLeavingRoutineToCommitOrDismiss()
    {
        Window w;
        QVERIFY(w.run());
        QFile::remove(w.tempFile());
        w.fire("usbConnected");
        w.fire("nextInnerState");
        w.fire("nextInnerState");
        QVERIFY(!QFile::exists(w.tempFile()));
        w.measure(480);
        w.fire("nextInnerState");
        QCOMPARE(w.state(), int(S::REVIEW));
        QVERIFY(QFile::exists(w.tempFile()));
        w.fire("nextInnerState"); // commit, on to READY
        QCOMPARE(w.state(), int(S::READY));
        QVERIFY(!QFile::exists(w.tempFile()));

        w.fire("nextInnerState");
        w.fire("nextInnerState");
        w.fire("nextInnerState");
        QVERIFY(QFile::exists(w.tempFile()));
        w.fire("dismissRoutine");
        QCOMPARE(w.state(), int(S::READY));
        QVERIFY(!QFile::exists(w.tempFile()));
    }

    void committedRoutineIsAutosavedUnderTheRenderedName()
    {
        QTemporaryDir dir;
        Window w;
        QVERIFY(w.run());
        AutoSaveSettings &autoSave = w.dialog->settings().autoSaveSettings();
        autoSave.setPath(dir.path());
        autoSave.setFilenameTemplate(QStringLiteral("{{Club}}/{{LastName}} x"));
        autoSave.setSuppressWhitespace(true);
        autoSave.setFileSave(true);
        QCOMPARE(w.dialog->ui().statusAutoSave->text(), QStringLiteral("AutoSave on"));
        w.toReview();
        w.dialog->store().routines().addRoutineMetaInformation(QStringLiteral("LastName"), QStringLiteral("Brandt"));
        w.dialog->store().routines().addRoutineMetaInformation(QStringLiteral("Club"), QStringLiteral("TSV 1/2"));
        w.fire("nextInnerState");
        const QString saved = dir.path() + QStringLiteral("/TSV12/Brandtx.dat");
        QVERIFY(QFile::exists(saved));
        QVERIFY(!QFile::exists(w.tempFile()));
        wsDaten loaded;
        std::function<void()> reset = [&loaded] { ovra::util::FileUtils::resetMeasurementForLoad(loaded); };
        QVERIFY(ovra::util::FileUtils::loadDataFile(saved.chopped(4), nullptr, loaded, nullptr, reset));
        QCOMPARE(loaded.sampleCount(), w.dialog->store().sampleCount());
        // The saved-files list shows the folder and clears its selection.
        QVERIFY(w.dialog->logWidget()->listView()->isVisibleTo(w.dialog.get()));
        QCOMPARE(w.dialog->logWidget()->path(), dir.path());
    }

    // With file autosave on and no folder chosen, routines go to "Ovra" in
    // the user's documents, which the saved-files list shows, not to the
    // program's working directory. Every save tells the operator where the
    // routine went, in green, or that it was not saved, in red; Save as
    // proposes the routine's autosave name.
    void autosaveWithoutAFolderGoesToTheDocumentsAndIsReported()
    {
        const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                   .filePath(QStringLiteral("Ovra"));
        QVERIFY(folder.contains(QLatin1String("ovra-test-")));
        QDir(folder).removeRecursively();
        Window w;
        QVERIFY(w.run());
        AutoSaveSettings &autoSave = w.dialog->settings().autoSaveSettings();
        QCOMPARE(autoSave.path(), QString());
        autoSave.setFileSave(true);
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(w.dialog->logWidget()->path(), folder);

        const QColor green(70, 170, 110, 230);
        const QColor red(230, 90, 90, 230);
        Popup &popup = w.dialog->notificationPopup();
        w.toReview();
        w.fire("nextInnerState");
        const QStringList saved = QDir(folder).entryList({QStringLiteral("*.dat")}, QDir::Files);
        QCOMPARE(saved.size(), 1);
        QVERIFY(QDir::current().entryList({QStringLiteral("*.dat")}, QDir::Files).isEmpty());
        QVERIFY(popup.isVisible());
        QCOMPARE(popup.color(), green);
        QCOMPARE(popup.text(), QStringLiteral("Saved: ") + saved.first());
        QFileSystemModel *files = w.dialog->logWidget()->model();
        QTRY_VERIFY(files->index(folder + QLatin1Char('/') + saved.first()).isValid());

        QString proposed;
        w.dialog->setFileChooser([&](bool, const QString &, const QString &start, const QString &) {
            proposed = start;
            return folder + QStringLiteral("/copy.dat");
        });
        w.dialog->handleSaveEvent();
        // The autosave name, numbered when the autosave of this second holds it.
        QCOMPARE(QFileInfo(proposed).absolutePath(), folder);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{8}_\\d{6}(_\\d+)?\\.dat$"))
                    .match(QFileInfo(proposed).fileName())
                    .hasMatch());
        QVERIFY(QFile::exists(folder + QStringLiteral("/copy.dat")));
        QCOMPARE(popup.text(), QStringLiteral("Saved: copy.dat"));
        QCOMPARE(popup.color(), green);

        QTemporaryDir dir;
        w.commitWithFailingAutosave(dir);
        QVERIFY(popup.text().startsWith(QStringLiteral("Not saved: ")));
        QCOMPARE(popup.color(), red);
        if (auto *box = w.dialog->findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox")))
            box->close();
        QDir(folder).removeRecursively();
    }

    // An autosave that cannot write leaves the routine in the temporary
    // file, and the next routine does not overwrite it.
    void failedAutosaveKeepsTheRoutineRecoverable()
    {
        QTemporaryDir dir;
        Window w;
        QVERIFY(w.run());
        w.commitWithFailingAutosave(dir);
        QVERIFY(!QTest::currentTestFailed());
        AutoSaveSettings &autoSave = w.dialog->settings().autoSaveSettings();
        auto *box = w.dialog->findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox"));
        QVERIFY(box);
        QVERIFY(box->text().endsWith(QStringLiteral("No permissions!")));
        box->close();

        w.fire("nextInnerState");
        w.fire("nextInnerState");
        w.fire("nextInnerState");
        const QStringList kept = QDir(QFileInfo(w.tempFile()).absolutePath())
                                     .entryList({QStringLiteral("~routine_unsaved_*.dat")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QVERIFY(QFile::exists(w.tempFile()));
        autoSave.setPath(dir.path());
        w.fire("nextInnerState");
        QVERIFY(!QFile::exists(w.tempFile()));
        for (const QString &name : kept)
            QFile::remove(QFileInfo(w.tempFile()).absolutePath() + QLatin1Char('/') + name);
    }

    // A committed routine goes into the competition database the window
    // opened at start-up, and its temporary file is then no longer needed.
    // An empty database setting falls back to the default file, not to a
    // database that vanishes at exit.
    void emptyDatabaseSettingUsesTheDefaultFile()
    {
        ovra::test::clearSettings();
        {
            auto storage = OvraSettings::openStorage();
            storage->setValue(QStringLiteral("db/dbFile"), QString());
            storage->sync();
        }
        Window w(false);
        QVERIFY(w.dialog->database().isOpen());
        QCOMPARE(w.dialog->database().databasePath(), QFileInfo(w.dialog->database().defaultFile()).absoluteFilePath());
    }

    void databaseAutosaveStoresTheCommittedRoutine()
    {
        Window w;
        QVERIFY(w.run());
        QVERIFY(w.dialog->database().isOpen());
        const QString path = QFileInfo(w.dialog->settings().databaseFile()).absoluteFilePath();
        QCOMPARE(w.dialog->database().databasePath(), path);
        const int before = countRows(path, "SELECT COUNT(*) FROM Measures;");
        w.dialog->settings().autoSaveSettings().setDatabaseSave(true);
        w.dialog->receiveRoutineMeta({{QStringLiteral("lastname"), QStringLiteral("O'Brien")}});
        w.toReview();
        w.fire("nextInnerState");
        QCOMPARE(w.state(), int(S::READY));
        QVERIFY(!w.dialog->findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox")));
        QVERIFY(!QFile::exists(w.tempFile()));
        w.dialog->settings().autoSaveSettings().setDatabaseSave(false);
        QCOMPARE(countRows(path, "SELECT COUNT(*) FROM Measures;"), before + 1);
        const QByteArray name = w.dialog->store().measurementName.toUtf8();
        QCOMPARE(countRows(path, "SELECT length(Data) FROM Measures WHERE Name='" + name + "' AND LastName1='O''Brien';"),
                 w.dialog->store().sampleCount() * 16);

        // The stored measure is shown again as a loaded file is.
        const int samples = w.dialog->store().sampleCount();
        const wsDaten::Sample probe = w.dialog->store().sample(samples / 2);
        const int windowStart = w.dialog->store().routines().exerciseStart;
        QSignalSpy complete(w.dialog.get(), &OvraDialog::loadComplete);
        w.dialog->getMeasureFromDatabaseSlot(QString::fromUtf8(name));
        QCOMPARE(complete.size(), 1);
        QCOMPARE(w.state(), int(S::LOAD));
        QCOMPARE(w.dialog->store().sampleCount(), samples);
        QCOMPARE(w.dialog->store().sample(samples / 2), probe);
        QCOMPARE(w.dialog->store().routines().exerciseStart, windowStart);
        QVERIFY(w.dialog->ui().statusLoadedMeasure->text().startsWith(QString::fromUtf8(name) + QStringLiteral(": ")));
        QVERIFY(w.dialog->ui().statusLoadedMeasure->text().contains(QStringLiteral("O'Brien")));
        QCOMPARE(w.dialog->plotter().points(0).size(), std::size_t(samples));
        w.fire("dismissRoutine");
        QCOMPARE(w.state(), int(S::READY));
    }

    // A database that does not take the routine (closed, or locked by another
    // program) makes the autosave fail: the operator is told, the commit
    // goes on and the routine stays in the temporary file.
    void databaseAutosaveWithoutADatabaseKeepsTheRoutine()
    {
        for (const bool closed : {true, false}) {
            Window w;
            QVERIFY(w.run());
            const QString path = w.dialog->database().databasePath();
            QVERIFY(!path.isEmpty());
            const int before = countRows(path, "SELECT COUNT(*) FROM Measures;");
            sqlite3 *other = nullptr;
            if (closed) {
                w.dialog->database().closeDatabase();
            } else {
                QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
                QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr), SQLITE_OK);
            }
            w.dialog->settings().autoSaveSettings().setDatabaseSave(true);
            w.toReview();
            w.fire("nextInnerState");
            QCOMPARE(w.state(), int(S::READY));
            if (other) {
                sqlite3_exec(other, "COMMIT;", nullptr, nullptr, nullptr);
                sqlite3_close(other);
            }
            auto *box = w.dialog->findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox"));
            QVERIFY(box);
            QVERIFY(box->text().contains(QStringLiteral("__delete_me__")));
            QVERIFY(QFile::exists(w.tempFile()));
            QCOMPARE(countRows(path, "SELECT COUNT(*) FROM Measures;"), before);
            box->close();
            w.dialog->settings().autoSaveSettings().setDatabaseSave(false);
            // The next window must not find it.
            QVERIFY(QFile::remove(w.tempFile()));
        }
    }

    // The only copy of a routine whose saves failed survives the display
    // and dismissal of another measurement.
    void unsavedRoutineSurvivesAnotherMeasurement()
    {
        QTemporaryDir dir;
        Window w;
        QVERIFY(w.run());
        w.commitWithFailingAutosave(dir);
        QVERIFY(!QTest::currentTestFailed());
        AutoSaveSettings &autoSave = w.dialog->settings().autoSaveSettings();
        delete w.dialog->findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox"));
        const QByteArray unsaved = [&] {
            QFile f(w.tempFile());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(!unsaved.isEmpty());

        // Another measurement is opened and dismissed.
        autoSave.setFileSave(false);
        w.measure(96);
        const QString other = dir.path() + QStringLiteral("/other.dat");
        QVERIFY(!w.dialog->saveMeasurement(other, true));
        w.dialog->loadFile(other);
        QCOMPARE(w.state(), int(S::LOAD));
        w.fire("dismissRoutine");
        QCOMPARE(w.state(), int(S::READY));

        const QDir temp(QFileInfo(w.tempFile()).absolutePath());
        const QStringList kept = temp.entryList({QStringLiteral("~routine_unsaved_*.dat")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QFile keptFile(temp.filePath(kept.first()));
        QVERIFY(keptFile.open(QIODevice::ReadOnly));
        QCOMPARE(keptFile.readAll(), unsaved);
        keptFile.close();
        QVERIFY(keptFile.remove());
    }

    void saveAsAndOpen()
    {
        QTemporaryDir dir;
        Window w;
        QVERIFY(w.run());
        w.measure(300);
        w.dialog->store().setTrampMode(data::model::TrampMode::Synchronized);
        QString answer = dir.path() + QStringLiteral("/run.txt");
        QStringList titles;
        w.dialog->setFileChooser([&](bool, const QString &title, const QString &, const QString &filter) {
            titles << title;
            [&] { QCOMPARE(filter, QStringLiteral("*.dat")); }();
            return answer;
        });
        w.dialog->handleSaveEvent();
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/run.dat")));
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/run.txt")));

        // A save that fails shows the box and leaves the existing file alone.
        QFile existing(dir.path() + QStringLiteral("/run.dat"));
        const qint64 size = existing.size();
        answer = dir.path() + QStringLiteral("/missing/run.dat");
        w.dialog->handleSaveEvent();
        QVERIFY(w.dialog->findChild<QMessageBox *>(QStringLiteral("saveFailedMessageBox")));
        QCOMPARE(existing.size(), size);

        answer.clear();
        w.dialog->handleSaveEvent(); // nothing chosen: nothing happens

        answer = dir.path() + QStringLiteral("/run.TARA");
        QSignalSpy begin(w.dialog.get(), &OvraDialog::beginLoad);
        QSignalSpy complete(w.dialog.get(), &OvraDialog::loadComplete);
        w.dialog->handleLoadEvent();
        QCOMPARE(titles, (QStringList{"Save as", "Save as", "Save as", "Open"}));
        QCOMPARE(begin.size(), 1);
        QCOMPARE(complete.size(), 1);
        QCOMPARE(w.state(), int(S::DISPLAY));
        QCOMPARE(w.dialog->ui().statusLoadedMeasure->text(), answer);
        QCOMPARE(w.dialog->store().sampleCount(), 300);
        // The force plot shows the loaded samples, offsets removed, in whole
        // newtons.
        for (int bed = 0; bed < 2; ++bed) {
            const auto &points = w.dialog->plotter().points(bed);
            QCOMPARE(points.size(), std::size_t(300));
            for (int k : {0, 151, 299}) {
                for (int c = 0; c < 4; ++c)
                    QCOMPARE(points[std::size_t(k)].sensor[std::size_t(c)],
                             qint16(std::lround(w.dialog->store().channelValue(bed * 4 + c, k, true))));
            }
        }
        QCOMPARE(w.dialog->ui().resultTableStack->currentIndex(), 1);
        QVERIFY(w.dialog->store().taraSetAside());
        w.fire("dismissRoutine");
        QVERIFY(!w.dialog->store().taraSetAside());
    }

    // A stored synchronized routine shown while "Trampoline 1" is chosen by
    // hand sets the mode of the display; the next routine is measured on
    // trampoline 1 again (it once came out empty, measured as synchronized).
    void handChosenTrampolineIsRestoredAfterAStoredRoutine()
    {
        QTemporaryDir dir;
        Window w;
        QVERIFY(w.run());
        w.fire("usbConnected");
        QCOMPARE(w.state(), int(S::READY));
        wsDaten &store = w.dialog->store();
        w.measure(96);
        store.setTrampMode(data::model::TrampMode::Synchronized);
        const QString file = dir.path() + QStringLiteral("/synchronized.dat");
        QVERIFY(!w.dialog->saveMeasurement(file, true));

        w.dialog->ui().CB_trampSelect->setCurrentIndex(0);
        Q_EMIT w.dialog->ui().CB_trampSelect->activated(0);
        QCOMPARE(store.trampMode(), data::model::TrampMode::Trampoline1);
        w.dialog->loadFile(file);
        QCOMPARE(w.state(), int(S::LOAD));
        QCOMPARE(store.trampMode(), data::model::TrampMode::Synchronized);
        w.fire("dismissRoutine");
        QCOMPARE(w.state(), int(S::READY));
        QCOMPARE(store.trampMode(), data::model::TrampMode::Trampoline1);
        w.fire("nextInnerState");
        QCOMPARE(w.state(), int(S::START));
        QCOMPARE(store.trampMode(), data::model::TrampMode::Trampoline1);
    }

    void savedFilesListIsWired()
    {
        QTemporaryDir dir;
        Window w;
        QVERIFY(w.run());
        LogWidget *list = w.dialog->logWidget();
        QVERIFY(list);
        QCOMPARE(list->parentWidget(), w.dialog->ui().subSplitter);
        QCOMPARE(w.dialog->ui().logWidget, list);
        QVERIFY(!list->listView()->isVisibleTo(w.dialog.get()));
        w.dialog->settings().autoSaveSettings().setFileSave(true);
        QVERIFY(list->listView()->isVisibleTo(w.dialog.get()));
        w.dialog->settings().autoSaveSettings().setPath(dir.path());
        QCOMPARE(list->path(), dir.path());

        w.measure(96);
        QVERIFY(!w.dialog->saveMeasurement(dir.path() + QStringLiteral("/a.dat"), true));
        Q_EMIT list->loadFile(dir.path() + QStringLiteral("/a.dat"));
        QCOMPARE(w.state(), int(S::DISPLAY));
        QCOMPARE(w.dialog->store().sampleCount(), 96);

        Q_EMIT list->openAutosaveConfig();
        auto *config = w.dialog->findChild<AutoSaveDialog *>();
        QVERIFY(config);
        QTRY_VERIFY(config->isVisible());
        config->reject();
    }

    // A file or stored measure the loader refuses (a value no run of the
    // program writes, or a file that cannot be read) was once only logged:
    // the operator saw an empty or unchanged window without a word. Open,
    // the saved-files list and the database view now say in red what was
    // not loaded and why; an unreadable file changes nothing on show, a
    // refused one leaves an empty measurement, not a half-loaded one.
    void refusedLoadsAreReportedAndLeaveNothingHalfLoaded()
    {
        QTemporaryDir dir;
        Window w;
        QVERIFY(w.run());
        w.fire("usbConnected");
        QCOMPARE(w.state(), int(S::READY));
        wsDaten &store = w.dialog->store();
        Popup &popup = w.dialog->notificationPopup();
        const QColor red(230, 90, 90, 230);
        const QLabel *loaded = w.dialog->ui().statusLoadedMeasure;
        const auto reported = [&](const QString &what, const QString &reason) {
            return popup.isVisible() && popup.color() == red &&
                   popup.text().startsWith(QStringLiteral("Not loaded: ") + what + QLatin1Char('\n')) &&
                   popup.text().contains(reason);
        };

        w.measure(300);
        const QString good = dir.filePath(QStringLiteral("good.dat"));
        QVERIFY(!w.dialog->saveMeasurement(good, true));
        // The same measurement with a penalty beyond any a run writes.
        QFile goodFile(good);
        QVERIFY(goodFile.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(goodFile.readAll());
        goodFile.close();
        const QRegularExpression penalty(QStringLiteral("(?m)^-0\\.027\t[^\n]*$"));
        QVERIFY(text.contains(penalty));
        text.replace(penalty, QStringLiteral("-0.027\t0\t2000000"));
        const QString refused = dir.filePath(QStringLiteral("refused.dat"));
        QFile refusedFile(refused);
        QVERIFY(refusedFile.open(QIODevice::WriteOnly));
        refusedFile.write(text.toUtf8());
        refusedFile.close();
        const QString folder = dir.filePath(QStringLiteral("folder.dat"));
        QVERIFY(QDir().mkpath(folder));

        QString answer = good;
        w.dialog->setFileChooser(
            [&](bool, const QString &, const QString &, const QString &) { return answer; });
        w.dialog->handleLoadEvent();
        QCOMPARE(w.state(), int(S::LOAD));
        QCOMPARE(store.sampleCount(), 300);
        QCOMPARE(loaded->text(), good);

        // Open: a folder named like a data file is not read and changes
        // nothing.
        QSignalSpy begin(w.dialog.get(), &OvraDialog::beginLoad);
        answer = folder;
        w.dialog->handleLoadEvent();
        QVERIFY2(reported(QDir::toNativeSeparators(folder), QStringLiteral("folder")),
                 qPrintable(popup.text()));
        QCOMPARE(begin.size(), 0);
        QCOMPARE(w.state(), int(S::LOAD));
        QCOMPARE(store.sampleCount(), 300);
        QCOMPARE(loaded->text(), good);
        QCOMPARE(w.dialog->plotter().points(0).size(), std::size_t(300));

        // The saved-files list: the refused file leaves nothing of itself or
        // of the file shown before.
        Q_EMIT w.dialog->logWidget()->loadFile(refused);
        QVERIFY2(reported(QDir::toNativeSeparators(refused), QStringLiteral("out of range")),
                 qPrintable(popup.text()));
        QCOMPARE(begin.size(), 1);
        QCOMPARE(w.state(), int(S::LOAD));
        QCOMPARE(store.sampleCount(), 0);
        QCOMPARE(store.routines().landingCount, quint64(0));
        QCOMPARE(store.routines().penalty(), 0.0);
        QVERIFY(loaded->text().isEmpty());
        QVERIFY(w.dialog->plotter().points(0).empty());

        // The database view: a stored measure whose header is refused, and a
        // name the database does not hold.
        Q_EMIT w.dialog->logWidget()->loadFile(good);
        QCOMPARE(store.sampleCount(), 300);
        store.measurementName = QStringLiteral("refusedMeasure");
        const QString header = ovra::util::FileUtils::headerText(&w.dialog->settings(), store, nullptr,
                                                                 QDateTime::currentDateTime(),
                                                                 ovra::util::FileUtils::Format::Standard) +
                               QStringLiteral("-0.027\t1e7\t0\n");
        QByteArray samples(96 * 16, '\0');
        QVERIFY(w.dialog->database().insertMeasure(QDateTime::currentDateTime(), {}, {}, header,
                                                   int(header.size()), samples.constData(),
                                                   int(samples.size()), QJsonDocument(), {}));
        w.dialog->getMeasureFromDatabaseSlot(QStringLiteral("refusedMeasure"));
        QVERIFY2(reported(QStringLiteral("stored measure refusedMeasure"), QStringLiteral("out of range")),
                 qPrintable(popup.text()));
        QCOMPARE(w.state(), int(S::LOAD));
        QCOMPARE(store.sampleCount(), 0);
        QVERIFY(loaded->text().isEmpty());
        QVERIFY(w.dialog->plotter().points(0).empty());
        w.dialog->getMeasureFromDatabaseSlot(QStringLiteral("noSuchMeasure"));
        QVERIFY2(
            reported(QStringLiteral("stored measure noSuchMeasure"), w.dialog->database().databasePath()),
            qPrintable(popup.text()));
        QCOMPARE(w.state(), int(S::LOAD));

        // Dismissed, the window is back in READY with its live zero offsets.
        w.fire("dismissRoutine");
        QCOMPARE(w.state(), int(S::READY));
        QVERIFY(!store.taraSetAside());
    }

    // The routine left in the temporary file comes back a second after start.
    void temporaryFileIsLoadedOneSecondAfterStart()
    {
        QString temp;
        {
            Window first;
            QVERIFY(first.run());
            first.toReview();
            temp = first.tempFile();
            QVERIFY(QFile::exists(temp));
        }
        QElapsedTimer clock;
        clock.start();
        Window second(false);
        QVERIFY(second.run());
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), int(S::DISPLAY), 5000);
        QVERIFY(clock.elapsed() >= 1000);
        QCOMPARE(second.dialog->store().sampleCount(), 960);
        QCOMPARE(second.dialog->ui().statusLoadedMeasure->text(), temp);
        second.fire("dismissRoutine");
        QVERIFY(!QFile::exists(temp));
    }

    void recoveryReplaysTheChosenStretch()
    {
        Window w;
        QVERIFY(w.run());
        LastChanceRecovery &ring = w.dialog->lastChanceRecovery();
        for (int n = 0; n < 1000; ++n) {
            uchar bytes[64] = {0xC7, 0xC3, '1'};
            for (int v = 0; v < 24; ++v)
                qToLittleEndian<qint16>(qint16(2560 + n % 7), bytes + 5 + v * 2);
            ring.storeFrame(bytes);
        }
        w.fire("usbConnected");
        w.fire("recoverData");
        auto *recovery = w.dialog->findChild<RecoveryDialog *>();
        QVERIFY(recovery);
        QVERIFY(!ring.isRecording());
        recovery->fromSlider()->setValue(598000);
        recovery->beginSlider()->setValue(598500);
        QSignalSpy complete(w.dialog.get(), &OvraDialog::loadComplete);
        recovery->accept();
        QCOMPARE(complete.size(), 1);
        QVERIFY(ring.isRecording());
        QCOMPARE(w.dialog->store().sampleCount(), 599999 - 598000);
        QCOMPARE(w.dialog->plotter().points(0).size(), std::size_t(599999 - 598000));
        QCOMPARE(w.dialog->store().routines().exerciseStart, 500);
        QCOMPARE(int(w.dialog->store().trampMode()), 3);
        QCOMPARE(w.dialog->ui().resultTableStack->currentIndex(), 1);
    }
};

OVRA_TEST_GUI_MAIN(TestOvraDialogFiles)
#include "tst_ovradialogfiles.moc"
