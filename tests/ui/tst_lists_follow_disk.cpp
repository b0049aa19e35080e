// Another program changes the shown folder: the lists follow by themselves,
// and what the user picked stays picked.

#include "WindowHarness.h"
#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"

#include <QDir>
#include <QListView>
#include <QTemporaryDir>

using namespace tabulink;

namespace {
QStringList rows(const QListView *view)
{
    QStringList result;
    for (int i = 0; i < view->model()->rowCount(); ++i)
        result << view->model()->index(i, 0).data().toString();
    return result;
}
} // namespace

class TestListsFollowDisk : public QObject
{
    Q_OBJECT
private slots:
    void listsFollowTheShownFolder()
    {
        QTemporaryDir tmp;
        const QString d = tmp.path();
        for (const char *name : {"/a.csv", "/m.csv", "/z.txt"})
            QVERIFY(TestFiles::writeAll(d + name, "x"));
        WindowHarness h;
        QVERIFY(h.window->browsePanel()->setFolder(d));
        auto *files = h.find<QListView>("File1");
        auto *folders = h.find<QListView>("Dir1");
        files->setCurrentIndex(files->model()->index(1, 0));
        QTest::keyClick(files, Qt::Key_Return); // picks m.csv
        QCOMPARE(h.window->browsePanel()->selectedFileName(), QStringLiteral("m.csv"));
        const int chain = folders->model()->rowCount();

        QVERIFY(TestFiles::writeAll(d + "/b.csv", "x"));
        QTRY_COMPARE(rows(files), (QStringList{"a.csv", "b.csv", "m.csv", "z.txt"}));
        QVERIFY(QFile::rename(d + "/z.txt", d + "/c.txt"));
        QTRY_COMPARE(rows(files), (QStringList{"a.csv", "b.csv", "c.txt", "m.csv"}));
        QVERIFY(QFile::remove(d + "/a.csv"));
        QVERIFY(QDir(d).mkdir("new folder"));
        QTRY_COMPARE(rows(files), (QStringList{"b.csv", "c.txt", "m.csv"}));
        QTRY_COMPARE(rows(folders).mid(chain), QStringList{"new folder"});
        QCOMPARE(files->currentIndex().data().toString(), QStringLiteral("m.csv"));
        QCOMPARE(files->selectionModel()->selectedIndexes().size(), 1);
        QCOMPARE(files->selectionModel()->selectedIndexes().first().data().toString(), QStringLiteral("m.csv"));
        QCOMPARE(h.window->browsePanel()->selectedFileName(), QStringLiteral("m.csv"));
        QCOMPARE(h.dialogs.calls().size(), 0);
    }
};

QTEST_MAIN(TestListsFollowDisk)
#include "tst_lists_follow_disk.moc"
