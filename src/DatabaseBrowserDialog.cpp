#include "DatabaseBrowserDialog.h"

#include "wsdb.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Idx, Name, Date, Event, Competition, City, FileName, ColumnCount };

// Routines stored elsewhere in quick succession refill the list once.
constexpr int kRefreshDelayMs = 100;

} // namespace

DatabaseBrowserDialog::DatabaseBrowserDialog(wsdb &database, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
{
    setObjectName(QStringLiteral("databaseBrowserDialog"));
    setWindowTitle(tr("Database Browser"));
    m_file = new QLabel(this);
    m_file->setObjectName(QStringLiteral("fileLabel"));
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *filters = new QGridLayout;
    const QString labels[6] = {tr("Name"),        tr("Date"), tr("Event"),
                               tr("Competition"), tr("City"), tr("NOCCode")};
    for (int i = 0; i < 6; ++i) {
        m_filters[i] = new QLineEdit(this);
        m_filters[i]->setObjectName(QStringLiteral("filterEdit%1").arg(i));
        m_filters[i]->setClearButtonEnabled(true);
        filters->addWidget(new QLabel(labels[i], this), i / 3, (i % 3) * 2);
        filters->addWidget(m_filters[i], i / 3, (i % 3) * 2 + 1);
        connect(m_filters[i], &QLineEdit::textChanged, this, &DatabaseBrowserDialog::readMeasureTable);
    }
    m_gender = new QComboBox(this);
    m_gender->setObjectName(QStringLiteral("genderCombo"));
    m_gender->addItem(tr("All"), QString());
    m_gender->addItem(tr("Male"), QStringLiteral("Male"));
    m_gender->addItem(tr("Female"), QStringLiteral("Female"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("typeCombo"));
    m_type->addItems({tr("All"), tr("Individual"), tr("Synchron")});
    auto *clear = new QPushButton(tr("Clear Filter"), this);
    clear->setObjectName(QStringLiteral("clearFilterButton"));
    clear->setAutoDefault(false);
    filters->addWidget(new QLabel(tr("Gender"), this), 2, 0);
    filters->addWidget(m_gender, 2, 1);
    filters->addWidget(new QLabel(tr("Type"), this), 2, 2);
    filters->addWidget(m_type, 2, 3);
    filters->addWidget(clear, 2, 5);
    connect(m_gender, &QComboBox::currentIndexChanged, this, &DatabaseBrowserDialog::readMeasureTable);
    connect(m_type, &QComboBox::currentIndexChanged, this, &DatabaseBrowserDialog::readMeasureTable);
    connect(clear, &QPushButton::clicked, this, &DatabaseBrowserDialog::neuClear);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("measureTree"));
    m_tree->setRootIsDecorated(false);
    m_tree->setAlternatingRowColors(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setHeaderLabels(
        {tr("Idx"), tr("Name"), tr("Date"), tr("Event"), tr("Competition"), tr("City"), tr("FileName")});
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &DatabaseBrowserDialog::rowSelected);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_file);
    layout->addLayout(filters);
    layout->addWidget(m_tree, 1);
    resize(960, 560);
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(kRefreshDelayMs);
    connect(m_refresh, &QTimer::timeout, this, &DatabaseBrowserDialog::readMeasureTable);
    connect(&m_database, &wsdb::measuresChanged, m_refresh, qOverload<>(&QTimer::start));
    readMeasureTable();
}

void DatabaseBrowserDialog::readMeasureTable()
{
    const QString location = m_database.location();
    m_file->setText(location.isEmpty() ? tr("(no database open)") : location);
    const QSignalBlocker blocker(m_tree);
    // The row the operator chose stays chosen when the list is read again.
    const QList<QTreeWidgetItem *> chosen = m_tree->selectedItems();
    const QString chosenIdx = chosen.isEmpty() ? QString() : chosen.first()->text(Idx);
    m_tree->clear();
    if (!m_database.isOpen())
        return;
    wsdb::MeasureFilter filter;
    filter.name = m_filters[0]->text();
    filter.date = m_filters[1]->text();
    filter.event = m_filters[2]->text();
    filter.competition = m_filters[3]->text();
    filter.city = m_filters[4]->text();
    filter.nocCode = m_filters[5]->text();
    filter.gender = m_gender->currentData().toString();
    filter.typeId = m_type->currentIndex();
    QList<QTreeWidgetItem *> items;
    for (const wsdb::MeasureListEntry &e : m_database.listMeasures(filter)) {
        auto *item = new QTreeWidgetItem;
        item->setText(Idx, QString::number(e.idx));
        item->setText(Name, e.athletes);
        item->setText(Date, e.date);
        item->setText(Event, e.event);
        item->setText(Competition, e.competition);
        item->setText(City, e.city);
        item->setText(FileName, e.measureName);
        items.append(item);
    }
    m_tree->addTopLevelItems(items);
    for (QTreeWidgetItem *item : std::as_const(items)) {
        if (!chosenIdx.isEmpty() && item->text(Idx) == chosenIdx) {
            item->setSelected(true);
            m_tree->scrollToItem(item);
            break;
        }
    }
}

void DatabaseBrowserDialog::neuClear()
{
    for (QLineEdit *edit : m_filters) {
        const QSignalBlocker blocker(edit);
        edit->clear();
    }
    {
        const QSignalBlocker genderBlocker(m_gender);
        const QSignalBlocker typeBlocker(m_type);
        m_gender->setCurrentIndex(0);
        m_type->setCurrentIndex(0);
    }
    readMeasureTable();
}

void DatabaseBrowserDialog::rowSelected()
{
    const QList<QTreeWidgetItem *> selected = m_tree->selectedItems();
    if (selected.isEmpty())
        return;
    Q_EMIT read_db(selected.first()->text(FileName));
    Q_EMIT measureChosen(selected.first()->text(FileName), selected.first()->text(Idx).toLongLong());
}

void DatabaseBrowserDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // Idx narrow, the names and the event wide; FileName takes the rest.
    static const double kFractions[6] = {0.06, 0.22, 0.1, 0.18, 0.16, 0.1};
    const int width = event->size().width();
    for (int c = 0; c < 6; ++c)
        m_tree->setColumnWidth(c, int(width * kFractions[c]));
}
