#include "ui/CsvTab.h"

#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"
#include "ui/TwoStateCheckBox.h"
#include "WindowHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTableView>
#include <QTemporaryDir>

using namespace tabulink;

class TestCsvTab : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowHarness> h;
    QTemporaryDir dir;

    CsvTab *tab() const { return h->window->csvTab(); }
    const TableGrid &grid() const { return tab()->grid(); }
    QComboBox *combo(const char *name) const { return h->find<QComboBox>(name); }
    QLineEdit *text1() const { return h->find<QLineEdit>("Text1"); }
    QTableView *view() const { return h->find<QTableView>("grd1"); }

    void readFile(const QString &path)
    {
        h->window->saveContext().setPathLabel(path);
        h->click("Command1");
    }
    QString write(const QString &name, const QByteArray &bytes)
    {
        TestFiles::writeAll(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    void type(const QString &text)
    {
        text1()->setText(text);
        QTest::keyClick(text1(), Qt::Key_Return);
    }
    // Keys go where a keyboard sends them: to the widget with the focus.
    static void keys(const QString &ascii, int finalKey = 0, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClicks(QApplication::focusWidget(), ascii);
        if (finalKey)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(finalKey), mods);
    }
    // Clicks into a selector, selects its text and types over it.
    void typeInto(const char *name, const QString &ascii, int finalKey = 0, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(combo(name)->lineEdit(), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        keys(ascii, finalKey, mods);
    }
    void commit(const char *name, const QString &text) { typeInto(name, text, Qt::Key_Return); }
    QPoint cellCentre(int r, int c) const { return view()->visualRect(view()->model()->index(r, c)).center(); }
    // Rows and columns, as the selectors show them too.
    void expectSize(int rows, int columns)
    {
        QCOMPARE(grid().rowCount(), rows);
        QCOMPARE(grid().colCount(), columns);
        QCOMPARE(combo("Combo1")->currentText(), QString::number(rows));
        QCOMPARE(combo("Combo2")->currentText(), QString::number(columns));
    }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < grid().colCount(); ++c)
            cells << grid().cellText(r, c);
        return cells;
    }
    QPair<int, int> current() const { return {grid().currentRow(), grid().currentCol()}; }

