#include "WindowHarness.h"
#include "ui/CsvTab.h"

#include <QMenu>
#include <QTableView>

using namespace tabulink;

class TestCsvTab : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;

    const TableGrid &grid() const { return h->window->csvTab()->grid(); }
    QTableView *view() const { return h->window->csvTab()->gridView(); }
    QString path(const char *name) const { return h->path(QString::fromLatin1(name)); }
    void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(view()->viewport(), button, {}, WindowHarness::centre(view(), row, column));
    }
    // The file named in Label1 read with csvﾌｧｲﾙ読込.
    void read(const char *name, const QByteArray &bytes) const
    {
        QVERIFY(TestFiles::writeAll(path(name), bytes));
        h->window->saveContext().setPathLabel(path(name));
        h->click("Command1");
    }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < grid().colCount(); ++c)
            cells << grid().cellText(r, c);
        return cells;
    }
    // Rows x columns of the grid, and as the selectors show them.
    QString size() const
    {
        return QStringLiteral("%1x%2 %3x%4").arg(grid().rowCount()).arg(grid().colCount())
            .arg(h->find<QComboBox>("Combo1")->currentText(), h->find<QComboBox>("Combo2")->currentText());
    }
    QPair<int, int> current() const { return {grid().currentRow(), grid().currentCol()}; }

private slots:
    void init()
    {
        h = std::make_unique<WindowHarness>();
        QVERIFY(!h->showTempFolder().isEmpty());
    }
    void cleanup() { h.reset(); }

    // A size too large typed into a selector and the window closed: the
    // commit when the selector loses the focus must not reach the window's
    // save services, which go before the widgets do.
    void closingWithAnUncommittedSelector()
    {
        h->typeInto("Combo1", "99999999", 0);
        h.reset();
        QVERIFY(!h);
    }

    void readingAndTransfer()
    {
        read("q.csv", "\"x\",\"y\",z\r\n1,2\r\n");
        QCOMPARE(h->rows("List1"), (QStringList{"\"x\",\"y\",z", "1,2"}));
        QCOMPARE(size(), QStringLiteral("2x3 2x3"));
        h->typeInto("Combo1", "3", 0); // typed, not committed
        h->click("Command2");
        QCOMPARE(size(), QStringLiteral("3x3 3x3"));
        QCOMPARE(row(0) + row(1), (QStringList{"x", "y", "z", "1", "2", "2"}));
        QTest::mouseClick(h->find("Check5"), Qt::LeftButton); // quotes stay
        h->click("Command2");
        QCOMPARE(row(0), (QStringList{"\"x\"", "\"y\"", "z"}));
    }

    void typingIntoASelector_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("size");
        QTest::newRow("53 and Enter") << "Combo1" << "53" << int(Qt::Key_Return) << "53x5 53x5";
        QTest::newRow("53 and keypad Enter") << "Combo1" << "53" << int(Qt::Key_Enter) << "53x5 53x5";
        QTest::newRow("1 is not completed to 10") << "Combo2" << "1" << int(Qt::Key_Return) << "4x1 4x1";
        QTest::newRow("no Enter changes the text only") << "Combo2" << "1" << 0 << "4x5 4x1";
    }
    void typingIntoASelector()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(int, key);
        h->typeInto(qPrintable(name), typed, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QTEST(size(), "size");
        QVERIFY(h->dialogs.calls().isEmpty());
    }

    // The arrow keys step from the size a selector shows, at start and after
    // a read alike.
    void arrowKeysStepFromTheShownSize()
    {
        auto step = [this](const char *name, Qt::Key key) {
            QLineEdit *edit = h->find<QComboBox>(name)->lineEdit();
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, key);
        };
        step("Combo1", Qt::Key_Down);
        QCOMPARE(size(), QStringLiteral("5x5 5x5"));
        step("Combo2", Qt::Key_Up);
        QCOMPARE(size(), QStringLiteral("5x4 5x4"));
        read("three.csv", "a,b,c\r\nd\r\ne\r\n");
        QCOMPARE(size(), QStringLiteral("3x3 3x3"));
        step("Combo1", Qt::Key_Up);
        step("Combo2", Qt::Key_Down);
        QCOMPARE(size(), QStringLiteral("2x4 2x4"));
    }

    // Double-click fetches a cell into Text1, Enter stores it back whole and
    // moves on; the grid itself takes no typing, nor jumps to typed letters.
    void cellsTakeTextThroughText1()
    {
        const QByteArray cell = QByteArray(40000, 'x') + "y";
        read("long.csv", cell + ",b\r\nx,c\r\n");
        h->click("Command2");
        clickCell(0, 0);
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, WindowHarness::centre(view(), 0, 0));
        h->typeInto("Text1", QString(), Qt::Key_End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(grid().cellText(0, 0), QString::fromLatin1(cell));
        QCOMPARE(current(), qMakePair(0, 1));
        clickCell(0, 1);
        WindowHarness::type("x1 ", Qt::Key_Down);
        QCOMPARE(current(), qMakePair(1, 1));
        QCOMPARE(row(1), (QStringList{"x", "c"}));
    }

    void rightClickDeletesRowsAndColumns()
    {
        for (const char *text : {"1", "2", "3", "4", "5"})
            h->typeInto("Text1", QString::fromLatin1(text));
        clickCell(2, 0, Qt::RightButton); // makes the cell current and opens the menu
        QTRY_VERIFY(h->window->csvTab()->gridMenu()->isVisible());
        QCOMPARE(current(), qMakePair(2, 0));
        h->window->csvTab()->gridMenu()->hide();
        h->dialogs.setNextAnswer(true);
        h->trigger("grdgyodel");
        QCOMPARE(size(), QStringLiteral("3x5 3x5"));
        QCOMPARE(h->dialogs.questions().constLast(), QStringLiteral("\n3 行目を削除しますか？\n"));
        clickCell(0, 1);
        h->dialogs.setNextAnswer(true);
        h->trigger("grdretudel");
        QCOMPARE(row(0), (QStringList{"1", "3", "4", "5"}));
    }

    // A spreadsheet's line break inside a quoted cell stays in its row, and
    // quotes typed round a cell survive a save and a read back.
    void csvSaveAndReadBack()
    {
        read("sheet.csv", "item,note\r\numbrella,\"rainy\nsunny\"\r\n");
        QCOMPARE(h->rows("List1").size(), 2);
        h->click("Command2");
        clickCell(0, 0);
        h->typeInto("Text1", "\"limited\"");
        QCOMPARE(h->clickAnswering("Command4", path("out.csv")), QByteArray("\"\"limited\"\",note\r\numbrella,rainy\nsunny\r\n"));
        QCOMPARE(h->dialogs.notices(), QStringList{QStringLiteral("ｃｓｖファイル作成完了")});
        QCOMPARE(h->text("Label1"), path("out.csv"));
        QVERIFY(h->rows("File1").contains("out.csv"));
        h->click("Command1"); // reads the file just saved
        h->click("Command2");
        QCOMPARE(row(0) + row(1), (QStringList{"\"limited\"", "note", "umbrella", "rainy\nsunny"}));
    }
};

QTEST_MAIN(TestCsvTab)
#include "tst_csv_tab.moc"
