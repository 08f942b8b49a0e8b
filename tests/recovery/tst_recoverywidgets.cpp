#include "recovery/AutoSaveDialog.h"
#include "recovery/LastChanceRecovery.h"
#include "recovery/RecoveryChartFrame.h"
#include "recovery/RecoveryDialog.h"
#include "settings/AutoSaveSettings.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStringListModel>
#include <QtEndian>
#include <QtTest>

namespace {

const QDateTime kStart(QDate(2024, 3, 5), QTime(14, 7, 9));

// A ring whose newest 3000 samples carry a load on trampoline 2 only.
void fill(LastChanceRecovery &ring)
{
    for (int n = 0; n < 1000; ++n) {
        uchar bytes[64] = {0xC7, 0xC3, '1'};
        for (int s = 0; s < 3; ++s)
            for (int c = 4; c < 8; ++c)
                qToLittleEndian<qint16>(qint16(1000 + (n % 50) * 10), bytes + 5 + (s * 8 + c) * 2);
        ring.storeFrame(bytes);
    }
}

// A ring that has wrapped: every slot holds a received sample.
void fillWhole(LastChanceRecovery &ring)
{
    const uchar bytes[64] = {0xC7, 0xC3, '1'};
    for (int n = 0; n < LastChanceRecovery::kCapacity / 3; ++n)
        ring.storeFrame(bytes);
}

} // namespace

class TestRecoveryWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Until the operator picks one, the trampoline follows the data: here
    // only trampoline 2 swings, and nothing swings before the load came.
    void trampolineChoiceFollowsTheData()
    {
        LastChanceRecovery ring(nullptr, [] { return kStart; });
        fill(ring);
        QCOMPARE(ring.activeMode(597000, 600000), 2);
        QCOMPARE(ring.activeMode(597000, 597000), 0);
        RecoverySelection selection;
        RecoveryDialog dialog(ring, selection);
        QVERIFY(dialog.tramp2RadioButton()->isChecked());
        QVERIFY(dialog.athleteLabel()->text().startsWith(QStringLiteral("No routine was measured here")));
        dialog.tramp1RadioButton()->click();
        QVERIFY(!dialog.modeFollowsData());
        dialog.fromSlider()->setValue(598000);
        QVERIFY(dialog.tramp1RadioButton()->isChecked());
        dialog.accept();
        QCOMPARE(selection.trampMode, 1);
    }

    void dialogStartsOverTheWholeRing()
    {
        LastChanceRecovery ring(nullptr, [] { return kStart; });
        fillWhole(ring);
        RecoverySelection selection;
        RecoveryDialog dialog(ring, selection);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Recovery Dialog"));
        for (QSlider *slider : {dialog.fromSlider(), dialog.toSlider(), dialog.beginSlider()}) {
            QCOMPARE(slider->minimum(), 0);
            QCOMPARE(slider->singleStep(), 1000);
        }
        QCOMPARE(dialog.fromSlider()->maximum(), 599999);
        QCOMPARE(dialog.toSlider()->value(), 599999);
        QCOMPARE(dialog.fromLabel()->text(),
                 QStringLiteral("From ") + kStart.addMSecs(-600000).toString("hh:mm:ss.z"));
        QCOMPARE(dialog.toLabel()->text(),
                 QStringLiteral("To ") + kStart.addMSecs(-1).toString("hh:mm:ss.z"));
        QCOMPARE(dialog.overview()->selectionStart(), 0);
        QCOMPARE(dialog.overview()->selectionEnd(), 599999);
        QCOMPARE(dialog.detail()->viewEnd(), 599999);
    }

    void slidersMoveSelectionViewAndMarker()
    {
        LastChanceRecovery ring(nullptr, [] { return kStart; });
        fillWhole(ring);
        RecoverySelection selection;
        RecoveryDialog dialog(ring, selection);
        dialog.fromSlider()->setValue(100000);
        dialog.toSlider()->setValue(200000);
        QCOMPARE(dialog.overview()->selectionStart(), 100000);
        QCOMPARE(dialog.overview()->selectionEnd(), 200000);
        QCOMPARE(dialog.overview()->viewStart(), 0);
        QCOMPARE(dialog.detail()->viewStart(), 100000);
        QCOMPARE(dialog.detail()->viewEnd(), 200000);
        // The routine begin cannot leave the selection.
        QCOMPARE(dialog.beginSlider()->minimum(), 100000);
        QCOMPARE(dialog.beginSlider()->maximum(), 200000);
        dialog.beginSlider()->setValue(50000);
        QCOMPARE(dialog.beginSlider()->value(), 100000);
        dialog.beginSlider()->setValue(150000);
        QCOMPARE(dialog.detail()->marker(), 150000);
        QCOMPARE(dialog.beginLabel()->text(),
                 QStringLiteral("Routine begin ") + kStart.addMSecs(150000 - 600000).toString("hh:mm:ss.z"));
        QCOMPARE(dialog.fromLabel()->text(),
                 QStringLiteral("From ") + kStart.addMSecs(100000 - 600000).toString("hh:mm:ss.z"));

        dialog.tramp2RadioButton()->setChecked(true);
        QVERIFY(!dialog.overview()->showsTrampoline1());
        QVERIFY(dialog.detail()->showsTrampoline2());
        dialog.tramp1RadioButton()->setChecked(true);
        QVERIFY(dialog.detail()->showsTrampoline1());
        QVERIFY(!dialog.detail()->showsTrampoline2());

        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(selection.trampMode, 1);
        QCOMPARE(selection.from, 100000);
        QCOMPARE(selection.to, 200000);
        QCOMPARE(selection.routineBegin, 150000);
    }

    // Before the ring has wrapped, the zeros older than the first frame are
    // not offered; with nothing received there is nothing to recover.
    void dialogCoversOnlyWhatTheRingHolds()
    {
        LastChanceRecovery ring(nullptr, [] { return kStart; });
        {
            RecoverySelection selection;
            RecoveryDialog dialog(ring, selection);
            QVERIFY(!dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled());
            QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("purposeLabel"))->text().isEmpty());
        }
        fill(ring); // 3000 samples
        RecoverySelection selection;
        RecoveryDialog dialog(ring, selection);
        QVERIFY(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled());
        for (QSlider *slider : {dialog.fromSlider(), dialog.toSlider(), dialog.beginSlider()}) {
            QCOMPARE(slider->minimum(), 597000);
            QCOMPARE(slider->maximum(), 599999);
        }
        QCOMPARE(dialog.fromSlider()->value(), 597000);
        QCOMPARE(dialog.fromLabel()->text(), QStringLiteral("From ") + kStart.toString("hh:mm:ss.z"));
        QCOMPARE(dialog.overview()->viewStart(), 597000);
        QCOMPARE(dialog.overview()->selectionStart(), 597000);
        QCOMPARE(dialog.detail()->viewStart(), 597000);
        dialog.fromSlider()->setValue(0);
        QCOMPARE(dialog.fromSlider()->value(), 597000);
        dialog.accept();
        QCOMPARE(selection.from, 597000);
        QCOMPARE(selection.to, 599999);
    }

    void rejectedDialogLeavesTheSelection()
    {
        LastChanceRecovery ring;
        RecoverySelection selection{2, 7, 8, 9};
        RecoveryDialog dialog(ring, selection);
        dialog.fromSlider()->setValue(1000);
        dialog.reject();
        QCOMPARE(selection.from, 7);
        QCOMPARE(selection.trampMode, 2);
    }

    void chartDrawsCurveShadeAndMarker()
    {
        LastChanceRecovery ring;
        fill(ring);
        RecoveryChartFrame chart;
        chart.resize(300, 100);
        chart.setRing(&ring);
        chart.setView(597000, 599999);
        chart.setSelection(597000, 599999);
        const QImage plain = chart.pixmap().toImage();
        QCOMPARE(plain.size(), QSize(300, 100));
        QCOMPARE(plain.pixelColor(0, 0), QColor(248, 248, 248));
        // Trampoline 2's curve is drawn in its colour somewhere.
        bool curve = false;
        for (int x = 0; x < 300 && !curve; ++x)
            for (int y = 0; y < 100 && !curve; ++y)
                curve = plain.pixelColor(x, y) == QColor(89, 13, 128);
        QVERIFY(curve);

        chart.setCurvesShown(true, false);
        chart.setSelection(598500, 599999);
        chart.setMarker(599000);
        const QImage shaded = chart.pixmap().toImage();
        // Left of the selection is darkened, inside it is not.
        QVERIFY(shaded.pixelColor(5, 2).lightness() < 200);
        QCOMPARE(shaded.pixelColor(250, 2), QColor(248, 248, 248));
        const int markerX = int((599000 - 597000) / 2999.0 * 300);
        QCOMPARE(shaded.pixelColor(markerX, 50), QColor(Qt::black));
        for (int x = 0; x < 300; ++x)
            for (int y = 0; y < 100; ++y)
                QVERIFY(shaded.pixelColor(x, y) != QColor(89, 13, 128));
    }

    void autoSaveDialogShowsAndWritesTheSettings()
    {
        AutoSaveSettings settings;
        settings.setPath(QStringLiteral("/data/ovra"));
        settings.setFilenameTemplate(QStringLiteral("{{name}} x"));
        const QMap<QString, QString> meta{{QStringLiteral("name"), QStringLiteral("A/B")},
                                          {QStringLiteral("club"), QStringLiteral("TSV")}};
        AutoSaveDialog dialog(settings, meta);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Autosave"));
        QCOMPARE(dialog.pathLabel()->text(), QStringLiteral("/data/ovra"));
        QVERIFY(!dialog.fileSaveCheckBox()->isChecked());
        QVERIFY(!dialog.filenameTemplateLineEdit()->isEnabled());
        dialog.fileSaveCheckBox()->setChecked(true);
        QVERIFY(dialog.filenameTemplateLineEdit()->isEnabled());

        auto *model = qobject_cast<QStringListModel *>(dialog.completer()->model());
        QVERIFY(model);
        QCOMPARE(model->stringList(), (QStringList{"{{date}}", "{{time}}", "{{club}}", "{{name}}"}));

        QCOMPARE(dialog.resultingFilenameLabel()->text(), QStringLiteral("AB x.dat"));
        dialog.suppressWhitespaceCheckBox()->setChecked(true);
        QCOMPARE(dialog.resultingFilenameLabel()->text(), QStringLiteral("ABx.dat"));
        dialog.restoreDefaultButton()->click();
        QCOMPARE(dialog.filenameTemplateLineEdit()->text(), QStringLiteral("{{date}}_{{time}}"));
        QVERIFY(
            dialog.resultingFilenameLabel()->text().contains(QRegularExpression("^\\d{8}_\\d{6}\\.dat$")));

        dialog.databaseSaveCheckBox()->setChecked(true);
        dialog.setPath(QStringLiteral("/data/other"));
        QSignalSpy fileSave(&settings, &AutoSaveSettings::fileSaveChanged);
        dialog.okButtonClicked();
        QCOMPARE(fileSave.size(), 1);
        QVERIFY(settings.fileSave());
        QVERIFY(settings.databaseSave());
        QVERIFY(settings.suppressWhitespace());
        QCOMPARE(settings.path(), QStringLiteral("/data/other"));
        QCOMPARE(settings.filenameTemplate(), QStringLiteral("{{date}}_{{time}}"));
    }

    void cancelledAutoSaveDialogChangesNothing()
    {
        AutoSaveSettings settings;
        AutoSaveDialog dialog(settings, {});
        dialog.fileSaveCheckBox()->setChecked(true);
        dialog.filenameTemplateLineEdit()->setText(QStringLiteral("x"));
        dialog.reject();
        QVERIFY(!settings.fileSave());
        QCOMPARE(settings.filenameTemplate(), QStringLiteral("{{date}}_{{time}}"));
    }
};

OVRA_TEST_GUI_MAIN(TestRecoveryWidgets)
#include "tst_recoverywidgets.moc"
