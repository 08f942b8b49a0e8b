#include "CompetitionDialog.h"

#include "StartListDialogSupport.h"
#include "data/wsDaten.h"
#include "wsdb.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr int kGenderRole = Qt::UserRole + 1;
constexpr int kTypeRole = Qt::UserRole + 2;

} // namespace

CompetitionDialog::CompetitionDialog(wsdb &database, wsDaten &store, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
    , m_store(store)
{
    setObjectName(QStringLiteral("competitionDialog"));
    setWindowTitle(tr("Competitions"));
    m_event = new QLabel(this);
    m_event->setObjectName(QStringLiteral("eventLabel"));
    m_tree = startlist::makeTree(this, "competitionTree", {tr("Name"), tr("Gender"), tr("Type")});
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_gender = startlist::makeCodeCombo(
        this, "genderCombo", {QStringLiteral("Male"), QStringLiteral("Female"), QStringLiteral("Mixed")},
        {startlist::genderName(1), startlist::genderName(2), startlist::genderName(3)});
    m_type = startlist::makeCodeCombo(this, "typeCombo",
                                      {QStringLiteral("Individual"), QStringLiteral("Synchron")},
                                      {startlist::typeName(1), startlist::typeName(2)});
    auto *form = new QFormLayout;
    form->addRow(tr("Event"), m_event);
    form->addRow(tr("Name"), m_name);
    form->addRow(tr("Gender"), m_gender);
    form->addRow(tr("Type"), m_type);

    m_buttons = startlist::layoutListDialog(this, m_tree, form, false);
    resize(720, 360);

    connect(m_buttons.add, &QPushButton::clicked, this, &CompetitionDialog::neuAdd);
    connect(m_buttons.replace, &QPushButton::clicked, this, &CompetitionDialog::neuReplace);
    connect(m_buttons.remove, &QPushButton::clicked, this, &CompetitionDialog::neuDelete);
    connect(m_buttons.ok, &QPushButton::clicked, this, &CompetitionDialog::neuOk);
    connect(m_tree, &QTreeWidget::itemClicked, this, &CompetitionDialog::neuItemClicked);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CompetitionDialog::updateButtons);
    connect(m_name, &QLineEdit::textChanged, this, &CompetitionDialog::updateButtons);
    reload();
}

void CompetitionDialog::reload()
{
    m_eventName = m_store.startSelection().eventName;
    m_event->setText(m_eventName.isEmpty() ? tr("(no event chosen)") : m_eventName);
    m_tree->clear();
    const QList<QVariantMap> rows =
        m_database.select(QStringLiteral("SELECT * FROM Competitions WHERE EventName=? AND "
                                         "GroupName='__ws_def_competition__' ORDER BY idx;"),
                          {m_eventName});
    for (const QVariantMap &row : rows) {
        auto *item = new QTreeWidgetItem(m_tree);
        showValues(item, row.value(QStringLiteral("CompetitionName")).toString(),
                   row.value(QStringLiteral("GenderID")).toInt(),
                   row.value(QStringLiteral("TypeID")).toInt());
        item->setData(0, startlist::kIdxRole, row.value(QStringLiteral("idx")));
    }
    updateButtons();
}

void CompetitionDialog::updateButtons()
{
    // A competition belongs to an event: nothing to add under none.
    startlist::enableRowButtons(m_buttons, !m_eventName.isEmpty() && !m_name->text().trimmed().isEmpty(),
                                m_tree->currentItem() != nullptr);
}

QString CompetitionDialog::formName() const
{
    // Competition names keep no quotes, as they always have.
    QString name = m_name->text().trimmed();
    wsdb::sanitizeForSql(name);
    return name;
}

void CompetitionDialog::showValues(QTreeWidgetItem *item, const QString &name, int genderId, int typeId) const
{
    item->setText(0, name);
    item->setText(1, startlist::genderName(genderId));
    item->setText(2, startlist::typeName(typeId));
    item->setData(1, kGenderRole, genderId);
    item->setData(2, kTypeRole, typeId);
}

void CompetitionDialog::neuAdd()
{
    const QString name = formName();
    if (m_eventName.isEmpty() || name.isEmpty())
        return;
    const int gender = startlist::genderId(m_gender->currentData().toString());
    const int type = startlist::typeId(m_type->currentData().toString());
    if (!m_database.execute(
            QStringLiteral("INSERT INTO Competitions ( EventName, CompetitionName, GroupName, "
                           "GenderID, TypeID ) VALUES ( ?, ?, '__ws_def_competition__', ?, ? );"),
            {m_eventName, name, gender, type}))
        return;
    auto *item = new QTreeWidgetItem(m_tree);
    showValues(item, name, gender, type);
    item->setData(0, startlist::kIdxRole, m_database.lastInsertRowId());
    m_tree->setCurrentItem(item);
}

void CompetitionDialog::neuReplace()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    const QString name = formName();
    if (item == nullptr || name.isEmpty() || m_eventName.isEmpty())
        return;
    const int gender = startlist::genderId(m_gender->currentData().toString());
    const int type = startlist::typeId(m_type->currentData().toString());
    // A new name reaches the groups and measures of the competition.
    if (m_database.replaceCompetition(startlist::idxOf(item), name, gender, type))
        showValues(item, name, gender, type);
}

void CompetitionDialog::neuDelete()
{
    startlist::deleteCurrentRow(m_database, "Competitions", m_tree);
    updateButtons();
}

void CompetitionDialog::neuOk()
{
    accept();
}

void CompetitionDialog::neuItemClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    if (item == nullptr)
        return;
    m_name->setText(item->text(0));
    const int gender = item->data(1, kGenderRole).toInt();
    const int type = item->data(2, kTypeRole).toInt();
    m_gender->setCurrentIndex(qBound(0, gender - 1, 2));
    m_type->setCurrentIndex(type == 2 ? 1 : 0);
}
