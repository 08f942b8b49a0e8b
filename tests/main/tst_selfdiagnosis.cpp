#include "AppStartup.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "SelfDiagnosisDialog.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "support/TestSupport.h"
#include "support/VirtualMasterBox.h"
#include "widgets/CableWidget.h"
#include "widgets/SelfDiagnosisTrampoline.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTimer>

using ovra::test::VirtualMasterBox;
using S = OvraState;

namespace {

VirtualMasterBox &box()
{
    return VirtualMasterBox::instance();
}

constexpr int kFlat = 2560;

} // namespace

class TestSelfDiagnosis : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { box().reset(); }

    // The whole chain with a box whose second sensor of trampoline 1 is
    // unplugged and a load on the far end of trampoline 2; the dialog's
    // tara is the window's own and stays in the diagnosis.
    void chainChecksPositionAndTara()
    {
        box().reset();
        box().streamFlat(kFlat);
        box().plugIn();
        ovra::test::clearSettings();
        OvraDialog window(ovra::startup::logHandler());
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(
            window.ovraState().isIn(S::READY) && window.daten().taraRecord(0).offsets[0] == kFlat, 15000);
        // Trampoline 1: sensor 2 silent. Trampoline 2: 600 N on sensors 3 and 4.
        box().streamSamples(
            {{kFlat + 300, 0, kFlat + 300, kFlat + 300, kFlat, kFlat, kFlat + 600, kFlat + 600}});

        bool checked = false;
        QSignalSpy toggles(&window, &OvraDialog::toggleTara);
        QTimer::singleShot(0, &window, [&] {
            auto *dialog = window.findChild<SelfDiagnosisDialog *>();
            auto closeAlways = qScopeGuard([dialog] {
                if (dialog)
                    dialog->reject();
            });
            QVERIFY(dialog);
            QVERIFY(window.ovraState().isIn(S::CONNECTED_DIAGNOSIS));
            QVERIFY(dialog->isUsbConnectionShown());
            QVERIFY(dialog->taraButton()->isEnabled());
            // The first refresh may still show the flat stream.
            QVERIFY(QTest::qWaitFor(
                [dialog] { return dialog->updateCount() >= 1 && !dialog->checkShowsGood(0, 1); }, 5000));

            for (int k = 0; k < 4; ++k)
                QCOMPARE(dialog->checkShowsGood(0, k), k != 1);
            QVERIFY(!dialog->checkShowsGood(0, 4));
            for (int k = 0; k < 5; ++k)
                QVERIFY(dialog->checkShowsGood(1, k));
            QVERIFY(!dialog->cableWidget()->isConnected(1));
            QVERIFY(dialog->cableWidget()->isConnected(0) && dialog->cableWidget()->isConnected(7));
            QCOMPARE(dialog->trampolineView(0)->readoutText(0),
                     QStringLiteral("P: 2860.0\nT: 2560.0\nN: 300.0"));
            // The read-outs come with what their letters mean.
            QVERIFY(dialog->legendLabel()->isHidden());
            dialog->showDetailsAction()->setChecked(true);
            QVERIFY(!dialog->legendLabel()->isHidden());
            QVERIFY(dialog->legendLabel()->text().startsWith(QStringLiteral("P: present value")));
            dialog->showDetailsAction()->setChecked(false);
            // The load sits between sensors 3 and 4: at the end of the bed.
            QVERIFY(!dialog->trampolineView(0)->hasLoadPosition());
            QVERIFY(dialog->trampolineView(1)->hasLoadPosition());
            QVERIFY(std::abs(dialog->trampolineView(1)->loadPosition().x - 182.5) < 0.01);
            QVERIFY(std::abs(dialog->trampolineView(1)->loadPosition().y) < 0.01);
            // At most one refresh per 500 ms, though a block comes every 48 ms.
            const int updates = dialog->updateCount();
            QTest::qWait(1200);
            QVERIFY(dialog->updateCount() - updates <= 3);
            QVERIFY(dialog->updateCount() - updates >= 1);

            // Tara: the buttons wait, a second tara meanwhile does not nest.
            qint64 nestedMs = -1;
            bool waitingShown = false;
            QTimer::singleShot(OvraDialog::kTaraWaitMs / 2, dialog, [&] {
                waitingShown = dialog->pleaseWaitLabel()->isVisible() && !dialog->taraButton()->isEnabled() &&
                               !dialog->closeButton()->isEnabled();
                QElapsedTimer nested;
                nested.start();
                window.evaluateTara();
                nestedMs = nested.elapsed();
            });
            QElapsedTimer elapsed;
            elapsed.start();
            dialog->taraButton()->click();
            QVERIFY(elapsed.elapsed() >= OvraDialog::kTaraWaitMs);
            QVERIFY(waitingShown);
            QVERIFY(nestedMs >= 0 && nestedMs < 200);
            QVERIFY(!dialog->pleaseWaitLabel()->isVisible());
            QVERIFY(window.ovraState().isIn(S::CONNECTED_DIAGNOSIS));
            QCOMPARE(toggles.count(), 0);
            const auto &t1 = window.daten().taraRecord(0).offsets;
            const auto &t2 = window.daten().taraRecord(1).offsets;
            QCOMPARE(t1[0], double(kFlat + 300));
            QCOMPARE(t1[1], 0.0);
            QCOMPARE(t2[3], double(kFlat + 600));
            QCOMPARE(OvraSettings::openStorage()->value(QStringLiteral("Tara/Tara_8")).toDouble(),
                     double(kFlat + 600));

            // Without the box there is nothing to zero: no tara is offered.
            box().unplug();
            QVERIFY(QTest::qWaitFor([dialog] { return !dialog->isUsbConnectionShown(); }, 5000));
            QVERIFY(window.ovraState().isIn(S::DISCONNECTED_DIAGNOSIS));
            QVERIFY(!dialog->taraButton()->isEnabled());
            QVERIFY(!dialog->checkShowsGood(1, 4));
            elapsed.restart();
            dialog->evaluateTara();
            QVERIFY(elapsed.elapsed() < 200);
            QCOMPARE(window.daten().taraRecord(1).offsets[3], double(kFlat + 600));
            checked = true;
        });
        window.ui().actionSelf_Diagnosis->trigger();
        QVERIFY(checked);
        QTRY_VERIFY(window.ovraState().isIn(S::WAIT));
        window.hide();
    }
};

OVRA_TEST_GUI_MAIN(TestSelfDiagnosis)

#include "tst_selfdiagnosis.moc"
