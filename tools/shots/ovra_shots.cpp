// ovra-shots: pictures of Ovra itself. Runs the real main window with the
// simulated master box on a display (tools/make_tutorial_pictures.sh starts
// it under Xvfb), walks through the set-up and a routine, and saves
//   ovra-shots tutorial DIR   the tutorial pictures as JPEG files
//   ovra-shots dialogs DIR    every dialog of the program as PNG files
// in the language of OVRA_FORCE_LANGUAGE. The settings live in a temporary
// directory, so the operator's own are never touched.

#include "AppStartup.h"
#include "AthletDialog.h"
#include "CompetitionDialog.h"
#include "EventDialog.h"
#include "GroupDialog.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "SelfDiagnosisDialog.h"
#include "config/ExportDialog.h"
#include "config/RulesDialog.h"
#include "data/wsDaten.h"
#include "misc/AboutDialog.h"
#include "misc/TutorialLauncher.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "statistics/ExportCompetitionProtocolDialog.h"
#include "usb/DeviceLink.h"
#include "util/Warnings.h"
#include "widgets/SelfDiagnosisTrampoline.h"
#include "widgets/StateWidget.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

namespace {

constexpr int kPictureWidth = 1000;

void wait(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool waitFor(const std::function<bool()> &condition, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class Shots
{
public:
    Shots(bool tutorial, const QString &directory)
        : m_tutorial(tutorial)
        , m_directory(directory)
    {}

    int run();

private:
    OvraDialog &w() { return *m_window; }
    void step(const char *what) { std::fprintf(stderr, "ovra-shots: %s\n", what); }

    QImage grabScreen(const QRect &global)
    {
        wait(250);
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, global.x(), global.y(), global.width(), global.height())
            .toImage();
    }
    QImage grabWindow(QWidget *widget) { return grabScreen(widget->frameGeometry()); }
    QRect globalRect(QWidget *widget) { return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()); }

    void tutorialShot(const char *name, const QImage &image)
    {
        if (!m_tutorial)
            return;
        QImage picture = image.width() > kPictureWidth
                             ? image.scaledToWidth(kPictureWidth, Qt::SmoothTransformation)
                             : image;
        const QString path = QDir(m_directory).filePath(QLatin1String(name) + QStringLiteral(".jpg"));
        if (!picture.convertToFormat(QImage::Format_RGB32).save(path, "JPG", 82))
            std::fprintf(stderr, "ovra-shots: cannot write %s\n", qPrintable(path));
        // PNG copies for looking at them where JPEG cannot be shown.
        const QString review = qEnvironmentVariable("OVRA_SHOTS_REVIEW");
        if (!review.isEmpty() && QDir().mkpath(review))
            QImage(path).save(QDir(review).filePath(QLatin1String(name) + QStringLiteral(".png")), "PNG");
    }
    void dialogShot(const char *name, const QImage &image)
    {
        if (m_tutorial)
            return;
        const QString path = QDir(m_directory).filePath(QLatin1String(name) + QStringLiteral(".png"));
        if (!image.save(path, "PNG"))
            std::fprintf(stderr, "ovra-shots: cannot write %s\n", qPrintable(path));
    }

    // Opens a dialog, runs `inside` while it is shown (also when opening
    // blocks in the dialog's own event loop) and closes it again.
    template <typename D>
    void inDialog(const std::function<void()> &open, const std::function<void(D *)> &inside)
    {
        bool done = false;
        QTimer::singleShot(0, m_window.get(), [&] {
            D *dialog = nullptr;
            waitFor(
                [&] {
                    dialog = m_window->findChild<D *>();
                    return dialog && dialog->isVisible();
                },
                5000);
            if (dialog) {
                wait(400);
                inside(dialog);
                if (dialog->isVisible())
                    dialog->reject();
            }
            done = true;
        });
        open();
        waitFor([&] { return done; }, 120000);
        refocus();
    }

    // Without a window manager nobody hands the focus back to the window
    // when a dialog closes; without it the window shows NO FOCUS.
    void refocus()
    {
        m_window->activateWindow();
        waitFor([this] { return m_window->isActiveWindow(); }, 3000);
        waitFor([this] { return !m_window->ovraState().isIn(OvraState::NO_FOCUS); }, 3000);
        wait(200);
    }

    // The window with a menu drawn open below its title. The menu is
    // rendered by itself: a popup would take the focus from the window.
    QImage withMenu(QMenu *menu, QAction *active)
    {
        QImage image = grabWindow(m_window.get());
        QMenuBar *bar = w().menuBar();
        const QRect item = bar->actionGeometry(menu->menuAction());
        menu->setActiveAction(active);
        menu->adjustSize();
        const QPixmap rendered = menu->grab();
        const QPoint at = bar->mapTo(m_window.get(), item.bottomLeft());
        QPainter painter(&image);
        painter.fillRect(QRect(at + QPoint(3, 3), rendered.size()), QColor(0, 0, 0, 60));
        painter.drawPixmap(at, rendered);
        painter.setPen(QColor(120, 120, 120));
        painter.drawRect(QRect(at, rendered.size()).adjusted(0, 0, -1, -1));
        return image;
    }

    // The whole window with one area singled out: the rest dimmed, the area
    // framed.
    QImage highlighted(const QRect &global)
    {
        QImage image = grabWindow(m_window.get());
        // Inside the picture, also for an area at its edge (the status bar).
        const QRect area = global.translated(-m_window->frameGeometry().topLeft())
                               .adjusted(-4, -4, 4, 4)
                               .intersected(image.rect().adjusted(2, 2, -2, -2));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath outside;
        outside.addRect(QRectF(image.rect()));
        QPainterPath inside;
        inside.addRoundedRect(QRectF(area), 6, 6);
        painter.fillPath(outside.subtracted(inside), QColor(0, 0, 0, 110));
        painter.setPen(QPen(QColor(240, 140, 40), 3));
        painter.drawRoundedRect(QRectF(area), 6, 6);
        return image;
    }

    void selfDiagnosisShots();
    void routineShots();
    void otherDialogShots();
    void startListDialogShots();

    bool m_tutorial;
    QString m_directory;
    std::unique_ptr<OvraDialog> m_window;
    QTemporaryDir m_data;
};

int Shots::run()
{
    if (!QDir().mkpath(m_directory))
        return 1;
    m_window = std::make_unique<OvraDialog>(ovra::startup::logHandler());
    w().move(0, 0);
    w().resize(1280, 800);
    w().show();
    w().activateWindow();
    if (!waitFor([this] { return w().isActiveWindow(); }, 10000))
        step("the window did not become active");
    wait(1500);

    // A start list to show; the database panel fills these from the
    // competition database.
    OvraDialogUi &ui = w().ui();
    const bool german = QLocale().language() == QLocale::German;
    ui.CB_event->addItem(german ? QStringLiteral("Landesmeisterschaft")
                                : QStringLiteral("Regional Championship"));
    ui.CB_competition->addItem(german ? QStringLiteral("Einzel, Frauen")
                                      : QStringLiteral("Individual, women"));
    ui.CB_group->addItem(german ? QStringLiteral("Gruppe 2") : QStringLiteral("Group 2"));
    ui.LW_athlets->addItems({QStringLiteral("Anna Berger"), QStringLiteral("Clara Dorn"),
                             QStringLiteral("Eva Frank"), QStringLiteral("Greta Hahn")});
    ui.LW_athlets->setCurrentRow(1);
    ui.LB_athlet->setText(QStringLiteral("Clara Dorn"));

    selfDiagnosisShots();
    routineShots();
    otherDialogShots();
    startListDialogShots();
    m_window->hide();
    return 0;
}

void Shots::selfDiagnosisShots()
{
    step("self-diagnosis without a box");
    inDialog<SelfDiagnosisDialog>([this] { w().showSelfDiagnosisDialog(); },
                                  [this](SelfDiagnosisDialog *dialog) {
                                      const QImage image = grabWindow(dialog);
                                      tutorialShot("setup01", image);
                                      dialogShot("selfdiagnosis-disconnected", image);
                                  });

    step("connecting the simulated box");
    w().initSimulatedUSB();
    waitFor([this] { return w().ovraState().isIn(OvraState::READY) && !w().daten().taraSetAside(); }, 15000);
    wait(2500);

    step("self-diagnosis with the box");
    inDialog<SelfDiagnosisDialog>(
        [this] { w().showSelfDiagnosisDialog(); },
        [this](SelfDiagnosisDialog *dialog) {
            waitFor([dialog] { return dialog->updateCount() >= 2; }, 5000);
            QImage image = grabWindow(dialog);
            tutorialShot("setup02", image);
            dialogShot("selfdiagnosis-connected", image);
            // Load on the bed: a recording of trampoline 1.
            dialog->showDetailsAction()->setChecked(true);
            w().setSimulatedInputMode(usb::Trampoline1);
            waitFor([dialog] { return dialog->trampolineView(0)->hasLoadPosition(); }, 30000);
            image = grabWindow(dialog);
            tutorialShot("setup03", image);
            dialogShot("selfdiagnosis-details", image);
            w().setSimulatedInputMode(usb::NoActivity);
            wait(600);
        });
    waitFor([this] { return w().ovraState().isIn(OvraState::READY); }, 5000);

    step("settings");
    inDialog<ExportDialog>([this] { w().showExportDialog(); },
                           [this](ExportDialog *dialog) {
                               QImage image = grabWindow(dialog);
                               tutorialShot("setup04", image);
                               dialogShot("settings", image);
                               dialog->trampTypeComboBox()->setCurrentIndex(3);
                               dialog->lengthLineEdit()->setText(QStringLiteral("0"));
                               dialog->accept();
                               dialogShot("settings-refused", grabWindow(dialog));
                           });

    step("tara");
    bool grabbed = false;
    QTimer::singleShot(OvraDialog::kTaraWaitMs / 2, m_window.get(), [this, &grabbed] {
        tutorialShot("setup05", grabWindow(m_window.get()));
        grabbed = true;
    });
    w().ui().PB_tara->click();
    waitFor([&grabbed] { return grabbed; }, 5000);
    wait(800);
    const QImage ready = grabWindow(m_window.get());
    tutorialShot("setup06", ready);
    tutorialShot("ui01", ready);
    tutorialShot(
        "ui02",
        highlighted(globalRect(w().ui().stateWidget).united(globalRect(w().ui().configurationWidget))));
    tutorialShot("ui03", highlighted(globalRect(w().ui().databaseWidget)));
}

void Shots::routineShots()
{
    step("a routine on trampoline 1");
    wsDaten &store = w().daten();
    if (auto *simulated = w().deviceLink().simulatedConnection())
        simulated->setRow(0);
    w().setSimulatedInputMode(usb::Trampoline1);
    Q_EMIT w().nextInnerState();
    waitFor([&store] { return store.sampleCount() >= 3000; }, 10000);
    tutorialShot("ui04", grabWindow(m_window.get()));
    // The routine window of recording 1 opens at sample 4401.
    waitFor([&store] { return store.sampleCount() >= 4300; }, 10000);
    Q_EMIT w().nextInnerState();
    const data::model::Routines &routine = store.routines();
    waitFor([&routine] { return routine.landingCount >= 6; }, 30000);
    tutorialShot("ui05", grabWindow(m_window.get()));
    dialogShot("window-routine", grabWindow(m_window.get()));
    waitFor([&routine] { return !routine.routineRecording && routine.exerciseStart < routine.exerciseEnd; },
            30000);
    wait(500);
    Q_EMIT w().nextInnerState();
    wait(800);
    const QImage review = grabWindow(m_window.get());
    tutorialShot("ui06", review);
    tutorialShot("network04",
                 highlighted(globalRect(w().ui().confirmButton).united(globalRect(w().ui().dismissButton))));
    dialogShot("window-review", review);
    if (!m_tutorial) {
        // The review's own marks: an edit, the question before a discard,
        // the detailed view with the review's banner.
        const auto press = [this](Qt::Key key) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(m_window.get(), &event);
        };
        w().ui().actionDecrease_selection->trigger();
        dialogShot("window-review-edited", grabWindow(m_window.get()));
        w().ui().actionRestoreRoutine->trigger();
        press(Qt::Key_X);
        dialogShot("window-review-discard", grabWindow(m_window.get()));
        press(Qt::Key_Escape);
        w().ui().actionResultDetailView->setChecked(true);
        dialogShot("window-review-details", grabWindow(m_window.get()));
        w().ui().actionResultDetailView->setChecked(false);
    }

