#include "WindowHarness.h"
#include "ui/CsvTab.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>

using namespace tabulink;

class TestCsvTab : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<QTemporaryDir> dir;

    CsvTab *tab() const { return h->window->csvTab(); }
    const TableGrid &grid() const { return tab()->grid(); }
    QTableView *view() const { return tab()->gridView(); }
    QString path(const char *name) const { return dir->filePath(QString::fromLatin1(name)); }
    void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(view()->viewport(), button, {}, WindowHarness::centre(view(), row, column));
    }
    // Each text typed into Text1 and Enter: the cell takes it, the next one is current.
    void enter(const QStringList &texts) const
    {
        for (const QString &text : texts)
            h->typeInto("Text1", text);
    }
    // The file named in Label1 read with csvﾌｧｲﾙ読込.
    void read(const char *name, const QByteArray &bytes) const
    {
        QVERIFY(TestFiles::writeAll(path(name), bytes));
        h->window->saveContext().setPathLabel(path(name));
        h->click("Command1");
    }
    QByteArray save(const char *button, const char *name) const
    {
        h->dialogs.setNextFileName(path(name));
        h->click(button);
        return TestFiles::readAll(path(name));
    }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < grid().colCount(); ++c)
            cells << grid().cellText(r, c);
        return cells;
    }
    // Rows and columns, as the selectors show them too.
    void expectSize(int rows, int columns) const
    {
        QCOMPARE(QSize(grid().colCount(), grid().rowCount()), QSize(columns, rows));
        QCOMPARE(h->find<QComboBox>("Combo1")->currentText() + "x" + h->find<QComboBox>("Combo2")->currentText(),
                 QStringLiteral("%1x%2").arg(rows).arg(columns));
    }
    QPair<int, int> current() const { return {grid().currentRow(), grid().currentCol()}; }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        h = std::make_unique<WindowHarness>();
        h->browse()->setFolder(dir->path());
        h->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->window.get()));
    }
    void cleanup() { h.reset(); }

    void readingAndTransfer()
    {
        read("q.csv", "\"x\",\"y\",z\r\n1,2\r\n");
        QCOMPARE(h->rows("List1"), (QStringList{"\"x\",\"y\",z", "1,2"}));
        expectSize(2, 3);
        h->typeInto("Combo1", "3", 0); // typed, not committed
        h->click("Command2");
        QCOMPARE(grid().rowCount(), 3);
        QCOMPARE(row(1), (QStringList{"1", "2", "2"}));
        QCOMPARE(row(0), (QStringList{"x", "y", "z"}));
        QTest::mouseClick(h->find("Check5"), Qt::LeftButton); // quotes stay
        h->click("Command2");
        QCOMPARE(row(0), (QStringList{"\"x\"", "\"y\"", "z"}));
    }

    void typingIntoASelector_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("53 and Enter") << "Combo1" << "53" << int(Qt::Key_Return) << "53" << 53 << 5;
        QTest::newRow("53 and keypad Enter") << "Combo1" << "53" << int(Qt::Key_Enter) << "53" << 53 << 5;
        QTest::newRow("1 is not completed to 10") << "Combo2" << "1" << int(Qt::Key_Return) << "1" << 4 << 1;
        QTest::newRow("no Enter changes the text only") << "Combo2" << "1" << 0 << "1" << 4 << 5;
    }
    void typingIntoASelector()
    {
        QFETCH(QString, name);
        QFETCH(int, key);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QString, typed);
        h->typeInto(qPrintable(name), typed, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(QSize(grid().colCount(), grid().rowCount()), QSize(columns, rows));
        QTEST(h->find<QComboBox>(qPrintable(name))->currentText(), "shown");
        QVERIFY(h->dialogs.calls().isEmpty());
    }

    // Double-click fetches a cell into Text1, Enter stores it back whole.
    void inputBoxKeepsLongCells()
    {
        const QByteArray cell = QByteArray(40000, 'x') + "y";
        read("long.csv", cell + "\r\n");
        h->click("Command2");
        clickCell(0, 0);
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, WindowHarness::centre(view(), 0, 0));
        QCOMPARE(h->find<QLineEdit>("Text1")->text().size(), 40001);
        QTest::mouseClick(h->find("Text1"), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(grid().cellText(0, 0), QString::fromLatin1(cell));
    }

    // The grid moves the current cell by keys and clicks, but takes no
    // typing, nor does typing jump to a cell holding the letters.
    void gridTakesNoTyping()
    {
        clickCell(3, 1);
        enter({"x"});
        clickCell(1, 1);
        WindowHarness::type("x1 ");
        QCOMPARE(current(), qMakePair(1, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(current(), qMakePair(2, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(current(), qMakePair(2, 1));
        QCOMPARE(row(1), QStringList(5, QString()));
    }

    void rightClickDeletesRowsAndColumns()
    {
        enter({"1", "2", "3", "4", "5"});
        clickCell(2, 0, Qt::RightButton); // makes the cell current and opens the menu
        QTRY_VERIFY(tab()->gridMenu()->isVisible());
        QCOMPARE(current(), qMakePair(2, 0));
        tab()->gridMenu()->hide();
        h->trigger("grdgyodel"); // answered No
        expectSize(4, 5);
        h->dialogs.setNextAnswer(true);
        h->trigger("grdgyodel");
        expectSize(3, 5);
        QCOMPARE(h->dialogs.questions().constLast(), QStringLiteral("\n3 行目を削除しますか？\n"));

        clickCell(0, 1);
        view()->horizontalHeader()->resizeSection(1, 120);
        h->dialogs.setNextAnswer(true);
        h->trigger("grdretudel");
        QCOMPARE(row(0), (QStringList{"1", "3", "4", "5"}));
        expectSize(3, 4);
        QCOMPARE(view()->horizontalHeader()->sectionSize(1), 120); // widths stay with positions
    }

    void widthMode()
    {
        enter({"head"});
        h->click("Command5");
        QVERIFY(view()->isRowHidden(0));
        QCOMPARE(view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("head"));
        h->click("Command6");
        QVERIFY(!view()->isRowHidden(0) && view()->horizontalHeader()->isHidden());
        h->typeInto("Combo1", "1");
        h->click("Command5");
        QVERIFY(!view()->isRowHidden(0)); // the only row stays reachable
    }

    // A spreadsheet's line break inside a quoted cell stays in its row, and
    // quotes typed round a cell survive a save and a read back.
    void csvSaveAndReadBack()
    {
        read("sheet.csv", "item,note\r\numbrella,\"rainy\nsunny\"\r\n");
        QCOMPARE(h->rows("List1").size(), 2);
        h->click("Command2");
        QCOMPARE(row(1), (QStringList{"umbrella", "rainy\nsunny"}));
        clickCell(0, 0);
        enter({"\"limited\""});
        QCOMPARE(save("Command4", "out.csv"), QByteArray("\"\"limited\"\",note\r\numbrella,rainy\nsunny\r\n"));
        QCOMPARE(h->dialogs.notices(), QStringList{QStringLiteral("ｃｓｖファイル作成完了")});
        QCOMPARE(h->text("Label1"), path("out.csv"));
        h->click("Command1"); // reads the file just saved
        h->click("Command2");
        QCOMPARE(row(0), (QStringList{"\"limited\"", "note"}));
        QCOMPARE(row(1), (QStringList{"umbrella", "rainy\nsunny"}));
    }

    void tablePage()
    {
        h->typeInto("Combo1", "2");
        h->typeInto("Combo2", "2");
        clickCell(0, 0);
        enter({"a", "b", "c", "d"});
        QTest::mouseClick(h->find("Check3"), Qt::LeftButton); // no border
        QTest::mouseClick(h->find("Check7"), Qt::LeftButton); // small font
        QCOMPARE(save("Command3", "t.html"),
                 TestFiles::crlfSjis(TestFiles::pageLines(
                     QStringLiteral("ここにタイトルを入れて下さい"), {}, "<BODY bgcolor=\"#ffffff\">",
                     {"<STYLE TYPE =\"text/css\">", "<!--", "TABLE{font-size:8pt}", "P{font-size:12pt}",
                      "div{font-size:12pt}", "body{font-size:12pt}", "-->", "</STYLE>"},
                     {"<table border=\"0\">", "<tr>", "<td nowrap align=\"center\"><b><b>a</b></b></td>",
                      "<td nowrap align=\"center\"><b>b</b></td>", "</tr>", "<tr>",
                      "<td nowrap align=\"left\"><b>c</b></td>", "<td nowrap align=\"right\">d</td>", "</tr>",
                      "</TABLE>", "</CENTER>"})));
        QCOMPARE(h->dialogs.notices(), QStringList{QStringLiteral("ｈｔｍｌファイル作成完了")});
        QCOMPARE(current(), qMakePair(1, 1));
    }
};

QTEST_MAIN(TestCsvTab)
#include "tst_csv_tab.moc"
