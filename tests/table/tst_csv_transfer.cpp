#include "table/CsvLineList.h"
#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "table/TableGrid.h"

#include <QTest>

using namespace tabulink;

namespace {
CsvLineList linesOf(const QStringList &lines)
{
    CsvLineList list;
    for (const QString &l : lines)
        list.append(l);
    return list;
}

QStringList row(const TableGrid &g, int r)
{
    QStringList cells;
    for (int c = 0; c < g.colCount(); ++c)
        cells << g.cellText(r, c);
    return cells;
}

QStringList entries(const CsvLineList &list)
{
    QStringList out;
    for (qsizetype i = 0; i < list.size(); ++i)
        out << list.entry(i);
    return out;
}
} // namespace

class TestCsvTransfer : public QObject
{
    Q_OBJECT

private:
    static QStringList transferRow(const QString &line, int columns, bool strip)
    {
        TableGrid g;
        g.resize(1, columns);
        CsvTransfer::run(g, linesOf({line}), 1, columns, strip);
        return row(g, 0);
    }

private slots:
    void splitting_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("strip");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("fewer fields repeat the last") << "a,b,c" << 5 << true << QStringList{"a", "b", "c", "c", "c"};
        QTest::newRow("more fields are dropped") << "a,b,c,d" << 2 << true << QStringList{"a", "b"};
        QTest::newRow("trailing comma") << "a,b," << 4 << true << QStringList{"a", "b", "", ""};
        QTest::newRow("blanks stay") << " a , b" << 2 << true << QStringList{" a ", " b"};
        QTest::newRow("quotes stripped") << "\"x\",\"y\"" << 2 << true << QStringList{"x", "y"};
        QTest::newRow("quotes kept without Check5") << "\"x\",\"y\"" << 2 << false << QStringList{"\"x\"", "\"y\""};
        QTest::newRow("comma inside quotes splits") << "\"x,y\"" << 2 << true << QStringList{"\"x", "y\""};
        QTest::newRow("lone quote") << "\",\"\"" << 2 << true << QStringList{"", ""};
        QTest::newRow("doubled quotes inside stay") << "\"a\"\"b\"" << 1 << true << QStringList{"a\"\"b"};
        QTest::newRow("last field stripped again per column")
            << "a,\"\"\"z\"\"\"" << 4 << true << QStringList{"a", "\"\"z\"\"", "\"z\"", "z"};
        QTest::newRow("no comma at all") << "solo" << 3 << true << QStringList{"solo", "solo", "solo"};
    }
    void splitting()
    {
        QFETCH(QString, line);
        QFETCH(int, columns);
        QFETCH(bool, strip);
        QFETCH(QStringList, cells);
        QCOMPARE(transferRow(line, columns, strip), cells);
    }

    // Blank and white-space lines are dropped; the first kept line alone
    // gives the column count, quoted commas included.
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<int>("columns");
        QTest::newRow("CR LF and CR end lines, blank lines") << QStringLiteral("a,b,c\r\n\r\n   \r\t\n \r\n  d,e  \rlast")
                                                             << QStringList{"a,b,c", "  d,e  ", "last"} << 3;
        QTest::newRow("a lone LF stays in its line") << QStringLiteral("a,\"x\ny\"\r\n\n\r\n\nb\n\r\n")
                                                     << QStringList{"a,\"x\ny\"", "\nb\n"} << 2;
        QTest::newRow("LF ends lines without any CR") << QStringLiteral("a,b\n\n \nc\n")
                                                      << QStringList{"a,b", "c"} << 2;
        QTest::newRow("quoted comma in the first line") << QStringLiteral("\"x,y\",z\n1,2,3,4,5,6\n")
                                                        << QStringList{"\"x,y\",z", "1,2,3,4,5,6"} << 3;
        QTest::newRow("nothing kept") << QStringLiteral("\r\n\r\n") << QStringList{} << 1;
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, kept);
        QFETCH(int, columns);
        const CsvReader::Result r = CsvReader::fromText(text);
        QCOMPARE(entries(r.lines), kept);
        QCOMPARE(r.rows, qint64(kept.size()));
        QCOMPARE(r.columns, qint64(columns));
        QCOMPARE(r.lines.entry(7), QString());
    }
};

QTEST_GUILESS_MAIN(TestCsvTransfer)
#include "tst_csv_transfer.moc"
