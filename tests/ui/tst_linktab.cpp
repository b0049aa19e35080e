#include "WindowHarness.h"

#include "linkpage/FileList.h"
#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"
#include "ui/LinkListModel.h"
#include "ui/LinkTab.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

using namespace tabulink;

class TestLinkTab : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { h.reset(); dir.reset(); }
    void importLoadRegisterAndClear();
    void registeringFindsTheRowByItsFileName();
    void rightClickOpensMenuAndDeletesSelectedRows();
    void writesLinkPageFromRegisteredRowsOnly();
    void commaInFileNameStaysInTheLink();
    void pastedLineBreaksBecomeBlanks();
    void oneWayCharactersInLinksAndText();
    void unsavedDescriptionsAreAskedFor_data();
    void unsavedDescriptionsAreAskedFor();
    void describingRowsByKeyboard();
    void namesSortAsAFileManagerSortsThem();
    void shiftJisFileNameIsShownPickedReadAndLinked();

private:
    void makeFiles(const QStringList &names)
    {
        for (const QString &name : names)
            QVERIFY2(QFile(dir->filePath(name)).open(QIODevice::WriteOnly), qPrintable(name));
        QVERIFY(h->window->browsePanel()->setFolder(dir->path()));
        h->click("Command14");
    }
    QStringList rows() const { return tab()->fileListModel()->rows(); }
    LinkTab *tab() const { return h->window->linkTab(); }
    QString label(const char *name) const { return h->find<QLabel>(name)->text(); }
    QLineEdit *text4() const { return h->find<QLineEdit>("Text4"); }
    QWidget *viewport() const { return tab()->fileListView()->viewport(); }
    QPoint rowCentre(int row) const
    {
        return tab()->fileListView()->visualRect(tab()->fileListModel()->index(row)).center();
    }
    // An item view only takes a double-click on the row that was pressed.
    void doubleClickRow(int row) const
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowCentre(row));
        QTest::mouseDClick(viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    // The page body between the frame's "<center>" and the footer.
    QByteArray writePage()
    {
        const QString out = dir->filePath("links.html");
        h->dialogs.setNextFileName(out);
        h->click("Command17");
        return TestFiles::readAll(out);
    }
    static QByteArray body(const QStringList &links)
    {
        QStringList lines{"<center>", "<table border=0>"};
        for (const QString &link : links)
            lines << "<tr><td align=left nowrap>" << link << "<tr><td> </td></tr>";
        lines << "</table>" << "</center>";
        return TestFiles::crlfSjis(lines);
    }
    void pressReturn(QWidget *w = nullptr) const
    {
        QTest::keyClick(w ? w : QApplication::focusWidget(), Qt::Key_Return);
    }
    void load(int row) const
    {
        tab()->fileListView()->setCurrentIndex(tab()->fileListModel()->index(row));
        tab()->loadCurrentRow();
    }

    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestLinkTab::init()
{
    QApplication::setQuitOnLastWindowClosed(false);
    h = std::make_unique<WindowHarness>();
    dir = std::make_unique<QTemporaryDir>();
    h->find<QTabWidget>("SSTab1")->setCurrentWidget(tab());
    QCoreApplication::processEvents();
}

void TestLinkTab::importLoadRegisterAndClear()
{
    makeFiles({"r3", "r0", "r1", "r2", "r4"});
    QCOMPARE(rows(), QStringList({"r0", "r1", "r2", "r3", "r4"}));
    QCOMPARE(rows(), h->window->browsePanel()->fileNames());
    h->click("Command14"); // importing again adds nothing
    QCOMPARE(rows().size(), 5);
    QTest::keyClick(text4(), Qt::Key_Return); // no row loaded yet
    QCOMPARE(h->dialogs.notices(), QStringList{QStringLiteral("登録データがありません")});

    doubleClickRow(3);
    QCOMPARE(label("Label8"), QString("3"));
    QCOMPARE(label("Label9"), QString("r3"));
    QCOMPARE(h->find<QLabel>("Label9")->textFormat(), Qt::PlainText);
    text4()->setText(QStringLiteral("夏の写真"));
    QTest::keyClick(text4(), Qt::Key_Return);
    QCOMPARE(rows(), QStringList({"r0", "r1", "r2", QStringLiteral("r3,夏の写真"), "r4"}));
    QVERIFY(label("Label8").isEmpty() && label("Label9").isEmpty() && text4()->text().isEmpty());

    // Clearing leaves a loaded edit row alone.
    load(1);
    h->dialogs.setNextAnswer(true); // "r3,夏の写真" may go
    h->click("Command15");
    QVERIFY(rows().isEmpty());
    QCOMPARE(label("Label8"), QString("1"));
    QCOMPARE(label("Label9"), QString("r1"));
}

void TestLinkTab::registeringFindsTheRowByItsFileName()
{
    makeFiles({"r0", "r1", "r2", "r3", "r4"});
    doubleClickRow(4);
    // Row 0 deleted after the double-click: the loaded row is now row 3.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseClick(viewport(), Qt::RightButton, {}, rowCentre(0));
    tab()->rowMenu()->hide();
    h->trigger("lst2seldel");
    QTest::mouseClick(text4(), Qt::LeftButton);
    QTest::keyClicks(text4(), "desc");
    pressReturn(text4());
    QVERIFY(h->dialogs.notices().isEmpty());
    QCOMPARE(rows(), QStringList({"r1", "r2", "r3", "r4,desc"}));

    // No row names the file any more: refused, and the typed text stays.
    doubleClickRow(0);
    QTest::keyClicks(text4(), "kept");
    h->dialogs.setNextAnswer(true); // "r4,desc" may go
    h->click("Command15");
    pressReturn(text4());
    QCOMPARE(h->dialogs.notices(), QStringList({QStringLiteral("「r1」の行がファイル名の一覧にもうありません。\n"
                                                               "一覧は変更していません。入力した説明文はそのまま残っています。")}));
    QVERIFY(rows().isEmpty());
    QCOMPARE(text4()->text(), QString("kept"));
    QCOMPARE(label("Label8"), QString("0"));
}

void TestLinkTab::rightClickOpensMenuAndDeletesSelectedRows()
{
    makeFiles({"r0", "r1", "r2", "r3", "r4", "r5"});
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(2));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(4));
    QMenu *menu = tab()->rowMenu();
    QTest::mousePress(viewport(), Qt::RightButton, {}, rowCentre(0));
    QVERIFY(!menu->isVisible());
    QTest::mouseRelease(viewport(), Qt::RightButton, {}, rowCentre(0));
    QVERIFY(menu->isVisible());
    QCOMPARE(tab()->fileListView()->selectionModel()->selectedIndexes().size(), 3);
    menu->hide();

    h->trigger("lst2seldel");
    QCOMPARE(rows(), QStringList({"r0", "r3", "r5"}));
    tab()->fileListView()->clearSelection();
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
    QCOMPARE(h->window->saveContext().pathLabel(), out);
    QVERIFY(h->window->browsePanel()->fileNames().contains("links.html"));

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
    // Everything registered is in the page: clearing asks nothing.
    h->click("Command15");
    QVERIFY(rows().isEmpty());
    QVERIFY(h->dialogs.callsOf(ScriptedDialogs::Call::Confirm).isEmpty());
}

