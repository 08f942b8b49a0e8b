#include "SelfDiagnosisDialog.h"

#include "data/wsDaten.h"
#include "widgets/CableWidget.h"
#include "widgets/SelfDiagnosisTrampoline.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPictureSize = 72;
constexpr int kCheckSize = 22;

QPixmap picture(const QString &path, int size)
{
    return QPixmap(path).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

SelfDiagnosisDialog::SelfDiagnosisDialog(wsDaten &store, bool usbConnected, std::function<void()> tara,
                                         QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_tara(std::move(tara))
{
    setObjectName(QStringLiteral("selfDiagnosisDialog"));
    setWindowTitle(tr("Self Diagnosis"));
    auto *layout = new QVBoxLayout(this);

    // The chain from the computer to the box.
    m_chainFrame = framed("chainFrame");
    auto *chain = new QHBoxLayout(m_chainFrame);
    auto *computer = new QLabel(m_chainFrame);
    computer->setObjectName(QStringLiteral("computerPicture"));
    computer->setPixmap(picture(QStringLiteral(":/icon/computer.png"), kPictureSize));
    chain->addWidget(computer);
    auto *usb = new QVBoxLayout;
    auto *usbLine = new QFrame(m_chainFrame);
    usbLine->setFrameShape(QFrame::HLine);
    usbLine->setLineWidth(3);
    auto *usbRow = new QHBoxLayout;
    auto *usbLabel = new QLabel(tr("USB-Connection"), m_chainFrame);
    usbLabel->setObjectName(QStringLiteral("usbConnectionLabel"));
    m_usbCheck = new QLabel(m_chainFrame);
    m_usbCheck->setObjectName(QStringLiteral("usbConnectionCheck"));
    usbRow->addStretch();
    usbRow->addWidget(usbLabel);
    usbRow->addWidget(m_usbCheck);
    usbRow->addStretch();
    usb->addStretch();
    usb->addLayout(usbRow);
    usb->addWidget(usbLine);
    usb->addStretch();
    chain->addLayout(usb, 1);
    m_boxPicture = new QLabel(m_chainFrame);
    m_boxPicture->setObjectName(QStringLiteral("boxPicture"));
    chain->addWidget(m_boxPicture);
    layout->addWidget(m_chainFrame);

    // The beds with their cables, and a check per sensor.
    auto *beds = new QGridLayout;
    m_cables = new CableWidget(this);
    m_cables->setFixedSize(180, 150);
    for (int t = 0; t < 2; ++t) {
        QFrame *frame = framed(t == 0 ? "trampolineFrame1" : "trampolineFrame2");
        m_trampolineFrames[static_cast<std::size_t>(t)] = frame;
        auto *frameLayout = new QVBoxLayout(frame);
        auto *view = new SelfDiagnosisTrampoline(frame);
        view->setObjectName(t == 0 ? QStringLiteral("selfDiagnosisTrampoline1")
                                   : QStringLiteral("selfDiagnosisTrampoline2"));
        view->setTrampolineTitle(t == 0 ? tr("TRAMPOLINE 1") : tr("TRAMPOLINE 2"));
        m_trampolines[static_cast<std::size_t>(t)] = view;
        frameLayout->addWidget(view, 1);
        auto *checks = new QGridLayout;
        auto &labels = m_checks[static_cast<std::size_t>(t)];
        for (int k = 0; k < 5; ++k) {
            const QString name =
                k < 4 ? tr("Sensor %1").arg(k + 1) : (t == 0 ? tr("Trampoline 1") : tr("Trampoline 2"));
            auto *text = new QLabel(name, frame);
            if (k == 4) {
                QFont bold = text->font();
                bold.setBold(true);
                text->setFont(bold);
            }
            labels[static_cast<std::size_t>(k)] = new QLabel(frame);
            labels[static_cast<std::size_t>(k)]->setObjectName(
                QStringLiteral("check%1_%2").arg(t + 1).arg(k + 1));
            checks->addWidget(labels[static_cast<std::size_t>(k)], 0, 2 * k);
            checks->addWidget(text, 0, 2 * k + 1);
            setCheck(labels[static_cast<std::size_t>(k)], false);
        }
        checks->setColumnStretch(9, 1);
        frameLayout->addLayout(checks);
        beds->addWidget(frame, 0, t == 0 ? 0 : 2);
        beds->setColumnStretch(t == 0 ? 0 : 2, 1);
    }
    beds->addWidget(m_cables, 0, 1, Qt::AlignCenter);
    layout->addLayout(beds, 1);
    // What the detailed read-outs beside each sensor mean.
    m_legend = new QLabel(tr("P: present value · T: tara, the zero offset · N: net force, P minus T "
                             "(newtons)"),
                          this);
    m_legend->setObjectName(QStringLiteral("readoutLegend"));
    m_legend->setVisible(false);
    layout->addWidget(m_legend);

    // Tara, details and close.
    auto *buttons = new QHBoxLayout;
    m_taraButton = new QPushButton(QIcon(QStringLiteral(":/icon/scale.png")), tr("TARA"), this);
    m_taraButton->setObjectName(QStringLiteral("taraButton"));
    m_pleaseWait = new QLabel(tr("please wait..."), this);
    m_pleaseWait->setObjectName(QStringLiteral("pleaseWaitLabel"));
    m_pleaseWait->setVisible(false);
    m_showDetails = new QAction(tr("show details"), this);
    m_showDetails->setObjectName(QStringLiteral("showDetailsAction"));
    m_showDetails->setCheckable(true);
    m_showDetails->setChecked(false);
    auto *details = new QToolButton(this);
    details->setDefaultAction(m_showDetails);
    details->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_closeButton = box->button(QDialogButtonBox::Close);
    buttons->addWidget(m_taraButton);
    buttons->addWidget(m_pleaseWait);
    buttons->addStretch();
    buttons->addWidget(details);
    buttons->addWidget(box);
    layout->addLayout(buttons);

    connect(m_taraButton, &QPushButton::clicked, this, &SelfDiagnosisDialog::evaluateTara);
    connect(box, &QDialogButtonBox::rejected, this, &SelfDiagnosisDialog::reject);
    connect(m_showDetails, &QAction::toggled, this, [this](bool show) {
        for (SelfDiagnosisTrampoline *view : m_trampolines)
            view->setShowReadouts(show);
        m_legend->setVisible(show);
    });

    updateUsbConnection(usbConnected);
    setActive(false);
    resize(980, 560);
}

QFrame *SelfDiagnosisDialog::framed(const char *name)
{
    auto *frame = new QFrame(this);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

SelfDiagnosisTrampoline *SelfDiagnosisDialog::trampolineView(int trampoline) const
{
    return m_trampolines[trampoline == 1 ? 1 : 0];
}

bool SelfDiagnosisDialog::checkShowsGood(int trampoline, int sensor) const
{
    if (trampoline < 0 || trampoline > 1 || sensor < 0 || sensor > 4)
        return false;
    return m_checks[static_cast<std::size_t>(trampoline)][static_cast<std::size_t>(sensor)]
        ->property("good")
        .toBool();
}

void SelfDiagnosisDialog::setCheck(QLabel *label, bool good)
{
    label->setProperty("good", good);
    label->setPixmap(picture(good ? QStringLiteral(":/icon/confirm_button.png")
                                  : QStringLiteral(":/icon/dismiss_button.png"),
                             kCheckSize));
}

void SelfDiagnosisDialog::setColorBlack(QFrame *frame, bool enabled)
{
    if (!frame)
        return;
    frame->setStyleSheet(
        QStringLiteral("QFrame#%1 { border: 2px solid %2; border-radius: 6px; }")
            .arg(frame->objectName(), enabled ? QStringLiteral("#404040") : QStringLiteral("#c8c8c8")));
}

void SelfDiagnosisDialog::setActive(bool active)
{
    m_active = active;
    setColorBlack(m_chainFrame, active);
    for (std::size_t t = 0; t < 2; ++t) {
        setColorBlack(m_trampolineFrames[t], active);
        m_trampolines[t]->setActive(active);
    }
    updateButtons();
}

void SelfDiagnosisDialog::updateButtons()
{
    // A tara needs the samples of a connected box: without them the offsets
    // would be computed from nothing.
    m_taraButton->setEnabled(m_active && m_usbConnected && !m_taraRunning);
    m_closeButton->setEnabled(!m_taraRunning);
}

void SelfDiagnosisDialog::updateUsbConnection(bool connection)
{
    m_usbConnected = connection;
    setCheck(m_usbCheck, connection);
    m_boxPicture->setPixmap(picture(connection ? QStringLiteral(":/icon/relaybox.png")
                                               : QStringLiteral(":/icon/relaybox-disconnected.png"),
                                    kPictureSize));
    if (!connection) {
        // Nothing arrives from a box that is gone.
        for (std::size_t t = 0; t < 2; ++t) {
            for (QLabel *check : m_checks[t])
                setCheck(check, false);
            m_trampolines[t]->clearLoadPosition();
        }
        m_cables->setConnections(0);
    }
    updateButtons();
}

void SelfDiagnosisDialog::usbConnected()
{
    updateUsbConnection(true);
}

void SelfDiagnosisDialog::usbDisconnected()
{
    updateUsbConnection(false);
}

void SelfDiagnosisDialog::updateSensorValues()
{
    if (!m_active || !m_usbConnected)
        return;
    if (m_lastUpdate.isValid() && m_lastUpdate.elapsed() < kUpdateIntervalMs)
        return;
    // The first sample of the block just recorded.
    const int first = m_store.sampleCount() - wsDaten::kSamplesPerBlock;
    if (first < 0 || first < m_store.firstAvailableSample())
        return;
    m_lastUpdate.start();
    ++m_updates;
    const wsDaten::Sample &sample = m_store.sample(first);
    for (int t = 0; t < 2; ++t) {
        m_readouts[static_cast<std::size_t>(t)] =
            widget::diagnosis::readTrampoline(sample, t, m_store.taraRecord(t));
        m_trampolines[static_cast<std::size_t>(t)]->setReadout(m_readouts[static_cast<std::size_t>(t)]);
    }
    m_haveReadouts = true;
    updateChecksTramp(data::model::TrampNumber::Trampoline1);
    updateChecksTramp(data::model::TrampNumber::Trampoline2);
    updateSensorConnections(widget::diagnosis::connectionsOf(m_readouts));
    updatePosition(data::model::TrampNumber::Trampoline1);
    updatePosition(data::model::TrampNumber::Trampoline2);
}

void SelfDiagnosisDialog::updateChecksTramp(data::model::TrampNumber trampoline)
{
    const auto t = static_cast<std::size_t>(trampoline == data::model::TrampNumber::Trampoline2 ? 1 : 0);
    const widget::diagnosis::TrampolineReadout &readout = m_readouts[t];
    for (std::size_t k = 0; k < 4; ++k)
        setCheck(m_checks[t][k], m_haveReadouts && readout.sensors[k].good);
    setCheck(m_checks[t][4], m_haveReadouts && readout.good);
}

void SelfDiagnosisDialog::updateSensorConnections(widget::diagnosis::SensorConnections connections)
{
    m_cables->setConnections(connections.bits());
}

void SelfDiagnosisDialog::updatePosition(data::model::TrampNumber trampoline)
{
    if (!m_active)
        return;
    const int t = trampoline == data::model::TrampNumber::Trampoline2 ? 1 : 0;
    data::calc::LandingPosition position;
    // Nobody on the bed: no marker rather than an old one.
    if (widget::diagnosis::currentLoadPosition(m_store, t, position))
        m_trampolines[static_cast<std::size_t>(t)]->setLoadPosition(position);
    else
        m_trampolines[static_cast<std::size_t>(t)]->clearLoadPosition();
}

void SelfDiagnosisDialog::evaluateTara()
{
    if (!m_active || !m_usbConnected || m_taraRunning || !m_tara)
        return;
    m_taraRunning = true;
    updateButtons();
    m_pleaseWait->setVisible(true);
    m_tara();
    m_pleaseWait->setVisible(false);
    m_taraRunning = false;
    updateButtons();
}

void SelfDiagnosisDialog::reject()
{
    if (m_taraRunning)
        return;
    QDialog::reject();
}
