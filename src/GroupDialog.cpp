#include "GroupDialog.h"

#include "StartListDialogSupport.h"
#include "data/wsDaten.h"
#include "wsdb.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kGenderIdRole = Qt::UserRole + 1;
constexpr int kTypeIdRole = Qt::UserRole + 2;

// The athlete search list's columns.
enum AthleteColumn { AName, ALastName, AFirstName, AGender, AYear, ANocCode, AIdFig };

QString person(const QString &last, const QString &first)
{
    return first.isEmpty() ? last : QStringLiteral("%1, %2").arg(last, first);
}

QString number(const QVariant &value)
{
    return value.isValid() && value.toInt() >= 0 ? QString::number(value.toInt()) : QString();
}

QString year(const QVariant &value)
{
    return value.isValid() && value.toInt() > 0 ? QString::number(value.toInt()) : QString();
}

int intOr(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

// A gender cell shows the gender in the operator's language and keeps the
// stored value for saving.
void setGender(QTreeWidgetItem *row, int column, const QString &stored)
{
    row->setText(column, startlist::athleteGenderName(stored));
    row->setData(column, startlist::kValueRole, stored);
}

QString storedGender(const QTreeWidgetItem *row, int column)
{
    return row->data(column, startlist::kValueRole).toString();
}

// Competitor slot 1 or 2 of a start-list row from an athlete row.
void setCompetitor(QTreeWidgetItem *row, int slot, const QTreeWidgetItem *athlete)
{
    const int base = slot == 1 ? GroupDialog::No1 : GroupDialog::No2;
    row->setText(base + 1, athlete->text(AName));
    row->setText(base + 2, athlete->text(ALastName));
    row->setText(base + 3, athlete->text(AFirstName));
    setGender(row, base + 4, athlete->data(AGender, startlist::kValueRole).toString());
    row->setText(base + 5, athlete->text(AYear));
    row->setText(base + 6, athlete->text(ANocCode));
    row->setText(base + 7, athlete->text(AIdFig));
}

} // namespace

