#include "widgets/LogWidget.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPalette>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

LogWidget::LogWidget(QWidget *parent)
    : QWidget(parent)
    , m_model(new QFileSystemModel(this))
    , m_headerLabel(new QLabel(tr("Saved files"), this))
    , m_disabledLabel(new QLabel(tr("Automatic saving to files is switched off."), this))
    , m_filesystemListView(new QListView(this))
{
    m_headerLabel->setObjectName(QStringLiteral("headerLabel"));
    m_disabledLabel->setObjectName(QStringLiteral("disabledLabel"));
    m_disabledLabel->setWordWrap(true);
    m_filesystemListView->setObjectName(QStringLiteral("filesystemListView"));
    m_filesystemListView->setFrameShape(QFrame::NoFrame);
    m_filesystemListView->setFocusPolicy(Qt::NoFocus);
    m_filesystemListView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_filesystemListView->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_filesystemListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_filesystemListView->setAlternatingRowColors(true);
    QPalette palette = m_filesystemListView->palette();
    palette.setColor(QPalette::AlternateBase, QColor(232, 232, 232));
    m_filesystemListView->setPalette(palette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_headerLabel);
    layout->addWidget(m_disabledLabel);
    layout->addWidget(m_filesystemListView, 1);

    connect(m_filesystemListView, &QListView::doubleClicked, this, &LogWidget::activateEntry);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    QAction *openConfig = new QAction(tr("Open autosave config"), this);
    connect(openConfig, &QAction::triggered, this, &LogWidget::openAutosaveConfig);
    QAction *openFolderAction = new QAction(tr("Open folder in the file manager"), this);
    connect(openFolderAction, &QAction::triggered, this, &LogWidget::openFolder);
    m_actionReverseSort = new QAction(tr("Reverse sort order"), this);
    m_actionReverseSort->setCheckable(true);
    m_actionReverseSort->setChecked(false);
    connect(m_actionReverseSort, &QAction::toggled, this, &LogWidget::applySortOrder);
    m_actionDelete = new QAction(tr("Move selected file to the trash"), this);
    connect(m_actionDelete, &QAction::triggered, this, &LogWidget::deleteSelectedFile);
    addActions({openConfig, openFolderAction, m_actionReverseSort, m_actionDelete});
}

void LogWidget::showLog(bool show)
{
    m_filesystemListView->setVisible(show);
    m_headerLabel->setVisible(show);
    m_disabledLabel->setVisible(!show);
}

void LogWidget::setPath(QString path)
{
    if (!QFileInfo::exists(path) || path == m_path)
        return;
    m_path = path;
    m_model->setRootPath(path);
    m_model->setNameFilters({QStringLiteral("*.dat")});
    m_model->setNameFilterDisables(false);
    m_model->setFilter(QDir::Files | QDir::AllDirs | QDir::NoDot);
    m_filesystemListView->setModel(m_model);
    m_filesystemListView->setRootIndex(m_model->index(path));
}

void LogWidget::clearSelection()
{
    m_filesystemListView->clearSelection();
}

void LogWidget::activateEntry(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString filePath = m_model->filePath(index);
    const QFileInfo info(filePath);
    if (info.isFile())
        Q_EMIT loadFile(filePath);
    else if (info.isDir())
        setPath(QDir::cleanPath(filePath));
}

void LogWidget::deleteSelectedFile()
{
    const QModelIndex index = m_filesystemListView->currentIndex();
    if (!index.isValid())
        return;
    const QString filePath = m_model->filePath(index);
    if (!QFileInfo(filePath).isFile())
        return;
    // The file goes to the desktop's trash, so a slip of the mouse under
    // competition pressure does not cost a routine. The trash lives in the
    // user's data directory.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty() && QDir().mkpath(dataHome) && QFile::moveToTrash(filePath)) {
        Q_EMIT fileRemoved(filePath, true);
        return;
    }
    // Without a trash the file would be gone for good: only when the
    // operator says so, knowing which one.
    const bool remove =
        m_askPermanentDelete
            ? m_askPermanentDelete(filePath)
            : QMessageBox::question(this, tr("Delete file"),
                                    tr("%1 cannot be moved to the trash. Delete it for good?")
                                        .arg(QDir::toNativeSeparators(filePath)),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    if (remove && QFile::remove(filePath))
        Q_EMIT fileRemoved(filePath, false);
}

void LogWidget::openFolder()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_path));
}

void LogWidget::applySortOrder(bool descending)
{
    m_model->sort(0, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}
