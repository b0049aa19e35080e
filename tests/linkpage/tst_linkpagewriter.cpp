#include "linkpage/FileListEntry.h"
#include "linkpage/LinkListBody.h"
#include "linkpage/LinkPageWriter.h"
#include "textio/LineSink.h"

#include "support/TestFiles.h"

#include <QBuffer>
#include <QTest>

using namespace tabulink;

namespace {

QList<FileListEntry> entries(const QStringList &rows)
{
    QList<FileListEntry> out;
    for (const QString &row : rows)
        out.append(FileListEntry::split(row));
    return out;
}

QByteArray bodyBytes(const QStringList &rows)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        LineSink sink(&buffer, Cp932::Unmappable::NumericReference);
        LinkListBody::write(sink, entries(rows));
    }
    return bytes;
}

} // namespace

class TestLinkPageWriter : public QObject
{
    Q_OBJECT
private slots:
    void emptyListGivesEmptyTable();
    void twoRowExampleAsFullPage();
    void labelCases_data();
    void labelCases();
    void linkTarget_data();
    void linkTarget();
    void unmappableCharactersBecomeReferences();
};

void TestLinkPageWriter::emptyListGivesEmptyTable()
{
    QCOMPARE(bodyBytes({}), TestFiles::crlfSjis({"<table border=0>", "</table>", "</center>"}));
}

void TestLinkPageWriter::twoRowExampleAsFullPage()
{
    const QStringList rows{QStringLiteral("photo1.jpg,夏の写真"), "memo.txt"};
    QCOMPARE(TestFiles::render([&](QIODevice *d) { return LinkPageWriter::write(d, PageOptions(), entries(rows)); }),
             TestFiles::crlfSjis(TestFiles::pageLines(
                 QStringLiteral("ここにタイトルを入れて下さい"), {}, "<BODY bgcolor=\"#ffffff\">", {},
                 {"<table border=0>", "<tr><td align=left nowrap>",
                  QStringLiteral("<A href=\"photo1.jpg\">夏の写真</A></td></tr>"), "<tr><td> </td></tr>",
                  "<tr><td align=left nowrap>", "<A href=\"memo.txt\">memo.txt</A></td></tr>", "<tr><td> </td></tr>",
                  "</table>", "</center>"})));
}

void TestLinkPageWriter::labelCases_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("linkLine");
    QTest::newRow("name is label") << "memo.txt" << "<A href=\"memo.txt\">memo.txt</A></td></tr>";
    QTest::newRow("empty description") << "a," << "<A href=\"a\"></A></td></tr>";
    QTest::newRow("commas in description") << QStringLiteral("a.txt,春,夏")
                                           << QStringLiteral("<A href=\"a.txt\">春,夏</A></td></tr>");
    // What the user typed is written as typed, markup included.
    QTest::newRow("typed markup") << "a.txt,<b>bold</b> & \"q\""
                                  << "<A href=\"a.txt\"><b>bold</b> & \"q\"</A></td></tr>";
    // A file name is data, in the target and as the label.
    QTest::newRow("markup in name") << "x\"><b>.txt"
                                    << "<A href=\"x&quot;&gt;&lt;b&gt;.txt\">x&quot;&gt;&lt;b&gt;.txt</A></td></tr>";
    QTest::newRow("ampersand in name") << "a&b.png" << "<A href=\"a&amp;b.png\">a&amp;b.png</A></td></tr>";
    QTest::newRow("hash in name") << "#1.jpg" << "<A href=\"%231.jpg\">#1.jpg</A></td></tr>";
    QTest::newRow("hash, with description") << "#1.jpg,<i>x</i>" << "<A href=\"%231.jpg\"><i>x</i></A></td></tr>";
}

void TestLinkPageWriter::labelCases()
{
    QFETCH(QString, row);
    QTEST(LinkListBody::linkLine(FileListEntry::split(row)), "linkLine");
}

void TestLinkPageWriter::linkTarget_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("native");
    QTest::addColumn<QString>("target");
    QTest::newRow("plain") << "photo1.jpg" << QByteArray() << "photo1.jpg";
    QTest::newRow("inner blanks stay") << "my file.txt" << QByteArray() << "my file.txt";
    QTest::newRow("outer blanks encoded") << " a b " << QByteArray() << "%20a b%20";
    QTest::newRow("all blanks") << "  " << QByteArray() << "%20%20";
    QTest::newRow("url syntax") << "50%?#.txt" << QByteArray() << "50%25%3F%23.txt";
    QTest::newRow("backslash") << "a\\b" << QByteArray() << "a%5Cb";
    QTest::newRow("controls") << QString("a\tb\nc") + QChar(0x7F) << QByteArray() << "a%09b%0Ac%7F";
    QTest::newRow("japanese stays") << QStringLiteral("夏の写真.jpg") << QByteArray() << QStringLiteral("夏の写真.jpg");
    QTest::newRow("scheme-like") << "javascript:alert(1)" << QByteArray() << "./javascript:alert(1)";
    QTest::newRow("drive-like") << "C:x" << QByteArray() << "./C:x";
    QTest::newRow("colon after non-scheme") << "1a:b" << QByteArray() << "1a:b";
    QTest::newRow("colon first") << ":x" << QByteArray() << ":x";
    // Codes that read back as other characters: the browser must ask for
    // these, not for "\", "～" and the like.
    QTest::newRow("one-way") << QStringLiteral("¥‾〜−—‖¢£¬.txt") << QByteArray()
                             << "&#165;&#8254;&#12316;&#8722;&#8212;&#8214;&#162;&#163;&#172;.txt";
    QTest::newRow("round trip") << QStringLiteral("～－∥￥.txt") << QByteArray() << QStringLiteral("～－∥￥.txt");
    QTest::newRow("not utf-8") << QStringLiteral("写真 a.jpg") << QByteArray("\x8E\xCA\x90\x5E a.jpg")
                               << "%8E%CA%90%5E%20a.jpg";
}

void TestLinkPageWriter::linkTarget()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, native);
    QTEST(LinkListBody::linkTarget(name, native), "target");
}

void TestLinkPageWriter::unmappableCharactersBecomeReferences()
{
    // Japanese stays Shift_JIS bytes; only what code page 932 lacks becomes a reference.
    const QByteArray bytes = bodyBytes({QStringLiteral("表\U0001F600.txt")});
    QVERIFY(bytes.contains(TestFiles::sjis(QStringLiteral("<A href=\"表&#128512;.txt\">表&#128512;.txt</A>"))));
}

QTEST_GUILESS_MAIN(TestLinkPageWriter)
#include "tst_linkpagewriter.moc"
