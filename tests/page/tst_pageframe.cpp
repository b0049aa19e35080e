#include "page/AppInfo.h"
#include "page/PageFrame.h"
#include "support/TestFiles.h"
#include "textio/LineSink.h"

#include <QBuffer>
#include <QTest>

using namespace tabulink;

namespace {
const QString kFooter = QStringLiteral(
    "<div align=\"right\"><A href=\"http://www.example.com/tabulink/\" target=\"_blank\"><b><FONT size=\"-2\">"
    "Tabulink ver 2.03</FONT></b></A></div>");

QByteArray render(const PageOptions &o, const QStringList &style = {})
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    LineSink sink(&buffer, Cp932::Unmappable::NumericReference);
    PageFrame::writeHead(sink, o, style);
    PageFrame::writeTail(sink, o);
    sink.finish();
    return bytes;
}
} // namespace

class TestPageFrame : public QObject
{
    Q_OBJECT
private slots:
    void backLinkThreshold();
    void emptyTitleAndMarkup();
    void backgrounds_data();
    void backgrounds();
    void styleLinesAfterHead();
    void usageAndVersionTexts();
};

void TestPageFrame::backLinkThreshold()
{
    PageOptions o;
    o.backUrl = QStringLiteral("http://a.b");  // 10 characters
    QVERIFY(!render(o).contains("href=\"http://a.b\""));
    QVERIFY(!render(o).contains(TestFiles::sjis(QStringLiteral("　　\r\n"))));

    o.backUrl = QStringLiteral("http://a.bc"); // 11 characters
    const QStringList head = PageFrame::headLines(o);
    QCOMPARE(head.mid(7, 6), QStringList({
        "<div align=\"center\"><B><FONT size=\"+3\">",
        "　　",
        "ここにタイトルを入れて下さい",
        "</FONT>",
        "　　　<A href=\"http://a.bc\" target=\"_top\">戻る</A>",
        "</B></div>",
    }));
    QCOMPARE(PageFrame::tailLines(o), QStringList({
        "<FONT size=\"-3\"><br></FONT>", "<HR>", "<CENTER>",
        "<A href=\"http://a.bc\">", "<FONT size=\"+2\">", "<b>戻　る</b></FONT></A>", "<BR>",
        "</CENTER>", kFooter, "</BODY>", "</HTML>",
    }));
    // Characters are counted as the user typed them, not as bytes.
    o.backUrl = QStringLiteral("ｈｔｔｐ：／／あいうえ");
    QVERIFY(o.hasBackLink());
}

void TestPageFrame::emptyTitleAndMarkup()
{
    PageOptions o;
    o.title.clear();
    const QStringList head = PageFrame::headLines(o);
    QCOMPARE(head.at(3), QStringLiteral("<TITLE></TITLE>"));
    QCOMPARE(head.at(8), QString());
    o.title = QStringLiteral("<b>A&B</b>");
    QCOMPARE(PageFrame::headLines(o).at(3), QStringLiteral("<TITLE><b>A&B</b></TITLE>"));
    QCOMPARE(PageFrame::headLines(o).at(8), QStringLiteral("<b>A&B</b>"));
}

void TestPageFrame::backgrounds_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("body");
    QTest::newRow("white") << 1 << "http://" << "<BODY bgcolor=\"#ffffff\">";
    QTest::newRow("sky") << 2 << "" << "<BODY bgcolor=\"#84FFFF\">";
    QTest::newRow("yellow") << 3 << "" << "<BODY bgcolor=\"#FFFF84\">";
    QTest::newRow("orange") << 4 << "" << "<BODY bgcolor=\"#FFC384\">";
    QTest::newRow("green") << 5 << "" << "<BODY bgcolor=\"#84FF84\">";
    QTest::newRow("indigo") << 6 << "" << "<BODY bgcolor=\"#C6C3FF\">";
    QTest::newRow("pink") << 7 << "" << "<BODY bgcolor=\"#FFC3C6\">";
    QTest::newRow("purple") << 8 << "" << "<BODY bgcolor=\"#FFC3FF\">";
    QTest::newRow("image default") << 9 << "http://" << "<BODY bgcolor=\"#ffffff\">";
    QTest::newRow("image empty") << 9 << "" << "<BODY background=\"\">";
    QTest::newRow("image capitals") << 9 << "HTTP://" << "<BODY background=\"HTTP://\">";
    QTest::newRow("image") << 9 << "img/背景.gif" << "<BODY background=\"img/背景.gif\">";
}

void TestPageFrame::backgrounds()
{
    QFETCH(int, option);
    QFETCH(QString, image);
    QFETCH(QString, body);
    PageOptions o;
    o.background = backgroundFromOption(option);
    o.backgroundImageUrl = image;
    QCOMPARE(PageFrame::headLines(o).at(5), body);
}

void TestPageFrame::styleLinesAfterHead()
{
    PageOptions o;
    o.background = BackgroundChoice::None;
    const QStringList head = PageFrame::headLines(o, {"<STYLE>", "</STYLE>"});
    QCOMPARE(head.mid(4, 4), QStringList({"</HEAD>", "<STYLE>", "</STYLE>", " "}));
    QCOMPARE(head.size(), 16);
}

void TestPageFrame::usageAndVersionTexts()
{
    const QStringList usage = AppInfo::usageText().split(QStringLiteral("\r\n"));
    QCOMPARE(usage.size(), 20); // 19 lines, each followed by CR LF
    QCOMPARE(usage.last(), QString());
    QCOMPARE(usage.at(18), QStringLiteral("Tabulink ver 2.03 - 2004/10/29"));
    const QStringList version = AppInfo::versionText().split(QStringLiteral("\r\n"));
    QCOMPARE(version.size(), 9);
    QCOMPARE(version.at(5), QStringLiteral("Tabulink ver 2.03 - 2004/10/29"));
}

QTEST_GUILESS_MAIN(TestPageFrame)
#include "tst_pageframe.moc"
