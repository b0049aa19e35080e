#include "WindowHarness.h"
#include "ui/LinkListModel.h"
#include "ui/LinkTab.h"

#include <QClipboard>
#include <QMenu>

#include <fcntl.h>
#include <unistd.h>

using namespace tabulink;

class TestLinkTab : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<QTemporaryDir> dir;

    LinkTab *tab() const { return h->window->linkTab(); }
    QListView *list() const { return tab()->fileListView(); }
    QStringList rows() const { return tab()->fileListModel()->rows(); }
    QLineEdit *text4() const { return h->find<QLineEdit>("Text4"); }
    // Files in the shown folder, taken in with ファイル名取り込み.
    void makeFiles(const QStringList &names) const
    {
        for (const QString &name : names)
            QVERIFY(TestFiles::writeAll(dir->filePath(name), ""));
        QVERIFY(h->browse()->setFolder(dir->path()));
        h->click("Command14");
    }
    // Double-click on a row, a description typed into Text4 and Enter.
    void describe(int row, const QString &text) const
    {
        WindowHarness::doubleClickRow(list(), row);
        h->typeInto("Text4", text);
    }
    QByteArray writePage() const
    {
        h->dialogs.setNextFileName(dir->filePath("links.html"));
        h->click("Command17");
        return TestFiles::readAll(dir->filePath("links.html"));
    }
    // The page's list of links, between the frame's "<center>" and its footer.
    static QByteArray body(const QStringList &links)
    {
        QStringList lines{"<center>", "<table border=0>"};
        for (const QString &link : links)
            lines << "<tr><td align=left nowrap>" << link << "<tr><td> </td></tr>";
        return TestFiles::crlfSjis(lines << "</table>" << "</center>" << "<FONT size=\"-3\"><br></FONT>");
    }

