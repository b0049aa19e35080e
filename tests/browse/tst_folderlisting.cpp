#include "browse/FolderListing.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestFolderListing : public QObject
{
    Q_OBJECT
private:
    static void touch(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void filesAndFoldersApartHiddenLeftOut()
    {
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        touch(dir.filePath("b.csv"));
        touch(dir.filePath("A.txt"));
        touch(dir.filePath(".hidden"));
        QVERIFY(dir.mkdir("sub"));
        QVERIFY(dir.mkdir(".git"));
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe.csv")).constData(), 0600) == 0);
        QVERIFY(QFile::link(dir.filePath("b.csv"), dir.filePath("link.csv")));
        QVERIFY(QFile::link(dir.filePath("sub"), dir.filePath("linkdir")));
        QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("dangling.csv")));

        const FolderListing listing = listFolder(tmp.path());
        QVERIFY(listing.ok);
        QVERIFY(listing.error.isEmpty());
        QCOMPARE(listing.files, (QStringList{"A.txt", "b.csv", "link.csv"}));
        QCOMPARE(listing.folders, (QStringList{"linkdir", "sub"}));

        const FolderListing filesOnly = listFolder(tmp.path(), ListWhat::FilesOnly);
        QCOMPARE(filesOnly.files, listing.files);
        QVERIFY(filesOnly.folders.isEmpty());
    }

    void orderIgnoresCaseAndNeverTies()
    {
        QStringList names{"b", "B", "a.csv", "A.csv", "Ｚ", "ファイル", "10.txt", "9.txt", "_x"};
        sortNames(names);
        QCOMPARE(names, (QStringList{"10.txt", "9.txt", "_x", "A.csv", "a.csv", "B", "b",
                                     "ファイル", "Ｚ"}));
    }

    // Qt cannot hand such a name back to the file system unchanged, but the
    // file must still show rather than vanish from the list.
    void namesThatAreNotUtf8StillShow()
    {
        QTemporaryDir tmp;
        // A Shift_JIS name from an old disk: not valid UTF-8.
        const QByteArray raw = QFile::encodeName(tmp.path()) + "/\x95\x5c.csv";
        QFile file(QFile::decodeName(raw));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const FolderListing listing = listFolder(tmp.path());
        QCOMPARE(listing.files.size(), 1);
        QVERIFY(listing.files.first().endsWith(".csv"));
    }

    void missingFolderGivesTheReason()
    {
        QTemporaryDir tmp;
        const QString gone = tmp.path() + "/gone";
        const FolderListing listing = listFolder(gone);
        QVERIFY(!listing.ok);
        QVERIFY(!listing.error.isEmpty());
        QVERIFY(listing.files.isEmpty());
        QString reason;
        QVERIFY(!canList(gone, &reason));
        QCOMPARE(reason, listing.error);
        QVERIFY(canList(tmp.path()));
        touch(tmp.filePath("f"));
        QVERIFY(!listFolder(tmp.filePath("f")).ok);

        // Deleted while it is the working folder.
        const QString before = QDir::currentPath();
        QVERIFY(QDir(tmp.path()).mkdir("shown"));
        QVERIFY(QDir::setCurrent(tmp.filePath("shown")));
        QVERIFY(QDir(tmp.filePath("shown")).removeRecursively());
        QVERIFY(!listFolder(tmp.filePath("shown")).ok);
        QVERIFY(QDir::setCurrent(before));
    }


};

QTEST_GUILESS_MAIN(TestFolderListing)
#include "tst_folderlisting.moc"
