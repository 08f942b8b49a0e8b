#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class wsDaten;
class wsdb;

// "DB Config": switch to another database file, save the current one under
// a new name, create a new file with some of the tables, or merge another
// file into the current one. Every outcome, failures included, is shown in
// the dialog; a failed copy or load leaves the current file open.
class DatabaseConfigDialog : public QDialog
{
    Q_OBJECT
public:
    // Asks for a file name; tests answer without a dialog.
    using FileChooser =
        std::function<QString(bool save, const QString &title, const QString &start, const QString &filter)>;

    DatabaseConfigDialog(wsdb &database, wsDaten &store, QWidget *parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    // Shows the current file.
    void reload();

    QLabel *currentFileLabel() const { return m_current; }
    QLabel *resultLabel() const { return m_result; }
    // Athlets, Events, Competitions, Groups, Measures.
    QCheckBox *tableBox(int i) const { return m_tables[i]; }

Q_SIGNALS:
    // Another file became the current database.
    void databaseChanged(QString path);
    // Rows were added to the current database.
    void databaseMerged();

public Q_SLOTS:
    void neuBrowseLoad();
    void neuBrowseSave();
    void neuBrowseCreate();
    void neuBrowseMerge();

private:
    void copyAndSwitch(const QString &title, int flags);
    void showResult(const QString &text, bool failed);
    QString currentDirectory() const;

    wsdb &m_database;
    QLabel *m_current = nullptr;
    QLabel *m_result = nullptr;
    QCheckBox *m_tables[5] = {};
    FileChooser m_fileChooser;
};