    // Kept for the protocol export below.
    const QString saved = m_data.filePath(QStringLiteral("routines/routine1.dat"));
    QDir().mkpath(QFileInfo(saved).absolutePath());
    w().saveMeasurement(saved, true);
    for (const char *copy : {"routine2.dat", "routine3.dat"})
        QFile::copy(saved, m_data.filePath(QStringLiteral("routines/") + QLatin1String(copy)));

    Q_EMIT w().nextInnerState();
    w().setSimulatedInputMode(usb::NoActivity);
    waitFor([this] { return w().ovraState().isIn(OvraState::READY); }, 5000);
    wait(800);
    tutorialShot("ui07", grabWindow(m_window.get()));
    if (!m_tutorial) {
        // A competition's start list: sixty athletes, the chosen one in
        // view, and READY's warning once nobody is chosen.
        OvraDialogUi &ui = w().ui();
        for (int i = 5; i <= 60; ++i)
            ui.LW_athlets->addItem(QStringLiteral("%1: Athlete%1, Anna").arg(i));
        ui.LW_athlets->setCurrentRow(41);
        dialogShot("window-ready-sixty", grabWindow(m_window.get()));
        w().warnings().setNoAthleteChosenWarning(true);
        dialogShot("window-ready-nobody", grabWindow(m_window.get()));
        w().warnings().setNoAthleteChosenWarning(false);
        // The audience's result window beside it.
        ui.actionSecondScreenResults->setChecked(true);
        wait(500);
        if (auto *audience = m_window->findChild<QMainWindow *>(QStringLiteral("SecondScreenResultWindow")))
            dialogShot("audience-results", grabWindow(audience));
        ui.actionSecondScreenResults->setChecked(false);
        refocus();
    }
    tutorialShot("ui08", highlighted(globalRect(w().statusBar())));
    tutorialShot("ui09", withMenu(w().ui().menuHelp, w().ui().actionSetup_Instructions));

