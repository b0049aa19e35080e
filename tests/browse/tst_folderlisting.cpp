#include "browse/FolderListing.h"
#include "textio/NativePath.h"

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
private slots:
    void filesAndFoldersApart()
    {
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        const QByteArray folder = QFile::encodeName(tmp.path()) + '/';
        // Shift_JIS "表.csv" from a Windows archive, and a name that does not decode.
        const QList<QByteArray> names{"\x95\x5C.csv", "\xFF\x81.txt", "b.csv", "A.txt", ".hidden"};
        for (const QByteArray &name : names)
            QVERIFY(::close(::open(folder + name, O_CREAT | O_WRONLY, 0644)) == 0);
        QVERIFY(dir.mkdir("sub") && dir.mkdir(".git") && ::mkfifo(folder + "pipe.csv", 0600) == 0);
        QVERIFY(QFile::link(dir.filePath("b.csv"), dir.filePath("link.csv")) && QFile::link(dir.filePath("sub"), dir.filePath("linkdir"))
                && QFile::link(dir.filePath("gone"), dir.filePath("dangling.csv")));
        const FolderListing listing = listFolder(tmp.path());
        QCOMPARE(listing.files, (QStringList{"%FF%81.txt", "A.txt", "b.csv", "link.csv", "表.csv"}));
        QCOMPARE(listing.folders, (QStringList{"linkdir", "sub"}));
        QVERIFY(listFolder(tmp.path(), ListWhat::FilesOnly).folders.isEmpty());
        // Names that are not UTF-8 keep their bytes for opening and linking.
        QCOMPARE(listing.nativeFiles.value("表.csv"), QByteArray("\x95\x5C.csv"));
        QCOMPARE(NativePath::encode(tmp.path() + "/表.csv"), folder + "\x95\x5C.csv");
        QCOMPARE(NativePath::encode(tmp.path() + "/%FF%81.txt"), folder + "\xFF\x81.txt");
        QVERIFY(::unlink(folder + names[0]) == 0 && ::unlink(folder + names[1]) == 0);
        // A file, a missing folder, and the working folder deleted under us.
        QVERIFY(!listFolder(dir.filePath("b.csv")).ok);
        const FolderListing gone = listFolder(dir.filePath("gone"));
        QVERIFY(!gone.ok && !gone.message.isEmpty() && gone.files.isEmpty());
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.filePath("sub")) && QDir(dir.filePath("sub")).removeRecursively());
        QVERIFY(!listFolder(dir.filePath("sub")).ok);
        QVERIFY(QDir::setCurrent(before));
    }

    // As a Japanese file manager orders them: numbers by value, full-width
    // digits as digits, case apart only where nothing else differs.
    void orderIsJapaneseAndNumeric()
    {
        QStringList names{"b", "B", "a.csv", "A.csv", "Ｚ", "ファイル", "10.txt", "9.txt", "_x", "写真 10", "写真 2", "２日目", "遠足"};
        sortNames(names);
        QCOMPARE(names, (QStringList{"_x", "２日目", "9.txt", "10.txt", "a.csv", "A.csv", "b", "B", "Ｚ", "ファイル", "遠足",
                                     "写真 2", "写真 10"}));
    }

    // Names the collator holds equal go in code unit order; names that agree
    // well past their first characters are still ordered by what follows.
    void tiesAndLongBeginnings_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("leading zeros") << QStringList{"a2", "a1", "a01", "a001"} << QStringList{"a001", "a01", "a1", "a2"};
        QTest::newRow("composed, decomposed") << QStringList{"が", "か\u3099", "か"} << QStringList{"か", "か\u3099", "が"};
        QTest::newRow("hiragana, katakana") << QStringList{"ｶﾞ", "ガ", "が", "ｶ"} << QStringList{"ｶ", "が", "ガ", "ｶﾞ"};
        QTest::newRow("ignorable") << QStringList{"aB", "a\u200bb", "a\u00adb", "ab"}
                                   << QStringList{"ab", "a\u00adb", "a\u200bb", "aB"};
        QTest::newRow("long beginning") << QStringList{"資料フォルダの写真 10", "資料フォルダの写真 9a", "資料フォルダの写真 9",
                                                       "資料フォルダの写真 09"}
                                        << QStringList{"資料フォルダの写真 09", "資料フォルダの写真 9", "資料フォルダの写真 9a",
                                                       "資料フォルダの写真 10"};
        QTest::newRow("case below number") << QStringList{"photo_2024_summer_10.jpg", "photo_2024_summer_010.jpg",
                                                          "photo_2024_Summer_9.jpg", "photo_2024_summer_9.jpg"}
                                           << QStringList{"photo_2024_summer_9.jpg", "photo_2024_Summer_9.jpg",
                                                          "photo_2024_summer_010.jpg", "photo_2024_summer_10.jpg"};
    }
    void tiesAndLongBeginnings()
    {
        QFETCH(QStringList, names);
        sortNames(names);
        QTEST(names, "sorted");
    }
};

QTEST_GUILESS_MAIN(TestFolderListing)
#include "tst_folderlisting.moc"
