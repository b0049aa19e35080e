#include "table/TableEditor.h"
#include "table/TableHtmlWriter.h"

#include "support/FakeSaveContext.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

namespace {
using Rows = QList<QStringList>;
using Message = UserMessage::Kind;
using Cell = QPair<int, int>;

Rows table(const TableGrid &g)
{
    Rows rows;
    for (int r = 0; r < g.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g.colCount(); ++c)
            cells << g.cellText(r, c);
        rows << cells;
    }
    return rows;
}

Cell current(const TableEditor &e)
{
    return {e.grid().currentRow(), e.grid().currentCol()};
}

QString tooLarge(const QString &size)
{
    return QStringLiteral("\n表が大きすぎます（%1）。\n扱える大きさは 10000000 行、100000 列、合わせて 20000000 セルまでです。\n")
        .arg(size);
}
const QString tooLarge100M = tooLarge(QStringLiteral("100000000 行 × 3 列"));
} // namespace

class TestTableEditor : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString file(const QString &name, const QByteArray &bytes)
    {
        TestFiles::writeAll(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    // A 2 x 3 table read from a file, every cell typed over with "old".
    void readAbc(TableEditor &e)
    {
        QCOMPARE(int(e.readCsvFile(file("abc.csv", "a,b,c\r\n1,2\r\n"), dir.path()).message.kind), int(Message::None));
        for (int i = 0; i < 6; ++i)
            e.storeCellText("old"); // from (0, 0) on
    }

private slots:
    void selectorCommit_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("colCount");
        QTest::addColumn<QString>("error");
        QTest::newRow("rows") << true << "53" << 53 << 5 << QString();
        QTest::newRow("columns") << false << "1" << 4 << 1 << QString();
        QTest::newRow("blanks around") << true << " 12 " << 12 << 5 << QString();
        QTest::newRow("half to even down") << false << "4.5" << 4 << 4 << QString();
        QTest::newRow("half to even up") << true << "5.5" << 6 << 5 << QString();
        QTest::newRow("fraction") << true << "2.7" << 3 << 5 << QString();
        QTest::newRow("zero") << true << "0" << 0 << 5 << QString();
        QTest::newRow("exponent") << false << "1e1" << 4 << 10 << QString();
        QTest::newRow("letters, silently") << false << "abc" << 4 << 5 << QString();
        QTest::newRow("trailing text") << true << "5x" << 4 << 5 << QString();
        QTest::newRow("empty") << true << "" << 4 << 5 << QString();
        QTest::newRow("full-width digits") << true << QStringLiteral("５") << 4 << 5 << QString();
        QTest::newRow("negative, silently") << true << "-2" << 4 << 5 << QString();
        QTest::newRow("too large") << true << "100000000" << 4 << 5 << tooLarge(QStringLiteral("100000000 行 × 5 列"));
    }
    void selectorCommit()
    {
        QFETCH(bool, rows);
        QFETCH(QString, text);
        QFETCH(int, rowCount);
        QFETCH(int, colCount);
        QFETCH(QString, error);
        TableEditor e;
        rows ? e.setRowsText(text) : e.setColsText(text);
        const TableEditor::Result r = rows ? e.commitRows() : e.commitColumns();
        QCOMPARE(e.grid().rowCount(), rowCount);
        QCOMPARE(e.grid().colCount(), colCount);
        QCOMPARE(r.message.text, error);
        QCOMPARE(int(r.message.kind), int(error.isEmpty() ? Message::None : Message::Warning));
    }

    void readingSizesTheTableAndKeepsCells()
    {
        TableEditor e;
        e.storeCellText("kept");
        const QString path = file("abc.csv", "a,b,c\r\n1,2\r\n");
        QVERIFY(e.readCsvFile(path, dir.path()).changes.lines);
        e.readCsvFile(path, dir.path()); // again: replaced, not added to
        QCOMPARE(e.lines().size(), 2);
        QCOMPARE(table(e.grid()), (Rows{{"kept", "", ""}, {"", "", ""}}));
        QCOMPARE(e.rowsText() + e.colsText(), QStringLiteral("23"));
        e.readCsvFile(file("empty.csv", "\r\n\r\n"), dir.path());
        QCOMPARE(e.rowsText() + e.colsText(), QStringLiteral("01"));
    }

    void readingRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fileMissing");
        const QString gone = dir.filePath("gone.csv");
        QTest::newRow("no such file") << gone << int(Message::Notice)
                                      << "\n" + gone + QStringLiteral("\nファイルがありません！\n") << true;
        QTest::newRow("nothing picked") << QString() << int(Message::Notice)
                                        << QStringLiteral("ファイルが指定されておりません") << false;
        QTest::newRow("a path this short counts as none") << "x.c" << int(Message::Notice)
                                                          << QStringLiteral("ファイルが指定されておりません") << false;
        QTest::newRow("too wide") << dir.filePath("wide.csv") << int(Message::Warning)
                                  << tooLarge(QStringLiteral("2 行 × 100001 列")) << false;
    }
    void readingRefused()
    {
        QFETCH(QString, path);
        QFETCH(int, message);
        QFETCH(QString, text);
        QFETCH(bool, fileMissing);
        file("x.c", "1,2\r\n");
        file("wide.csv", QByteArray(100000, ',') + "\r\nx\r\n");
        QDir::setCurrent(dir.path());
        TableEditor e;
        e.readCsvFile(file("first.csv", "a,b\r\n"), dir.path());
        const TableEditor::Result r = e.readCsvFile(path, dir.path());
        QCOMPARE(int(r.message.kind), message);
        QCOMPARE(r.message.text, text);
        QCOMPARE(r.fileMissing, fileMissing);
        QCOMPARE(e.lines().entry(0), QStringLiteral("a,b"));
        QCOMPARE(table(e.grid()), (Rows{{"", ""}}));
    }

    // The transfer takes R and C from the selector texts as typed, grows the
    // table to hold them and never shrinks it.
    void transfer_data()
    {
        QTest::addColumn<QString>("rowsText");
        QTest::addColumn<QString>("colsText");
        QTest::addColumn<Rows>("cells");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<QString>("message");
        const QString old = "old";
        const Rows untouched{{old, old, old}, {old, old, old}};
        QTest::newRow("grown to typed sizes") << "3" << "4"
                                              << Rows{{"a", "b", "c", "c"}, {"1", "2", "2", "2"}, {"", "", "", ""}}
                                              << 2 << QString();
        QTest::newRow("whole part") << "2.9" << "1" << Rows{{"a", old, old}, {"1", old, old}} << 1 << QString();
        QTest::newRow("smaller keeps the rest") << "1" << "2" << Rows{{"a", "b", old}, untouched[1]} << 0 << QString();
        QTest::newRow("zero rows store nothing") << "0" << "3" << untouched << 1 << QString();
        QTest::newRow("not a number") << "2" << "zwei" << untouched << 1
                                      << QStringLiteral("\n行と列には数字を入れて下さい。\n");
        QTest::newRow("too large") << "100000000" << "3" << untouched << 1 << tooLarge100M;
    }
    void transfer()
    {
        QFETCH(QString, rowsText);
        QFETCH(QString, colsText);
        QFETCH(Rows, cells);
        QFETCH(int, currentRow);
        QFETCH(QString, message);
        TableEditor e;
        readAbc(e);
        e.setRowsText(rowsText);
        e.setColsText(colsText);
        const TableEditor::Result r = e.transferToGrid(true);
        QCOMPARE(r.message.text, message);
        QCOMPARE(table(e.grid()), cells);
        QCOMPARE(e.grid().currentRow(), currentRow);
    }

    // The table never grows by input.
    void inputMovesOn()
    {
        TableEditor e;
        const QList<Cell> moves{{0, 0}, {0, 1}, {1, 4}, {2, 0}, {3, 4}, {3, 0}};
        for (int i = 0; i < moves.size(); i += 2) {
            e.setCurrentCell(moves[i].first, moves[i].second);
            e.storeCellText("x");
            QCOMPARE(e.grid().cellText(moves[i].first, moves[i].second), QStringLiteral("x"));
            QCOMPARE(current(e), moves[i + 1]);
        }
        QCOMPARE(e.grid().rowCount(), 4);
    }

    void deletion_data()
    {
        QTest::addColumn<bool>("row");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("question");
        QTest::addColumn<Rows>("cells");
        QTest::addColumn<Cell>("currentAfter");
        QTest::newRow("row") << true << 1 << QStringLiteral("\n2 行目を削除しますか？\n")
                             << Rows{{"1", "2", "3"}, {"7", "8", "9"}} << qMakePair(1, 1);
        QTest::newRow("column") << false << 0 << QStringLiteral("\n1 列目を削除しますか？\n")
                                << Rows{{"2", "3"}, {"5", "6"}, {"8", "9"}} << qMakePair(2, 1);
        QTest::newRow("last column") << false << 2 << QStringLiteral("\n3 列目を削除しますか？\n")
                                     << Rows{{"1", "2"}, {"4", "5"}, {"7", "8"}} << qMakePair(1, 1);
    }
    void deletion()
    {
        QFETCH(bool, row);
        QFETCH(int, at);
        QFETCH(QString, question);
        QFETCH(Rows, cells);
        QFETCH(Cell, currentAfter);
        TableEditor e;
        e.readCsvFile(file("n.csv", "1,2,3\r\n4,5,6\r\n7,8,9\r\n"), dir.path());
        e.transferToGrid(true);
        e.setCurrentCell(row ? at : 1, row ? 1 : at);
        const auto asked = row ? e.rowDeletionQuestion() : e.columnDeletionQuestion();
        QCOMPARE(asked->title, row ? QStringLiteral("行削除確認") : QStringLiteral("列削除確認"));
        QCOMPARE(asked->text, question);
        row ? e.deleteRow() : e.deleteColumn();
        QCOMPARE(table(e.grid()), cells);
        QCOMPARE(current(e), currentAfter);
        QCOMPARE(e.rowsText() + e.colsText(), QString::number(cells.size()) + QString::number(cells[0].size()));
    }

    void nothingLeftToDeleteOrFill()
    {
        TableEditor e;
        e.setRowsText("1");
        e.commitRows();
        e.deleteRow();
        QVERIFY(!e.rowDeletionQuestion());
        QVERIFY(!e.currentCellText());
        e.storeCellText("lost");
        e.setWidthMode(true);
        e.setRowsText("3");
        e.commitRows();
        QCOMPARE(table(e.grid()), Rows(3, QStringList(5, QString())));
    }

    void widthModeAndClear()
    {
        TableEditor e;
        readAbc(e);
        e.setCurrentCell(0, 2);
        QVERIFY(e.setWidthMode(true).changes.widthMode);
        QCOMPARE(current(e), qMakePair(1, 2)); // input goes on below the heading
        QVERIFY(!e.setWidthMode(true).changes.widthMode);
        e.setRowsText("10");
        const TableEditor::Result r = e.clear();
        QVERIFY(r.changes.lines && r.changes.selectors);
        QCOMPARE(table(e.grid()), Rows(4, QStringList(5, QString())));
        QCOMPARE(e.rowsText() + e.colsText(), QStringLiteral("45"));
        QVERIFY(e.lines().isEmpty());
        QVERIFY(e.grid().firstRowFixed());
    }

    // Saves write R x C from the selector texts as typed; cells past the
    // table are empty and the table keeps its size.
    void csvSave()
    {
        FakeSaveContext context;
        context.folder = dir.path();
        TableEditor e;
        e.storeCellText(QStringLiteral("😀"));
        e.setRowsText("6");
        e.setColsText("1x");
        context.scripted.setNextFileName(dir.filePath("wide.txt"));
        e.saveCsv(context);
        QCOMPARE(TestFiles::readAll(dir.filePath("wide.txt")), QByteArray("?\r\n\r\n\r\n\r\n\r\n\r\n"));
        QCOMPARE(context.scripted.notices().size(), 2); // one "?" and the completion
        QCOMPARE(e.grid().rowCount(), 4);
        QCOMPARE(current(e), qMakePair(3, 0));

        context.scripted.clear();
        e.setRowsText("100000000");
        e.setColsText("3");
        QCOMPARE(e.saveCsv(context).message.text, tooLarge100M);
        QCOMPARE(e.saveTablePage(context, TableHtmlOptions()).message.text, tooLarge100M);
        QVERIFY(context.scripted.calls().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTableEditor)
#include "tst_table_editor.moc"
