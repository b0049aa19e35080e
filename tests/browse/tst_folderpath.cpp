#include "browse/ClipboardFolder.h"
#include "browse/FolderPath.h"
#include "browse/Launcher.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestFolderPath : public QObject
{
    Q_OBJECT
private slots:
    void fullPathAtRootAndBelow()
    {
        QCOMPARE(FolderPath::fullPath("/", "a.csv"), QString("/a.csv"));
        QCOMPARE(FolderPath::fullPath("/data", "a.csv"), QString("/data/a.csv"));
        QCOMPARE(FolderPath::fullPath("/データ/表", "売上.csv"), QString("/データ/表/売上.csv"));
    }

    void pageTest_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("page");
        QTest::newRow("Index.HTML") << "Index.HTML" << true;
        QTest::newRow("page.Htm") << "page.Htm" << true;
        QTest::newRow("page.shtml") << "page.shtml" << true;
        QTest::newRow("notes.xhtm") << "notes.xhtm" << true;
        QTest::newRow("xhtml without dot") << "xhtml" << true;
        QTest::newRow("a.html.txt") << "a.html.txt" << false;
        QTest::newRow("data.csv") << "data.csv" << false;
        QTest::newRow("ht") << "ht" << false;
        QTest::newRow("page.html in a folder") << "/web/page.html" << true;
    }
    void pageTest()
    {
        QFETCH(QString, name);
        QFETCH(bool, page);
        QCOMPARE(FolderPath::isPage(name), page);
    }

    void cleanKeepsTheListForm()
    {
        QCOMPARE(FolderPath::clean("/"), QString("/"));
        QCOMPARE(FolderPath::clean("/data/"), QString("/data"));
        QCOMPARE(FolderPath::clean("//data//x/../y"), QString("/data/y"));
        QCOMPARE(FolderPath::clean("data"), QString());
        QCOMPARE(FolderPath::clean("C:\\data"), QString());
        QCOMPARE(FolderPath::clean(""), QString());
    }

    void chainFromTheVolumeRoot()
    {
        QCOMPARE(FolderPath::chain("/", "/"), QStringList{"/"});
        QCOMPARE(FolderPath::chain("/", "/a/b"), (QStringList{"/", "/a", "/a/b"}));
        QCOMPARE(FolderPath::chain("/media/usb", "/media/usb/x"),
                 (QStringList{"/media/usb", "/media/usb/x"}));
        // A folder outside the volume is shown alone rather than with a wrong chain.
        QCOMPARE(FolderPath::chain("/media/usb", "/media/usb2"), QStringList{"/media/usb2"});
        QCOMPARE(FolderPath::displayName("/media/usb", "/media/usb"), QString("/media/usb"));
        QCOMPARE(FolderPath::displayName("/media/usb/写真", "/media/usb"), QString("写真"));
    }

    void withinOnWholeNamesOnly()
    {
        QVERIFY(FolderPath::isWithin("/media/usb", "/media/usb"));
        QVERIFY(FolderPath::isWithin("/media/usb/a", "/media/usb"));
        QVERIFY(!FolderPath::isWithin("/media/usb2", "/media/usb"));
        QVERIFY(FolderPath::isWithin("/anything", "/"));
    }

    void nearestExistingFolder()
    {
        QTemporaryDir tmp;
        QVERIFY(QDir(tmp.path()).mkpath("a"));
        QCOMPARE(FolderPath::nearestExisting(tmp.path() + "/a/gone/deeper"), tmp.path() + "/a");
        QCOMPARE(FolderPath::nearestExisting(tmp.path() + "/a"), tmp.path() + "/a");
        QCOMPARE(FolderPath::nearestExisting("relative"), QString("/"));
    }

    void clipboardText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("verdict");
        QTest::newRow("network") << "\\\\server\\share\\dir" << int(ClipboardFolder::Network);
        QTest::newRow("single backslash") << "\\dir" << int(ClipboardFolder::Network);
        QTest::newRow("empty") << "" << int(ClipboardFolder::NoText);
        QTest::newRow("trailing line break") << "/tmp\n" << int(ClipboardFolder::Folder);
        QTest::newRow("trailing CR LF") << "/tmp\r\n" << int(ClipboardFolder::Folder);
        QTest::newRow("two line breaks") << "/tmp\n\n" << int(ClipboardFolder::LineBreak);
        QTest::newRow("line break inside") << "/tmp\n/var" << int(ClipboardFolder::LineBreak);
        QTest::newRow("relative") << "tmp" << int(ClipboardFolder::NotAbsolute);
        QTest::newRow("drive letter") << "D:\\work" << int(ClipboardFolder::NotAbsolute);
        QTest::newRow("blank before") << " /tmp" << int(ClipboardFolder::NotAbsolute);
        QTest::newRow("missing") << "/no/such/folder/here" << int(ClipboardFolder::Missing);
        QTest::newRow("a file") << "/etc/passwd" << int(ClipboardFolder::Missing);
        QTest::newRow("folder") << "/tmp" << int(ClipboardFolder::Folder);
        QTest::newRow("folder with slash") << "/tmp/" << int(ClipboardFolder::Folder);
    }
    void clipboardText()
    {
        QFETCH(QString, text);
        QFETCH(int, verdict);
        const ClipboardFolder result = ClipboardFolder::check(text);
        QCOMPARE(int(result.verdict), verdict);
        if (result.verdict == ClipboardFolder::Folder) {
            QCOMPARE(result.folder, QString("/tmp"));
            QVERIFY(ClipboardFolder::message(result, text).isEmpty());
        } else {
            QVERIFY(result.folder.isEmpty());
            QVERIFY(!ClipboardFolder::message(result, text).isEmpty());
        }
    }

    // The launcher hands the path over as a file URL: whatever the name
    // holds, it comes back as the same path and travels as one word.
    void launcherUrlKeepsThePathWhole_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("blank") << "/tmp/a b";
        QTest::newRow("command substitution") << "/tmp/$(touch pwned)";
        QTest::newRow("backticks and semicolon") << "/tmp/`id`;rm -rf x";
        QTest::newRow("quotes") << "/tmp/it's \"q\"";
        QTest::newRow("percent and hash") << "/tmp/100% #1?.html";
        QTest::newRow("Japanese") << "/tmp/デスクトップ/表.html";
    }
    void launcherUrlKeepsThePathWhole()
    {
        QFETCH(QString, path);
        const QUrl url = Launcher::urlFor(path);
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(), path);
        const QByteArray encoded = url.toEncoded();
        QVERIFY2(!encoded.contains(' ') && !encoded.contains('"') && !encoded.contains('`'),
                 encoded.constData());
    }
};

QTEST_GUILESS_MAIN(TestFolderPath)
#include "tst_folderpath.moc"
