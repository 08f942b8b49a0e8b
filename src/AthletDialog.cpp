#include "AthletDialog.h"

#include "StartListDialogSupport.h"
#include "wsdb.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// The tree's columns, in the order of the Athlets columns they show.
enum Column { LastName, FirstName, Gender, Year, Noc, NocCode, IdFig, IdNational, Email, ColumnCount };

// The gender as stored behind its translated text.
void setGender(QTreeWidgetItem *item, const QString &stored)
{
    item->setText(Gender, startlist::athleteGenderName(stored));
    item->setData(Gender, startlist::kValueRole, stored);
}

} // namespace

AthletDialog::AthletDialog(wsdb &database, wsDaten &store, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
{
    Q_UNUSED(store)
    setObjectName(QStringLiteral("athletDialog"));
    setWindowTitle(tr("Athlets"));
    m_tree = startlist::makeTree(this, "athletTree",
                                 {tr("Last Name"), tr("First Name"), tr("Gender"), tr("Year"), tr("NOC"),
                                  tr("NOC-Code"), tr("FIG-Lic."), tr("Nat.-Lic."), tr("Email")});
    static const char *const kNames[] = {"lastNameEdit",       "firstNameEdit", "nocEdit",
                                         "nocCodeEdit",        "emailEdit",     "figLicenceEdit",
                                         "nationalLicenceEdit"};
    for (int i = 0; i < 7; ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(kNames[i]));
    }
    m_gender = startlist::makeCodeCombo(
        this, "genderCombo", {QStringLiteral("Male"), QStringLiteral("Female"), QStringLiteral("Other")},
        {tr("Male"), tr("Female"), tr("Other")});
    m_year = startlist::makeYearEdit(this, "yearEdit");

    auto *form = new QFormLayout;
    form->addRow(tr("Last Name"), m_fields[0]);
    form->addRow(tr("First Name"), m_fields[1]);
    form->addRow(tr("Gender"), m_gender);
    form->addRow(tr("Year of birth"), m_year);
    form->addRow(tr("Nation"), m_fields[2]);
    form->addRow(tr("NOC-Code"), m_fields[3]);
    form->addRow(tr("Email"), m_fields[4]);
    form->addRow(tr("FIG-Lic."), m_fields[5]);
    form->addRow(tr("Nat.-Lic."), m_fields[6]);

    m_buttons = startlist::layoutListDialog(this, m_tree, form, true);
    resize(980, 480);

    connect(m_buttons.add, &QPushButton::clicked, this, &AthletDialog::addAthlete);
    connect(m_buttons.replace, &QPushButton::clicked, this, &AthletDialog::replaceAthlete);
    connect(m_buttons.remove, &QPushButton::clicked, this, &AthletDialog::deleteAthlete);
    connect(m_buttons.ok, &QPushButton::clicked, this, &AthletDialog::okButtonClicked);
    connect(m_buttons.cancel, &QPushButton::clicked, this, &AthletDialog::cancelButtonClicked);
    connect(m_tree, &QTreeWidget::itemClicked, this, &AthletDialog::itemClicked);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &AthletDialog::updateButtons);
    connect(m_fields[0], &QLineEdit::textChanged, this, &AthletDialog::updateButtons);
    reload();
}

void AthletDialog::reload()
{
    m_deleted.clear();
    m_tree->clear();
    const QList<QVariantMap> rows =
        m_database.select(QStringLiteral("SELECT * FROM Athlets ORDER BY LastName, idx;"));
    static const char *const kColumns[] = {"LastName", "FirstName", "Gender",     "Year", "NOC",
                                           "NOCCode",  "IDFIG",     "IDNational", "Email"};
    for (const QVariantMap &row : rows) {
        auto *item = new QTreeWidgetItem(m_tree);
        for (int c = 0; c < ColumnCount; ++c)
            item->setText(c, row.value(QString::fromLatin1(kColumns[c])).toString());
        setGender(item, item->text(Gender));
        item->setData(0, startlist::kIdxRole, row.value(QStringLiteral("idx")));
    }
    updateButtons();
}

void AthletDialog::updateButtons()
{
    startlist::enableRowButtons(m_buttons, !m_fields[0]->text().trimmed().isEmpty(),
                                m_tree->currentItem() != nullptr);
}

QTreeWidgetItem *AthletDialog::itemFromForm() const
{
    auto *item = new QTreeWidgetItem;
    item->setText(LastName, m_fields[0]->text().trimmed());
    item->setText(FirstName, m_fields[1]->text().trimmed());
    setGender(item, m_gender->currentData().toString());
    item->setText(Year, m_year->text().trimmed());
    item->setText(Noc, m_fields[2]->text().trimmed());
    item->setText(NocCode, m_fields[3]->text().trimmed());
    item->setText(IdFig, m_fields[5]->text().trimmed());
    item->setText(IdNational, m_fields[6]->text().trimmed());
    item->setText(Email, m_fields[4]->text().trimmed());
    item->setData(0, startlist::kIdxRole, qint64(0));
    return item;
}

void AthletDialog::addAthlete()
{
    if (m_fields[0]->text().trimmed().isEmpty())
        return;
    QTreeWidgetItem *item = itemFromForm();
    m_tree->addTopLevelItem(item);
    m_tree->setCurrentItem(item);
}

void AthletDialog::deleteAthlete()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (item == nullptr)
        return;
    // A row added in this dialog is simply not written.
    if (const qint64 idx = startlist::idxOf(item); idx > 0)
        m_deleted.append(idx);
    delete item;
    updateButtons();
}

void AthletDialog::replaceAthlete()
{
    if (m_tree->currentItem() == nullptr || m_fields[0]->text().trimmed().isEmpty())
        return;
    deleteAthlete();
    addAthlete();
}

void AthletDialog::itemClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    if (item == nullptr)
        return;
    m_fields[0]->setText(item->text(LastName));
    m_fields[1]->setText(item->text(FirstName));
    m_gender->setCurrentIndex(qMax(0, m_gender->findData(item->data(Gender, startlist::kValueRole))));
    m_year->setText(item->text(Year));
    m_fields[2]->setText(item->text(Noc));
    m_fields[3]->setText(item->text(NocCode));
    m_fields[4]->setText(item->text(Email));
    m_fields[5]->setText(item->text(IdFig));
    m_fields[6]->setText(item->text(IdNational));
}

void AthletDialog::okButtonClicked()
{
    const bool saved = m_database.transaction([this] {
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = m_tree->topLevelItem(i);
            if (startlist::idxOf(item) > 0)
                continue;
            const bool added = m_database.execute(
                QStringLiteral(
                    "INSERT INTO Athlets ( LastName, FirstName, Gender, Year, NOC, NOCCode, IDFIG, "
                    "IDNational, Email ) VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ? );"),
                {item->text(LastName), item->text(FirstName),
                 item->data(Gender, startlist::kValueRole).toString(), startlist::yearValue(item->text(Year)),
                 item->text(Noc), item->text(NocCode), item->text(IdFig), item->text(IdNational),
                 item->text(Email)});
            if (!added)
                return false;
        }
        for (const qint64 idx : std::as_const(m_deleted)) {
            if (!m_database.execute(QStringLiteral("DELETE FROM Athlets WHERE idx=?;"), {idx}))
                return false;
        }
        return true;
    });
    if (!saved) {
        startlist::showSaveFailure(this, tr("The athletes could not be saved in the database."));
        return;
    }
    accept();
}

void AthletDialog::cancelButtonClicked()
{
    reject();
}
