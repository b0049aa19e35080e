#include "table/CsvWriter.h"
#include "table/TableEditor.h"
#include "table/TableHtmlWriter.h"
#include "textio/LineSink.h"

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

private slots:
    // A selector's text counts on a commit only, whole or rounded with
    // halves to even; anything else changes nothing and says nothing.
    void selectorCommit_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Cell>("size");
        QTest::newRow("rows") << true << "53" << Cell(53, 5);
        QTest::newRow("columns") << false << "1" << Cell(4, 1);
        QTest::newRow("blanks around") << true << " 12 " << Cell(12, 5);
        QTest::newRow("half to even down") << false << "4.5" << Cell(4, 4);
        QTest::newRow("half to even up") << true << "5.5" << Cell(6, 5);
        QTest::newRow("zero") << true << "0" << Cell(0, 5);
        QTest::newRow("exponent") << false << "1e1" << Cell(4, 10);
        QTest::newRow("trailing text") << true << "5x" << Cell(4, 5);
        QTest::newRow("full-width digits") << true << QStringLiteral("５") << Cell(4, 5);
        QTest::newRow("negative") << true << "-2" << Cell(4, 5);
        QTest::newRow("too large, told") << true << "100000000" << Cell(4, 5);
    }
    void selectorCommit()
    {
        QFETCH(bool, rows);
        QFETCH(QString, text);
        TableEditor e;
        rows ? e.setRowsText(text) : e.setColsText(text);
        const TableEditor::Result r = rows ? e.commitRows() : e.commitColumns();
        QTEST(Cell(e.grid().rowCount(), e.grid().colCount()), "size");
        QCOMPARE(r.message.text, text.size() == 9 ? tooLarge(QStringLiteral("100000000 行 × 5 列")) : QString());
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
        const QString gone = dir.filePath("gone.csv");
        const QString none = QStringLiteral("ファイルが指定されておりません");
        QTest::newRow("no such file") << gone << int(Message::Notice) << "\n" + gone + QStringLiteral("\nファイルがありません！\n");
        QTest::newRow("nothing picked") << QString() << int(Message::Notice) << none;
        QTest::newRow("a path this short counts as none") << "x.c" << int(Message::Notice) << none;
        QTest::newRow("too wide") << dir.filePath("wide.csv") << int(Message::Warning)
                                  << tooLarge(QStringLiteral("2 行 × 100001 列"));
    }
    void readingRefused()
    {
        QFETCH(QString, path);
        file("x.c", "1,2\r\n");
        file("wide.csv", QByteArray(100000, ',') + "\r\nx\r\n");
        QDir::setCurrent(dir.path());
        TableEditor e;
        e.readCsvFile(file("first.csv", "a,b\r\n"), dir.path());
        const TableEditor::Result r = e.readCsvFile(path, dir.path());
        QTEST(int(r.message.kind), "message");
        QTEST(r.message.text, "text");
        QCOMPARE(r.fileMissing, path.endsWith("gone.csv"));
        QCOMPARE(e.lines().entry(0), QStringLiteral("a,b"));
        QCOMPARE(table(e.grid()), (Rows{{"", ""}}));
    }

    // The transfer takes R and C from the selector texts as typed (the
    // window test covers growing and quotes); refusals leave the cells.
    void transfer_data()
    {
        QTest::addColumn<QString>("rowsText");
        QTest::addColumn<QString>("colsText");
        QTest::addColumn<Rows>("cells");
        QTest::addColumn<QString>("message");
        const QString old = "old";
        const Rows untouched{{old, old, old}, {old, old, old}};
        QTest::newRow("whole part") << "2.9" << "1" << Rows{{"a", old, old}, {"1", old, old}} << QString();
        QTest::newRow("smaller keeps the rest") << "1" << "2" << Rows{{"a", "b", old}, untouched[1]} << QString();
        QTest::newRow("zero rows store nothing") << "0" << "3" << untouched << QString();
        QTest::newRow("not a number") << "2" << "zwei" << untouched << QStringLiteral("\n行と列には数字を入れて下さい。\n");
        QTest::newRow("too large") << "100000000" << "3" << untouched << tooLarge100M;
    }
    void transfer()
    {
        TableEditor e;
        e.readCsvFile(file("abc.csv", "a,b,c\r\n1,2\r\n"), dir.path());
        for (int i = 0; i < 6; ++i)
            e.storeCellText("old"); // from (0, 0) on; the last row stays
        QCOMPARE(current(e), Cell(1, 0));
        QFETCH(QString, rowsText);
        QFETCH(QString, colsText);
        e.setRowsText(rowsText);
        e.setColsText(colsText);
        QTEST(e.transferToGrid(true).message.text, "message");
        QTEST(table(e.grid()), "cells");
    }

    void deletion_data()
    {
        QTest::addColumn<bool>("row");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("question");
        QTest::addColumn<Rows>("cells");
        QTest::addColumn<Cell>("currentAfter");
        QTest::newRow("row") << true << 1 << QStringLiteral("行削除確認\n2 行目を削除しますか？\n")
                             << Rows{{"1", "2", "3"}, {"7", "8", "9"}} << Cell(1, 1);
        QTest::newRow("last column") << false << 2 << QStringLiteral("列削除確認\n3 列目を削除しますか？\n")
                                     << Rows{{"1", "2"}, {"4", "5"}, {"7", "8"}} << Cell(1, 1);
    }
    void deletion()
    {
        QFETCH(bool, row);
        QFETCH(int, at);
        QFETCH(Rows, cells);
        TableEditor e;
        e.readCsvFile(file("n.csv", "1,2,3\r\n4,5,6\r\n7,8,9\r\n"), dir.path());
        e.transferToGrid(true);
        e.setCurrentCell(row ? at : 1, row ? 1 : at);
        const auto asked = row ? e.rowDeletionQuestion() : e.columnDeletionQuestion();
        QTEST(asked->title + asked->text, "question");
        row ? e.deleteRow() : e.deleteColumn();
        QCOMPARE(table(e.grid()), cells);
        QTEST(current(e), "currentAfter");
        QCOMPARE(e.rowsText() + e.colsText(), QString::number(cells.size()) + QString::number(cells[0].size()));
    }

    void emptyTableWidthModeAndClear()
    {
        TableEditor e;
        e.setRowsText("1");
        e.commitRows();
        e.deleteRow();
        QVERIFY(!e.rowDeletionQuestion());
        QVERIFY(!e.currentCellText());
        e.storeCellText("lost");
        e.setRowsText("3");
        e.commitRows();
        e.setCurrentCell(0, 2);
        QVERIFY(e.setWidthMode(true).changes.widthMode);
        QCOMPARE(current(e), Cell(1, 2)); // input goes on below the heading
        QCOMPARE(table(e.grid()), Rows(3, QStringList(5, QString())));
        const TableEditor::Result r = e.clear();
        QVERIFY(r.changes.lines && r.changes.selectors);
        QCOMPARE(e.rowsText() + e.colsText() + QString::number(e.grid().rowCount()), QStringLiteral("454"));
        QVERIFY(e.grid().firstRowFixed());
    }

    // Saves write R x C from the selector texts as typed; cells past the
    // table are empty, the table keeps its size, the last cell is current.
    void saves()
    {
        TableEditor e;
        e.storeCellText(QStringLiteral("😀"));
        e.setRowsText("6");
        e.setColsText("1x");
        const TableEditor::TableSave save = e.csvSave();
        QVERIFY(save.ok);
        QCOMPARE(current(e), Cell(0, 1)); // nothing moves before the body runs
        QCOMPARE(TestFiles::render([&](QIODevice *device) {
                     LineSink sink(device, CsvWriter::fileKind().unmappable);
                     save.body(sink);
                     return sink.finish();
                 }),
                 QByteArray("?\r\n\r\n\r\n\r\n\r\n\r\n"));
        QCOMPARE(e.grid().rowCount(), 4);
        QCOMPARE(current(e), Cell(3, 0));
        e.setRowsText("100000000");
        e.setColsText("3");
        for (const TableEditor::TableSave &refused : {e.csvSave(), e.pageSave(PageOptions(), TableHtmlOptions())})
            QCOMPARE(QString::number(refused.ok) + refused.message + QString::number(bool(refused.body)),
                     "0" + tooLarge100M + "0");
    }
};

QTEST_GUILESS_MAIN(TestTableEditor)
#include "tst_table_editor.moc"
