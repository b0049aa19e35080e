// The table and text pages of tabulink-batch made straight from a code page
// 932 file's bytes: the real program on small files whose every tricky byte
// is spelled out, with the page's bytes written by hand.

#include "support/TestFiles.h"
#include "textio/FilePieces.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

class TestStreamedPages : public QObject
{
    Q_OBJECT
private slots:
    void textPagesFromFileBytes_data();
    void textPagesFromFileBytes();
    void tablePageFromFileBytes_data();
    void tablePageFromFileBytes();
};

void TestStreamedPages::tablePageFromFileBytes_data()
{
    QTest::addColumn<bool>("fromStandardInput"); // read and decoded whole
    QTest::newRow("file, streamed") << false;
    QTest::newRow("standard input") << true;
}

// Quotes stripped, a blank line skipped, a lone LF kept inside a line of a
// CR LF file, a short line repeating its last field, NEC-selected IBM 纊
// (ED40) written as its IBM code FA5C, 0xFF as U+FFFD, an empty cell filled.
void TestStreamedPages::tablePageFromFileBytes()
{
    QFETCH(bool, fromStandardInput);
    QTemporaryDir dir;
    const QString in = dir.filePath("in.csv");
    QVERIFY(TestFiles::writeAll(in, "\"\x96\xbc\",b,\"x\"\"y\"\r\n \t\r\n1\n2,\xed\x40\r\n,\xff"));
    QProcess p;
    if (fromStandardInput)
        p.setStandardInputFile(in);
    p.start(QStringLiteral(TABULINK_BATCH_BIN), {"table", fromStandardInput ? QStringLiteral("-") : in});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QByteArray page = p.readAllStandardOutput();
    QVERIFY2(page.contains("<table border=\"1\">\r\n<tr>\r\n"
                           "<td nowrap align=\"center\"><b><b>\x96\xbc</b></b></td>\r\n"
                           "<td nowrap align=\"center\"><b>b</b></td>\r\n"
                           "<td nowrap align=\"center\"><b>x\"\"y</b></td>\r\n</tr>\r\n<tr>\r\n"
                           "<td nowrap align=\"left\"><b>1\n2</b></td>\r\n"
                           "<td nowrap align=\"right\">\xfa\x5c</td>\r\n"
                           "<td nowrap align=\"right\">\xfa\x5c</td>\r\n</tr>\r\n<tr>\r\n"
                           "<td nowrap align=\"left\"><b>\x81\x40</b></td>\r\n"
                           "<td nowrap align=\"right\">&#65533;</td>\r\n"
                           "<td nowrap align=\"right\">&#65533;</td>\r\n</tr>\r\n</TABLE>\r\n</CENTER>\r\n"),
             page.constData());
}

void TestStreamedPages::textPagesFromFileBytes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("body"); // the editor text as the pages carry it
    // A lone CR, CR LF, a lone LF; NEC ① stays, NEC-selected IBM 纊 (ED40)
    // becomes its IBM code FA5C; 0xFF and a lead byte at the end are U+FFFD.
    const QByteArray mixed("a\rb\x87\x40\xed\x40\r\nc\xff\n\x81");
    QTest::newRow("line ends and odd codes, <br>") << mixed << QStringList()
        << QByteArray("a<br>\r\nb\x87\x40\xfa\x5c<br>\r\nc&#65533;<br>\r\n&#65533;\r\n");
    QTest::newRow("no <br>, Mincho") << mixed << QStringList{"--no-br", "--mincho"}
        << QByteArray("<FONT face=\"\x82\x6c\x82\x72 \x96\xbe\x92\xa9\">\r\na\r\nb\x87\x40\xfa\x5c\r\n"
                      "c&#65533;\r\n&#65533;\r\n</FONT>\r\n");
    QTest::newRow("markup kept, empty lines, final break")
        << QByteArray("<b>&\t\\~\r\n\r\n") << QStringList() << QByteArray("<b>&\t\\~<br>\r\n<br>\r\n\r\n");
    QTest::newRow("empty file") << QByteArray() << QStringList() << QByteArray("\r\n");
    // ﾃｽ is also valid two-byte UTF-8; E0 40 (漾) cannot be UTF-8.
    QTest::newRow("kana and E0 lead stay code page 932")
        << QByteArray("\xc3\xbd\xe0\x40") << QStringList() << QByteArray("\xc3\xbd\xe0\x40\r\n");
    // Second bytes that could lead (9A, 9F, E9) before a digit or a line
    // end are copied; a run of them pairs off from its start.
    QTest::newRow("second bytes that could lead")
        << QByteArray("\x8e\x9a" "1\x82\x9f\x82\x9f" "2\x88\x9f\xed\x40\x82\xe9\n")
        << QStringList() << QByteArray("\x8e\x9a" "1\x82\x9f\x82\x9f" "2\x88\x9f\xfa\x5c\x82\xe9<br>\r\n\r\n");
    // The file is read in pieces: 亜 (889F) falls across the first two, the
    // CR LF across the next two, and a line spans them.
    const QByteArray a(FilePieces::DefaultPieceBytes - 1, 'a');
    const QByteArray b(FilePieces::DefaultPieceBytes - 4, 'b');
    QTest::newRow("pieces") << a + "\x88\x9f\xed\x40" + b + "\r\nc" << QStringList()
                            << a + "\x88\x9f\xfa\x5c" + b + "<br>\r\nc\r\n";
    QTest::newRow("UTF-8 file is decoded") << QByteArray("\xe6\x97\xa5\xc2\xa0x\n") << QStringList()
        << QByteArray("\x93\xfa x<br>\r\n\r\n");
}

void TestStreamedPages::textPagesFromFileBytes()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, body);
    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt");
    QVERIFY(TestFiles::writeAll(in, file));
    for (const QString command : {"imode", "text"}) {
        QProcess p;
        p.start(QStringLiteral(TABULINK_BATCH_BIN), QStringList{command, "-t", "T"} + options + QStringList{in});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QByteArray page = p.readAllStandardOutput();
        if (command == QLatin1String("imode"))
            QCOMPARE(page, "<HTML>\r\n<HEAD>\r\n<TITLE>T</TITLE>\r\n</HEAD>\r\n<BODY>\r\nT\r\n<HR>\r\n" + body
                               + "<HR>\r\n</BODY>\r\n</HTML>\r\n");
        else
            QVERIFY(page.contains("\r\n<tr><td align=left>\r\n" + body + "</td></tr>\r\n</table>\r\n"));
    }
}

QTEST_GUILESS_MAIN(TestStreamedPages)
#include "tst_streamed_pages.moc"
