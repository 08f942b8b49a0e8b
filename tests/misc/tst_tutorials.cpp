#include "AppStartup.h"
#include "BuildInfo.h"
#include "OvraDialog.h"
#include "misc/AboutDialog.h"
#include "misc/TutorialDialog.h"
#include "misc/TutorialLauncher.h"
#include "misc/Tutorials.h"
#include "recovery/RoutineRecorder.h"
#include "settings/OvraSettings.h"
#include "settings/TutorialSettings.h"
#include "state/OvraState.h"
#include "support/MessageCapture.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>

class TestTutorials : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingPictureShowsThePlaceholder()
    {
        MessageCapture log;
        const QString missing = QStringLiteral(":/icon/tutorial/missing.jpg");
        TutorialDialog dialog(QStringLiteral("Title"),
                              {{QStringLiteral(":/icon/Ovra.png"), QStringLiteral("first")},
                               {missing, QStringLiteral("second")},
                               {QStringLiteral(":/icon/computer.png"), QStringLiteral("third")}},
                              true, true);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Title"));
        QCOMPARE(log.linesStartingWith(QStringLiteral("Could not load image file: ")),
                 QStringList{QStringLiteral("Could not load image file: ") + missing});
        const QImage placeholder = dialog.pageImage(1);
        QCOMPARE(placeholder.size(), QSize(512, 512));
        QCOMPARE(placeholder.pixelColor(0, 0), QColor(0, 128, 128));
        QCOMPARE(placeholder.pixelColor(511, 511), QColor(0, 128, 128));
        // The other pages keep their own pictures.
        QCOMPARE(dialog.pageImage(0).size(), QImage(QStringLiteral(":/icon/Ovra.png")).size());
        QCOMPARE(dialog.pageImage(2).size(), QImage(QStringLiteral(":/icon/computer.png")).size());

        // Paging: "Previous" off on the first page, "Finish" on the last one,
        // which closes the dialog.
        dialog.show();
        QCOMPARE(dialog.pageIndex(), 0);
        QVERIFY(!dialog.previousButton()->isEnabled());
        QCOMPARE(dialog.nextButton()->text(), QStringLiteral("Next"));
        dialog.nextButton()->click();
        QCOMPARE(dialog.textLabel()->text(), QStringLiteral("second"));
        QVERIFY(dialog.previousButton()->isEnabled());
        dialog.nextButton()->click();
        QCOMPARE(dialog.nextButton()->text(), QStringLiteral("Finish"));
        dialog.previousButton()->click();
        QCOMPARE(dialog.pageIndex(), 1);
        QCOMPARE(dialog.nextButton()->text(), QStringLiteral("Next"));
        dialog.previousButton()->click();
        QVERIFY(!dialog.previousButton()->isEnabled());
        for (int k = 0; k < 3; ++k)
            dialog.nextButton()->click();
        QVERIFY(!dialog.isVisible());

        TutorialDialog empty(QStringLiteral("Empty"), {}, false, false);
        QCOMPARE(empty.pageCount(), 1);
        QCOMPARE(empty.pageText(0), QStringLiteral("There are no tutorial pages available."));
        QCOMPARE(empty.nextButton()->text(), QStringLiteral("Finish"));
        QVERIFY(!empty.showOnEveryStartupBox()->isVisibleTo(&empty));
    }

    void everyTutorialPictureIsAResource()
    {
        MessageCapture log;
        const QList<QList<TutorialPage>> tutorials = {ovra::tutorials::setupPages(),
                                                      ovra::tutorials::uiPages(),
                                                      ovra::tutorials::networkPages(QString())};
        QCOMPARE(tutorials.at(0).size(), 6);
        QCOMPARE(tutorials.at(1).size(), 9);
        QCOMPARE(tutorials.at(2).size(), 4);
        for (const auto &pages : tutorials) {
            for (const TutorialPage &page : pages) {
                QVERIFY2(!TutorialDialog::loadPicture(page.picture).isNull(), qPrintable(page.picture));
                QVERIFY(!page.text.isEmpty());
            }
        }
        QVERIFY(log.linesStartingWith(QStringLiteral("Could not load image file")).isEmpty());
        // Under a German locale the German screenshots, every one of them.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QList<QList<TutorialPage>> german = {ovra::tutorials::setupPages(), ovra::tutorials::uiPages(),
                                                   ovra::tutorials::networkPages(QString())};
        QLocale::setDefault(QLocale::c());
        for (int t = 0; t < 3; ++t) {
            for (int k = 0; k < german.at(t).size(); ++k) {
                QCOMPARE(german.at(t).at(k).picture,
                         QString(tutorials.at(t).at(k).picture)
                             .replace(QStringLiteral("tutorial/"), QStringLiteral("tutorial/de/")));
                QVERIFY(QFileInfo::exists(german.at(t).at(k).picture));
            }
        }

        // The interface definitions beside the program are linked when there.
        QTemporaryDir dir;
        QVERIFY(!ovra::tutorials::networkPages(dir.path()).first().text.contains(QLatin1String("href")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("openapi")));
        QVERIFY(ovra::tutorials::networkPages(dir.path())
                    .first()
                    .text.endsWith(
                        QStringLiteral("<a href=\"%1\">API</a>")
                            .arg(QUrl::fromLocalFile(dir.filePath(QStringLiteral("openapi"))).toString())));
    }

    // On the first start, at the first activation, the setup instructions
    // come up without blocking and the UI tutorial follows them; the boxes
    // for every start are unticked, and ticking one is kept. Later starts
    // show them only when a box asks for it.
    void startupTutorialsOnTheFirstStartOnly()
    {
        TutorialSettings settings;
        settings.setFirstStart(true);
        QMainWindow window;
        TutorialLauncher launcher(settings, &window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(launcher.current());
        TutorialDialog *setup = launcher.current();
        QCOMPARE(setup->windowTitle(), ovra::tutorials::setupTitle());
        QVERIFY(!setup->isModal());
        QVERIFY(!setup->showOnEveryStartupBox()->isChecked());
        setup->showOnEveryStartupBox()->setChecked(true);
        QVERIFY(settings.showSetupTutorialOnEveryStartup());
        setup->close();
        QTRY_VERIFY(launcher.current() && launcher.current()->windowTitle() == ovra::tutorials::uiTitle());
        launcher.current()->close();
        QTRY_VERIFY(!launcher.current());
        // Only the first activation.
        window.activateWindow();
        QTest::qWait(50);
        QVERIFY(!launcher.current());

        // A later start: only what a box asks for.
        TutorialSettings later;
        later.setShowUiTutorialOnEveryStartup(true);
        QMainWindow second;
        TutorialLauncher secondLauncher(later, &second);
        second.show();
        second.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&second));
        QTRY_VERIFY(secondLauncher.current());
        QCOMPARE(secondLauncher.current()->windowTitle(), ovra::tutorials::uiTitle());
        secondLauncher.closeCurrent();
        QTRY_VERIFY(!secondLauncher.current());

        // The network tutorial has no start-up box.
        TutorialDialog *network = launcher.showNetworkTutorial();
        QVERIFY(!network->showOnEveryStartupBox()->isVisibleTo(network));
        network->close();
    }

    // In the real window: no start-up tutorial over a routine restored
    // after a crash; one opened from the Help menu goes when a routine
    // starts; the first start shows them otherwise.
    void tutorialsGiveWayToRoutines()
    {
        ovra::test::clearAllSettings();
        {
            OvraDialog window(ovra::startup::logHandler());
            QVERIFY(window.settings().tutorialSettings().firstStart());
            // A routine left behind by a crash.
            QFile routine(window.routineRecorder().temporaryRoutineFilePath());
            QVERIFY(routine.open(QIODevice::WriteOnly));
            routine.write("not much of a routine\n");
            routine.close();
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QTRY_VERIFY(window.tutorials().startupShown());
            QTest::qWait(100);
            QVERIFY(!window.tutorials().current());
            QVERIFY(QFile::remove(routine.fileName()));
            window.hide();
        }
        ovra::test::clearAllSettings();
        OvraDialog window(ovra::startup::logHandler());
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(window.tutorials().current());
        QCOMPARE(window.tutorials().current()->windowTitle(), ovra::tutorials::setupTitle());
        window.tutorials().current()->close();
        QTRY_VERIFY(window.tutorials().current() &&
                    window.tutorials().current()->windowTitle() == ovra::tutorials::uiTitle());
        QVERIFY(QMetaObject::invokeMethod(&window, "usbConnected"));
        QVERIFY(QMetaObject::invokeMethod(&window, "nextInnerState"));
        QVERIFY(window.ovraState().isIn(OvraState::START));
        QTRY_VERIFY(!window.tutorials().current());
        window.hide();
        ovra::test::clearSettings();
    }

    // The test support switches the tutorials off through the settings, so
    // that no window under test opens them.
    void testWindowsOpenNoTutorial()
    {
        ovra::test::clearSettings();
        OvraDialog window(ovra::startup::logHandler());
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(window.tutorials().startupShown());
        QTest::qWait(50);
        QVERIFY(!window.tutorials().current());
        QVERIFY(!window.findChild<TutorialDialog *>());
        window.hide();
    }

    void aboutShowsVersionBuildAndLicences()
    {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Ovra"));
        const QString build = about.versionLabel()->text();
        QVERIFY(build.contains(QLatin1String(ovra::build::kVersion)));
        QVERIFY(build.contains(QLatin1String(ovra::build::kRevision)));
        QVERIFY(build.contains(QString::number(ovra::build::kBuildNumber)));
        for (const char *library : {"Qt", "SQLite", "hidapi", "cpp-httplib"})
            QVERIFY2(about.licenceLabel()->text().contains(QLatin1String(library)), library);
    }
};

OVRA_TEST_GUI_MAIN(TestTutorials)

#include "tst_tutorials.moc"
