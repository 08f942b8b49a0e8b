#include "recovery/RecoveryDialog.h"

#include "recovery/RecoveryChartFrame.h"

#include "data/StartSelection.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

RecoveryDialog::RecoveryDialog(const LastChanceRecovery &ring, RecoverySelection &selection, QWidget *parent)
    : QDialog(parent)
    , m_ring(ring)
    , m_selection(selection)
{
    setObjectName(QStringLiteral("RecoveryDialog"));
    setWindowTitle(tr("Recovery Dialog"));
    resize(900, 560);
    auto *layout = new QVBoxLayout(this);

    // The dialog covers what the recorder holds: since the program started,
    // at most the last ten minutes.
    const int first = std::min(m_ring.firstHeldSample(), LastChanceRecovery::kCapacity - 1);
    const bool empty = m_ring.heldSampleCount() == 0;
    auto *purpose = new QLabel(this);
    purpose->setObjectName(QStringLiteral("purposeLabel"));
    purpose->setWordWrap(true);
    purpose->setText(
        empty ? tr("Nothing has been received from the master box yet, so there is nothing to recover.")
              : tr("Every sample of the last ten minutes is kept here, also when no routine was recorded. "
                   "Pick the stretch that holds the lost routine and where it begins; it is then shown "
                   "for review as a loaded routine is."));
    layout->addWidget(purpose);

    auto *group = new QGroupBox(tr("Trampoline"), this);
    auto *groupLayout = new QHBoxLayout(group);
    m_tramp1RadioButton = new QRadioButton(tr("Trampoline 1"), group);
    m_tramp2RadioButton = new QRadioButton(tr("Trampoline 2"), group);
    m_syncRadioButton = new QRadioButton(tr("Synchronized"), group);
    m_tramp1RadioButton->setObjectName(QStringLiteral("tramp1RadioButton"));
    m_tramp2RadioButton->setObjectName(QStringLiteral("tramp2RadioButton"));
    m_syncRadioButton->setObjectName(QStringLiteral("syncRadioButton"));
    m_syncRadioButton->setChecked(true);
    for (QRadioButton *button : {m_tramp1RadioButton, m_tramp2RadioButton, m_syncRadioButton}) {
        groupLayout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, &RecoveryDialog::updateCurves);
        connect(button, &QRadioButton::clicked, this, [this] { m_modeFollowsData = false; });
    }
    layout->addWidget(group);

    m_overview = new RecoveryChartFrame(this);
    m_overview->setObjectName(QStringLiteral("overviewChart"));
    m_detail = new RecoveryChartFrame(this);
    m_detail->setObjectName(QStringLiteral("detailChart"));
    for (RecoveryChartFrame *chart : {m_overview, m_detail}) {
        chart->setRing(&m_ring);
        chart->setView(first, LastChanceRecovery::kCapacity - 1);
        chart->setSelection(first, LastChanceRecovery::kCapacity - 1);
    }

    auto makeSlider = [this, first](const char *name) {
        auto *slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QLatin1String(name));
        slider->setRange(first, LastChanceRecovery::kCapacity - 1);
        slider->setSingleStep(1000);
        slider->setPageStep(10000);
        return slider;
    };
    auto makeLabel = [this](const char *name) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        return label;
    };
    m_fromSlider = makeSlider("fromSlider");
    m_toSlider = makeSlider("toSlider");
    m_beginSlider = makeSlider("beginSlider");
    m_fromLabel = makeLabel("fromLabel");
    m_toLabel = makeLabel("toLabel");
    m_beginLabel = makeLabel("beginLabel");

    layout->addWidget(m_overview, 1);
    layout->addWidget(m_fromLabel);
    layout->addWidget(m_fromSlider);
    layout->addWidget(m_toLabel);
    layout->addWidget(m_toSlider);
    layout->addWidget(m_detail, 1);
    layout->addWidget(m_beginLabel);
    layout->addWidget(m_beginSlider);
    m_athleteLabel = makeLabel("athleteLabel");
    m_athleteLabel->setWordWrap(true);
    layout->addWidget(m_athleteLabel);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RecoveryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RecoveryDialog::reject);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!empty);
    layout->addWidget(buttons);

    connect(m_fromSlider, &QSlider::valueChanged, this, &RecoveryDialog::fromChanged);
    connect(m_toSlider, &QSlider::valueChanged, this, &RecoveryDialog::toChanged);
    connect(m_beginSlider, &QSlider::valueChanged, this, &RecoveryDialog::beginChanged);

    m_fromLabel->setText(tr("From ") + timeText(first));
    m_toSlider->setValue(m_toSlider->maximum());
    beginChanged(m_beginSlider->value());
}

void RecoveryDialog::followData()
{
    const LastChanceRecovery::RoutineMark *mark = m_ring.markAt(m_beginSlider->value());
    const QString athlete = mark ? data::model::athleteName(mark->meta) : QString();
    m_athleteLabel->setText(
        !mark               ? tr("No routine was measured here: the routine goes to the athlete up next.")
        : athlete.isEmpty() ? tr("The routine measured here named no athlete.")
                            : tr("The routine of %1 was measured here; it keeps that athlete.").arg(athlete));
    if (!m_modeFollowsData)
        return;
    const int mode =
        mark ? mark->trampMode : m_ring.activeMode(m_fromSlider->value(), m_toSlider->value() + 1);
    QRadioButton *button = mode == 1   ? m_tramp1RadioButton
                           : mode == 2 ? m_tramp2RadioButton
                           : mode == 3 ? m_syncRadioButton
                                       : nullptr;
    if (button)
        button->setChecked(true);
}

QString RecoveryDialog::timeText(int k) const
{
    return m_ring.sampleTime(k).toString(QStringLiteral("hh:mm:ss.z"));
}

void RecoveryDialog::fromChanged(int value)
{
    m_fromLabel->setText(tr("From ") + timeText(value));
    m_overview->setSelectionStart(value);
    m_detail->setViewStart(value);
    m_beginSlider->setMinimum(value);
    followData();
}

void RecoveryDialog::toChanged(int value)
{
    m_toLabel->setText(tr("To ") + timeText(value));
    m_overview->setSelectionEnd(value);
    m_detail->setViewEnd(value);
    m_beginSlider->setMaximum(value);
    followData();
}

void RecoveryDialog::beginChanged(int value)
{
    m_beginLabel->setText(tr("Routine begin ") + timeText(value));
    m_detail->setMarker(value);
    followData();
}

void RecoveryDialog::updateCurves()
{
    const bool one = m_tramp1RadioButton->isChecked() || m_syncRadioButton->isChecked();
    const bool two = m_tramp2RadioButton->isChecked() || m_syncRadioButton->isChecked();
    m_overview->setCurvesShown(one, two);
    m_detail->setCurvesShown(one, two);
}

void RecoveryDialog::accept()
{
    m_selection.trampMode = m_tramp1RadioButton->isChecked() ? 1 : m_tramp2RadioButton->isChecked() ? 2 : 3;
    m_selection.from = m_fromSlider->value();
    m_selection.to = m_toSlider->value();
    m_selection.routineBegin = m_beginSlider->value();
    QDialog::accept();
}
