#include "EventDialog.h"

#include "StartListDialogSupport.h"
#include "wsdb.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

EventDialog::EventDialog(wsdb &database, wsDaten &store, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
{
    Q_UNUSED(store)
    setObjectName(QStringLiteral("eventDialog"));
    setWindowTitle(tr("Events"));
    m_tree = startlist::makeTree(this, "eventTree",
                                 {tr("Name"), tr("City"), tr("NOC-Code"), tr("From"), tr("To")});
    static const char *const kNames[] = {"nameEdit", "cityEdit", "nocCodeEdit", "dateFromEdit", "dateToEdit"};
    auto *form = new QFormLayout;
    const QString labels[] = {tr("Name"), tr("City"), tr("NOC-Code"), tr("Date from"), tr("Date to")};
    for (int i = 0; i < 5; ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(kNames[i]));
        form->addRow(labels[i], m_fields[i]);
    }
    m_fields[3]->setPlaceholderText(QStringLiteral("yyyy/MM/dd"));
    m_fields[4]->setPlaceholderText(QStringLiteral("yyyy/MM/dd"));

    m_buttons = startlist::layoutListDialog(this, m_tree, form, false);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("messageLabel"));
    m_message->setStyleSheet(QStringLiteral("QLabel { color: #c02020; }"));
    m_message->setWordWrap(true);
    layout()->addWidget(m_message);
    resize(820, 400);

    connect(m_buttons.add, &QPushButton::clicked, this, &EventDialog::neuAdd);
    connect(m_buttons.replace, &QPushButton::clicked, this, &EventDialog::neuReplace);
    connect(m_buttons.remove, &QPushButton::clicked, this, &EventDialog::neuDelete);
    connect(m_buttons.ok, &QPushButton::clicked, this, &EventDialog::neuOk);
    connect(m_tree, &QTreeWidget::itemClicked, this, &EventDialog::neuItemClicked);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &EventDialog::neuItemDoubleclicked);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &EventDialog::updateButtons);
    connect(m_fields[0], &QLineEdit::textChanged, this, &EventDialog::updateButtons);
    reload();
}

void EventDialog::reload()
{
    m_tree->clear();
    const QList<QVariantMap> rows = m_database.select(
        QStringLiteral("SELECT * FROM Events WHERE CompetitionName='__ws_def_event__' ORDER BY idx;"));
    for (const QVariantMap &row : rows) {
        auto *item = new QTreeWidgetItem(m_tree);
        showValues(item, {row.value(QStringLiteral("EventName")), row.value(QStringLiteral("City")),
                          row.value(QStringLiteral("NOCCode")), row.value(QStringLiteral("DateFrom")),
                          row.value(QStringLiteral("DateTo"))});
        item->setData(0, startlist::kIdxRole, row.value(QStringLiteral("idx")));
    }
    updateButtons();
}

void EventDialog::updateButtons()
{
    startlist::enableRowButtons(m_buttons, !m_fields[0]->text().trimmed().isEmpty(),
                                m_tree->currentItem() != nullptr);
}

QVariantList EventDialog::formValues() const
{
    QVariantList values;
    for (const QLineEdit *field : m_fields) {
        QString value = field->text().trimmed();
        values << value;
    }
    // Event names and cities keep no quotes, as they always have.
    for (int i : {0, 1}) {
        QString value = values[i].toString();
        wsdb::sanitizeForSql(value);
        values[i] = value;
    }
    return values;
}

void EventDialog::showValues(QTreeWidgetItem *item, const QVariantList &values) const
{
    for (int c = 0; c < 5; ++c)
        item->setText(c, values.value(c).toString());
}

void EventDialog::neuAdd()
{
    const QVariantList values = formValues();
    m_message->clear();
    if (values[0].toString().isEmpty())
        return;
    // Everything that belongs to an event finds it by its name: a second
    // event of the same name would mix two start lists.
    if (m_database.eventNames().contains(values[0].toString())) {
        m_message->setText(
            tr("An event named %1 exists already; it was not added again.").arg(values[0].toString()));
        return;
    }
    if (!m_database.execute(QStringLiteral("INSERT INTO Events ( EventName, City, NOCCode, DateFrom, DateTo, "
                                           "CompetitionName ) VALUES ( ?, ?, ?, ?, ?, '__ws_def_event__' );"),
                            values))
        return;
    auto *item = new QTreeWidgetItem(m_tree);
    showValues(item, values);
    item->setData(0, startlist::kIdxRole, m_database.lastInsertRowId());
    m_tree->setCurrentItem(item);
}

void EventDialog::neuReplace()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    const QVariantList values = formValues();
    if (item == nullptr || values[0].toString().isEmpty())
        return;
    // A new name reaches the competitions, groups and measures of the event.
    if (m_database.replaceEvent(startlist::idxOf(item), values))
        showValues(item, values);
}

void EventDialog::neuDelete()
{
    startlist::deleteCurrentRow(m_database, "Events", m_tree);
    updateButtons();
}

void EventDialog::neuOk()
{
    accept();
}

void EventDialog::neuItemClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    if (item == nullptr)
        return;
    for (int i = 0; i < 5; ++i)
        m_fields[i]->setText(item->text(i));
}

void EventDialog::neuItemDoubleclicked(QTreeWidgetItem *item, int column)
{
    neuItemClicked(item, column);
}
