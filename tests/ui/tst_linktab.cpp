#include "WindowHarness.h"

#include "linkpage/FileList.h"
#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"
#include "ui/LinkListModel.h"
#include "ui/LinkTab.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>

class TestLinkTab : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { h.reset(); dir.reset(); }
    void importLoadRegisterAndClear();
    void registeringWithNothingLoaded();
    void registeringAfterTheRowWentKeepsListAndEditRow();
    void rightClickOpensMenuAndDeletesSelectedRows();
    void writesLinkPageFromRegisteredRowsOnly();
    void modelRemovesRunsAndScatteredRows();

private:
    void makeFiles(const QStringList &names)
    {
        for (const QString &name : names)
            QVERIFY2(QFile(dir->filePath(name)).open(QIODevice::WriteOnly), qPrintable(name));
        QVERIFY(h->window->browsePanel()->setFolder(dir->path()));
        h->click("Command14");
    }
    QStringList rows() const { return tab()->list2Model()->rows(); }
    LinkTab *tab() const { return h->window->linkTab(); }
    QString label(const char *name) const { return h->find<QLabel>(name)->text(); }
    QLineEdit *text4() const { return h->find<QLineEdit>("Text4"); }
    QWidget *viewport() const { return tab()->list2()->viewport(); }
    QPoint rowCentre(int row) const
    {
        return tab()->list2()->visualRect(tab()->list2Model()->index(row)).center();
    }
    // An item view only takes a double-click on the row that was pressed.
    void doubleClickRow(int row) const
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowCentre(row));
        QTest::mouseDClick(viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    void load(int row) const
    {
        tab()->list2()->setCurrentIndex(tab()->list2Model()->index(row));
        tab()->List2_DblClick();
    }

    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestLinkTab::init()
{
    h = std::make_unique<WindowHarness>();
    dir = std::make_unique<QTemporaryDir>();
    h->find<QTabWidget>("SSTab1")->setCurrentWidget(tab());
    QCoreApplication::processEvents();
}

void TestLinkTab::importLoadRegisterAndClear()
{
    makeFiles({"r3", "r0", "r1", "r2", "r4"});
    QCOMPARE(rows(), QStringList({"r0", "r1", "r2", "r3", "r4"}));
    QCOMPARE(rows(), h->window->fileListNames());
    h->click("Command14"); // importing again adds nothing
    QCOMPARE(rows().size(), 5);

    doubleClickRow(3);
    QCOMPARE(label("Label8"), QString("3"));
    QCOMPARE(label("Label9"), QString("r3"));
    QCOMPARE(h->find<QLabel>("Label9")->textFormat(), Qt::PlainText);
    text4()->setText(QStringLiteral("夏の写真"));
    QTest::keyClick(text4(), Qt::Key_Return);
    QCOMPARE(rows(), QStringList({"r0", "r1", "r2", QStringLiteral("r3,夏の写真"), "r4"}));
    QVERIFY(label("Label8").isEmpty() && label("Label9").isEmpty() && text4()->text().isEmpty());

    // Loading it again gives the description back; the button registers too,
    // and an empty description takes the comma away.
    doubleClickRow(3);
    QCOMPARE(text4()->text(), QStringLiteral("夏の写真"));
    text4()->setText("x,y");
    h->click("Command16");
    QCOMPARE(rows().at(3), QString("r3,x,y"));
    load(3);
    text4()->clear();
    h->click("Command16");
    QCOMPARE(rows().at(3), QString("r3"));
    QVERIFY(h->dialogs.notices().isEmpty());

    // Clearing leaves a loaded edit row alone.
    load(1);
    h->click("Command15");
    QVERIFY(rows().isEmpty());
    QCOMPARE(label("Label8"), QString("1"));
    QCOMPARE(label("Label9"), QString("r1"));
}

void TestLinkTab::registeringWithNothingLoaded()
{
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    tab()->List2_DblClick(); // an empty list loads nothing
    QVERIFY(label("Label8").isEmpty() && label("Label9").isEmpty());
    makeFiles({"a", "b"});
    text4()->setText("typed");
    h->click("Command16");
    QCOMPARE(h->dialogs.notices(), QStringList({QStringLiteral("登録データがありません")}));
    QCOMPARE(rows(), QStringList({"a", "b"}));
    QCOMPARE(text4()->text(), QString("typed"));
}

void TestLinkTab::registeringAfterTheRowWentKeepsListAndEditRow()
{
    makeFiles({"r0", "r1", "r2", "r3"});
    load(2);
    text4()->setText("desc");

    // Emptied: nothing at the remembered place.
    h->click("Command15");
    h->click("Command16");
    QCOMPARE(h->dialogs.notices(), QStringList({FileList::rowGoneMessage()}));
    QVERIFY(rows().isEmpty());
    QCOMPARE(label("Label8"), QString("2"));
    QCOMPARE(text4()->text(), QString("desc"));

    // Rows deleted before it: another file's row is now at that place.
    h->click("Command14");
    tab()->list2()->selectionModel()->select(tab()->list2Model()->index(0), QItemSelectionModel::ClearAndSelect);
    tab()->lst2rclk();
    h->click("Command16");
    QCOMPARE(h->dialogs.notices().size(), 2);
    QCOMPARE(rows(), QStringList({"r1", "r2", "r3"}));

    // Re-imported: the same file is back at its place and the row registers.
    h->click("Command14");
    h->click("Command16");
    QCOMPARE(rows(), QStringList({"r0", "r1", "r2,desc", "r3"}));
    QVERIFY(label("Label8").isEmpty());
}

void TestLinkTab::rightClickOpensMenuAndDeletesSelectedRows()
{
    makeFiles({"r0", "r1", "r2", "r3", "r4", "r5"});
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(2));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(4));
    QMenu *menu = tab()->lst2sentakuMenu();
    QTest::mousePress(viewport(), Qt::RightButton, {}, rowCentre(0));
    QVERIFY(!menu->isVisible());
    QTest::mouseRelease(viewport(), Qt::RightButton, {}, rowCentre(0));
    QVERIFY(menu->isVisible());
    QCOMPARE(tab()->list2()->selectionModel()->selectedIndexes().size(), 3);
    menu->hide();

    h->trigger("lst2seldel");
    QCOMPARE(rows(), QStringList({"r0", "r3", "r5"}));
    tab()->list2()->clearSelection();
    h->trigger("lst2seldel");
    QCOMPARE(rows().size(), 3);
    QVERIFY(h->dialogs.calls().isEmpty());
}