GroupDialog::GroupDialog(wsdb &database, wsDaten &store, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
    , m_store(store)
{
    setObjectName(QStringLiteral("groupDialog"));
    setWindowTitle(tr("Groups"));
    m_event = new QLabel(this);
    m_event->setObjectName(QStringLiteral("eventLabel"));
    m_competition = new QComboBox(this);
    m_competition->setObjectName(QStringLiteral("competitionCombo"));
    m_group = new QComboBox(this);
    m_group->setObjectName(QStringLiteral("groupCombo"));
    m_addGroup = startlist::makeButton(this, "addGroupButton", tr("Add Group"));
    m_deleteGroup = startlist::makeButton(this, "deleteGroupButton", tr("Delete Group"));
    auto *choice = new QGridLayout;
    choice->addWidget(new QLabel(tr("Event"), this), 0, 0);
    choice->addWidget(m_event, 0, 1, 1, 3);
    choice->addWidget(new QLabel(tr("Competition"), this), 1, 0);
    choice->addWidget(m_competition, 1, 1, 1, 3);
    choice->addWidget(new QLabel(tr("Group"), this), 2, 0);
    choice->addWidget(m_group, 2, 1);
    choice->addWidget(m_addGroup, 2, 2);
    choice->addWidget(m_deleteGroup, 2, 3);
    choice->setColumnStretch(1, 1);

    m_searchName = new QLineEdit(this);
    m_searchName->setObjectName(QStringLiteral("searchNameEdit"));
    m_searchName->setPlaceholderText(tr("Name"));
    m_searchNoc = new QLineEdit(this);
    m_searchNoc->setObjectName(QStringLiteral("searchNocEdit"));
    m_searchNoc->setPlaceholderText(tr("NOC-Code"));
    m_searchGender = startlist::makeCodeCombo(
        this, "searchGenderCombo", {QString(), QStringLiteral("Male"), QStringLiteral("Female")},
        {tr("All"), startlist::genderName(1), startlist::genderName(2)});
    m_athletes = startlist::makeTree(this, "athleteTree",
                                     {tr("Name"), tr("Last Name"), tr("First Name"), tr("Gender"), tr("Year"),
                                      tr("NOC-Code"), tr("FIG-Lic.")});
    auto *search = new QGroupBox(tr("Athlets (double-click to add)"), this);
    auto *searchLayout = new QVBoxLayout(search);
    auto *filters = new QHBoxLayout;
    filters->addWidget(m_searchName, 2);
    filters->addWidget(m_searchNoc, 1);
    filters->addWidget(m_searchGender, 1);
    searchLayout->addLayout(filters);
    searchLayout->addWidget(m_athletes, 1);

    // Readable titles; the columns that only repeat a name shown beside
    // them or carry the competition's codes are kept for saving, not shown.
    m_startList = startlist::makeTree(this, "startListTree",
                                      {tr("Order"),
                                       tr("No. 1"),
                                       tr("Name 1"),
                                       tr("Last name 1"),
                                       tr("First name 1"),
                                       tr("Gender 1"),
                                       tr("Year 1"),
                                       tr("NOC-Code 1"),
                                       tr("FIG-Lic. 1"),
                                       tr("No. 2"),
                                       tr("Name 2"),
                                       tr("Last name 2"),
                                       tr("First name 2"),
                                       tr("Gender 2"),
                                       tr("Year 2"),
                                       tr("NOC-Code 2"),
                                       tr("FIG-Lic. 2"),
                                       tr("NOC-Code"),
                                       tr("Gender of the competition"),
                                       tr("Type of the competition")});
    for (int column : {LastName1, FirstName1, LastName2, FirstName2, NocCode, GenderId, TypeId})
        m_startList->setColumnHidden(column, true);
    m_competitor1 = new QLineEdit(this);
    m_competitor1->setObjectName(QStringLiteral("competitor1Edit"));
    m_competitor2 = new QLineEdit(this);
    m_competitor2->setObjectName(QStringLiteral("competitor2Edit"));
    for (QLineEdit *edit : {m_competitor1, m_competitor2})
        edit->setValidator(new QIntValidator(0, 99999, edit));
    m_up = startlist::makeButton(this, "upButton", tr("Up"));
    m_down = startlist::makeButton(this, "downButton", tr("Down"));
    m_deleteItem = startlist::makeButton(this, "deleteItemButton", tr("Delete Item"));
    m_replace = startlist::makeButton(this, "replaceItemButton", tr("Replace Item"));
    auto *listBox = new QGroupBox(tr("Start list"), this);
    auto *listLayout = new QVBoxLayout(listBox);
    listLayout->addWidget(m_startList, 1);
    auto *itemRow = new QHBoxLayout;
    itemRow->addWidget(m_up);
    itemRow->addWidget(m_down);
    itemRow->addWidget(m_deleteItem);
    itemRow->addStretch();
    itemRow->addWidget(new QLabel(tr("No. 1"), this));
    itemRow->addWidget(m_competitor1);
    itemRow->addWidget(new QLabel(tr("No. 2"), this));
    itemRow->addWidget(m_competitor2);
    itemRow->addWidget(m_replace);
    listLayout->addLayout(itemRow);

    QPushButton *ok = startlist::makeButton(this, "okButton", tr("OK"));
    QPushButton *cancel = startlist::makeButton(this, "cancelButton", tr("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *body = new QHBoxLayout;
    body->addWidget(search, 2);
    body->addWidget(listBox, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(1200, 560);

    connect(m_competition, &QComboBox::currentIndexChanged, this, &GroupDialog::neuCompetition);
    connect(m_group, &QComboBox::currentIndexChanged, this, &GroupDialog::neuGroupSelect);
    connect(m_addGroup, &QPushButton::clicked, this, &GroupDialog::neuGroupAdd);
    connect(m_deleteGroup, &QPushButton::clicked, this, &GroupDialog::neuGroupDel);
    connect(m_searchName, &QLineEdit::textChanged, this, &GroupDialog::neuSearchName);
    connect(m_searchNoc, &QLineEdit::textChanged, this, &GroupDialog::neuSearchNOC);
    connect(m_searchGender, &QComboBox::currentIndexChanged, this, &GroupDialog::neuSearchGender);
    connect(m_athletes, &QTreeWidget::itemDoubleClicked, this, &GroupDialog::neuAthletItemDoubleClicked);
    connect(m_startList, &QTreeWidget::itemClicked, this, &GroupDialog::neuItemClicked);
    connect(m_startList, &QTreeWidget::currentItemChanged, this, &GroupDialog::updateButtons);
    connect(m_up, &QPushButton::clicked, this, &GroupDialog::neuItemUp);
    connect(m_down, &QPushButton::clicked, this, &GroupDialog::neuItemDown);
    connect(m_deleteItem, &QPushButton::clicked, this, &GroupDialog::neuDeleteItem);
    connect(m_replace, &QPushButton::clicked, this, &GroupDialog::neuReplace);
    connect(ok, &QPushButton::clicked, this, &GroupDialog::neuOk);
    connect(cancel, &QPushButton::clicked, this, &GroupDialog::neuCancel);
    reload();
}

void GroupDialog::reload()
{
    const StartSelection &s = m_store.startSelection();
    m_eventName = s.eventName;
    m_event->setText(m_eventName.isEmpty() ? tr("(no event chosen)") : m_eventName);
    {
        const QSignalBlocker blocker(m_competition);
        m_competition->clear();
        m_competition->addItem(tr("Select Competition"));
        const QList<QVariantMap> rows =
            m_database.select(QStringLiteral("SELECT * FROM Competitions WHERE EventName=? AND "
                                             "GroupName='__ws_def_competition__' ORDER BY idx;"),
                              {m_eventName});
        for (const QVariantMap &row : rows) {
            const QString name = row.value(QStringLiteral("CompetitionName")).toString();
            m_competition->addItem(name, name);
            const int i = m_competition->count() - 1;
            m_competition->setItemData(i, row.value(QStringLiteral("GenderID")), kGenderIdRole);
            m_competition->setItemData(i, row.value(QStringLiteral("TypeID")), kTypeIdRole);
        }
        m_competition->setCurrentIndex(qMax(0, m_competition->findData(s.competitionName)));
    }
    neuCompetition(m_competition->currentIndex());
    const int group = m_group->findData(s.groupName);
    if (group > 0)
        m_group->setCurrentIndex(group);
    searchAthletes();
}

QString GroupDialog::competitionName() const
{
    return m_competition->currentIndex() > 0 ? m_competition->currentData().toString() : QString();
}

QString GroupDialog::groupName() const
{
    return m_group->currentIndex() > 0 ? m_group->currentData().toString() : QString();
}

bool GroupDialog::synchronized() const
{
    return m_competition->currentData(kTypeIdRole).toInt() == 2;
}

void GroupDialog::neuCompetition(int index)
{
    Q_UNUSED(index)
    {
        const QSignalBlocker blocker(m_group);
        m_group->clear();
        m_group->addItem(tr("Select Group"));
        if (!competitionName().isEmpty()) {
            for (const QString &name : m_database.groupNames(m_eventName, competitionName()))
                m_group->addItem(name, name);
        }
    }
    neuGroupSelect(0);
}

void GroupDialog::neuGroupSelect(int index)
{
    Q_UNUSED(index)
    m_startList->clear();
    m_pendingPair = nullptr;
    m_competitor1->clear();
    m_competitor2->clear();
    m_nextOrder = 1;
    if (!groupName().isEmpty()) {
        const QList<QVariantMap> rows = m_database.select(
            QStringLiteral(
                "SELECT * FROM Groups WHERE ( EventName=? AND CompetitionName=? AND GroupName=? AND "
                "LastName1 <> '__ws_def_group__' ) ORDER BY StartOrder, idx;"),
            {m_eventName, competitionName(), groupName()});
        for (const QVariantMap &row : rows) {
            auto *item = new QTreeWidgetItem(m_startList);
            const auto v = [&row](const char *column) { return row.value(QString::fromLatin1(column)); };
            item->setText(Order, QString::number(v("StartOrder").toInt()));
            item->setText(No1, number(v("Competitor1No")));
            item->setText(LastName1, v("LastName1").toString());
            item->setText(FirstName1, v("FirstName1").toString());
            item->setText(Name1, person(v("LastName1").toString(), v("FirstName1").toString()));
            setGender(item, Gender1, v("Gender1").toString());
            item->setText(Year1, year(v("Year1")));
            item->setText(NocCode1, v("NOCCode1").toString());
            item->setText(IdFig1, v("IDFIG1").toString());
            item->setText(No2, number(v("Competitor2No")));
            if (!v("LastName2").toString().isEmpty() || !v("FirstName2").toString().isEmpty())
                item->setText(Name2, person(v("LastName2").toString(), v("FirstName2").toString()));
            item->setText(LastName2, v("LastName2").toString());
            item->setText(FirstName2, v("FirstName2").toString());
            setGender(item, Gender2, v("Gender2").toString());
            item->setText(Year2, year(v("Year2")));
            item->setText(NocCode2, v("NOCCode2").toString());
            item->setText(IdFig2, v("IDFIG2").toString());
            item->setText(NocCode, v("NOCCode1").toString());
            item->setText(GenderId, v("GenderID").toString());
            item->setText(TypeId, v("TypeID").toString());
            m_nextOrder = qMax(m_nextOrder, v("StartOrder").toInt() + 1);
        }
    }
    updateButtons();
}

void GroupDialog::updateButtons()
{
    const bool competition = !competitionName().isEmpty();
    const bool group = !groupName().isEmpty();
    const bool item = m_startList->currentItem() != nullptr;
    m_addGroup->setEnabled(competition);
    m_deleteGroup->setEnabled(group);
    m_up->setEnabled(item);
    m_down->setEnabled(item);
    m_deleteItem->setEnabled(item);
    m_replace->setEnabled(item);
}

void GroupDialog::neuGroupAdd()
{
    // A group belongs to a competition: nothing to add under none.
    if (competitionName().isEmpty() || !m_database.isOpen())
        return;
    m_competitor1->clear();
    m_competitor2->clear();
    // The next free "Group n": a deleted group must not make the name of a
    // remaining one come round again.
    int n = m_group->count();
    QString name;
    do {
        name = tr("Group %1").arg(n++);
    } while (m_group->findData(name) > 0);
    if (!m_database.execute(
            QStringLiteral("INSERT INTO Groups ( EventName, CompetitionName, GroupName, LastName1 ) "
                           "VALUES ( ?, ?, ?, '__ws_def_group__' );"),
            {m_eventName, competitionName(), name}))
        return;
    m_group->addItem(name, name);
    m_group->setCurrentIndex(m_group->count() - 1);
}

void GroupDialog::neuGroupDel()
{
    const QString name = groupName();
    if (name.isEmpty())
        return;
    if (!m_database.execute(QStringLiteral("DELETE FROM Groups WHERE ( EventName=? AND CompetitionName=? AND "
                                           "GroupName=? );"),
                            {m_eventName, competitionName(), name}))
        return;
    m_group->removeItem(m_group->currentIndex());
    m_group->setCurrentIndex(0);
}

void GroupDialog::neuSearchName(const QString &text)
{
    Q_UNUSED(text)
    searchAthletes();
}

void GroupDialog::neuSearchNOC(const QString &text)
{
    Q_UNUSED(text)
    searchAthletes();
}

void GroupDialog::neuSearchGender(int index)
{
    Q_UNUSED(index)
    searchAthletes();
}

void GroupDialog::searchAthletes()
{
    // The filters match from the start of the text; an empty one leaves its
    // condition out so athletes without that value are listed too.
    QString where = QStringLiteral("1=1");
    QVariantList values;
    const QString name = m_searchName->text();
    if (!name.isEmpty()) {
        where += QStringLiteral(" AND ( (LastName LIKE ? ESCAPE '\\') OR (FirstName LIKE ? ESCAPE '\\') )");
        values << startlist::startsWithPattern(name) << startlist::startsWithPattern(name);
    }
    if (!m_searchNoc->text().isEmpty()) {
        where += QStringLiteral(" AND (NOCCode LIKE ? ESCAPE '\\')");
        values << startlist::startsWithPattern(m_searchNoc->text());
    }
    if (const QString gender = m_searchGender->currentData().toString(); !gender.isEmpty()) {
        where += QStringLiteral(" AND (Gender=?)");
        values << gender;
    }
    m_athletes->clear();
    const QList<QVariantMap> rows = m_database.select(
        QStringLiteral("SELECT * FROM Athlets WHERE ( %1 ) ORDER BY LastName, idx;").arg(where), values);
    for (const QVariantMap &row : rows) {
        auto *item = new QTreeWidgetItem(m_athletes);
        const QString last = row.value(QStringLiteral("LastName")).toString();
        const QString first = row.value(QStringLiteral("FirstName")).toString();
        item->setText(AName, person(last, first));
        item->setText(ALastName, last);
        item->setText(AFirstName, first);
        const QString gender = row.value(QStringLiteral("Gender")).toString();
        item->setText(AGender, startlist::athleteGenderName(gender));
        item->setData(AGender, startlist::kValueRole, gender);
        item->setText(AYear, year(row.value(QStringLiteral("Year"))));
        item->setText(ANocCode, row.value(QStringLiteral("NOCCode")).toString());
        item->setText(AIdFig, row.value(QStringLiteral("IDFIG")).toString());
    }
}

void GroupDialog::neuAthletItemDoubleClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    if (item == nullptr || groupName().isEmpty())
        return;
    if (m_pendingPair != nullptr && m_startList->indexOfTopLevelItem(m_pendingPair) >= 0) {
        setCompetitor(m_pendingPair, 2, item);
        m_pendingPair = nullptr;
        ++m_nextOrder;
        return;
    }
    auto *row = new QTreeWidgetItem(m_startList);
    row->setText(Order, QString::number(m_nextOrder));
    setCompetitor(row, 1, item);
    row->setText(NocCode, item->text(ANocCode));
    row->setText(GenderId, m_competition->currentData(kGenderIdRole).toString());
    row->setText(TypeId, m_competition->currentData(kTypeIdRole).toString());
    m_startList->setCurrentItem(row);
    if (synchronized())
        m_pendingPair = row;
    else
        ++m_nextOrder;
}

void GroupDialog::neuItemClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    if (item == nullptr)
        return;
    m_competitor1->setText(item->text(No1));
    m_competitor2->setText(item->text(No2));
}

void GroupDialog::neuReplace()
{
    QTreeWidgetItem *item = m_startList->currentItem();
    if (item == nullptr)
        return;
    item->setText(No1, m_competitor1->text().trimmed());
    item->setText(No2, m_competitor2->text().trimmed());
}

void GroupDialog::neuItemUp()
{
    moveItem(-1);
}

void GroupDialog::neuItemDown()
{
    moveItem(1);
}

void GroupDialog::moveItem(int offset)
{
    QTreeWidgetItem *item = m_startList->currentItem();
    if (item == nullptr)
        return;
    const int from = m_startList->indexOfTopLevelItem(item);
    const int to = from + offset;
    if (to < 0 || to >= m_startList->topLevelItemCount())
        return;
    m_startList->takeTopLevelItem(from);
    m_startList->insertTopLevelItem(to, item);
    m_startList->setCurrentItem(item);
    renumber();
}

void GroupDialog::neuDeleteItem()
{
    QTreeWidgetItem *item = m_startList->currentItem();
    if (item == nullptr)
        return;
    if (item == m_pendingPair)
        m_pendingPair = nullptr;
    delete item;
    renumber();
    updateButtons();
}

void GroupDialog::renumber()
{
    // The order shown is the order saved: after a move or a deletion the
    // entries are numbered by their place.
    const int count = m_startList->topLevelItemCount();
    for (int i = 0; i < count; ++i)
        m_startList->topLevelItem(i)->setText(Order, QString::number(i + 1));
    m_nextOrder = m_pendingPair ? count : count + 1;
}

void GroupDialog::neuOk()
{
    const QString group = groupName();
    if (group.isEmpty()) {
        accept();
        return;
    }
    const QString competition = competitionName();
    const QVariant genderId = m_competition->currentData(kGenderIdRole);
    const QVariant typeId = m_competition->currentData(kTypeIdRole);
    // The old entries go and the list comes in one transaction: a failure
    // leaves the group's start list as it was.
    const bool saved = m_database.transaction([&] {
        if (!m_database.execute(
                QStringLiteral("DELETE FROM Groups WHERE ( EventName=? AND CompetitionName=? AND "
                               "GroupName=? AND LastName1 <> '__ws_def_group__' ); "),
                {m_eventName, competition, group}))
            return false;
        for (int i = 0; i < m_startList->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *row = m_startList->topLevelItem(i);
            const QVariantList values = {m_eventName,
                                         competition,
                                         group,
                                         intOr(row->text(Order), i + 1),
                                         intOr(row->text(No1), -1),
                                         row->text(LastName1),
                                         row->text(FirstName1),
                                         storedGender(row, Gender1),
                                         intOr(row->text(Year1), 0),
                                         row->text(NocCode1),
                                         row->text(IdFig1),
                                         intOr(row->text(No2), -1),
                                         row->text(LastName2),
                                         row->text(FirstName2),
                                         storedGender(row, Gender2),
                                         intOr(row->text(Year2), 0),
                                         row->text(NocCode2),
                                         row->text(IdFig2),
                                         genderId,
                                         typeId};
            if (!m_database.execute(
                    QStringLiteral(
                        "INSERT INTO Groups ( EventName, CompetitionName, GroupName, StartOrder, "
                        "Competitor1No, LastName1, FirstName1, Gender1, Year1, NOCCode1, IDFIG1, "
                        "Competitor2No, LastName2, FirstName2, Gender2, Year2, NOCCode2, IDFIG2, "
                        "GenderID, TypeID ) VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "?, ?, ? );"),
                    values))
                return false;
        }
        return true;
    });
    if (!saved) {
        startlist::showSaveFailure(this, tr("The start list could not be saved in the database."));
        return;
    }
    accept();
}

void GroupDialog::neuCancel()
{
    reject();
}
