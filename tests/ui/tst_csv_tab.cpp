#include "ui/CsvTab.h"

#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"
#include "ui/TwoStateCheckBox.h"
#include "WindowHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTableView>
#include <QTemporaryDir>

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
        h->window->setPathLabel(path);
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
    // Rows, columns and the current cell, as the selectors show them too.
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

    void readerSizesTheTableAndKeepsCells()
    {
        type("old");
        readFile(write("a.csv", "a,b,c\n\n   \r\n  d,e\r\n"));
        QCOMPARE(tab()->lines().entry(1), QStringLiteral("  d,e"));
        QCOMPARE(h->find<QListView>("List1")->model()->rowCount(), 2);
        expectSize(2, 3);
        QCOMPARE(grid().cellText(0, 0), QStringLiteral("old"));
        h->click("Command1"); // reading again replaces the list
        QCOMPARE(tab()->lines().size(), 2);
        QVERIFY(h->dialogs.calls().isEmpty());

        readFile(write("empty.csv", "\r\n\r\n"));
        expectSize(0, 1);
    }

    void readerMessagesChangeNothing()
    {
        readFile(write("a.csv", "a,b\n"));
        const QString missing = dir.filePath("gone.csv");
        readFile(missing);
        readFile(QString());
        QDir::setCurrent(dir.path());
        write("x.c", "1,2\r\n");
        readFile("x.c"); // a short relative path counts as none
        QCOMPARE(h->dialogs.notices(), (QStringList{"\n" + missing + "\nファイルがありません！\n",
                                                    "ファイルが指定されておりません",
                                                    "ファイルが指定されておりません"}));
        // Too large: refused before the table grows.
        readFile(write("wide.csv", QByteArray(100000, ',') + "\r\nx\r\n"));
        QCOMPARE(h->dialogs.errors().size(), 1);
        QCOMPARE(tab()->lines().size(), 1);
        QCOMPARE(tab()->lines().entry(0), QStringLiteral("a,b"));
        expectSize(1, 2);
    }

    void transferTakesTheTypedSizes()
    {
        readFile(write("q.csv", "\"x\",\"y\",z\r\n1,2\r\n"));
        combo("Combo1")->setEditText("3"); // typed, not committed
        h->click("Command2");
        QCOMPARE(grid().rowCount(), 3);
        QCOMPARE(row(0), (QStringList{"x", "y", "z"}));
        QCOMPARE(row(1), (QStringList{"1", "2", "2"}));
        QCOMPARE(row(2), (QStringList{"", "", ""}));
        QCOMPARE(current(), qMakePair(2, 2));
        h->find<TwoStateCheckBox>("Check5")->setChecked(false);
        h->click("Command2");
        QCOMPARE(row(0), (QStringList{"\"x\"", "\"y\"", "z"}));

        combo("Combo2")->setEditText("zwei");
        h->click("Command2");
        QCOMPARE(h->dialogs.notices().size(), 1);
        combo("Combo2")->setEditText("2");
        combo("Combo1")->setEditText("100000000");
        h->click("Command2");
        QCOMPARE(h->dialogs.errors().size(), 1);
        QCOMPARE(grid().rowCount(), 3);
    }

    void selectorCommits()
    {
        commit("Combo1", "6");
        commit("Combo1", "100000000");
        QCOMPARE(h->dialogs.errors().size(), 1);
        QCOMPARE(grid().rowCount(), 6);
        combo("Combo1")->setEditText("8");
        emit combo("Combo1")->activated(6);
        QCOMPARE(grid().rowCount(), 8);
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
        QTest::newRow("a list entry") << "Combo1" << "6" << int(Qt::Key_Return) << 6 << 5;
        QTest::newRow("4.5 rounds to 4") << "Combo2" << "4.5" << int(Qt::Key_Return) << 4 << 4;
        QTest::newRow("5.5 rounds to 6") << "Combo1" << "5.5" << int(Qt::Key_Return) << 6 << 5;
        QTest::newRow("not a number") << "Combo2" << "abc" << int(Qt::Key_Return) << 4 << 5;
        QTest::newRow("negative") << "Combo2" << "-2" << int(Qt::Key_Return) << 4 << 5;
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
    }

    void transferNeverShrinksTheTable()
    {
        readFile(write("five.csv", "1,2,3,4,5\r\n6\r\n11\r\n16\r\n21,22,23,24,25\r\n"));
        h->click("Command2");
        typeInto("Combo1", "2"); // no Enter
        h->click("Command2");
        QCOMPARE(grid().rowCount(), 5);
        QCOMPARE(row(4), (QStringList{"21", "22", "23", "24", "25"}));
        QCOMPARE(current(), qMakePair(1, 4));
        typeInto("Combo1", "0");
        h->click("Command2");
        QCOMPARE(grid().rowCount(), 5);
        QCOMPARE(row(0), (QStringList{"1", "2", "3", "4", "5"}));
        // Grown to the whole part of the typed number, and filled as far.
        typeInto("Combo1", "6.7");
        h->click("Command2");
        QCOMPARE(grid().rowCount(), 6);
        QCOMPARE(row(5), (QStringList{"", "", "", "", ""}));
        QCOMPARE(current(), qMakePair(5, 4));
    }

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

    // A line break inside a spreadsheet cell stays in the cell; cells in
    // quotes come back from a save as they were.
    void spreadsheetFileSavedAndReadBack()
    {
        readFile(write("sheet.csv", TestFiles::sjis(QStringLiteral("品名,備考\r\n\"傘\",\"雨の日\n晴れの日\"\r\n"))));
        QCOMPARE(h->find<QListView>("List1")->model()->rowCount(), 2);
        h->click("Command2");
        expectSize(2, 2);
        const QStringList second{QStringLiteral("傘"), QStringLiteral("雨の日\n晴れの日")};
        QCOMPARE(row(1), second);

        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(0, 0));
        text1()->setText(QStringLiteral("\"限定\""));
        QTest::mouseClick(text1(), Qt::LeftButton);
        keys(QString(), Qt::Key_Return);
        keys("\"\"\"A\"\"\"", Qt::Key_Return);
        const QString path = dir.filePath("back.csv");
        h->dialogs.setNextFileName(path);
        h->click("Command4");
        QCOMPARE(TestFiles::readAll(path),
                 TestFiles::crlfSjis({QStringLiteral("\"\"限定\"\",\"\"\"\"A\"\"\"\""), QStringLiteral("傘,雨の日\n晴れの日")}));
        h->click("Command1");
        h->click("Command2");
        QCOMPARE(row(0), (QStringList{QStringLiteral("\"限定\""), "\"\"\"A\"\"\""}));
        QCOMPARE(row(1), second);
    }

    void inputMovesOn()
    {
        tab()->setCurrentCell(1, 4);
        type("x");
        QCOMPARE(grid().cellText(1, 4), QStringLiteral("x"));
        QCOMPARE(current(), qMakePair(2, 0));
        QVERIFY(text1()->text().isEmpty());
        tab()->setCurrentCell(3, 4);
        type("last");
        QCOMPARE(current(), qMakePair(3, 0));
        QCOMPARE(grid().rowCount(), 4);

        // Double-click fetches the text; Enter stores it back and moves on.
        tab()->setCurrentCell(0, 0);
        type("abc");
        const QPoint cell = view()->visualRect(view()->model()->index(0, 0)).center();
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(text1()->text(), QStringLiteral("abc"));
        QTest::keyClick(text1(), Qt::Key_Return);
        QCOMPARE(grid().cellText(0, 0), QStringLiteral("abc"));
        QCOMPARE(current(), qMakePair(0, 1));

        // The right button makes the cell under it current and opens the menu.
        QTest::mouseClick(view()->viewport(), Qt::RightButton, {},
                          view()->visualRect(view()->model()->index(2, 3)).center());
        QTRY_VERIFY(tab()->grdsosaMenu()->isVisible());
        tab()->grdsosaMenu()->hide();
        QCOMPARE(current(), qMakePair(2, 3));
    }

    void rowAndColumnDeletion()
    {
        for (int c = 0; c < 5; ++c)
            type(QString::number(c + 1));
        tab()->setCurrentCell(2, 0);
        h->trigger("grdgyodel"); // scripted No
        QCOMPARE(grid().rowCount(), 4);
        h->dialogs.setNextAnswer(true);
        h->trigger("grdgyodel");
        QCOMPARE(h->dialogs.calls().last().title, QStringLiteral("行削除確認"));
        QCOMPARE(h->dialogs.calls().last().text, QStringLiteral("\n3 行目を削除しますか？\n"));
        expectSize(3, 5);

        tab()->setCurrentCell(0, 1);
        view()->horizontalHeader()->resizeSection(1, 120);
        h->dialogs.setNextAnswer(true);
        h->trigger("grdretudel");
        QCOMPARE(h->dialogs.calls().last().title, QStringLiteral("列削除確認"));
        QCOMPARE(h->dialogs.calls().last().text, QStringLiteral("\n2 列目を削除しますか？\n"));
        QCOMPARE(row(0), (QStringList{"1", "3", "4", "5"}));
        expectSize(3, 4);
        QCOMPARE(current(), qMakePair(2, 3));
        QCOMPARE(view()->horizontalHeader()->sectionSize(1), 120); // widths stay with positions
        h->dialogs.setNextAnswer(true);
        h->trigger("grdretudel"); // the last column: nothing moves
        QCOMPARE(row(0), (QStringList{"1", "3", "4"}));
    }

    void deletingTheOnlyRowAndColumn()
    {
        commit("Combo1", "1");
        commit("Combo2", "1");
        h->dialogs.setNextAnswer(true);
        h->trigger("grdgyodel");
        expectSize(0, 1);
        h->trigger("grdgyodel"); // nothing left: no question
        QCOMPARE(h->dialogs.callsOf(ScriptedDialogs::Call::Confirm).size(), 1);
        type("lost");
        QVERIFY(text1()->text().isEmpty());
        h->dialogs.setNextAnswer(true);
        h->trigger("grdretudel");
        QCOMPARE(grid().colCount(), 0);
        h->click("Command5");
        commit("Combo1", "3");
        commit("Combo2", "2");
        QCOMPARE(grid().cellText(2, 1), QString());
    }

    void widthModeAndClear()
    {
        type("head");
        h->click("Command5");
        QVERIFY(grid().firstRowFixed());
        QVERIFY(view()->isRowHidden(0));
        QCOMPARE(view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("head"));
        QCOMPARE(grid().cellText(0, 0), QStringLiteral("head"));
        h->click("Command6");
        QVERIFY(!grid().firstRowFixed());
        QVERIFY(!view()->isRowHidden(0));
        QVERIFY(view()->horizontalHeader()->isHidden());

        readFile(write("a.csv", "1,2,3\r\n4,5,6\r\n"));
        h->click("Command2");
        text1()->setText("keep");
        h->click("Command8");
        expectSize(4, 5);
        QCOMPARE(grid().cellText(0, 0), QString());
        QVERIFY(tab()->lines().isEmpty());
        QCOMPARE(text1()->text(), QStringLiteral("keep"));

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
        QCOMPARE(h->dialogs.callsOf(ScriptedDialogs::Call::Save).first().request.presetName, QStringLiteral("csv.txt"));
        QCOMPARE(h->window->pathLabel(), path);
        QCOMPARE(current(), qMakePair(1, 2));
        h->click("Command1");
        QCOMPARE(tab()->lines().entry(1), QStringLiteral("1,,3"));
    }

    void csvUnmappableAndUncommittedSelectors()
    {
        type("😀");
        combo("Combo1")->setEditText("6"); // beyond the table, not committed
        combo("Combo2")->setEditText("1");
        const QString path = dir.filePath("wide.txt");
        h->dialogs.setNextFileName(path);
        h->click("Command4");
        QCOMPARE(TestFiles::readAll(path), QByteArray("?\r\n\r\n\r\n\r\n\r\n\r\n"));
        QCOMPARE(h->dialogs.notices().size(), 2);
        QVERIFY(h->dialogs.notices().first().contains("1"));
        QCOMPARE(grid().rowCount(), 4);
        QCOMPARE(current(), qMakePair(3, 0));
    }

    void htmlSave()
    {
        tab()->setCurrentCell(1, 1);
        h->dialogs.setNextCancel();
        h->click("Command3");
        QCOMPARE(current(), qMakePair(1, 1));

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
        const auto asks = h->dialogs.callsOf(ScriptedDialogs::Call::Confirm);
        QCOMPARE(asks.size(), 1);
        QCOMPARE(asks[0].text, "\n" + path + QStringLiteral("\nのファイルに上書きしますか？\n"));
        // The bytes of the page are compared with the command line's, box by box.
        const QByteArray page = TestFiles::readAll(path);
        QVERIFY(page.contains("<table border=\"0\">\r\n<tr>\r\n<td nowrap align=\"center\"><b><b>a</b></b></td>"));
        QVERIFY(page.contains("TABLE{font-size:8pt}\r\n"));
        QCOMPARE(h->dialogs.notices(), QStringList{QStringLiteral("ｈｔｍｌファイル作成完了")});
        QCOMPARE(current(), qMakePair(1, 1));
    }

    void writersRefuseHugeSizes()
    {
        combo("Combo1")->setEditText("100000000");
        h->click("Command3");
        h->click("Command4");
        QCOMPARE(h->dialogs.errors().size(), 2);
        QVERIFY(h->dialogs.callsOf(ScriptedDialogs::Call::Save).isEmpty());
    }
};

QTEST_MAIN(TestCsvTab)
#include "tst_csv_tab.moc"
