#include "util/RecordingPlayback.h"

#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "config/ExportDialog.h"
#include "config/RulesDialog.h"
#include "data/Evaluation.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "support/TestSupport.h"
#include "util/FileUtils.h"
#include "util/LogHandler.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

QVariant stored(const char *key)
{
    return OvraSettings::openStorage()->value(QString::fromLatin1(key));
}

struct Window
{
    std::unique_ptr<OvraDialog> dialog;

    Window()
    {
        ovra::test::clearSettings();
        dialog = std::make_unique<OvraDialog>(ovra::startup::logHandler());
    }
    ~Window() { dialog->hide(); }

    template <typename D> D *open(QAction *action)
    {
        action->setEnabled(true);
        action->trigger();
        D *d = dialog->findChild<D *>();
        return d && QTest::qWaitForWindowExposed(d) ? d : nullptr;
    }
};

// The landing positions of a routine of recording 1 as the store measures
// them with its present geometry.
QList<data::calc::LandingPosition> positionsOfRecording(const playback::Library &library, wsDaten &store)
{
    library.play(1, store);
    QList<data::calc::LandingPosition> positions;
    for (std::size_t k = 0; k < store.routines().landingCount; ++k)
        positions << store.routines().individualLandingsTrampoline1[k].landingPosition;
    return positions;
}

} // namespace

class TestConfigDialogs : public QObject
{
    Q_OBJECT

    std::optional<playback::Library> m_library;

private Q_SLOTS:
    void initTestCase()
    {
        m_library = playback::Library::load();
        QVERIFY(m_library.has_value());
    }

    void settingsDialogValidatesAndAppliesAtOnce()
    {
        Window w;
        OvraSettings &settings = w.dialog->settings();
        const QList<data::calc::LandingPosition> before = positionsOfRecording(*m_library, w.dialog->daten());
        QCOMPARE(before.size(), 10);

        // A built-in frame fills in its fixed size; cancelling keeps everything.
        auto *dialog = w.open<ExportDialog>(w.dialog->ui().actionConfig);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Settings"));
        // A fresh profile shows a frame and its own size.
        QCOMPARE(dialog->trampTypeComboBox()->currentIndex(), 1);
        QCOMPARE(dialog->lengthLineEdit()->text(), QStringLiteral("3650"));
        QCOMPARE(dialog->widthLineEdit()->text(), QStringLiteral("2425"));
        dialog->trampTypeComboBox()->setCurrentIndex(2);
        QCOMPARE(dialog->lengthLineEdit()->text(), QStringLiteral("4013"));
        QCOMPARE(dialog->widthLineEdit()->text(), QStringLiteral("2423"));
        QVERIFY(!dialog->lengthLineEdit()->isEnabled());
        dialog->reject();
        QTRY_VERIFY(!w.dialog->findChild<ExportDialog *>());
        QCOMPARE(settings.exportSettings().trampType(), TrampType::StandardWide);
        QCOMPARE(settings.exportSettings().trampLength(), 3650.0);
        QVERIFY(!stored("File/Tramp_Type").isValid());

        // "Other" takes what is typed, but no bed of 0 mm: the dialog stays
        // open and says why.
        dialog = w.open<ExportDialog>(w.dialog->ui().actionConfig);
        dialog->trampTypeComboBox()->setCurrentIndex(3);
        QVERIFY(dialog->lengthLineEdit()->isEnabled());
        for (const QString &impossible :
             {QStringLiteral("0"), QStringLiteral("-3650"), QStringLiteral("90000")}) {
            dialog->lengthLineEdit()->setText(impossible);
            dialog->accept();
            QVERIFY(dialog->isVisible());
            QVERIFY(dialog->geometryErrorLabel()->isVisible());
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
        }
        QCOMPARE(settings.exportSettings().trampLength(), 3650.0);
        // Text that is no number keeps the stored length; the width changes,
        // with the other values of the dialog.
        dialog->lengthLineEdit()->setText(QStringLiteral("abc"));
        dialog->widthLineEdit()->setText(QStringLiteral("2000"));
        dialog->impulseSpinBox()->setValue(7);
        dialog->delaySpinBox()->setValue(750);
        dialog->warningCheckBox(4)->setChecked(false);
        dialog->accept();
        QTRY_VERIFY(!w.dialog->findChild<ExportDialog *>());
        QCOMPARE(settings.exportSettings().trampType(), TrampType::Other);
        QCOMPARE(settings.exportSettings().trampLength(), 3650.0);
        QCOMPARE(settings.exportSettings().trampWidth(), 2000.0);
        QCOMPARE(settings.exportSettings().impulsVal(), 7);
        QCOMPARE(settings.spaceDelaySettings().spaceDelayMs(), 750u);
        QVERIFY(!settings.warningSettings().shouldShowWebSocketClientConnectedWarning());
        // On disk at once, not only when the program quits.
        QCOMPARE(stored("File/Tramp_Type").toInt(), 3);
        QCOMPARE(stored("File/Tramp_B").toDouble(), 2000.0);
        QCOMPARE(stored("Misc/SpaceDelayMs").toInt(), 750);

        // The next routine is measured with the new geometry: positions
        // across the bed scale with the width, along it they stay.
        const QList<data::calc::LandingPosition> after = positionsOfRecording(*m_library, w.dialog->daten());
        QCOMPARE(after.size(), before.size());
        for (int k = 0; k < before.size(); ++k) {
            QVERIFY(std::abs(after[k].x - before[k].x) < 1e-9);
            QVERIFY(std::abs(after[k].y - before[k].y * 2000.0 / 2425.0) < 1e-9);
        }
    }