    const QRect bar = globalRect(w().statusBar());
    const QRect lights = globalRect(w().ui().statusRoutineInformation);
    tutorialShot("network01",
                 highlighted(QRect(lights.x(), bar.y(), bar.right() - lights.x(), bar.height())));
    tutorialShot("network02", withMenu(w().ui().menuConfig, w().ui().actionNetwork));
    // Information for the next routine has arrived.
    w().ui().statusRoutineInformationIndicator->setEnabled(true);
    tutorialShot("network03", grabWindow(m_window.get()));
    w().ui().statusRoutineInformationIndicator->setEnabled(false);
}

void Shots::otherDialogShots()
{
    if (m_tutorial)
        return;
    step("rules");
    inDialog<RulesDialog>([this] { w().showRulesDialog(); },
                          [this](RulesDialog *dialog) { dialogShot("rules", grabWindow(dialog)); });

    step("protocol export");
    const QString folder = m_data.filePath(QStringLiteral("routines"));
    w().settings().autoSaveSettings().setPath(folder);
    inDialog<ExportCompetitionProtocolDialog>(
        [this] { w().showExportCompetitionProtocolDialog(); },
        [this, folder](ExportCompetitionProtocolDialog *dialog) {
            dialogShot("protocol-export", grabWindow(dialog));
            const QString target = QDir(m_directory).filePath(QStringLiteral("protocol.json"));
            dialog->setTargetChooser([target](const QString &) { return target; });
            dialog->startExport();
            dialogShot("protocol-export-done", grabWindow(dialog));
        });

    step("tutorials");
    for (auto [name, show] : {std::pair<const char *, TutorialDialog *(TutorialLauncher::*)()>{
                                  "tutorial-setup", &TutorialLauncher::showSetupTutorial},
                              {"tutorial-ui", &TutorialLauncher::showUiTutorial},
                              {"tutorial-network", &TutorialLauncher::showNetworkTutorial}}) {
        TutorialDialog *dialog = (w().tutorials().*show)();
        waitFor([dialog] { return dialog->isVisible(); }, 5000);
        dialogShot(name, grabWindow(dialog));
        dialog->nextButton()->click();
        dialogShot((QLatin1String(name) + QStringLiteral("-2")).toLatin1().constData(), grabWindow(dialog));
        dialog->close();
        refocus();
    }

    step("about");
    inDialog<AboutDialog>([this] { w().showAboutDialog(); },
                          [this](AboutDialog *dialog) { dialogShot("about", grabWindow(dialog)); });
}

