#include "StartListSelection.h"

#include "data/StartSelection.h"
#include "data/wsDaten.h"
#include "state/OvraState.h"
#include "state/RoutineAnnouncements.h"
#include "wsdb.h"

#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

#include <climits>

namespace {

void clearAthletes(StartSelection &s)
{
    s.startOrder = 0;
    s.competitor1No = -1;
    s.competitor2No = -1;
    s.athlete1 = StartSelectionAthlete();
    s.athlete2 = StartSelectionAthlete();
}

void clearGroup(StartSelection &s)
{
    s.groupName.clear();
    clearAthletes(s);
}

void clearCompetition(StartSelection &s)
{
    s.competitionName.clear();
    s.genderId = 0;
    s.typeId = 0;
    clearGroup(s);
}

// Refills a combo box behind its placeholder (item 0, empty data) without
// announcing the change; the entry named keep is chosen again when it is
// still there.
void refill(QComboBox *combo, const QString &placeholder, const QStringList &names, const QString &keep)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItem(placeholder);
    for (const QString &name : names)
        combo->addItem(name, name);
    const int index = keep.isEmpty() ? -1 : combo->findData(keep);
    combo->setCurrentIndex(index > 0 ? index : 0);
}

QString chosenName(const QComboBox *combo)
{
    return combo->currentIndex() > 0 ? combo->currentData().toString() : QString();
}

} // namespace

// The settings' view of one level of the choice: the stored value until the
// lists have been filled from an open database, the widget afterwards.
class StartListSelection::Target final : public IndexSelection
{
public:
    Target(StartListSelection &owner, std::size_t level)
        : m_owner(owner)
        , m_level(level)
    {}
    int count() const override
    {
        if (!m_owner.m_restored)
            return INT_MAX;
        return m_level == 3 ? m_owner.m_w.athletes->count() : combo()->count();
    }
    int currentIndex() const override
    {
        if (!m_owner.m_restored)
            return m_owner.m_stored[m_level];
        if (m_level == 3)
            return m_owner.m_browseMeasuresMode ? -1 : m_owner.m_w.athletes->currentRow();
        return combo()->currentIndex();
    }
    void setCurrentIndex(int index) override
    {
        if (!m_owner.m_restored)
            m_owner.m_stored[m_level] = index;
        else if (m_level == 3)
            m_owner.m_w.athletes->setCurrentRow(index);
        else
            combo()->setCurrentIndex(index);
    }

private:
    QComboBox *combo() const
    {
        return m_level == 0 ? m_owner.m_w.event : m_level == 1 ? m_owner.m_w.competition : m_owner.m_w.group;
    }
    StartListSelection &m_owner;
    std::size_t m_level;
};

StartListSelection::StartListSelection(wsdb &database, wsDaten &store, const Widgets &widgets,
                                       RoutineAnnouncements &announcements, QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_store(store)
    , m_w(widgets)
    , m_announcements(announcements)
{
    for (std::size_t level = 0; level < m_targets.size(); ++level)
        m_targets[level] = std::make_unique<Target>(*this, level);
    connect(m_w.event, &QComboBox::currentIndexChanged, this, &StartListSelection::neuEvent);
    connect(m_w.competition, &QComboBox::currentIndexChanged, this, &StartListSelection::neuCompetition);
    connect(m_w.group, &QComboBox::currentIndexChanged, this, &StartListSelection::neuGroup);
    connect(m_w.athletes, &QListWidget::currentRowChanged, this, &StartListSelection::neuAthlet);
    // The chosen athlete stays in view, with the next ones below.
    connect(m_w.athletes, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (current)
            m_w.athletes->scrollToItem(current, QAbstractItemView::PositionAtCenter);
    });
    connect(m_w.athletes, &QListWidget::itemDoubleClicked, this, &StartListSelection::neuAthletDetails);
    using A = RoutineAnnouncements;
    m_announcements.setStartEntryCompletion(
        [this](const StartSelection &named) { return completeStartEntry(named); });
    connect(&m_announcements, &A::listChoiceCleared, this, [this](int source) {
        if (source == A::DatabaseList)
            clearAthleteChoice();
    });
    connect(&m_announcements, &A::listAdvanceRequested, this, [this](int source) {
        if (source == A::DatabaseList)
            nextAthlete();
    });
    connect(&m_announcements, &A::listStepRequested, this, [this](int source, int step) {
        if (source == A::DatabaseList)
            stepAthlete(step);
    });
    fillEventList();
}