    void settingsDialogWithoutLogHandlerAndLoggingControls()
    {
        ExportSettings exportSettings;
        SpaceDelaySettings delay;
        WarningSettings warnings;
        ExportDialog withoutLog(exportSettings, nullptr, delay, warnings);
        QVERIFY(!withoutLog.saveLogsCheckBox()->isEnabled());
        QVERIFY(!withoutLog.selectFolderButton()->isEnabled());

        ovra::util::LogHandler log;
        log.setSaveToFile(false);
        ExportDialog dialog(exportSettings, &log, delay, warnings);
        QVERIFY(!dialog.logDirectoryLabel()->isEnabled());
        QVERIFY(!dialog.selectFolderButton()->isEnabled());
        dialog.saveLogsCheckBox()->setChecked(true);
        QVERIFY(dialog.selectFolderButton()->isEnabled());
        dialog.accept();
        QVERIFY(log.saveToFile());
    }

    void rulesDialogRuleReachesTheNextEvaluation()
    {
        // A routine with landings outside the centre, whose deductions the
        // two tables rate differently.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("routine.dat"));
        {
            wsDaten store;
            m_library->play(1, store);
            QVERIFY(!ovra::util::FileUtils::saveFile(true, file, nullptr, store, nullptr, nullptr));
        }
        Window w;
        auto deductions = [&w](int rule) {
            const auto &r = w.dialog->daten().routines();
            QList<double> measured, expected;
            for (std::size_t k = 0; k < r.landingCount; ++k) {
                const data::model::Landing &l = r.individualLandingsTrampoline1[k];
                measured << l.hdDeduction;
                expected << data::calc::hdDeductionFor(rule, l.landingPosition.x, l.landingPosition.y);
            }
            return std::make_pair(measured, expected);
        };
        w.dialog->loadFile(file);
        const auto [rule0, expected0] = deductions(0);
        QCOMPARE(rule0, expected0);

        auto *dialog = w.open<RulesDialog>(w.dialog->ui().actionConfigRules);
        QVERIFY(dialog);
        QCOMPARE(dialog->hdDeductionsComboBox()->currentIndex(), 0);
        QVERIFY(dialog->warningSoundCheckBox()->isChecked());
        dialog->testButton()->click();
        QCOMPARE(dialog->testPlayCount(), 1);
        // Cancelled, nothing changes.
        dialog->hdDeductionsComboBox()->setCurrentIndex(1);
        dialog->reject();
        QTRY_VERIFY(!w.dialog->findChild<RulesDialog *>());
        QCOMPARE(w.dialog->settings().rulesSettings().hdDeductionRule(), 0);

        dialog = w.open<RulesDialog>(w.dialog->ui().actionConfigRules);
        dialog->hdDeductionsComboBox()->setCurrentIndex(1);
        dialog->warningSoundCheckBox()->setChecked(false);
        dialog->accept();
        QTRY_VERIFY(!w.dialog->findChild<RulesDialog *>());
        QCOMPARE(w.dialog->settings().rulesSettings().hdDeductionRule(), 1);
        QVERIFY(!w.dialog->settings().rulesSettings().playWarningSound());
        QCOMPARE(stored("Rules/HdDeductions").toInt(), 1);

        w.dialog->loadFile(file);
        const auto [rule1, expected1] = deductions(1);
        QCOMPARE(rule1, expected1);
        QVERIFY(rule1 != rule0);
    }
};

OVRA_TEST_GUI_MAIN(TestConfigDialogs)

#include "tst_configdialogs.moc"
