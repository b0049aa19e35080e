#include "page/AppInfo.h"
#include "page/PageFrame.h"
#include "support/TestFiles.h"
#include "textpage/LineBreaks.h"
#include "textpage/TextPageWriter.h"

#include <QTest>

using namespace tabulink;

namespace {
QByteArray page(const QString &text, bool breaks, bool mincho, const PageOptions &o = PageOptions())
{
    TextPageInput in;
    in.text = text;
    in.convertBreaks = breaks;
    in.mincho = mincho;
    return TestFiles::render([&](QIODevice *d) { return TextPageWriter::write(d, o, in); });
}

QByteArray frameAround(const QStringList &body, const PageOptions &o = PageOptions())
{
    return TestFiles::crlfSjis(PageFrame::headLines(o) + body + PageFrame::tailLines(o));
}
} // namespace

class TestTextPageWriter : public QObject
{
    Q_OBJECT
private slots:
    void lineBreakConversion_data();
    void lineBreakConversion();
    void twoLinesWithAndWithoutBreaks();
    void emptyTextAndMincho();
    void markupAndUnmappableCharacters();
};

void TestTextPageWriter::lineBreakConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("result");
    QTest::newRow("off") << "a\r\nb" << false << "a\r\nb";
    QTest::newRow("two lines") << "a\r\nb" << true << "a<br>\r\nb";
    QTest::newRow("trailing") << "a\r\n" << true << "a<br>\r\n";
    QTest::newRow("double") << "a\r\n\r\nb" << true << "a<br>\r\n<br>\r\nb";
    QTest::newRow("lone LF and CR") << "a\nb\rc" << true << "a\nb\rc";
    QTest::newRow("LF CR is no pair") << "a\n\rb" << true << "a\n\rb";
    QTest::newRow("empty") << "" << true << "";
}

void TestTextPageWriter::lineBreakConversion()
{
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(QString, result);
    QCOMPARE(convertLineBreaks(text, enabled), result);
}

void TestTextPageWriter::twoLinesWithAndWithoutBreaks()
{
    QCOMPARE(page("a\r\nb", true, false),
             frameAround({"<table border=0>", "<tr><td align=left>", "a<br>", "b", "</td></tr>", "</table>", "</center>"}));
    QCOMPARE(page("a\r\nb", false, false),
             frameAround({"<table border=0>", "<tr><td align=left>", "a", "b", "</td></tr>", "</table>", "</center>"}));
    QCOMPARE(page("a\r\n", true, false),
             frameAround({"<table border=0>", "<tr><td align=left>", "a<br>", "", "</td></tr>", "</table>", "</center>"}));
}

void TestTextPageWriter::emptyTextAndMincho()
{
    QCOMPARE(page("", true, false),
             frameAround({"<table border=0>", "<tr><td align=left>", "", "</td></tr>", "</table>", "</center>"}));
    QCOMPARE(page("", true, true),
             frameAround({"<table border=0>", "<tr><td align=left>", "<FONT face=\"ＭＳ 明朝\">", "", "</FONT>",
                          "</td></tr>", "</table>", "</center>"}));
}

void TestTextPageWriter::markupAndUnmappableCharacters()
{
    PageOptions o;
    o.title = QStringLiteral("日記①");
    o.backUrl = QStringLiteral("http://example.jp/");
    const QByteArray bytes = page(QStringLiteral("<b>太字</b>😀"), true, false, o);
    QVERIFY(bytes.contains(TestFiles::sjis(QStringLiteral("<b>太字</b>")) + "&#128512;\r\n"));
    QVERIFY(bytes.startsWith(TestFiles::crlfSjis(PageFrame::headLines(o))));
    QVERIFY(bytes.contains(TestFiles::sjis(QStringLiteral("<TITLE>日記①</TITLE>"))));
}

QTEST_GUILESS_MAIN(TestTextPageWriter)
#include "tst_textpagewriter.moc"
