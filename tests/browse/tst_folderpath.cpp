#include "browse/FolderPath.h"

#include <QTest>

using namespace tabulink;

class TestFolderPath : public QObject
{
    Q_OBJECT
private slots:
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
        // A folder outside the volume is shown alone rather than with a wrong chain.
        QCOMPARE(FolderPath::chain("/media/usb", "/media/usb2"), QStringList{"/media/usb2"});
        QCOMPARE(FolderPath::displayName("/media/usb/写真", "/media/usb"), QString("写真"));
    }
};

QTEST_GUILESS_MAIN(TestFolderPath)
#include "tst_folderpath.moc"
