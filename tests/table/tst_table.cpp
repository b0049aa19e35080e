#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "table/CsvWriter.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "table/TableSize.h"

#include "support/TestFiles.h"

#include <QTest>

using namespace tabulink;

Q_DECLARE_METATYPE(TableHtmlOptions)

namespace {
using Rows = QList<QStringList>;

TableGrid gridOf(const Rows &rows)
{
    TableGrid g;
    g.resize(int(rows.size()), rows.isEmpty() ? 0 : int(rows.first().size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            g.setCellText(r, c, rows[r][c]);
    return g;
}

TableHtmlOptions sized(qint64 rows, qint64 columns, bool fill = true, bool strip = true)
{
    TableHtmlOptions o;
    std::tie(o.rows, o.columns, o.fillEmpty, o.stripQuotes) = std::make_tuple(rows, columns, fill, strip);
    return o;
}

const QString td = "<td nowrap align=\"%1\">%2</td>";
} // namespace

class TestTable : public QObject
{
    Q_OBJECT
private slots:
    // Every comma separates cells, quoted or not.
    void transfer_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("strip");
        QTest::addColumn<Rows>("cells");
        QTest::newRow("fewer fields repeat the last") << QStringList{"a,b,c"} << true << Rows{{"a", "b", "c", "c", "c"}};
        QTest::newRow("more fields are dropped") << QStringList{"a,b,c,d"} << true << Rows{{"a", "b"}};
        QTest::newRow("trailing comma") << QStringList{"a,b,"} << true << Rows{{"a", "b", "", ""}};
        QTest::newRow("blanks stay") << QStringList{" a , b"} << true << Rows{{" a ", " b"}};
        QTest::newRow("quotes kept without Check5") << QStringList{"\"x\",\"y\""} << false << Rows{{"\"x\"", "\"y\""}};
        QTest::newRow("comma inside quotes splits") << QStringList{"\"x,y\""} << true << Rows{{"\"x", "y\""}};
        QTest::newRow("lone quote") << QStringList{"\",\"\""} << true << Rows{{"", ""}};
        QTest::newRow("last field stripped again per column") << QStringList{"a,\"\"\"z\"\"\""} << true
                                                               << Rows{{"a", "\"\"z\"\"", "\"z\"", "z"}};
        QTest::newRow("rows beyond the lines are empty") << QStringList{"a,b", "日本,\"x\ny\""} << true
                                                         << Rows{{"a", "b"}, {"日本", "x\ny"}, {"", ""}};
    }
    void transfer()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, strip);
        QFETCH(Rows, cells);
        const int rows = int(cells.size()), columns = int(cells[0].size());
        TableGrid g = gridOf(Rows(rows, QStringList(columns)));
        QCOMPARE(CsvTransfer::run(g, CsvReader::fromText(lines.join("\r\n")).lines, rows, columns, strip), qint64(rows * columns));
        Rows stored(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                stored[r] << g.cellText(r, c);
        QCOMPARE(stored, cells);
    }

