#include "WindowHarness.h"
#include "ui/LinkListModel.h"
#include "ui/LinkTab.h"

#include <QClipboard>
#include <QMenu>

using namespace tabulink;

class TestLinkTab : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;

    QListView *list() const { return h->window->linkTab()->fileListView(); }
    QStringList rows() const { return h->window->linkTab()->fileListModel()->rows(); }
    // Files in the shown folder, taken in with ファイル名取り込み.
    void makeFiles(const QStringList &names) const
    {
        for (const QString &name : names)
            QVERIFY(TestFiles::writeAll(h->path(name), ""));
        QVERIFY(!h->showTempFolder().isEmpty());
        h->click("Command14");
    }
    // Double-click on a row, a description typed into Text4 and Enter.
    void describe(int row, const QString &text) const
    {
        WindowHarness::doubleClickRow(list(), row);
        h->typeInto("Text4", text);
    }
    QByteArray writePage() const { return h->clickAnswering("Command17", h->path("links.html")); }
    // The page's list of links, from the frame's "<center>" to its footer.
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
        h->find<QTabWidget>("SSTab1")->setCurrentWidget(h->window->linkTab());
    }
    void cleanup() { h.reset(); }

    // A double-click or Enter loads a row, Enter in Text4 registers it and
    // the list takes the keys again; the right button's menu deletes the
    // selected rows.
    void describingAndDeletingRows()
    {
        makeFiles({"r2", "r0", "r1", "r3"});
        h->click("Command14"); // importing again adds nothing
        QCOMPARE(rows(), QStringList({"r0", "r1", "r2", "r3"}));
        describe(1, QStringLiteral("夏の写真"));
        QCOMPARE(rows(), QStringList({"r0", QStringLiteral("r1,夏の写真"), "r2", "r3"}));
        QCOMPARE(h->text("Label8") + h->text("Label9") + h->find<QLineEdit>("Text4")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), list());
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(h->text("Label8") + h->text("Label9"), QString("2r2"));
        WindowHarness::type("two", Qt::Key_Return);
        QCOMPARE(rows().at(2), QString("r2,two"));

        WindowHarness::clickRow(list(), 0);
        WindowHarness::clickRow(list(), 1, Qt::LeftButton, Qt::ShiftModifier);
        WindowHarness::clickRow(list(), 3, Qt::LeftButton, Qt::ControlModifier);
        QTest::mousePress(list()->viewport(), Qt::RightButton, {}, WindowHarness::centre(list(), 2));
        QVERIFY(!h->window->linkTab()->rowMenu()->isVisible());
        QTest::mouseRelease(list()->viewport(), Qt::RightButton, {}, WindowHarness::centre(list(), 2));
        QVERIFY(h->window->linkTab()->rowMenu()->isVisible());
        h->window->linkTab()->rowMenu()->hide();
        h->trigger("lst2seldel");
        QCOMPARE(rows(), QStringList({"r2,two"}));
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
        QCOMPARE(h->find<QLabel>("Label9")->toolTip() + "|" + h->find<QLineEdit>("Text4")->text(), QStringLiteral("a,b.txt|説明"));
        WindowHarness::doubleClickRow(list(), 2);
        QApplication::clipboard()->setText(QStringLiteral("一行目\r\n二行目\n三行目"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        WindowHarness::doubleClickRow(list(), 0);
        h->typeInto("Text4", "unregistered", 0);

        const QByteArray page = writePage();
        QVERIFY2(page.contains(body({"<A href=\"%231.jpg\">#1.jpg</A></td></tr>",
                                     QStringLiteral("<A href=\"a,b.txt\">説明</A></td></tr>"),
                                     QStringLiteral("<A href=\"p.txt\">一行目 二行目 三行目</A></td></tr>")})),
                 page.constData());
        QVERIFY(!page.contains("unregistered"));
        QCOMPARE(h->dialogs.notices(), QStringList({QStringLiteral("ｈｔｍｌファイル作成完了")}));
        QCOMPARE(h->text("Label1"), h->path("links.html"));
        QVERIFY(h->rows("File1").contains("links.html"));
        QCOMPARE(h->text("Label8"), QString("0")); // the edit row is not the writer's
        h->click("Command15"); // everything registered is in the page: no question
        QVERIFY(rows().isEmpty() && h->dialogs.questions().isEmpty());
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
        const bool button = action.startsWith("Command");
        const auto act = [&] { button ? h->click(qPrintable(action)) : action == "eend" ? h->trigger("eend") : void(h->window->close()); };
        makeFiles({"a", "b"});
        describe(1, QStringLiteral("説明"));
        act(); // いいえ: everything stays
        QCOMPARE(h->dialogs.calls().constLast().defaultAnswer, UserDialogs::DefaultAnswer::No);
        QVERIFY(h->window->isVisible());
        QCOMPARE(rows(), QStringList({"a", QStringLiteral("b,説明")}));
        h->dialogs.setNextAnswer(true); // はい: the descriptions go
        act();
        QCOMPARE(h->dialogs.questions().size(), 2);
        QCOMPARE(h->window->isVisible(), button);
        QCOMPARE(rows(), !button ? rows() : action == "Command14" ? QStringList({"a", "b"}) : QStringList());
    }
};

QTEST_MAIN(TestLinkTab)
#include "tst_linktab.moc"