private slots:
    void init()
    {
        h = std::make_unique<WindowHarness>();
        h->window->browsePanel()->setFolder(dir.path());
        h->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->window.get()));
    }
    void cleanup() { h.reset(); }

    void readingAndTransfer()
    {
        readFile(dir.filePath("gone.csv"));
        QCOMPARE(h->dialogs.notices().size(), 1);
        readFile(write("q.csv", "\"x\",\"y\",z\r\n1,2\r\n"));
        QCOMPARE(h->find<QListView>("List1")->model()->rowCount(), 2);
        expectSize(2, 3);
        typeInto("Combo1", "3"); // typed, not committed
        h->click("Command2");
        QCOMPARE(grid().rowCount(), 3);
        QCOMPARE(row(0), (QStringList{"x", "y", "z"}));
        h->find<TwoStateCheckBox>("Check5")->setChecked(false);
        h->click("Command2");
        QCOMPARE(row(0), (QStringList{"\"x\"", "\"y\"", "z"}));
        typeInto("Combo1", "0"); // the transfer never shrinks the table
        h->click("Command2");
        QCOMPARE(grid().rowCount(), 3);
        QCOMPARE(row(0), (QStringList{"\"x\"", "\"y\"", "z"}));
    }

    void typingIntoASelector_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("53 and Enter") << "Combo1" << "53" << int(Qt::Key_Return) << 53 << 5;
        QTest::newRow("53 and keypad Enter") << "Combo1" << "53" << int(Qt::Key_Enter) << 53 << 5;
        QTest::newRow("1 is not completed to 10") << "Combo2" << "1" << int(Qt::Key_Return) << 4 << 1;
        QTest::newRow("no Enter changes the text only") << "Combo2" << "1" << 0 << 4 << 5;
    }
    void typingIntoASelector()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, rows);
        QFETCH(int, columns);
        const QByteArray control = name.toLatin1();
        typeInto(control, typed, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(grid().rowCount(), rows);
        QCOMPARE(grid().colCount(), columns);
        QCOMPARE(combo(control)->currentText(), typed);
        QVERIFY(h->dialogs.calls().isEmpty());
        combo("Combo1")->setEditText("8");
        emit combo("Combo1")->activated(6); // picked from the list
        QCOMPARE(grid().rowCount(), 8);
    }

    // Double-click fetches the text; Enter stores it back and moves on.
    void inputBoxKeepsLongCells()
    {
        const QByteArray cell = QByteArray(40000, 'x') + "y";
        readFile(write("long.csv", cell + "\r\n"));
        h->click("Command2");
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(0, 0));
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(0, 0));
        QTest::mouseClick(text1(), Qt::LeftButton);
        keys(QString(), Qt::Key_Return);
        QCOMPARE(grid().cellText(0, 0), QString::fromLatin1(cell));
    }

    void gridTakesNoTyping()
    {
        tab()->setCurrentCell(3, 1);
        type("x");
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
        keys("x1 ");
        QCOMPARE(current(), qMakePair(1, 1));
        keys(QString(), Qt::Key_Down);
        QCOMPARE(current(), qMakePair(2, 1));
        keys(QString(), Qt::Key_Tab);
        QCOMPARE(current(), qMakePair(2, 1));
        QCOMPARE(grid().cellText(1, 1), QString());
    }

    void rowAndColumnDeletion()
    {
        for (int c = 0; c < 5; ++c)
            type(QString::number(c + 1));
        // The right button makes the cell under it current and opens the menu.
        QTest::mouseClick(view()->viewport(), Qt::RightButton, {}, cellCentre(2, 0));
        QTRY_VERIFY(tab()->gridMenu()->isVisible());
        tab()->gridMenu()->hide();
        h->trigger("grdgyodel"); // scripted No
        QCOMPARE(grid().rowCount(), 4);
        h->dialogs.setNextAnswer(true);
        h->trigger("grdgyodel");
        expectSize(3, 5);

        tab()->setCurrentCell(0, 1);
        view()->horizontalHeader()->resizeSection(1, 120);
        h->dialogs.setNextAnswer(true);
        h->trigger("grdretudel");
        QCOMPARE(row(0), (QStringList{"1", "3", "4", "5"}));
        expectSize(3, 4);
        QCOMPARE(view()->horizontalHeader()->sectionSize(1), 120); // widths stay with positions
    }

    void widthModeAndClear()
    {
        type("head");
        h->click("Command5");
        QVERIFY(view()->isRowHidden(0));
        QCOMPARE(view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("head"));
        h->click("Command6");
        QVERIFY(!view()->isRowHidden(0));
        QVERIFY(view()->horizontalHeader()->isHidden());
        h->click("Command8");

        commit("Combo1", "1");
        h->click("Command5");
        QVERIFY(!view()->isRowHidden(0)); // the only row stays reachable
    }

    void csvSaveAndReadBack()
    {
        commit("Combo1", "2");
        commit("Combo2", "3");
        for (const char *t : {"a", "b", "c", "1", "", "3"})
            type(QString::fromLatin1(t));
        const QString path = dir.filePath("out.csv");
        h->dialogs.setNextFileName(path);
        h->click("Command4");
        QCOMPARE(TestFiles::readAll(path), QByteArray("a,b,c\r\n1,,3\r\n"));
        QCOMPARE(h->dialogs.notices(), QStringList{QStringLiteral("ｃｓｖファイル作成完了")});
        h->click("Command1"); // reads the file just saved
        QCOMPARE(tab()->lines().entry(1), QStringLiteral("1,,3"));
    }

    // A spreadsheet's line break inside a quoted cell stays in its row, and
    // quotes typed round a cell survive a save and a read back.
    void spreadsheetCellsSurviveSaveAndReadBack()
    {
        readFile(write("sheet.csv", "item,note\r\numbrella,\"rainy\nsunny\"\r\n"));
        QCOMPARE(h->find<QListView>("List1")->model()->rowCount(), 2);
        h->click("Command2");
        QCOMPARE(row(1), (QStringList{"umbrella", "rainy\nsunny"}));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(0, 0));
        type(QStringLiteral("\"limited\""));
        const QString path = dir.filePath("sheet-out.csv");
        h->dialogs.setNextFileName(path);
        h->click("Command4");
        QCOMPARE(TestFiles::readAll(path), QByteArray("\"\"limited\"\",note\r\numbrella,rainy\nsunny\r\n"));
        h->click("Command1"); // reads the file just saved
        h->click("Command2");
        QCOMPARE(row(0), (QStringList{"\"limited\"", "note"}));
        QCOMPARE(row(1), (QStringList{"umbrella", "rainy\nsunny"}));
    }

    void htmlSave()
    {
        commit("Combo1", "2");
        commit("Combo2", "2");
        tab()->setCurrentCell(0, 0);
        for (const char *t : {"a", "b", "c", "d"})
            type(QString::fromLatin1(t));
        const QString path = dir.filePath("t.html");
        TestFiles::writeAll(path, "old");
        h->dialogs.setNextFileName(path);
        h->dialogs.setNextAnswer(true);
        h->find<TwoStateCheckBox>("Check3")->setChecked(false);
        h->find<TwoStateCheckBox>("Check7")->setChecked(true);
        h->click("Command3");
        QCOMPARE(h->dialogs.callsOf(ScriptedDialogs::Call::Confirm).constLast().text,
                 "\n" + path + QStringLiteral("\nのファイルに上書きしますか？\n"));
        QCOMPARE(TestFiles::readAll(path),
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
