#include "browse/FolderListing.h"
#include "textio/NativePath.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tabulink;

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
        QVERIFY(listing.message.isEmpty());
        QCOMPARE(listing.files, (QStringList{"A.txt", "b.csv", "link.csv"}));
        QCOMPARE(listing.folders, (QStringList{"linkdir", "sub"}));

        const FolderListing filesOnly = listFolder(tmp.path(), ListWhat::FilesOnly);
        QCOMPARE(filesOnly.files, listing.files);
        QVERIFY(filesOnly.folders.isEmpty());
    }

    // As a Japanese file manager orders them: numbers by value, full-width
    // digits as digits, case apart only where nothing else differs.
    void orderIsJapaneseAndNumeric()
    {
        QStringList names{"b", "B", "a.csv", "A.csv", "Ｚ", "ファイル", "10.txt", "9.txt", "_x",
                          QStringLiteral("写真 10"), QStringLiteral("写真 2"), QStringLiteral("２日目"),
                          QStringLiteral("遠足")};
        sortNames(names);
        QCOMPARE(names, (QStringList{"_x", QStringLiteral("２日目"), "9.txt", "10.txt", "a.csv", "A.csv", "b", "B",
                                     "Ｚ", "ファイル", QStringLiteral("遠足"), QStringLiteral("写真 2"),
                                     QStringLiteral("写真 10")}));
    }

    // A Shift_JIS name from a Windows archive: shown as code page 932, its
    // bytes kept for opening and linking; a name that does not decode
    // cleanly shows its bytes.
    void namesThatAreNotUtf8()
    {
        QTemporaryDir tmp;
        const QByteArray folder = QFile::encodeName(tmp.path());
        for (const QByteArray &name : {QByteArray("\x95\x5C.csv"), QByteArray("\xFF\x81.txt")})
            QVERIFY(::close(::open(folder + '/' + name, O_CREAT | O_WRONLY, 0644)) == 0);
        const FolderListing listing = listFolder(tmp.path());
        QCOMPARE(listing.files, QStringList({"%FF%81.txt", QStringLiteral("表.csv")}));
        QCOMPARE(listing.nativeFiles.value(QStringLiteral("表.csv")), QByteArray("\x95\x5C.csv"));
        QCOMPARE(NativePath::encode(tmp.path() + QStringLiteral("/表.csv")), folder + "/\x95\x5C.csv");
        QCOMPARE(NativePath::encode(tmp.path() + "/%FF%81.txt"), folder + "/\xFF\x81.txt");
        QCOMPARE(NativePath::encode(tmp.path() + "/other.txt"), folder + "/other.txt");
        for (const QByteArray &name : {QByteArray("\x95\x5C.csv"), QByteArray("\xFF\x81.txt")})
            QCOMPARE(::unlink(folder + '/' + name), 0);
    }

    void missingFolderGivesTheReason()
    {
        QTemporaryDir tmp;
        const QString gone = tmp.path() + "/gone";
        const FolderListing listing = listFolder(gone);
        QVERIFY(!listing.ok);
        QVERIFY(!listing.message.isEmpty());
        QVERIFY(listing.files.isEmpty());
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
