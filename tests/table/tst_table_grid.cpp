#include "table/TableGrid.h"
#include "table/TableSize.h"

#include <QTest>

using namespace tabulink;

class TestTableGrid : public QObject
{
    Q_OBJECT

private:
    static TableGrid numbered(int rows, int columns)
    {
        TableGrid g;
        g.resize(rows, columns);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                g.setCellText(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
        return g;
    }

private slots:
    void resizeKeepsRemainingCells()
    {
        TableGrid g = numbered(3, 3);
        g.resize(2, 4);
        QCOMPARE(g.rowCount(), 2);
        QCOMPARE(g.colCount(), 4);
        QCOMPARE(g.cellText(1, 2), QStringLiteral("1.2"));
        QCOMPARE(g.cellText(1, 3), QString());
        g.resize(4, 2);
        QCOMPARE(g.cellText(0, 1), QStringLiteral("0.1"));
        QCOMPARE(g.cellText(3, 1), QString());
        g.resize(4, 4);
        QCOMPARE(g.cellText(0, 2), QString()); // removed cells do not come back
    }

    void outsideCellsReadEmptyAndIgnoreWrites()
    {
        TableGrid g = numbered(2, 2);
        g.setCellText(5, 0, u"x");
        g.setCellText(-1, 0, u"x");
        QCOMPARE(g.cellText(5, 0), QString());
        QCOMPARE(g.cellText(0, 2), QString());
        QCOMPARE(g.cellText(1, 1), QStringLiteral("1.1"));
    }

    void cellsKeepTextsExactly()
    {
        TableGrid g;
        g.resize(1, 2);
        const QString odd = QStringLiteral("  \"a,b\"\"\"  ");
        g.setCellText(0, 0, odd);
        g.setCellText(0, 1, QStringLiteral("日本語😀"));
        QCOMPARE(g.cellText(0, 0), odd);
        QCOMPARE(g.cellText(0, 1), QStringLiteral("日本語😀"));
        // Storing a cell's own text into another cell copies it safely.
        g.setCellText(0, 1, g.cellView(0, 0));
        QCOMPARE(g.cellText(0, 1), odd);
    }

    void currentCellStaysInside()
    {
        TableGrid g = numbered(4, 5);
        g.setCurrentCell(3, 4);
        g.resize(2, 2);
        QCOMPARE(g.currentRow(), 1);
        QCOMPARE(g.currentCol(), 1);
        g.setCurrentCell(10, -3);
        QCOMPARE(g.currentRow(), 1);
        QCOMPARE(g.currentCol(), 0);
    }

    void poolIsCompactedWhenMostlyGarbage()
    {
        TableGrid g;
        g.resize(10, 10);
        const QString big(4096, u'x');
        for (int round = 0; round < 100; ++round)
            for (int r = 0; r < 10; ++r)
                for (int c = 0; c < 10; ++c)
                    g.setCellText(r, c, big);
        QVERIFY2(g.poolSize() <= 3 * 100 * 4096, qPrintable(QString::number(g.poolSize())));
        QCOMPARE(g.cellText(9, 9), big);
    }

    void leadingCount()
    {
        QCOMPARE(TableSize::leadingCount(QStringLiteral("3")), 3);
        QCOMPARE(TableSize::leadingCount(QStringLiteral("  4.9abc")), 4);
        QCOMPARE(TableSize::leadingCount(QStringLiteral("abc")), 0);
        QCOMPARE(TableSize::leadingCount(QStringLiteral("-2")), 0);
        QCOMPARE(TableSize::leadingCount(QString()), 0);
        QVERIFY(TableSize::leadingCount(QStringLiteral("1e300")) > TableSize::MaxCells);
    }

    void limits()
    {
        QVERIFY(TableSize::fits(200000, 10));
        QVERIFY(TableSize::fits(0, 0));
        QVERIFY(!TableSize::fits(100000000, 5));
        QVERIFY(!TableSize::fits(1000000, 100001));
        QVERIFY(!TableSize::fits(1000000, 100));
    }
};

QTEST_GUILESS_MAIN(TestTableGrid)
#include "tst_table_grid.moc"
