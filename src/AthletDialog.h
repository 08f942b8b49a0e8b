#pragma once

#include "StartListDialogSupport.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class wsDaten;
class wsdb;

// The athletes of the competition database. Additions and deletions are
// kept in the dialog and written together on "OK", all or nothing;
// "Cancel" leaves the table as it was.
class AthletDialog : public QDialog
{
    Q_OBJECT
public:
    AthletDialog(wsdb &database, wsDaten &store, QWidget *parent = nullptr);

    // Shows the table as it is in the database and drops pending changes.
    void reload();

    QTreeWidget *tree() const { return m_tree; }
    QLineEdit *lastNameEdit() const { return m_fields[0]; }
    QLineEdit *firstNameEdit() const { return m_fields[1]; }
    QComboBox *genderCombo() const { return m_gender; }
    QLineEdit *yearEdit() const { return m_year; }
    QLineEdit *nocEdit() const { return m_fields[2]; }
    QLineEdit *nocCodeEdit() const { return m_fields[3]; }
    QLineEdit *emailEdit() const { return m_fields[4]; }
    QLineEdit *figLicenceEdit() const { return m_fields[5]; }
    QLineEdit *nationalLicenceEdit() const { return m_fields[6]; }
    QPushButton *addButton() const { return m_buttons.add; }

public Q_SLOTS:
    void addAthlete();
    void replaceAthlete();
    void deleteAthlete();
    void okButtonClicked();
    void cancelButtonClicked();
    void itemClicked(QTreeWidgetItem *item, int column);

private:
    QTreeWidgetItem *itemFromForm() const;
    void updateButtons();

    wsdb &m_database;
    QTreeWidget *m_tree = nullptr;
    // Last name, first name, NOC, NOC code, email, FIG licence, national licence.
    QLineEdit *m_fields[7] = {};
    QComboBox *m_gender = nullptr;
    QLineEdit *m_year = nullptr;
    startlist::RowButtons m_buttons;
    // Rows taken out of the database on "OK", by idx.
    QList<qint64> m_deleted;
};