private slots:
    void init()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        h = std::make_unique<WindowHarness>();
        dir = std::make_unique<QTemporaryDir>();
        h->find<QTabWidget>("SSTab1")->setCurrentWidget(tab());
        h->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->window.get()));
    }
    void cleanup() { h.reset(); dir.reset(); }

    void describingRows()
    {
        const QString longName = QStringLiteral("遠足（1日目）集合写真_001.jpg");
        makeFiles({"r2", "r0", "r1", longName});
        QCOMPARE(rows(), QStringList({"r0", "r1", "r2", longName}));
        h->click("Command14"); // importing again adds nothing
        QCOMPARE(rows().size(), 4);
        h->typeInto("Text4", "x"); // no row loaded yet
        QCOMPARE(h->dialogs.notices(), QStringList{QStringLiteral("登録データがありません")});

        describe(2, QStringLiteral("夏の写真"));
        QCOMPARE(rows(), QStringList({"r0", "r1", QStringLiteral("r2,夏の写真"), longName}));
        QVERIFY(h->text("Label8").isEmpty() && h->text("Label9").isEmpty() && text4()->text().isEmpty());
        // Back on the list: Down and Enter load the next row, and Text4 takes the keys.
        QCOMPARE(QApplication::focusWidget(), list());
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(h->text("Label8"), QString("3"));
        auto *label9 = h->find<QLabel>("Label9");
        QCOMPARE(label9->toolTip(), longName);
        QVERIFY2(label9->text().endsWith("_001.jpg") && label9->text().contains(QChar(0x2026)), qPrintable(label9->text()));
        QCOMPARE(label9->textFormat(), Qt::PlainText);
        WindowHarness::type("one", Qt::Key_Return);
        QCOMPARE(rows().constLast(), longName + ",one");

        // Clearing leaves a loaded edit row alone; registering it is refused
        // and the typed text stays.
        WindowHarness::doubleClickRow(list(), 1);
        h->dialogs.setNextAnswer(true);
        h->click("Command15");
        QVERIFY(rows().isEmpty());
        h->typeInto("Text4", "kept");
        QCOMPARE(h->dialogs.notices().constLast(), QStringLiteral("「r1」の行がファイル名の一覧にもうありません。\n"
                                                                  "一覧は変更していません。入力した説明文はそのまま残っています。"));
        QCOMPARE(h->text("Label8") + h->text("Label9") + text4()->text(), QStringLiteral("1r1kept"));
    }

    void rightClickOpensMenuAndDeletesSelectedRows()
    {
        makeFiles({"r0", "r1", "r2", "r3", "r4", "r5"});
        WindowHarness::clickRow(list(), 1);
        WindowHarness::clickRow(list(), 2, Qt::LeftButton, Qt::ShiftModifier);
        WindowHarness::clickRow(list(), 4, Qt::LeftButton, Qt::ControlModifier);
        QTest::mousePress(list()->viewport(), Qt::RightButton, {}, WindowHarness::centre(list(), 0));
        QVERIFY(!tab()->rowMenu()->isVisible());
        QTest::mouseRelease(list()->viewport(), Qt::RightButton, {}, WindowHarness::centre(list(), 0));
        QVERIFY(tab()->rowMenu()->isVisible());
        tab()->rowMenu()->hide();
        h->trigger("lst2seldel");
        QCOMPARE(rows(), QStringList({"r0", "r3", "r5"}));
        list()->clearSelection();
        h->trigger("lst2seldel");
        QCOMPARE(rows().size(), 3);
        QVERIFY(h->dialogs.calls().isEmpty());
    }

    // Only registered descriptions go into the page; a comma in a file name
    // stays in the name, a pasted paragraph becomes one line.
    void linkPageFromRegisteredRows()
    {
        makeFiles({"p.txt", "a,b.txt", "#1.jpg"});
        QCOMPARE(rows(), QStringList({"#1.jpg", "a,b.txt", "p.txt"}));
        describe(1, QStringLiteral("説明"));
        QCOMPARE(rows().at(1), QStringLiteral("a,b.txt,説明"));
        WindowHarness::doubleClickRow(list(), 1);
        QCOMPARE(h->find<QLabel>("Label9")->toolTip() + "|" + text4()->text(), QStringLiteral("a,b.txt|説明"));
        WindowHarness::doubleClickRow(list(), 2);
        QApplication::clipboard()->setText(QStringLiteral("一行目\r\n二行目\n三行目"));
        QTest::keyClick(text4(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(text4(), Qt::Key_Return);
        WindowHarness::doubleClickRow(list(), 0);
        h->typeInto("Text4", "unregistered", 0);

        const QByteArray page = writePage();
        QVERIFY2(page.contains(body({"<A href=\"%231.jpg\">#1.jpg</A></td></tr>",
                                     QStringLiteral("<A href=\"a,b.txt\">説明</A></td></tr>"),
                                     QStringLiteral("<A href=\"p.txt\">一行目 二行目 三行目</A></td></tr>")})),
                 page.constData());
        QVERIFY(!page.contains("unregistered"));
        QCOMPARE(h->dialogs.notices(), QStringList({QStringLiteral("ｈｔｍｌファイル作成完了")}));
        QCOMPARE(h->text("Label1"), dir->filePath("links.html"));
        QVERIFY(h->rows("File1").contains("links.html"));
        QCOMPARE(h->text("Label8"), QString("0")); // the edit row is not the writer's
        h->click("Command15"); // everything registered is in the page: no question
        QVERIFY(rows().isEmpty());
        QVERIFY(h->dialogs.questions().isEmpty());
    }

    void unsavedDescriptionsAreAskedFor_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("終了") << "eend";
        QTest::newRow("close box") << "close";
        QTest::newRow("ファイル名取り込み") << "Command14";
        QTest::newRow("ファイル名クリア") << "Command15";
    }
    void unsavedDescriptionsAreAskedFor()
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
        describe(1, QStringLiteral("説明"));
        act(); // いいえ: everything stays
        QCOMPARE(h->dialogs.callsOf(ScriptedDialogs::Call::Confirm).size(), 1);
        QCOMPARE(h->dialogs.calls().constLast().defaultAnswer, UserDialogs::DefaultAnswer::No);
        QVERIFY(h->window->isVisible());
        QCOMPARE(rows(), QStringList({"a", QStringLiteral("b,説明")}));

        h->dialogs.setNextAnswer(true); // はい: the descriptions go
        act();
        QCOMPARE(h->dialogs.callsOf(ScriptedDialogs::Call::Confirm).size(), 2);
        QCOMPARE(h->window->isVisible(), action.startsWith("Command"));
        if (action.startsWith("Command"))
            QCOMPARE(rows(), action == "Command14" ? QStringList({"a", "b"}) : QStringList());
    }

    // "表.csv" in Shift_JIS, as a Windows archive unpacked here names it.
    void shiftJisFileNameIsPickedReadAndLinked()
    {
        const QByteArray raw = QFile::encodeName(dir->path()) + "/\x95\x5C.csv";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "x,y\r\n", 5), ssize_t(5));
        ::close(fd);
        makeFiles({});
        h->doubleClickRow("File1", 0);
        QCOMPARE(h->text("Label1"), dir->path() + QStringLiteral("/表.csv"));
        h->find<QTabWidget>("SSTab1")->setCurrentIndex(0);
        h->click("Command1");
        h->find<QTabWidget>("SSTab1")->setCurrentWidget(tab());
        QVERIFY(h->dialogs.calls().isEmpty());
        QCOMPARE(h->rows("List1"), QStringList{"x,y"});
        QVERIFY(writePage().contains(body({QStringLiteral("<A href=\"%95%5C.csv\">表.csv</A></td></tr>")})));
    }
};

QTEST_MAIN(TestLinkTab)
#include "tst_linktab.moc"
