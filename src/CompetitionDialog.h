#pragma once

#include "StartListDialogSupport.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class wsDaten;
class wsdb;

// The competitions of the event chosen in the main window; every change is
// written at once. Without a chosen event nothing can be added.
class CompetitionDialog : public QDialog
{
    Q_OBJECT
public:
    CompetitionDialog(wsdb &database, wsDaten &store, QWidget *parent = nullptr);

    // Takes the current event of the start selection and shows its rows.
    void reload();

    QTreeWidget *tree() const { return m_tree; }
    QLabel *eventLabel() const { return m_event; }
    QLineEdit *nameEdit() const { return m_name; }
    QComboBox *genderCombo() const { return m_gender; }
    QComboBox *typeCombo() const { return m_type; }
    QPushButton *addButton() const { return m_buttons.add; }

public Q_SLOTS:
    void neuAdd();
    void neuReplace();
    void neuDelete();
    void neuOk();
    void neuItemClicked(QTreeWidgetItem *item, int column);

private:
    QString formName() const;
    void showValues(QTreeWidgetItem *item, const QString &name, int genderId, int typeId) const;
    void updateButtons();

    wsdb &m_database;
    wsDaten &m_store;
    QString m_eventName;
    QLabel *m_event = nullptr;
    QTreeWidget *m_tree = nullptr;
    QLineEdit *m_name = nullptr;
    QComboBox *m_gender = nullptr;
    QComboBox *m_type = nullptr;
    startlist::RowButtons m_buttons;
};
