#include "table/CsvWriter.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "textio/LineSink.h"

#include "support/TestFiles.h"

#include <QBuffer>
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

TableHtmlOptions sized(qint64 rows, qint64 columns)
{
    TableHtmlOptions o;
    o.rows = rows;
    o.columns = columns;
    return o;
}

const QString td = QStringLiteral("<td nowrap align=\"%1\">%2</td>");
} // namespace

class TestTableWriters : public QObject
{
    Q_OBJECT

private slots:
    void csvBytes_data()
    {
        QTest::addColumn<Rows>("cells");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QByteArray>("bytes");
        const Rows abc{{"a", "b", "c"}, {"1", "", "3"}};
        QTest::newRow("thirteen bytes") << abc << 2 << 3 << QByteArray("a,b,c\r\n1,,3\r\n");
        QTest::newRow("part of the table") << abc << 1 << 2 << QByteArray("a,b\r\n");
        QTest::newRow("no rows") << abc << 0 << 3 << QByteArray();
        QTest::newRow("no columns") << abc << 2 << 0 << QByteArray("\r\n\r\n");
        QTest::newRow("beyond the table cells are empty") << abc << 3 << 4
                                                          << QByteArray("a,b,c,\r\n1,,3,\r\n,,,\r\n");
        QTest::newRow("cells unchanged") << Rows{{"x,y", "\"q"}, {QStringLiteral("日本"), " s\"\n"}} << 2 << 2
                                         << TestFiles::crlfSjis({"x,y,\"q", QStringLiteral("日本, s\"\n")});
        QTest::newRow("quoted cells get one more pair")
            << Rows{{"\"q\"", "\"\"\"A\"\"\"", "\"", "\"\"", " \"b\""}} << 1 << 5
            << QByteArray("\"\"q\"\",\"\"\"\"A\"\"\"\",\"\"\",\"\"\"\", \"b\"\r\n");
    }
    void csvBytes()
    {
        QFETCH(Rows, cells);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QByteArray, bytes);
        const TableGrid g = gridOf(cells);
        QCOMPARE(TestFiles::render([&](QIODevice *d) { return CsvWriter::write(d, g, rows, columns); }), bytes);
    }

    void csvReplacesWhatShiftJisCannotHold()
    {
        const TableGrid g = gridOf({{QStringLiteral("a😀b")}});
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        LineSink sink(&buffer, CsvWriter::fileKind().unmappable);
        CsvWriter::writeLines(sink, g, 1, 1);
        sink.finish();
        QCOMPARE(bytes, QByteArray("a?b\r\n"));
        QCOMPARE(sink.replaced(), 1);
    }

    void pages_data()
    {
        QTest::addColumn<Rows>("cells");
        QTest::addColumn<TableHtmlOptions>("options");
        QTest::addColumn<QStringList>("body");
        const Rows abcd{{"a", "b"}, {"c", "d"}};
        QTest::newRow("defaults") << abcd << sized(2, 2)
                                  << QStringList{"<table border=\"1\">", "<tr>", td.arg("center", "<b><b>a</b></b>"),
                                                 td.arg("center", "<b>b</b>"), "</tr>", "<tr>",
                                                 td.arg("left", "<b>c</b>"), td.arg("right", "d"), "</tr>",
                                                 "</TABLE>", "</CENTER>"};
        TableHtmlOptions plain = sized(2, 2);
        plain.centreAll = plain.smallFont = true;
        plain.boldTopRow = plain.boldLeftColumn = plain.border = false;
        QTest::newRow("every option flipped")
            << abcd << plain
            << QStringList{"<table border=\"0\">", "<tr>", td.arg("center", "a"), td.arg("center", "b"), "</tr>",
                           "<tr>", td.arg("center", "c"), td.arg("center", "d"), "</tr>", "</TABLE>", "</CENTER>"};
        QTest::newRow("no rows") << Rows{{"a"}} << sized(0, 5)
                                 << QStringList{"<table border=\"1\">", "</TABLE>", "</CENTER>"};
        TableHtmlOptions single = sized(1, 1);
        single.boldTopRow = single.boldLeftColumn = false;
        QTest::newRow("every character kept") << Rows{{QStringLiteral("😀")}} << single
                                              << QStringList{"<table border=\"1\">", "<tr>",
                                                             td.arg("center", "&#128512;"), "</tr>", "</TABLE>",
                                                             "</CENTER>"};
    }
    void pages()
    {
        QFETCH(Rows, cells);
        QFETCH(TableHtmlOptions, options);
        QFETCH(QStringList, body);
        const TableGrid g = gridOf(cells);
        const QString size = options.smallFont ? "8pt" : "12pt";
        const QStringList style{"<STYLE TYPE =\"text/css\">", "<!--", "TABLE{font-size:" + size + "}",
                                "P{font-size:12pt}", "div{font-size:12pt}", "body{font-size:12pt}", "-->",
                                "</STYLE>"};
        QCOMPARE(TestFiles::render([&](QIODevice *d) { return TableHtmlWriter::write(d, PageOptions(), g, options); }),
                 TestFiles::crlfSjis(TestFiles::pageLines(QStringLiteral("ここにタイトルを入れて下さい"), {},
                                                          "<BODY bgcolor=\"#ffffff\">", style, body)));
    }

    void sizeBeyondTheGrid()
    {
        const TableGrid empty;
        const QByteArray page = TestFiles::render(
            [&](QIODevice *d) { return TableHtmlWriter::write(d, PageOptions(), empty, sized(8, 15)); });
        QCOMPARE(page.count("<tr>"), 8);
        QCOMPARE(page.count("<td "), 8 * 15);
    }

    void cellTextRules_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("fill");
        QTest::addColumn<bool>("strip");
        QTest::addColumn<QString>("written");
        QTest::newRow("empty filled") << "" << true << true << QStringLiteral("　");
        QTest::newRow("empty unfilled") << "" << false << true << "";
        QTest::newRow("quoted stripped") << "\"q\"" << true << true << "q";
        QTest::newRow("quoted kept") << "\"q\"" << true << false << "\"q\"";
        QTest::newRow("two quotes end empty despite fill") << "\"\"" << true << true << "";
        QTest::newRow("one quote") << "\"" << true << true << "";
        QTest::newRow("markup unescaped") << "<i>&amp;</i>" << true << true << "<i>&amp;</i>";
    }
    void cellTextRules()
    {
        QFETCH(QString, cell);
        QFETCH(bool, fill);
        QFETCH(bool, strip);
        QFETCH(QString, written);
        TableHtmlOptions o;
        o.fillEmpty = fill;
        o.stripQuotes = strip;
        QCOMPARE(TableHtmlWriter::cellLine(cell, 1, 1, o), td.arg("right", written));
    }
};

QTEST_GUILESS_MAIN(TestTableWriters)
#include "tst_table_writers.moc"
