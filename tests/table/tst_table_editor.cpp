#include "table/CsvReader.h"
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

QString tooLarge(const QString &size)
{
    return QStringLiteral("\n表が大きすぎます（%1）。\n扱える大きさは 10000000 行、100000 列、合わせて 20000000 セルまでです。\n")
        .arg(size);
}
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

    // A read replaces the lines and sizes the table, keeping the cells; a
    // refused one changes nothing.
    void reading()
    {
        TableEditor e;
        e.storeCellText("kept");
        const QString path = file("abc.csv", "a,b,c\r\n1,2\r\n");
        QVERIFY(e.readCsvFile(path, dir.path()).changes.lines);
        const QString gone = dir.filePath("gone.csv");
        const QString wide = file("wide.csv", QByteArray(100000, ',') + "\r\nx\r\n");
        const QString none = QStringLiteral("ファイルが指定されておりません");
        file("x.c", "1,2\r\n");
        QDir::setCurrent(dir.path());
        const QList<QPair<QString, QString>> refusals{
            {path, QString()}, // again: replaced, not added to
            {gone, "\n" + gone + QStringLiteral("\nファイルがありません！\n")},
            {QString(), none},
            {"x.c", none}, // a path this short counts as none
            {wide, tooLarge(QStringLiteral("2 行 × 100001 列"))}};
        for (const auto &[name, text] : refusals) {
            const TableEditor::Result r = e.readCsvFile(name, dir.path());
            QCOMPARE(r.message.text, text);
            QCOMPARE(r.message.kind,
                     name == wide ? Message::Warning : text.isEmpty() ? Message::None : Message::Notice);
            QCOMPARE(r.fileMissing, name == gone);
        }
        QCOMPARE(e.lines().size(), 2);
        QCOMPARE(table(e.grid()), (Rows{{"kept", "", ""}, {"", "", ""}}));
        QCOMPARE(e.rowsText() + e.colsText(), QStringLiteral("23"));
        e.readCsvFile(file("empty.csv", "\r\n\r\n"), dir.path());
        QCOMPARE(e.rowsText() + e.colsText(), QStringLiteral("01"));
    }

    // A file kept as its bytes gives each line the text the whole file
    // decodes to.
    void linesOfFileBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("UTF-8 line starting with U+FEFF") << QByteArray("a,\xE6\x97\xA5\xE6\x9C\xAC\r\n\xEF\xBB\xBFx,y\r\n")
                                                        << QStringList{"a,日本", QChar(0xFEFF) + QString("x,y")};
        QTest::newRow("UTF-8 cut inside its last character") << QByteArray("a,\xE6\x97\xA5\r\nb,c\r\n\xE6\x9D")
                                                            << QStringList{"a,日", "b,c"};
        QTest::newRow("UTF-8 but for a surrogate: code page 932")
            << QByteArray("a,\xE6\x97\xA5\xE6\x9C\xAC\r\n\xED\xA0\x80,x\r\n")
            << QStringList{"a,\u8B4C\uFF65\u8B5B\uFF6C", "\u605D\uFFFD,x"};
    }
    void linesOfFileBytes()
    {
        QFETCH(QByteArray, bytes);
        const CsvReader::Result read = CsvReader::readFile(file("lines.csv", bytes));
        QStringList lines;
        for (qsizetype i = 0; i < read.lines.size(); ++i)
            lines << read.lines.entry(i);
        QTEST(lines, "lines");
    }

    // Cells filled from the lines and cells set one by one, through the
    // edits that move, cut and overwrite them. The file is code page 932,
    // with a lead byte that has no second byte at the end of a line.
    void filledAndSetCells_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<Rows>("cells");
        QTest::newRow("a set cell moves with its row") << "A;transfer;store 1 1 X;delrow 0"
                                                       << Rows{{"日", "X", "語"}, {"g", "h", "i\uFFFD"}};
        QTest::newRow("emptied and set cells move with their column")
            << "A;transfer;store 0 1 ;store 2 2 Z;delcol 0" << Rows{{"", "c"}, {"本", "語"}, {"h", "Z"}};
        QTest::newRow("a smaller transfer overwrites its rectangle only") << "A;transfer;store 0 0 X;store 2 2 Z;B;size 2 2;transfer"
                                                                          << Rows{{"p", "q", "c"}, {"s", "t", "語"}, {"g", "h", "Z"}};
        QTest::newRow("cells cut off come back empty") << "A;transfer;size 1 2;commit;size 3 3;commit"
                                                       << Rows{{"a", "b", ""}, {"", "", ""}, {"", "", ""}};
    }
    void filledAndSetCells()
    {
        QFETCH(QString, steps);
        const QString a = file("a.csv", "a,b,c\r\n\x93\xFA,\x96\x7B,\x8C\xEA\r\n\r\ng,h,i\x81\r\n");
        const QString b = file("b.csv", "p,q,r\r\ns,t,u\r\nv,w,x\r\n");
        TableEditor e;
        for (const QString &step : steps.split(';')) {
            const QStringList w = step.split(' ');
            if (w[0] == "A" || w[0] == "B") {
                e.readCsvFile(w[0] == "A" ? a : b, dir.path());
            } else if (w[0] == "transfer") {
                e.transferToGrid(true);
            } else if (w[0] == "store") {
                e.setCurrentCell(w[1].toInt(), w[2].toInt());
                e.storeCellText(w[3]);
            } else if (w[0] == "size") {
                e.setRowsText(w[1]);
                e.setColsText(w[2]);
            } else if (w[0] == "commit") {
                e.commitRows();
                e.commitColumns();
            } else {
                e.setCurrentCell(w[1].toInt(), w[1].toInt());
                w[0] == "delrow" ? e.deleteRow() : e.deleteColumn();
            }
        }
        QTEST(table(e.grid()), "cells");
    }

    // The transfer takes R and C from the selector texts as typed (the
    // window test covers growing and quotes); a refusal leaves the cells.
    void transferDeletionWidthModeClear()
    {
        TableEditor e;
        e.readCsvFile(file("n.csv", "1,2,3\r\n4,5,6\r\n"), dir.path());
        e.setColsText("zwei");
        QCOMPARE(e.transferToGrid(true).message.text, QStringLiteral("\n行と列には数字を入れて下さい。\n"));
        e.setColsText("3");
        e.transferToGrid(true);
        e.setCurrentCell(1, 2);
        QCOMPARE(e.columnDeletionQuestion()->title + e.columnDeletionQuestion()->text,
                 QStringLiteral("列削除確認\n3 列目を削除しますか？\n"));
        e.deleteColumn();
        QCOMPARE(Cell(e.grid().currentRow(), e.grid().currentCol()), Cell(1, 1));
        QCOMPARE(e.rowDeletionQuestion()->title + e.rowDeletionQuestion()->text,
                 QStringLiteral("行削除確認\n2 行目を削除しますか？\n"));
        e.deleteRow();
        QCOMPARE(table(e.grid()), (Rows{{"1", "2"}}));
        QCOMPARE(e.rowsText() + e.colsText(), QStringLiteral("12"));
        e.deleteRow(); // nothing left to delete or fill
        QVERIFY(!e.rowDeletionQuestion());
        QVERIFY(!e.currentCellText());
        e.storeCellText("lost");
        e.setRowsText("3");
        e.commitRows();
        QCOMPARE(table(e.grid()), Rows(3, QStringList(2, QString())));
        e.setCurrentCell(0, 1);
        QVERIFY(e.setWidthMode(true).changes.widthMode);
        QCOMPARE(Cell(e.grid().currentRow(), e.grid().currentCol()), Cell(1, 1)); // input goes on below the heading
        const TableEditor::Result r = e.clear();
        QVERIFY(r.changes.lines && r.changes.selectors && e.lines().isEmpty() && e.grid().firstRowFixed());
        QCOMPARE(e.rowsText() + e.colsText() + QString::number(e.grid().rowCount()), QStringLiteral("454"));
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
        const QByteArray bytes = TestFiles::render([&](QIODevice *device) {
            LineSink sink(device, CsvWriter::fileKind().unmappable);
            save.body(sink);
            return sink.finish();
        });
        QCOMPARE(bytes, QByteArray("?\r\n\r\n\r\n\r\n\r\n\r\n"));
        QCOMPARE(Cell(e.grid().rowCount(), e.grid().colCount()), Cell(4, 5));
        QCOMPARE(Cell(e.grid().currentRow(), e.grid().currentCol()), Cell(3, 0));
        e.setRowsText("100000000");
        e.setColsText("3");
        for (const TableEditor::TableSave &refused : {e.csvSave(), e.pageSave(PageOptions(), TableHtmlOptions())}) {
            QCOMPARE(refused.message, tooLarge(QStringLiteral("100000000 行 × 3 列")));
            QVERIFY(!refused.ok && !refused.body);
        }
    }
};

QTEST_GUILESS_MAIN(TestTableEditor)
#include "tst_table_editor.moc"