    // Blank and white-space lines are dropped; the first kept line alone
    // gives the column count, quoted commas included.
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<int>("columns");
        QTest::newRow("CR LF and CR end lines, blank lines") << "a,b,c\r\n\r\n   \r\t\n \r\n  d,e  \rlast"
                                                             << QStringList{"a,b,c", "  d,e  ", "last"} << 3;
        // A spreadsheet's line break inside a cell.
        QTest::newRow("a lone LF stays in its line") << "a,\"x\ny\"\r\n\n\r\n\nb\n\r\n" << QStringList{"a,\"x\ny\"", "\nb\n"} << 2;
        QTest::newRow("LF ends lines without any CR") << "a,b\n\n \nc\n" << QStringList{"a,b", "c"} << 2;
        QTest::newRow("quoted comma in the first line") << "\"x,y\",z\n1,2,3,4,5,6\n" << QStringList{"\"x,y\",z", "1,2,3,4,5,6"} << 3;
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, kept);
        const CsvReader::Result r = CsvReader::fromText(text);
        QStringList lines;
        for (qsizetype i = 0; i < r.lines.size(); ++i)
            lines << r.lines.entry(i);
        QCOMPARE(lines, kept);
        QCOMPARE(r.rows, qint64(kept.size()));
        QTEST(int(r.columns), "columns");
    }

    void cellCopyAndSizes()
    {
        TableGrid g = gridOf(Rows(2, QStringList(2)));
        g.setCellText(1, 1, u"  \"a,b\"\"\"  日本語😀");
        g.setCellText(0, 0, g.cellView(1, 1)); // a cell's own text into another
        QCOMPARE(g.cellText(0, 0), QString("  \"a,b\"\"\"  日本語😀"));
        QCOMPARE(TableSize::leadingCount("  4.9abc"), 4);
        QCOMPARE(TableSize::leadingCount("-2") + TableSize::leadingCount("abc"), 0);
        QVERIFY(!TableSize::fits(TableSize::leadingCount("1e300"), 1) && TableSize::fits(200000, 10) && !TableSize::fits(1000000, 100));
    }

    // Cells as stored, no escaping; a quoted cell gets one more pair of quotes.
    void csv_data()
    {
        QTest::addColumn<Rows>("cells");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QByteArray>("bytes");
        const Rows abc{{"a", "b", "c"}, {"1", "", "3"}};
        QTest::newRow("part of the table") << abc << 1 << 2 << QByteArray("a,b\r\n");
        QTest::newRow("beyond the table cells are empty") << abc << 3 << 4 << QByteArray("a,b,c,\r\n1,,3,\r\n,,,\r\n");
        QTest::newRow("cells unchanged") << Rows{{"x,y", "\"q"}, {"日本", " s\"\n"}} << 2 << 2 << TestFiles::crlfSjis({"x,y,\"q", "日本, s\"\n"});
        QTest::newRow("quoted cells get one more pair") << Rows{{"\"q\"", "\"\"\"A\"\"\"", "\"", "\"\"", " \"b\""}} << 1 << 5
                                                        << QByteArray("\"\"q\"\",\"\"\"\"A\"\"\"\",\"\"\",\"\"\"\", \"b\"\r\n");
        QTest::newRow("what Shift_JIS lacks becomes ?") << Rows{{"a😀b"}} << 1 << 1 << QByteArray("a?b\r\n");
    }
    void csv()
    {
        QFETCH(Rows, cells);
        QFETCH(int, rows);
        QFETCH(int, columns);
        const TableGrid g = gridOf(cells);
        QTEST(TestFiles::render([&](QIODevice *d) { return CsvWriter::write(d, g, rows, columns); }), "bytes");
    }

    void pages_data()
    {
        QTest::addColumn<Rows>("cells");
        QTest::addColumn<TableHtmlOptions>("options");
        QTest::addColumn<QStringList>("body");
        // Cells past the grid are empty, filled with a full-width blank.
        QTest::newRow("defaults, beyond the grid")
            << Rows{{"a", "b"}, {"c", "d"}} << sized(3, 2)
            << QStringList{"<table border=\"1\">", "<tr>", td.arg("center", "<b><b>a</b></b>"), td.arg("center", "<b>b</b>"), "</tr>",
                           "<tr>", td.arg("left", "<b>c</b>"), td.arg("right", "d"), "</tr>",
                           "<tr>", td.arg("left", "<b>　</b>"), td.arg("right", "　"), "</tr>", "</TABLE>", "</CENTER>"};
        TableHtmlOptions flipped = sized(2, 2, false, false);
        flipped.centreAll = flipped.smallFont = true;
        flipped.boldTopRow = flipped.boldLeftColumn = flipped.border = false;
        QTest::newRow("every option flipped")
            << Rows{{"a", "\"q\""}, {"", "d"}} << flipped
            << QStringList{"<table border=\"0\">", "<tr>", td.arg("center", "a"), td.arg("center", "\"q\""), "</tr>",
                           "<tr>", td.arg("center", ""), td.arg("center", "d"), "</tr>", "</TABLE>", "</CENTER>"};
        QTest::newRow("no rows") << Rows{{"a"}} << sized(0, 5) << QStringList{"<table border=\"1\">", "</TABLE>", "</CENTER>"};
        // Filled before the quote rule: two quotes end empty.
        QTest::newRow("cell texts") << Rows{{"😀", "\"\"", "<i>&amp;</i>", "\"q\""}} << sized(1, 4)
            << QStringList{"<table border=\"1\">", "<tr>", td.arg("center", "<b><b>&#128512;</b></b>"), td.arg("center", "<b></b>"),
                           td.arg("center", "<b><i>&amp;</i></b>"), td.arg("center", "<b>q</b>"), "</tr>", "</TABLE>", "</CENTER>"};
    }
    void pages()
    {
        QFETCH(Rows, cells);
        QFETCH(TableHtmlOptions, options);
        QFETCH(QStringList, body);
        const TableGrid g = gridOf(cells);
        const QStringList style{"<STYLE TYPE =\"text/css\">", "<!--", "TABLE{font-size:" + QString(options.smallFont ? "8pt" : "12pt") + "}",
                                "P{font-size:12pt}", "div{font-size:12pt}", "body{font-size:12pt}", "-->", "</STYLE>"};
        QCOMPARE(TestFiles::render([&](QIODevice *d) { return TableHtmlWriter::write(d, PageOptions(), g, options); }),
                 TestFiles::crlfSjis(TestFiles::pageLines("ここにタイトルを入れて下さい", {}, "<BODY bgcolor=\"#ffffff\">", style, body)));
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
