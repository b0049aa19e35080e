#include "linkpage/FileList.h"
#include "linkpage/FileListEntry.h"

#include <QTest>

using namespace tabulink;

class TestLinkFileList : public QObject
{
    Q_OBJECT
private slots:
    void splitsAtFirstComma_data();
    void splitsAtFirstComma();
    void buildsRow();
    void loadsRowIntoEditRow();
    void registrationTarget_data();
    void registrationTarget();
    void removesRowsInOrder();
};

void TestLinkFileList::splitsAtFirstComma_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("hasComma");
    QTest::newRow("name only") << "photo1.jpg" << "photo1.jpg" << "" << false;
    QTest::newRow("japanese description") << QStringLiteral("photo1.jpg,夏の写真") << "photo1.jpg"
                                          << QStringLiteral("夏の写真") << true;
    QTest::newRow("further commas") << "a,b,c" << "a" << "b,c" << true;
    QTest::newRow("trailing comma") << "a," << "a" << "" << true;
    QTest::newRow("leading comma") << ",x" << "" << "x" << true;
    QTest::newRow("blanks kept") << " a b , c " << " a b " << " c " << true;
    QTest::newRow("empty row") << "" << "" << "" << false;
}

void TestLinkFileList::splitsAtFirstComma()
{
    QFETCH(QString, row);
    const FileListEntry entry = FileListEntry::split(row);
    QTEST(entry.fileName, "fileName");
    QTEST(entry.description, "description");
    QTEST(entry.hasComma, "hasComma");
}

void TestLinkFileList::buildsRow()
{
    QCOMPARE(FileListEntry::build("memo.txt", ""), QString("memo.txt"));
    QCOMPARE(FileListEntry::build("memo.txt", QStringLiteral("メモ,其の二")), QStringLiteral("memo.txt,メモ,其の二"));
    // Blanks are a description like any other.
    QCOMPARE(FileListEntry::build("memo.txt", "  "), QString("memo.txt,  "));
}

void TestLinkFileList::loadsRowIntoEditRow()
{
    FileList list;
    list.replaceAll({"a.jpg", "b.txt", "c.png", "photo1.jpg"});
    list.setDescription(3, QStringLiteral("夏の写真"));
    const std::optional<EditRow> edit = list.load(3);
    QVERIFY(edit);
    QCOMPARE(edit->rowNumber, QString("3"));
    QCOMPARE(edit->fileName, QString("photo1.jpg"));
    QCOMPARE(edit->description, QStringLiteral("夏の写真"));

    const std::optional<EditRow> plain = list.load(0);
    QVERIFY(plain);
    QCOMPARE(plain->rowNumber, QString("0"));
    QCOMPARE(plain->fileName, QString("a.jpg"));
    QVERIFY(plain->description.isEmpty());
    // Outside the list nothing loads.
    QVERIFY(!list.load(-1));
    QVERIFY(!FileList().load(0));
    QVERIFY(!list.load(4));
}

void TestLinkFileList::registrationTarget_data()
{
    QTest::addColumn<QString>("rowNumber");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("index");
    const int possible = int(FileList::Registration::Possible);
    const int nothing = int(FileList::Registration::NothingLoaded);
    const int gone = int(FileList::Registration::RowGone);
    QTest::newRow("loaded row") << "2" << "c.png" << possible << 2;
    QTest::newRow("row with description") << "3" << "d.gif" << possible << 3;
    QTest::newRow("nothing loaded") << "" << "" << nothing << -1;
    QTest::newRow("past the end") << "4" << "e.txt" << gone << -1;
    QTest::newRow("past the end, name still there") << "9" << "d.gif" << possible << 3;
    // Rows deleted or added since: the row is found by its file name.
    QTest::newRow("row moved up") << "3" << "c.png" << possible << 2;
    QTest::newRow("row moved down") << "0" << "b.txt" << possible << 1;
    QTest::newRow("no row names it") << "1" << "z.png" << gone << -1;
    QTest::newRow("minus one") << "-1" << "" << gone << -1;
    QTest::newRow("not a number") << "x" << "z.jpg" << gone << -1;
}

void TestLinkFileList::registrationTarget()
{
    FileList list;
    list.replaceAll({"a.jpg", "b.txt", "c.png", "d.gif"});
    list.setDescription(3, "old");
    QFETCH(QString, rowNumber);
    QFETCH(QString, fileName);
    qsizetype found = -1;
    const auto result = list.registrationTarget({rowNumber, fileName, "desc"}, &found);
    QTEST(int(result), "expected");
    QTEST(int(found), "index");
    QCOMPARE(list.count(), 4);
}

void TestLinkFileList::removesRowsInOrder()
{
    FileList list;
    list.replaceAll({"r0", "r1", "r2", "r3", "r4", "r5"});
    list.removeRows({4, 1, 2, 2, 17, -3});
    QCOMPARE(list.rows(), QStringList({"r0", "r3", "r5"}));
    list.removeRows({});
    QCOMPARE(list.rows(), QStringList({"r0", "r3", "r5"}));
    list.removeRange(0, 1);
    QCOMPARE(list.rows(), QStringList({"r3", "r5"}));
}

QTEST_GUILESS_MAIN(TestLinkFileList)
#include "tst_linkfilelist.moc"
