#pragma once

#include <QWidget>

class QAction;
class QFileSystemModel;
class QLabel;
class QListView;
class QModelIndex;

// The panel that lists the data files in the autosave directory, so that the
// operator can reopen a routine that was saved automatically.
class LogWidget : public QWidget
{
    Q_OBJECT
public:
    explicit LogWidget(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    QListView *listView() const { return m_filesystemListView; }
    QFileSystemModel *model() const { return m_model; }
    QAction *reverseSortAction() const { return m_actionReverseSort; }
    QAction *deleteAction() const { return m_actionDelete; }

Q_SIGNALS:
    void loadFile(QString filename);
    void openAutosaveConfig();

public Q_SLOTS:
    void showLog(bool show);
    void setPath(QString path);
    void clearSelection();

    // The entry the operator double-clicked: a file is loaded, a directory
    // (".." included) is entered.
    void activateEntry(const QModelIndex &index);
    // Removes the current entry when it is a file; directories are never deleted.
    void deleteSelectedFile();

private:
    void openFolder();
    void applySortOrder(bool descending);

    QFileSystemModel *m_model = nullptr;
    QLabel *m_headerLabel = nullptr;
    QLabel *m_disabledLabel = nullptr;
    QListView *m_filesystemListView = nullptr;
    QAction *m_actionReverseSort = nullptr;
    QAction *m_actionDelete = nullptr;
    QString m_path;
};
