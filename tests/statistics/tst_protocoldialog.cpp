#include "util/RecordingPlayback.h"

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "settings/AutoSaveSettings.h"
#include "settings/OvraSettings.h"
#include "statistics/CompetitionStatistics.h"
#include "statistics/ExportCompetitionProtocolDialog.h"
#include "statistics/ProtocolScan.h"
#include "support/TestSupport.h"
#include "util/FileUtils.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

class TestProtocolDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exportFromTheHelpMenu()
    {
        const auto library = playback::Library::load();
        QVERIFY(library.has_value());
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("day2")));
        for (const auto &[number, name] : {std::pair{1, "a.dat"}, {3, "b.dat"}, {2, "day2/c.dat"}}) {
            wsDaten store;
            library->play(number, store);
            QVERIFY(!ovra::util::FileUtils::saveFile(true, folder.filePath(QLatin1String(name)), nullptr,
                                                     store, nullptr, nullptr));
        }

        ovra::test::clearSettings();
        OvraDialog window(ovra::startup::logHandler());
        // A fresh profile starts in the autosave folder the routines go to
        // by default, with its subfolders, and proposes a file there.
        window.ui().actionExport_Competition_Protocol->trigger();
        auto *fresh = window.findChild<ExportCompetitionProtocolDialog *>();
        QVERIFY(fresh);
        QCOMPARE(fresh->folder(), AutoSaveSettings::defaultDirectory());
        QVERIFY(fresh->findChild<QCheckBox *>(QStringLiteral("includeSubfoldersCheckbox"))->isChecked());
        fresh->close();
        QTRY_VERIFY(!window.findChild<ExportCompetitionProtocolDialog *>());
        window.settings().autoSaveSettings().setPath(folder.path());
        window.ui().actionExport_Competition_Protocol->trigger();
        auto *dialog = window.findChild<ExportCompetitionProtocolDialog *>();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Export Competition Protocol"));
        // It starts where the autosave puts the routines.
        QCOMPARE(dialog->folder(), folder.path());

        // Closed while it runs: the scan stops and nothing is written.
        int asked = 0;
        dialog->setTargetChooser([&](const QString &) {
            ++asked;
            return folder.filePath(QStringLiteral("protocol.json"));
        });
        QTimer::singleShot(0, dialog, &ExportCompetitionProtocolDialog::reject);
        dialog->findChild<QPushButton *>(QStringLiteral("startButton"))->click();
        QCOMPARE(asked, 0);
        QTRY_VERIFY(!window.findChild<ExportCompetitionProtocolDialog *>());
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("protocol.json"))));

        window.ui().actionExport_Competition_Protocol->trigger();
        dialog = window.findChild<ExportCompetitionProtocolDialog *>();
        QVERIFY(dialog);
        QString proposed;
        dialog->setTargetChooser([&](const QString &start) {
            ++asked;
            proposed = start;
            return folder.filePath(QStringLiteral("protocol.json"));
        });
        QVERIFY(dialog->findChild<QCheckBox *>(QStringLiteral("includeSubfoldersCheckbox"))->isChecked());
        QSignalSpy exported(dialog, &ExportCompetitionProtocolDialog::exported);
        dialog->findChild<QPushButton *>(QStringLiteral("startButton"))->click();
        QCOMPARE(asked, 1);
        QCOMPARE(proposed,
                 folder.filePath(QFileInfo(folder.path()).fileName() + QStringLiteral("_protocol_") +
                                 QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                                 QStringLiteral(".json")));
        QCOMPARE(dialog->findChild<QProgressBar *>(QStringLiteral("progressBar"))->value(), 100);
        QCOMPARE(exported.count(), 1);
        QCOMPARE(exported.first().at(1).toString(), folder.filePath(QStringLiteral("protocol.png")));

        // The same statistics as the scan of the core library.
        CompetitionStatistics statistics;
        QVERIFY(ovra::statistics::scanCompetitionFolder(folder.path(), true, statistics));
        QFile json(folder.filePath(QStringLiteral("protocol.json")));
        QVERIFY(json.open(QIODevice::ReadOnly));
        QCOMPARE(json.readAll(), ovra::statistics::statisticsJson(statistics));
        QCOMPARE(statistics.trampTwoRoutines(), 1);
        QImage heatMap;
        QVERIFY(heatMap.load(folder.filePath(QStringLiteral("protocol.png")), "PNG"));

        // The picture beside an existing statistics file is replaced only
        // when the operator agrees; declined, nothing is written.
        QStringList questions;
        bool agree = false;
        dialog->setReplaceQuestion([&](const QString &path) {
            questions << path;
            return agree;
        });
        QVERIFY(json.remove());
        dialog->findChild<QPushButton *>(QStringLiteral("startButton"))->click();
        QCOMPARE(questions, QStringList(folder.filePath(QStringLiteral("protocol.png"))));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("protocol.json"))));
        QCOMPARE(exported.count(), 1);
        agree = true;
        dialog->findChild<QPushButton *>(QStringLiteral("startButton"))->click();
        QCOMPARE(questions.size(), 2);
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("protocol.json"))));
        QCOMPARE(exported.count(), 2);

        // A folder that is gone is said so.
        dialog->setFolder(folder.filePath(QStringLiteral("gone")));
        dialog->findChild<QPushButton *>(QStringLiteral("startButton"))->click();
        QCOMPARE(asked, 3);
        QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("resultLabel"))
                    ->text()
                    .contains(QLatin1String("gone")));
        dialog->close();
    }
};

OVRA_TEST_GUI_MAIN(TestProtocolDialog)

#include "tst_protocoldialog.moc"