// The start-list dialogs as the operator fills them: an event, its
// athletes, a competition and a group of that competition. Last, since the
// window's lists then show the database instead of the made-up start list.
void Shots::startListDialogShots()
{
    if (m_tutorial)
        return;
    const bool german = QLocale().language() == QLocale::German;
    const auto type = [](QDialog *dialog, const char *name, const QString &text) {
        if (auto *edit = dialog->findChild<QLineEdit *>(QLatin1String(name)))
            edit->setText(text);
    };
    const auto click = [](QDialog *dialog, const char *name) {
        if (auto *button = dialog->findChild<QPushButton *>(QLatin1String(name)))
            button->click();
    };
    const QString event =
        german ? QStringLiteral("Landesmeisterschaft") : QStringLiteral("Regional Championship");
    step("events");
    inDialog<EventDialog>([this] { w().showEventDialog(); },
                          [&](EventDialog *dialog) {
                              type(dialog, "nameEdit", event);
                              type(dialog, "cityEdit", QStringLiteral("Kassel"));
                              type(dialog, "nocCodeEdit", QStringLiteral("GER"));
                              type(dialog, "dateFromEdit", QStringLiteral("2026/05/09"));
                              type(dialog, "dateToEdit", QStringLiteral("2026/05/10"));
                              click(dialog, "addButton");
                              type(dialog, "nameEdit", QString());
                              dialogShot("startlist-events", grabWindow(dialog));
                              click(dialog, "okButton");
                          });
    step("athletes");
    inDialog<AthletDialog>([this] { w().showAthletDialog(); },
                           [&](AthletDialog *dialog) {
                               const std::pair<const char *, const char *> names[] = {{"Berger", "Anna"},
                                                                                      {"Dorn", "Clara"},
                                                                                      {"Frank", "Eva"},
                                                                                      {"Hahn", "Greta"}};
                               auto *gender = dialog->findChild<QComboBox *>(QStringLiteral("genderCombo"));
                               for (const auto &[last, first] : names) {
                                   type(dialog, "lastNameEdit", QString::fromLatin1(last));
                                   type(dialog, "firstNameEdit", QString::fromLatin1(first));
                                   if (gender)
                                       gender->setCurrentIndex(1);
                                   type(dialog, "yearEdit", QStringLiteral("2009"));
                                   type(dialog, "nocCodeEdit", QStringLiteral("GER"));
                                   click(dialog, "addButton");
                               }
                               dialogShot("startlist-athletes", grabWindow(dialog));
                               click(dialog, "okButton");
                           });
    OvraDialogUi &ui = w().ui();
    ui.CB_event->setCurrentIndex(ui.CB_event->findText(event));
    step("competitions");
    inDialog<CompetitionDialog>(
        [this] { w().showCompetitionDialog(); },
        [&](CompetitionDialog *dialog) {
            type(dialog, "nameEdit",
                 german ? QStringLiteral("Einzel, Frauen") : QStringLiteral("Individual, women"));
            if (auto *gender = dialog->findChild<QComboBox *>(QStringLiteral("genderCombo")))
                gender->setCurrentIndex(1);
            click(dialog, "addButton");
            dialogShot("startlist-competitions", grabWindow(dialog));
            click(dialog, "okButton");
        });
    ui.CB_competition->setCurrentIndex(ui.CB_competition->count() - 1);
    step("groups");
    inDialog<GroupDialog>([this] { w().showGroupDialog(); },
                          [&](GroupDialog *dialog) {
                              click(dialog, "addGroupButton");
                              if (auto *athletes =
                                      dialog->findChild<QTreeWidget *>(QStringLiteral("athleteTree"))) {
                                  for (int i = 0; i < athletes->topLevelItemCount(); ++i)
                                      Q_EMIT athletes->itemDoubleClicked(athletes->topLevelItem(i), 0);
                              }
                              dialogShot("startlist-groups", grabWindow(dialog));
                              click(dialog, "okButton");
                          });
    dialogShot("window-startlist", grabWindow(m_window.get()));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 || (qstrcmp(argv[1], "tutorial") != 0 && qstrcmp(argv[1], "dialogs") != 0)) {
        std::fprintf(stderr, "usage: ovra-shots tutorial|dialogs DIR\n");
        return 2;
    }
    // Settings, database and log of this run only.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("OVRA_ENABLE_SIMULATION", "1");
    {
        auto storage = OvraSettings::openStorage();
        storage->setValue(QStringLiteral("Startup/ShowSetupTutorial"), false);
        storage->setValue(QStringLiteral("Startup/ShowUiTutorial"), false);
        storage->setValue(QStringLiteral("Logs/SaveToFile"), false);
    }
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6.0"));
    ovra::startup::registerMetaTypes();
    ovra::startup::initTranslator(application);
    Shots shots(qstrcmp(argv[1], "tutorial") == 0, QString::fromLocal8Bit(argv[2]));
    return shots.run();
}
