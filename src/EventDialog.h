#pragma once

#include "StartListDialogSupport.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class wsDaten;
class wsdb;

// The events of the competition database; every change is written at once.
class EventDialog : public QDialog
{
    Q_OBJECT
public:
    EventDialog(wsdb &database, wsDaten &store, QWidget *parent = nullptr);

    void reload();

    QTreeWidget *tree() const { return m_tree; }
    // Name, city, NOC code, date from, date to.
    QLineEdit *field(int i) const { return m_fields[i]; }
    QPushButton *addButton() const { return m_buttons.add; }
    // Says why an event was not added.
    QLabel *messageLabel() const { return m_message; }

public Q_SLOTS:
    void neuAdd();
    void neuReplace();
    void neuDelete();
    void neuOk();
    void neuItemClicked(QTreeWidgetItem *item, int column);
    void neuItemDoubleclicked(QTreeWidgetItem *item, int column);

private:
    QVariantList formValues() const;
    void showValues(QTreeWidgetItem *item, const QVariantList &values) const;
    void updateButtons();

    wsdb &m_database;
    QTreeWidget *m_tree = nullptr;
    QLineEdit *m_fields[5] = {};
    QLabel *m_message = nullptr;
    startlist::RowButtons m_buttons;
};
