#include "table/CsvWriter.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "textio/LineSink.h"

#include "support/TestFiles.h"

#include <QBuffer>
#include <QTest>

namespace {
TableGrid gridOf(const QList<QStringList> &rows)
{
    TableGrid g;
    g.resize(int(rows.size()), rows.isEmpty() ? 0 : int(rows.first().size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            g.setCellText(r, c, rows[r][c]);
    return g;
}

QByteArray csvBytes(const TableGrid &g, qint64 rows, qint64 columns)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!CsvWriter::write(&buffer, g, rows, columns))
        return "write failed";
    return bytes;
}

QByteArray bodyBytes(const TableGrid &g, const TableHtmlOptions &options)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    LineSink sink(&buffer, Cp932::Unmappable::NumericReference);
    TableHtmlWriter::writeBody(sink, g, options);
    sink.finish();
    return bytes;
}

const QString td = QStringLiteral("<td nowrap align=\"%1\">%2</td>");
} // namespace

class TestTableWriters : public QObject
{
    Q_OBJECT

private slots:
    void csvBytes_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("thirteen bytes") << 2 << 3 << QByteArray("a,b,c\r\n1,,3\r\n");
        QTest::newRow("part of the table") << 1 << 2 << QByteArray("a,b\r\n");
        QTest::newRow("no rows") << 0 << 3 << QByteArray();
        QTest::newRow("no columns") << 2 << 0 << QByteArray("\r\n\r\n");
        QTest::newRow("beyond the table cells are empty") << 3 << 4 << QByteArray("a,b,c,\r\n1,,3,\r\n,,,\r\n");
    }
    void csvBytes()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QByteArray, bytes);
        QCOMPARE(::csvBytes(gridOf({{"a", "b", "c"}, {"1", "", "3"}}), rows, columns), bytes);
    }

    void csvWritesCellsUnchanged()
    {
        const TableGrid g = gridOf({{"x,y", "\"q\""}, {QStringLiteral("日本"), " s "}});
        QCOMPARE(::csvBytes(g, 2, 2), TestFiles::crlfSjis({"x,y,\"q\"", QStringLiteral("日本, s ")}));
    }

    void csvReplacesWhatShiftJisCannotHold()
    {
        const TableGrid g = gridOf({{QStringLiteral("a😀b")}});
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        LineSink sink(&buffer, CsvWriter::saveParams().unmappable);
        CsvWriter::writeLines(sink, g, 1, 1);
        sink.finish();
        QCOMPARE(bytes, QByteArray("a?b\r\n"));
        QCOMPARE(sink.replaced(), 1);
    }

    void defaultTwoByTwoBody()
    {
        const TableGrid g = gridOf({{"a", "b"}, {"c", "d"}});
        TableHtmlOptions o;
        o.rows = 2;
        o.columns = 2;
        QCOMPARE(bodyBytes(g, o), TestFiles::crlfSjis({
            "<table border=\"1\">",
            "<tr>",
            "<td nowrap align=\"center\"><b><b>a</b></b></td>",
            "<td nowrap align=\"center\"><b>b</b></td>",
            "</tr>",
            "<tr>",
            "<td nowrap align=\"left\"><b>c</b></td>",
            "<td nowrap align=\"right\">d</td>",
            "</tr>",
            "</TABLE>",
            "</CENTER>",
        }));
    }

    void eachOption()
    {
        const TableGrid g = gridOf({{"a", "b"}, {"c", "d"}});
        TableHtmlOptions o;
        o.rows = 2;
        o.columns = 2;
        o.centreAll = true;
        o.boldTopRow = false;
        o.boldLeftColumn = false;
        o.border = false;
        const QByteArray body = bodyBytes(g, o);
        QVERIFY(body.startsWith("<table border=\"0\">\r\n"));
        QVERIFY(!body.contains("<b>"));
        QCOMPARE(body.count("align=\"center\""), 4);
        QVERIFY(body.contains("<td nowrap align=\"center\">d</td>"));

        QCOMPARE(TableHtmlWriter::styleLines(true).at(2), QStringLiteral("TABLE{font-size:8pt}"));
        QCOMPARE(TableHtmlWriter::styleLines(false).at(2), QStringLiteral("TABLE{font-size:12pt}"));
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

    void noRows()
    {
        TableHtmlOptions o;
        o.rows = 0;
        QCOMPARE(bodyBytes(gridOf({{"a"}}), o),
                 TestFiles::crlfSjis({"<table border=\"1\">", "</TABLE>", "</CENTER>"}));
        o.rows = 8;
        o.columns = 15;
        const QByteArray big = bodyBytes(TableGrid(), o);
        QCOMPARE(big.count("<tr>"), 8);
        QCOMPARE(big.count("<td "), 8 * 15);
    }

    void wholePageWithDefaults()
    {
        const TableGrid g = gridOf({{"a"}});
        TableHtmlOptions o;
        o.rows = 1;
        o.columns = 1;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(TableHtmlWriter::write(&buffer, PageOptions(), g, o));
        QCOMPARE(bytes, TestFiles::crlfSjis({
            "<HTML>",
            "<HEAD>",
            "<META HTTP-EQUIV=\"Content-type\" CONTENT=\"text/html; charset=Shift_JIS\">",
            QStringLiteral("<TITLE>ここにタイトルを入れて下さい</TITLE>"),
            "</HEAD>",
            "<STYLE TYPE =\"text/css\">",
            "<!--",
            "TABLE{font-size:12pt}",
            "P{font-size:12pt}",
            "div{font-size:12pt}",
            "body{font-size:12pt}",
            "-->",
            "</STYLE>",
            "<BODY bgcolor=\"#ffffff\">",
            " ",
            "<div align=\"center\"><B><FONT size=\"+3\">",
            QStringLiteral("ここにタイトルを入れて下さい"),
            "</FONT>",
            "</B></div>",
            "<FONT size=\"-3\"><br></FONT>",
            "<HR>",
            "<FONT size=\"-3\"><br></FONT>",
            "<center>",
            "<table border=\"1\">",
            "<tr>",
            "<td nowrap align=\"center\"><b><b>a</b></b></td>",
            "</tr>",
            "</TABLE>",
            "</CENTER>",
            "<FONT size=\"-3\"><br></FONT>",
            "<HR>",
            "<CENTER>",
            "</CENTER>",
            "<div align=\"right\"><A href=\"http://www.example.com/tabulink/\" target=\"_blank\"><b><FONT size=\"-2\">Tabulink ver 2.03</FONT></b></A></div>",
            "</BODY>",
            "</HTML>",
        }));
    }

    void pageKeepsEveryCharacter()
    {
        const TableGrid g = gridOf({{QStringLiteral("😀")}});
        TableHtmlOptions o;
        o.rows = 1;
        o.columns = 1;
        o.boldTopRow = o.boldLeftColumn = false;
        QVERIFY(bodyBytes(g, o).contains("<td nowrap align=\"center\">&#128512;</td>"));
    }
};

QTEST_GUILESS_MAIN(TestTableWriters)
#include "tst_table_writers.moc"
