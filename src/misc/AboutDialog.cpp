#include "misc/AboutDialog.h"

#include "BuildInfo.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <hidapi.h>
#include <sqlite3.h>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("About Ovra"));
    auto *layout = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("logoLabel"));
    logo->setPixmap(QPixmap(QStringLiteral(":/icon/Ovra.png"))
                        .scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    logo->setAlignment(Qt::AlignTop);
    top->addWidget(logo);
    auto *identity = new QVBoxLayout;
    auto *name = new QLabel(tr("Ovra v%1").arg(QLatin1String(ovra::build::kVersion)), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);
    identity->addWidget(name);
    identity->addWidget(new QLabel(tr("Measurement workstation for competitive trampolining"), this));
    m_version = new QLabel(buildText(), this);
    m_version->setObjectName(QStringLiteral("versionLabel"));
    m_version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    identity->addWidget(m_version);
    identity->addStretch();
    top->addLayout(identity, 1);
    layout->addLayout(top);

    m_licences = new QLabel(licenceText(), this);
    m_licences->setObjectName(QStringLiteral("licenceLabel"));
    m_licences->setWordWrap(true);
    m_licences->setTextFormat(Qt::RichText);
    m_licences->setOpenExternalLinks(true);
    m_licences->setTextInteractionFlags(Qt::TextBrowserInteraction);
    layout->addWidget(m_licences);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *aboutQt = buttons->addButton(tr("About Qt"), QDialogButtonBox::HelpRole);
    connect(aboutQt, &QPushButton::clicked, qApp, &QApplication::aboutQt);
    connect(buttons, &QDialogButtonBox::rejected, this, &AboutDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(560);
}

QString AboutDialog::buildText()
{
    return tr("Version %1\nRevision %2\nBuild number %3\nBuilt %4")
        .arg(QLatin1String(ovra::build::kVersion), QLatin1String(ovra::build::kRevision),
             QString::number(ovra::build::kBuildNumber), QLatin1String(ovra::build::kBuildTime));
}

QString AboutDialog::licenceText()
{
    const QString row = QStringLiteral("<tr><td>%1</td><td>&nbsp;%2&nbsp;</td><td>%3</td></tr>");
    QString table = QStringLiteral("<table>");
    table += row.arg(QStringLiteral("Qt"), QString::fromLatin1(qVersion()),
                     tr("GNU Lesser General Public License v3"));
    table +=
        row.arg(QStringLiteral("SQLite"), QString::fromLatin1(sqlite3_libversion()), tr("public domain"));
    table += row.arg(QStringLiteral("hidapi"), QStringLiteral(HID_API_VERSION_STR),
                     tr("BSD-style licence (one of the three licences it is offered under)"));
    table += row.arg(QStringLiteral("cpp-httplib"), QString(), tr("MIT licence"));
    table += QStringLiteral("</table>");
    return QStringLiteral("<p>%1</p><p>%2</p>%3<p>%4</p>")
        .arg(tr("Copyright © the Ovra developers. All rights reserved."),
             tr("Ovra uses these libraries under their licences:"), table,
             tr("Qt is linked dynamically: it can be replaced by another build of the same version."));
}