void TestLinkTab::commaInFileNameStaysInTheLink()
{
    const QString markup = QStringLiteral("a,<img src=x onerror=alert(1)>.jpg");
    makeFiles({"a,b.txt", markup});
    QCOMPARE(rows(), QStringList({markup, "a,b.txt"}));
    doubleClickRow(1);
    QCOMPARE(h->find<QLabel>("Label9")->toolTip(), QString("a,b.txt"));
    QCOMPARE(text4()->text(), QString());
    text4()->setText(QStringLiteral("説明"));
    pressReturn(text4());
    QCOMPARE(rows().at(1), QStringLiteral("a,b.txt,説明"));
    doubleClickRow(1);
    QCOMPARE(text4()->text(), QStringLiteral("説明"));

    QVERIFY(writePage().contains(body({
        "<A href=\"a,&lt;img src=x onerror=alert(1)&gt;.jpg\">a,&lt;img src=x onerror=alert(1)&gt;.jpg</A></td></tr>",
        QStringLiteral("<A href=\"a,b.txt\">説明</A></td></tr>")})));
}

void TestLinkTab::pastedLineBreaksBecomeBlanks()
{
    makeFiles({"p.txt"});
    doubleClickRow(0);
    QApplication::clipboard()->setText(QStringLiteral("一行目\r\n二行目\n三行目"));
    QTest::keyClick(text4(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(text4()->text().contains(u'\n'));
    pressReturn(text4());
    QCOMPARE(rows(), QStringList({QStringLiteral("p.txt,一行目 二行目 三行目")}));
    QVERIFY(writePage().contains(body({QStringLiteral("<A href=\"p.txt\">一行目 二行目 三行目</A></td></tr>")})));
}

void TestLinkTab::oneWayCharactersInLinksAndText()
{
    makeFiles({QStringLiteral("¥1200.txt"), QStringLiteral("〜−.txt")});
    QCOMPARE(rows(), QStringList({QStringLiteral("〜−.txt"), QStringLiteral("¥1200.txt")}));
    doubleClickRow(0);
    text4()->setText(QStringLiteral("価格‾¥1,200 〜"));
    pressReturn(text4());
    // ¥ and ‾ would read back as "\" and "~"; in text the others keep codes
    // that look the same (0x8160 shows as ～).
    const QByteArray page = writePage();
    QVERIFY(page.contains("\r\n<A href=\"&#12316;&#8722;.txt\">\x89\xBF\x8A\x69&#8254;&#165;1,200 \x81\x60</A></td></tr>\r\n"));
    QVERIFY(page.contains("\r\n<A href=\"&#165;1200.txt\">&#165;1200.txt</A></td></tr>\r\n"));
}

void TestLinkTab::unsavedDescriptionsAreAskedFor_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("終了") << "eend";
    QTest::newRow("close box") << "close";
    QTest::newRow("ファイル名取り込み") << "Command14";
    QTest::newRow("ファイル名クリア") << "Command15";
}

void TestLinkTab::unsavedDescriptionsAreAskedFor()
{
    QFETCH(QString, action);
    const auto act = [&] {
        if (action == "eend")
            h->trigger("eend");
        else if (action == "close")
            h->window->close();
        else
            h->click(qPrintable(action));
    };
    makeFiles({"a", "b"});
    doubleClickRow(1);
    text4()->setText(QStringLiteral("説明"));
    pressReturn(text4());

    h->dialogs.setNextAnswer(false); // いいえ: everything stays
    act();
    QCOMPARE(h->dialogs.callsOf(ScriptedDialogs::Call::Confirm).size(), 1);
    QVERIFY(h->window->isVisible());
    QCOMPARE(rows(), QStringList({"a", QStringLiteral("b,説明")}));

    h->dialogs.setNextAnswer(true); // はい: the descriptions go
    act();
    QCOMPARE(h->dialogs.callsOf(ScriptedDialogs::Call::Confirm).size(), 2);
    QCOMPARE(h->window->isVisible(), action != "eend" && action != "close");
    if (action == "Command14")
        QCOMPARE(rows(), QStringList({"a", "b"}));
    if (action == "Command15")
        QVERIFY(rows().isEmpty());
}

void TestLinkTab::describingRowsByKeyboard()
{
    const QStringList names = {QStringLiteral("遠足（1日目）集合写真_001.jpg"), QStringLiteral("遠足（1日目）集合写真_002.jpg")};
    makeFiles(names);
    QVERIFY(QTest::qWaitForWindowActive(h->window.get()));
    QLabel *label9 = h->find<QLabel>("Label9");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::keyClick(tab()->fileListView(), Qt::Key_Down);
    QTest::keyClick(tab()->fileListView(), Qt::Key_Return);
    QCOMPARE(label("Label8"), QString("1"));
    QCOMPARE(label9->toolTip(), names.at(1));
    QVERIFY2(label9->text().endsWith("_002.jpg") && label9->text().contains(QChar(0x2026)), qPrintable(label9->text()));
    QCOMPARE(QApplication::focusWidget(), text4());
    QTest::keyClicks(QApplication::focusWidget(), "two");
    pressReturn();

    // Back on the list: Up and Enter load the first row.
    QCOMPARE(QApplication::focusWidget(), tab()->fileListView());
    QTest::keyClick(tab()->fileListView(), Qt::Key_Up);
    pressReturn();
    QVERIFY2(label9->text().endsWith("_001.jpg"), qPrintable(label9->text()));
    QTest::keyClicks(QApplication::focusWidget(), "one");
    pressReturn();
    QCOMPARE(rows(), QStringList({names.at(0) + ",one", names.at(1) + ",two"}));
}

void TestLinkTab::namesSortAsAFileManagerSortsThem()
{
    for (const char *folder : {"組 10", "組 9"})
        QVERIFY(QDir(dir->path()).mkdir(QString::fromUtf8(folder)));
    makeFiles({QStringLiteral("写真 10.jpg"), QStringLiteral("写真 2.jpg"), QStringLiteral("２日目.txt"),
               QStringLiteral("遠足.txt"), "b.txt", "A.txt"});
    QCOMPARE(rows(), QStringList({QStringLiteral("２日目.txt"), "A.txt", "b.txt", QStringLiteral("遠足.txt"),
                                  QStringLiteral("写真 2.jpg"), QStringLiteral("写真 10.jpg")}));
    const QAbstractItemModel *dir1 = h->find<QListView>("Dir1")->model();
    const int n = dir1->rowCount();
    QCOMPARE(dir1->index(n - 2, 0).data().toString(), QStringLiteral("組 9"));
    QCOMPARE(dir1->index(n - 1, 0).data().toString(), QStringLiteral("組 10"));
}

void TestLinkTab::shiftJisFileNameIsShownPickedReadAndLinked()
{
    // "表.csv" in Shift_JIS, as a Windows archive unpacked here names it.
    const QByteArray raw = QFile::encodeName(dir->path()) + "/\x95\x5C.csv";
    const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "x,y\r\n", 5), ssize_t(5));
    ::close(fd);
    QVERIFY(h->window->browsePanel()->setFolder(dir->path()));
    QCOMPARE(h->window->browsePanel()->fileNames(), QStringList({QStringLiteral("表.csv")}));

    auto *file1 = h->find<QListView>("File1");
    const QPoint at = file1->visualRect(file1->model()->index(0, 0)).center();
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(file1->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(h->window->browsePanel()->selectedFileName(), QStringLiteral("表.csv"));
    QCOMPARE(h->window->saveContext().pathLabel(), dir->path() + QStringLiteral("/表.csv"));
    h->find<QTabWidget>("SSTab1")->setCurrentIndex(0);
    h->click("Command1");
    QCOMPARE(h->dialogs.calls().size(), 0);
    QCOMPARE(h->find<QListView>("List1")->model()->index(0, 0).data().toString(), QString("x,y"));

    h->find<QTabWidget>("SSTab1")->setCurrentWidget(tab());
    h->click("Command14");
    QVERIFY(writePage().contains(body({QStringLiteral("<A href=\"%95%5C.csv\">表.csv</A></td></tr>")})));
    QCOMPARE(::unlink(raw.constData()), 0);
}

QTEST_MAIN(TestLinkTab)
#include "tst_linktab.moc"