void TestLinkTab::writesLinkPageFromRegisteredRowsOnly()
{
    makeFiles({"#1.jpg", "a&b.png", "x\"><b>.txt", "my memo.txt"});
    load(0);
    text4()->setText(QStringLiteral("<b>一枚目</b>"));
    h->click("Command16");
    // Typed but never registered: stays out of the page.
    load(1);
    text4()->setText("unregistered");

    const QString out = dir->filePath("links.html");
    h->dialogs.setNextFileName(out);
    h->click("Command17");
    QCOMPARE(h->dialogs.notices(), QStringList({QStringLiteral("ｈｔｍｌファイル作成完了")}));
    QCOMPARE(h->window->pathLabel(), out);
    QVERIFY(h->window->fileListNames().contains("links.html"));

    const QByteArray expectedBody = TestFiles::crlfSjis({
        "<center>", "<table border=0>",
        "<tr><td align=left nowrap>", QStringLiteral("<A href=\"%231.jpg\"><b>一枚目</b></A></td></tr>"),
        "<tr><td> </td></tr>",
        "<tr><td align=left nowrap>", "<A href=\"a&amp;b.png\">a&amp;b.png</A></td></tr>",
        "<tr><td> </td></tr>",
        "<tr><td align=left nowrap>", "<A href=\"my memo.txt\">my memo.txt</A></td></tr>",
        "<tr><td> </td></tr>",
        "<tr><td align=left nowrap>",
        "<A href=\"x&quot;&gt;&lt;b&gt;.txt\">x&quot;&gt;&lt;b&gt;.txt</A></td></tr>",
        "<tr><td> </td></tr>",
        "</table>", "</center>", "<FONT size=\"-3\"><br></FONT>",
    });
    const QByteArray page = TestFiles::readAll(out);
    QVERIFY2(page.contains(expectedBody), page.constData());
    QVERIFY(!page.contains("unregistered"));
    // The list and the edit row are not the writer's to change.
    QCOMPARE(label("Label8"), QString("1"));
    QCOMPARE(rows().size(), 4);
}

void TestLinkTab::modelRemovesRunsAndScatteredRows()
{
    LinkListModel model;
    QStringList names;
    for (int i = 0; i < 5000; ++i)
        names << QString::number(i);
    model.replaceAll(names);
    model.removeRows({7, 3, 4, 5, 4999, 0});
    QCOMPARE(model.rowCount(), 4994);
    QCOMPARE(model.rows().mid(0, 4), QStringList({"1", "2", "6", "8"}));
    QCOMPARE(model.rows().last(), QString("4998"));

    // Thousands of scattered rows: every odd row goes, the even ones stay in order.
    QList<qsizetype> odd;
    for (qsizetype i = 1; i < model.rowCount(); i += 2)
        odd << i;
    model.removeRows(odd);
    QCOMPARE(model.rowCount(), 4994 - int(odd.size()));
    QCOMPARE(model.rows().mid(0, 3), QStringList({"1", "6", "9"}));
}

QTEST_MAIN(TestLinkTab)
#include "tst_linktab.moc"
