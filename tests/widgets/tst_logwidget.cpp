#include "support/TestSupport.h"
#include "widgets/LogWidget.h"

#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QSignalSpy>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// Names the list shows below its root, once the model has read the directory.
QStringList shownNames(LogWidget &widget)
{
    QFileSystemModel *model = widget.model();
    const QModelIndex root = widget.listView()->rootIndex();
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row)
        names << model->index(row, 0, root).data().toString();
    names.sort();
    return names;
}

QModelIndex entry(LogWidget &widget, const QString &name)
{
    const QModelIndex root = widget.listView()->rootIndex();
    for (int row = 0; row < widget.model()->rowCount(root); ++row) {
        const QModelIndex index = widget.model()->index(row, 0, root);
        if (index.data().toString() == name)
            return index;
    }
    return {};
}

} // namespace

class TestLogWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        const QString root = m_dir->path();
        touch(root + QStringLiteral("/20240305_140709.dat"));
        touch(root + QStringLiteral("/notes.txt"));
        touch(root + QStringLiteral("/routine.dat.bak"));
        QVERIFY(QDir(root).mkpath(QStringLiteral("athletes/A")));
        touch(root + QStringLiteral("/athletes/AB.dat"));
        touch(root + QStringLiteral("/athletes/readme.md"));
    }

    void listsOnlyDataFilesAndDirectories()
    {
        LogWidget widget;
        widget.setPath(m_dir->path());
        QTRY_COMPARE(shownNames(widget),
                     (QStringList{QStringLiteral(".."), QStringLiteral("20240305_140709.dat"),
                                  QStringLiteral("athletes")}));
    }

    void missingDirectoryChangesNothing()
    {
        LogWidget widget;
        widget.setPath(m_dir->path());
        widget.setPath(m_dir->path() + QStringLiteral("/does-not-exist"));
        QCOMPARE(widget.path(), m_dir->path());
    }

    void doubleClickNavigatesAndLoads()
    {
        LogWidget widget;
        widget.resize(300, 400);
        widget.showLog(true);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.setPath(m_dir->path());
        QTRY_VERIFY(entry(widget, QStringLiteral("athletes")).isValid());

        // Into the subdirectory by a real double-click on its row.
        QListView *view = widget.listView();
        const QRect rect = view->visualRect(entry(widget, QStringLiteral("athletes")));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_COMPARE(shownNames(widget),
                     (QStringList{QStringLiteral(".."), QStringLiteral("A"), QStringLiteral("AB.dat")}));

        QSignalSpy load(&widget, &LogWidget::loadFile);
        widget.activateEntry(entry(widget, QStringLiteral("AB.dat")));
        QCOMPARE(load.count(), 1);
        QCOMPARE(load.first().first().toString(), m_dir->path() + QStringLiteral("/athletes/AB.dat"));

        widget.activateEntry(entry(widget, QStringLiteral("..")));
        QCOMPARE(widget.path(), QDir::cleanPath(m_dir->path()));
        QTRY_VERIFY(entry(widget, QStringLiteral("20240305_140709.dat")).isValid());
        QCOMPARE(load.count(), 1);

        widget.activateEntry(QModelIndex());
        QCOMPARE(load.count(), 1);
    }

    void deleteMovesFilesToTheTrashButNeverDirectories()
    {
        LogWidget widget;
        QSignalSpy removed(&widget, &LogWidget::fileRemoved);
        widget.setPath(m_dir->path());
        QTRY_VERIFY(entry(widget, QStringLiteral("athletes")).isValid());

        widget.listView()->setCurrentIndex(entry(widget, QStringLiteral("athletes")));
        widget.deleteAction()->trigger();
        QVERIFY(QFileInfo(m_dir->path() + QStringLiteral("/athletes")).isDir());
        QVERIFY(QFile::exists(m_dir->path() + QStringLiteral("/athletes/AB.dat")));

        const QString file = m_dir->path() + QStringLiteral("/20240305_140709.dat");
        widget.listView()->setCurrentIndex(entry(widget, QStringLiteral("20240305_140709.dat")));
        widget.deleteAction()->trigger();
        QVERIFY(!QFile::exists(file));
        // It went to the trash, not into oblivion.
        QVERIFY(QFile::exists(qEnvironmentVariable("XDG_DATA_HOME") +
                              QStringLiteral("/Trash/files/20240305_140709.dat")));
        QTRY_VERIFY(!entry(widget, QStringLiteral("20240305_140709.dat")).isValid());
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toBool(), true);

        // Where there is no trash the operator is asked, with the file's
        // name; no means the file stays.
        const QString kept = m_dir->path() + QStringLiteral("/athletes/AB.dat");
        QStringList asked;
        bool answer = false;
        widget.setPermanentDeleteQuestion([&](const QString &path) {
            asked << path;
            return answer;
        });
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", "/proc/no-trash-here");
        widget.setPath(m_dir->path() + QStringLiteral("/athletes"));
        QTRY_VERIFY(entry(widget, QStringLiteral("AB.dat")).isValid());
        widget.listView()->setCurrentIndex(entry(widget, QStringLiteral("AB.dat")));
        widget.deleteAction()->trigger();
        QCOMPARE(asked, QStringList{kept});
        QVERIFY(QFile::exists(kept));
        answer = true;
        widget.deleteAction()->trigger();
        qputenv("XDG_DATA_HOME", dataHome);
        QVERIFY(!QFile::exists(kept));
        QCOMPARE(removed.count(), 2);
        QCOMPARE(removed.at(1).at(1).toBool(), false);
    }

    void visibilityFollowsTheFileSaveSwitch()
    {
        LogWidget widget;
        widget.show();
        auto *disabled = widget.findChild<QLabel *>(QStringLiteral("disabledLabel"));
        auto *header = widget.findChild<QLabel *>(QStringLiteral("headerLabel"));
        QVERIFY(disabled && header);
        widget.showLog(false);
        QVERIFY(!widget.listView()->isVisible());
        QVERIFY(!header->isVisible());
        QVERIFY(disabled->isVisible());
        widget.showLog(true);
        QVERIFY(widget.listView()->isVisible());
        QVERIFY(header->isVisible());
        QVERIFY(!disabled->isVisible());
    }

    void contextMenuOrderAndSorting()
    {
        LogWidget widget;
        QStringList texts;
        for (QAction *action : widget.actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("Open autosave config"),
                                     QStringLiteral("Open folder in the file manager"),
                                     QStringLiteral("Reverse sort order"),
                                     QStringLiteral("Move selected file to the trash")}));
        QSignalSpy config(&widget, &LogWidget::openAutosaveConfig);
        widget.actions().first()->trigger();
        QCOMPARE(config.count(), 1);

        touch(m_dir->path() + QStringLiteral("/zz.dat"));
        widget.setPath(m_dir->path());
        QTRY_VERIFY(entry(widget, QStringLiteral("zz.dat")).isValid());
        QVERIFY(!widget.reverseSortAction()->isChecked());
        widget.reverseSortAction()->trigger();
        QTRY_VERIFY(entry(widget, QStringLiteral("zz.dat")).row() <
                    entry(widget, QStringLiteral("20240305_140709.dat")).row());
        widget.reverseSortAction()->trigger();
        QTRY_VERIFY(entry(widget, QStringLiteral("zz.dat")).row() >
                    entry(widget, QStringLiteral("20240305_140709.dat")).row());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

OVRA_TEST_GUI_MAIN(TestLogWidget)
#include "tst_logwidget.moc"
