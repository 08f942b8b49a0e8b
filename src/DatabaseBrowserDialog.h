#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;
class wsdb;

// "Database Browser": the stored measures under a filter; selecting one
// asks the main window to show it. On a competition server the list
// follows the routines other workstations store.
class DatabaseBrowserDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DatabaseBrowserDialog(wsdb &database, QWidget *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }
    QLabel *fileLabel() const { return m_file; }
    // Name, Date, Event, Competition, City, NOCCode.
    QLineEdit *filterEdit(int i) const { return m_filters[i]; }
    QComboBox *genderCombo() const { return m_gender; }
    QComboBox *typeCombo() const { return m_type; }

Q_SIGNALS:
    void read_db(QString name);
    // The same choice by row: names repeat when merged files held routines
    // saved in the same second.
    void measureChosen(QString name, qint64 idx);

public Q_SLOTS:
    void readMeasureTable();
    void neuClear();
    void rowSelected();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    wsdb &m_database;
    QLabel *m_file = nullptr;
    QLineEdit *m_filters[6] = {};
    QComboBox *m_gender = nullptr;
    QComboBox *m_type = nullptr;
    QTreeWidget *m_tree = nullptr;
    QTimer *m_refresh = nullptr;
};