StartListSelection::~StartListSelection() = default;

void StartListSelection::fillEventList()
{
    refill(m_w.event, tr("Select Event"), m_database.eventNames(), m_store.startSelection().eventName);
    m_w.competition->setEnabled(m_w.event->currentIndex() > 0);
    fillCompetitionList();
}

void StartListSelection::fillCompetitionList()
{
    const StartSelection &s = m_store.startSelection();
    const QStringList names =
        m_w.event->currentIndex() > 0 ? m_database.competitionNames(s.eventName) : QStringList();
    refill(m_w.competition, tr("Select Competition"), names, s.competitionName);
    m_w.group->setEnabled(m_w.competition->currentIndex() > 0);
    fillGroupList();
}

void StartListSelection::fillGroupList()
{
    const StartSelection &s = m_store.startSelection();
    const QStringList names = m_w.competition->currentIndex() > 0
                                  ? m_database.groupNames(s.eventName, s.competitionName)
                                  : QStringList();
    refill(m_w.group, tr("Select Group"), names, s.groupName);
}

void StartListSelection::refresh()
{
    if (!m_restored && m_database.isOpen()) {
        restoreStoredChoice();
        return;
    }
    // The choice is kept by name; what no longer exists is chosen no more.
    StartSelection &s = m_store.startSelection();
    const QString event = s.eventName;
    const QString competition = s.competitionName;
    const QString group = s.groupName;
    const QListWidgetItem *current = m_browseMeasuresMode ? nullptr : m_w.athletes->currentItem();
    // An entry is known by its names and numbers, not by its place.
    const auto entry = [](const QString &line) { return line.mid(line.indexOf(QLatin1Char(':')) + 1); };
    const QString athlete = current ? entry(current->text()) : QString();
    m_browseMeasuresMode = false;
    fillEventList();
    if (chosenName(m_w.event) != event) {
        neuEvent(m_w.event->currentIndex());
        return;
    }
    m_database.readEvent(event);
    if (chosenName(m_w.competition) != competition) {
        neuCompetition(m_w.competition->currentIndex());
        return;
    }
    m_database.readCompetition(competition);
    if (chosenName(m_w.group) != group) {
        neuGroup(m_w.group->currentIndex());
        return;
    }
    neuGroup(m_w.group->currentIndex());
    // The same start entry, wherever a new start order put it.
    for (int row = 0; !athlete.isEmpty() && row < m_w.athletes->count(); ++row) {
        if (entry(m_w.athletes->item(row)->text()) == athlete) {
            m_w.athletes->setCurrentRow(row);
            break;
        }
    }
}

void StartListSelection::startListsChangedElsewhere()
{
    m_refreshDeferred = true;
    refreshIfDeferred();
}

void StartListSelection::refreshIfDeferred()
{
    // A routine under way keeps the athlete it was started with; the list
    // of stored measures stays while the operator looks at it.
    const int state = m_announcements.currentState();
    const bool idle = state == OvraState::WAIT || state == OvraState::READY || state == OvraState::NO_FOCUS;
    if (!m_refreshDeferred || !idle || m_browseMeasuresMode)
        return;
    m_refreshDeferred = false;
    refresh();
}

void StartListSelection::restoreStoredChoice()
{
    // The combo boxes were empty when the settings were loaded; the stored
    // choice is applied level by level now, each under the same rule as a
    // loaded index (only when below the item count).
    m_store.startSelection() = StartSelection();
    fillEventList();
    const std::array<int, 4> stored = m_stored;
    m_restored = true;
    QComboBox *combos[] = {m_w.event, m_w.competition, m_w.group};
    for (std::size_t level = 0; level < 3; ++level) {
        if (stored[level] <= 0 || stored[level] >= combos[level]->count())
            return;
        combos[level]->setCurrentIndex(stored[level]);
    }
    if (stored[3] >= 0 && stored[3] < m_w.athletes->count())
        m_w.athletes->setCurrentRow(stored[3]);
}

void StartListSelection::neuEvent(int index)
{
    StartSelection &s = m_store.startSelection();
    s = StartSelection();
    m_w.competition->setEnabled(false);
    m_w.group->setEnabled(false);
    if (index > 0) {
        m_browseMeasuresMode = false;
        m_database.readEvent(m_w.event->itemData(index).toString());
        m_w.competition->setEnabled(true);
    }
    fillCompetitionList();
    showAthletes({});
    Q_EMIT focusMainWindow();
}

