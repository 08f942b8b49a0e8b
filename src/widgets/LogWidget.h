#pragma once

#include <QWidget>

#include <functional>

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
    // Asks whether a file that cannot go to the trash is to be deleted for
    // good, naming it; tests answer without a box.
    using PermanentDeleteQuestion = std::function<bool(const QString &path)>;
    void setPermanentDeleteQuestion(PermanentDeleteQuestion question)
    {
        m_askPermanentDelete = std::move(question);
    }

Q_SIGNALS:
    void loadFile(QString filename);
    void openAutosaveConfig();
    // A saved file went to the trash, or was deleted for good.
    void fileRemoved(QString path, bool toTrash);

public Q_SLOTS:
    void showLog(bool show);
    void setPath(QString path);
    void clearSelection();

    // The entry the operator double-clicked: a file is loaded, a directory
    // (".." included) is entered.
    void activateEntry(const QModelIndex &index);
    // Moves the current entry to the desktop's trash when it is a file;
    // where there is no trash it asks, naming the file, before deleting it.
    // Directories are never deleted.
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
    PermanentDeleteQuestion m_askPermanentDelete;
};
