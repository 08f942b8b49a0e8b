#pragma once

#include "db/PostgresConnection.h"
#include "db/ServerAddress.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class StatusLight;
class wsDaten;
class wsdb;
template <typename T> class QFutureWatcher;

// "DB Config": choose the competition database (the local file or a
// competition server, with a test of the server), switch to another file,
// save the current database into a file, create a new file with some of
// the tables, or merge another database into the current one. Every
// outcome, failures included, is shown in the dialog; a failed switch, copy
// or load leaves the current database open.
//
// The server's password never goes into the settings: a password typed here
// is used for the test and written into the user's password file (libpq's
// ~/.pgpass, readable by the user only), where every later connection finds
// it.
class DatabaseConfigDialog : public QDialog
{
    Q_OBJECT
public:
    // Asks for a file name; tests answer without a dialog.
    using FileChooser =
        std::function<QString(bool save, const QString &title, const QString &start, const QString &filter)>;

    DatabaseConfigDialog(wsdb &database, wsDaten &store, QWidget *parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    // The settings' file and server, offered when the other one is in use.
    void setLocalFile(const QString &path) { m_localFile = path; }
    void setServerAddress(const ovra::db::ServerAddress &address);
    ovra::db::ServerAddress serverAddress() const;
    // Shows the current database.
    void reload();

    QLabel *currentFileLabel() const { return m_current; }
    QLabel *resultLabel() const { return m_result; }
    // Athlets, Events, Competitions, Groups, Measures.
    QCheckBox *tableBox(int i) const { return m_tables[i]; }
    QRadioButton *fileChoice() const { return m_fileChoice; }
    QRadioButton *serverChoice() const { return m_serverChoice; }
    QLineEdit *passwordEdit() const { return m_password; }
    StatusLight *testLight() const { return m_testLight; }
    QLabel *testLabel() const { return m_testLabel; }

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
    // Tries the server in the fields (in the background; the light tells).
    void testServer();
    // Makes the chosen kind the current database: the local file, or the
    // server in the fields when it answers.
    void useChoice();
    // Adds the rows of the server in the fields to the current file.
    void mergeFromServer();

private:
    void copyAndSwitch(const QString &title, int flags);
    void showResult(const QString &text, bool failed);
    QString currentDirectory() const;
    void updateChoice();
    void testFinished();
    // Writes a typed password into the password file; false (and says so)
    // when it cannot.
    bool storePassword();

    wsdb &m_database;
    QLabel *m_current = nullptr;
    QLabel *m_result = nullptr;
    QCheckBox *m_tables[5] = {};
    QRadioButton *m_fileChoice = nullptr;
    QRadioButton *m_serverChoice = nullptr;
    QLineEdit *m_host = nullptr;
    QSpinBox *m_port = nullptr;
    QLineEdit *m_databaseName = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QPushButton *m_test = nullptr;
    QPushButton *m_use = nullptr;
    QPushButton *m_mergeServer = nullptr;
    StatusLight *m_testLight = nullptr;
    QLabel *m_testLabel = nullptr;
    QFutureWatcher<ovra::db::PostgresConnection::Probe> *m_probe = nullptr;
    QString m_localFile;
    FileChooser m_fileChooser;
};