void StartListSelection::neuCompetition(int index)
{
    clearCompetition(m_store.startSelection());
    m_w.group->setEnabled(false);
    if (index > 0) {
        m_browseMeasuresMode = false;
        m_database.readCompetition(m_w.competition->itemData(index).toString());
        m_w.group->setEnabled(true);
    }
    fillGroupList();
    showAthletes({});
    Q_EMIT focusMainWindow();
}

void StartListSelection::neuGroup(int index)
{
    StartSelection &s = m_store.startSelection();
    clearGroup(s);
    QStringList lines;
    if (index > 0) {
        m_browseMeasuresMode = false;
        s.groupName = m_w.group->itemData(index).toString();
        m_database.listGroupEntries(lines);
    }
    showAthletes(lines);
    Q_EMIT focusMainWindow();
}

void StartListSelection::showAthletes(const QStringList &lines)
{
    // A new list has no athlete chosen: what was announced from the old
    // one is withdrawn.
    {
        const QSignalBlocker blocker(m_w.athletes);
        m_w.athletes->clear();
        m_w.athletes->addItems(lines);
    }
    m_w.athleteLabel->clear();
    m_announcements.withdraw(RoutineAnnouncements::DatabaseList);
}

void StartListSelection::neuAthlet()
{
    qDebug() << "neuAthlet()";
    const QListWidgetItem *item = m_w.athletes->currentItem();
    if (item == nullptr)
        return;
    if (m_browseMeasuresMode) {
        Q_EMIT loadMeasure(item->text());
        Q_EMIT focusMainWindow();
        return;
    }
    const QString line = item->text();
    m_w.athleteLabel->setText(line);
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon >= 1) {
        // The entry is found again by its start order; its names come from
        // the database, never from the display text.
        StartSelection &s = m_store.startSelection();
        clearAthletes(s);
        bool number = false;
        const int startOrder = line.left(colon).toInt(&number);
        const bool found = number && m_database.selectStartEntry(startOrder);
        if (!found)
            qWarning().noquote() << "The start entry" << line << "is no longer in the database";
        if (line.size() >= colon + 3) {
            const QString event = m_w.event->currentText();
            const QString competition = m_w.competition->currentText();
            const QString group = m_w.group->currentText();
            qDebug().noquote() << "Event selected:" << event;
            qDebug().noquote() << "Competition selected:" << competition;
            qDebug().noquote() << "Group selected:" << group;
            QMap<QString, QString> meta = athleteMeta(s, event, competition, group);
            if (!found) {
                for (const char *key : {"lastname", "firstname"})
                    meta.remove(QString::fromLatin1(key));
            }
            m_announcements.announce(meta, RoutineAnnouncements::DatabaseList, &s);
        }
    }
    Q_EMIT focusMainWindow();
}

