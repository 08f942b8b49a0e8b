#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class wsDaten;
class wsdb;

// The groups of a competition of the chosen event and the start list of
// one group. Group definitions are written at once; the start list of the
// selected group is written on "OK" in one transaction, in the order shown.
class GroupDialog : public QDialog
{
    Q_OBJECT
public:
    // The start list's columns.
    enum Column {
        Order,
        No1,
        Name1,
        LastName1,
        FirstName1,
        Gender1,
        Year1,
        NocCode1,
        IdFig1,
        No2,
        Name2,
        LastName2,
        FirstName2,
        Gender2,
        Year2,
        NocCode2,
        IdFig2,
        NocCode,
        GenderId,
        TypeId,
        ColumnCount
    };

    GroupDialog(wsdb &database, wsDaten &store, QWidget *parent = nullptr);

    // Takes the current event (and competition and group, when chosen) of
    // the start selection and shows their rows; drops unsaved changes.
    void reload();

    QLabel *eventLabel() const { return m_event; }
    QComboBox *competitionCombo() const { return m_competition; }
    QComboBox *groupCombo() const { return m_group; }
    QTreeWidget *athleteTree() const { return m_athletes; }
    QTreeWidget *startList() const { return m_startList; }
    QLineEdit *searchNameEdit() const { return m_searchName; }
    QLineEdit *searchNocEdit() const { return m_searchNoc; }
    QComboBox *searchGenderCombo() const { return m_searchGender; }
    QLineEdit *competitor1Edit() const { return m_competitor1; }
    QLineEdit *competitor2Edit() const { return m_competitor2; }
    QPushButton *addGroupButton() const { return m_addGroup; }

public Q_SLOTS:
    void neuCompetition(int index);
    void neuGroupAdd();
    void neuGroupDel();
    void neuGroupSelect(int index);
    void neuSearchName(const QString &text);
    void neuSearchNOC(const QString &text);
    void neuSearchGender(int index);
    void neuAthletItemDoubleClicked(QTreeWidgetItem *item, int column);
    void neuItemClicked(QTreeWidgetItem *item, int column);
    void neuItemUp();
    void neuItemDown();
    void neuDeleteItem();
    void neuReplace();
    void neuOk();
    void neuCancel();

private:
    void searchAthletes();
    void moveItem(int offset);
    void renumber();
    void updateButtons();
    QString competitionName() const;
    QString groupName() const;
    bool synchronized() const;

    wsdb &m_database;
    wsDaten &m_store;
    QString m_eventName;
    QLabel *m_event = nullptr;
    QComboBox *m_competition = nullptr;
    QComboBox *m_group = nullptr;
    QPushButton *m_addGroup = nullptr;
    QPushButton *m_deleteGroup = nullptr;
    QLineEdit *m_searchName = nullptr;
    QLineEdit *m_searchNoc = nullptr;
    QComboBox *m_searchGender = nullptr;
    QTreeWidget *m_athletes = nullptr;
    QTreeWidget *m_startList = nullptr;
    QLineEdit *m_competitor1 = nullptr;
    QLineEdit *m_competitor2 = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
    QPushButton *m_deleteItem = nullptr;
    QPushButton *m_replace = nullptr;
    int m_nextOrder = 1;
    // A pair whose second athlete is still to be double-clicked.
    QTreeWidgetItem *m_pendingPair = nullptr;
};