StartSelection StartListSelection::completeStartEntry(const StartSelection &named) const
{
    StartSelection s = named;
    if (s.eventName.isEmpty())
        return s;
    const auto text = [](const QVariantMap &row, const char *column) {
        return row.value(QString::fromLatin1(column)).toString();
    };
    const auto number = [](const QVariantMap &row, const char *column, int fallback) {
        const QVariant value = row.value(QString::fromLatin1(column));
        return value.isValid() ? value.toInt() : fallback;
    };
    const QList<QVariantMap> events = m_database.select(
        QStringLiteral("SELECT City, NOCCode, DateFrom, DateTo FROM Events WHERE EventName=? AND "
                       "CompetitionName='__ws_def_event__';"),
        {s.eventName});
    if (events.size() == 1) {
        s.city = text(events[0], "City");
        s.nocCode = text(events[0], "NOCCode");
        s.dateFrom = text(events[0], "DateFrom");
        s.dateTo = text(events[0], "DateTo");
    }
    const QList<QVariantMap> competitions = m_database.select(
        QStringLiteral(
            "SELECT GenderID, TypeID FROM Competitions WHERE EventName=? AND CompetitionName=? AND "
            "GroupName='__ws_def_competition__';"),
        {s.eventName, s.competitionName});
    if (competitions.size() == 1) {
        s.genderId = number(competitions[0], "GenderID", 0);
        s.typeId = number(competitions[0], "TypeID", 0);
    }
    if (s.athlete1.lastName.isEmpty())
        return s;
    // Names are compared as stored; an entry without a first name or second
    // athlete has NULL or an empty text there.
    const QList<QVariantMap> entries = m_database.select(
        QStringLiteral("SELECT * FROM Groups WHERE EventName=? AND CompetitionName=? AND GroupName=? AND "
                       "LastName1=? AND IFNULL(FirstName1, '')=? AND IFNULL(LastName2, '')=? AND "
                       "IFNULL(FirstName2, '')=? AND LastName1 <> '__ws_def_group__';"),
        {s.eventName, s.competitionName, s.groupName, s.athlete1.lastName, s.athlete1.firstName,
         s.athlete2.lastName, s.athlete2.firstName});
    if (entries.size() != 1)
        return s;
    const QVariantMap &row = entries[0];
    const auto athlete = [&](StartSelectionAthlete &a, const char *suffix) {
        const auto column = [suffix](const char *base) { return QByteArray(base).append(suffix); };
        a.gender = text(row, column("Gender").constData());
        a.year = number(row, column("Year").constData(), 0);
        a.nocCode = text(row, column("NOCCode").constData());
        a.idFig = text(row, column("IDFIG").constData());
    };
    s.startOrder = number(row, "StartOrder", 0);
    s.competitor1No = number(row, "Competitor1No", -1);
    s.competitor2No = number(row, "Competitor2No", -1);
    athlete(s.athlete1, "1");
    athlete(s.athlete2, "2");
    s.genderId = number(row, "GenderID", s.genderId);
    s.typeId = number(row, "TypeID", s.typeId);
    return s;
}

QMap<QString, QString> StartListSelection::athleteMeta(const StartSelection &s, const QString &event,
                                                       const QString &competition, const QString &group)
{
    QMap<QString, QString> meta;
    meta.insert(QStringLiteral("event"), event);
    meta.insert(QStringLiteral("competition"), competition);
    meta.insert(QStringLiteral("group"), group);
    const auto person = [&meta](const StartSelectionAthlete &a, const QString &suffix) {
        meta.insert(QStringLiteral("lastname") + suffix, a.lastName);
        if (!a.firstName.isEmpty())
            meta.insert(QStringLiteral("firstname") + suffix, a.firstName);
    };
    if (s.athlete2.lastName.isEmpty()) {
        person(s.athlete1, QString());
    } else {
        person(s.athlete1, QStringLiteral("1"));
        person(s.athlete2, QStringLiteral("2"));
    }
    return meta;
}

void StartListSelection::neuAthletDetails()
{
    qDebug() << "neuAthletDetails()";
    if (m_browseMeasuresMode)
        return;
    const QListWidgetItem *item = m_w.athletes->currentItem();
    if (item == nullptr)
        return;
    m_w.athleteLabel->setText(item->text());
    QStringList names;
    m_database.listMeasureNames(names);
    const QSignalBlocker blocker(m_w.athletes);
    m_browseMeasuresMode = true;
    m_w.athletes->clear();
    m_w.athletes->addItems(names);
}

void StartListSelection::neuClearAthlet()
{
    m_browseMeasuresMode = false;
    m_w.athleteLabel->clear();
    neuGroup(m_w.group->currentIndex());
}

void StartListSelection::clearAthleteChoice()
{
    clearAthletes(m_store.startSelection());
    if (!m_browseMeasuresMode) {
        const QSignalBlocker blocker(m_w.athletes);
        m_w.athletes->setCurrentRow(-1);
        m_w.athletes->clearSelection();
    }
    m_w.athleteLabel->clear();
    m_announcements.withdraw(RoutineAnnouncements::DatabaseList);
}

void StartListSelection::nextAthlete()
{
    const int row = m_w.athletes->currentRow();
    if (m_browseMeasuresMode || row < 0)
        return;
    if (row + 1 < m_w.athletes->count())
        m_w.athletes->setCurrentRow(row + 1);
    else
        clearAthleteChoice();
}

void StartListSelection::stepAthlete(int step)
{
    if (m_browseMeasuresMode || m_w.athletes->count() == 0)
        return;
    const int row = m_w.athletes->currentRow();
    const int target = row < 0 ? (step > 0 ? 0 : -1) : row + step;
    if (target >= 0 && target < m_w.athletes->count() && target != row)
        m_w.athletes->setCurrentRow(target);
}
