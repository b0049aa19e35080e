#include "linkpage/FileList.h"
#include "linkpage/LinkListBody.h"
#include "linkpage/LinkPageWriter.h"

#include "support/TestFiles.h"

#include <QTest>

using namespace tabulink;

namespace {
QByteArray page(const QStringList &rows, const PageOptions &options = PageOptions())
{
    QList<FileListEntry> entries;
    for (const QString &row : rows)
        entries.append(FileListEntry::split(row));
    return TestFiles::render([&](QIODevice *d) { return LinkPageWriter::write(d, options, entries); });
}

QByteArray pageAround(const QStringList &links, const QString &title = "ここにタイトルを入れて下さい", const QString &backLink = {},
                      const QString &bodyTag = "<BODY bgcolor=\"#ffffff\">")
{
    return TestFiles::crlfSjis(TestFiles::pageLines(title, backLink, bodyTag, {},
                                                    QStringList{"<table border=0>"} + links + QStringList{"</table>", "</center>"}));
}
} // namespace

class TestLinkPage : public QObject
{
    Q_OBJECT
private slots:
    // The edit row goes back to the row naming its file, the nearest to its old number.
    void registrationTarget_data()
    {
        QTest::addColumn<QString>("rowNumber");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<FileList::Registration>("expected");
        QTest::addColumn<int>("index");
        QTest::newRow("nothing loaded") << "" << "" << FileList::Registration::NothingLoaded << -1;
        QTest::newRow("row moved up") << "3" << "c.png" << FileList::Registration::Possible << 2;
        QTest::newRow("nearest of two, past the end") << "5" << "a.jpg" << FileList::Registration::Possible << 4;
        QTest::newRow("no row names it") << "1" << "z.png" << FileList::Registration::RowGone << -1;
    }
    void registrationTarget()
    {
        FileList list;
        list.replaceAll(QStringList{"a.jpg", "b.txt", "c.png", "d.gif", "a.jpg"});
        QFETCH(QString, rowNumber);
        QFETCH(QString, fileName);
        qsizetype found = -1;
        QTEST(list.registrationTarget({rowNumber, fileName, "desc"}, &found), "expected");
        QTEST(int(found), "index");
    }

    void listOrder()
    {
        FileList list;
        list.replaceAll(QStringList{"r0", "r1", "r2", "r3", "r4", "r5"});
        list.setDescription(3, "夏,冬");
        list.removeRows({4, 1, 2, 2, 17, -3}); // repeated and outside indexes are ignored
        QCOMPARE(list.rows(), QStringList({"r0", "r3,夏,冬", "r5"}));
    }

    // The frame of every full page: title block, back links and background.
    void frame_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("backUrl");
        QTest::addColumn<int>("option"); // the background option button, 0 for none
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("bodyTag");
        QTest::addColumn<QString>("backLink"); // the back link written, if any
        const QString title = "ここにタイトルを入れて下さい", none = "http://";
        QTest::newRow("back address of 10") << title << "http://a.b" << 1 << none << "<BODY bgcolor=\"#ffffff\">" << "";
        QTest::newRow("back address of 11") << title << "http://a.bc" << 1 << none << "<BODY bgcolor=\"#ffffff\">" << "http://a.bc";
        // Characters are counted as typed, not as bytes.
        QTest::newRow("full-width back address") << title << "ｈｔｔｐ：／／あいうえ" << 1 << none << "<BODY bgcolor=\"#ffffff\">"
                                                  << "ｈｔｔｐ：／／あいうえ";
        QTest::newRow("title as typed, unmappable") << "<b>A&B</b>①😀" << none << 2 << none << "<BODY bgcolor=\"#84FFFF\">" << "";
        QTest::newRow("yellow") << title << none << 3 << "" << "<BODY bgcolor=\"#FFFF84\">" << "";
        QTest::newRow("orange") << title << none << 4 << "" << "<BODY bgcolor=\"#FFC384\">" << "";
        QTest::newRow("green") << title << none << 5 << "" << "<BODY bgcolor=\"#84FF84\">" << "";
        QTest::newRow("indigo") << title << none << 6 << "" << "<BODY bgcolor=\"#C6C3FF\">" << "";
        QTest::newRow("pink") << title << none << 7 << "" << "<BODY bgcolor=\"#FFC3C6\">" << "";
        QTest::newRow("purple") << title << none << 8 << "" << "<BODY bgcolor=\"#FFC3FF\">" << "";
        QTest::newRow("image default") << title << none << 9 << none << "<BODY bgcolor=\"#ffffff\">" << "";
        QTest::newRow("image empty") << title << none << 9 << "" << "<BODY background=\"\">" << "";
        QTest::newRow("image capitals") << title << none << 9 << "HTTP://" << "<BODY background=\"HTTP://\">" << "";
        QTest::newRow("image") << title << none << 9 << "img/背景.gif" << "<BODY background=\"img/背景.gif\">" << "";
        QTest::newRow("no background") << title << none << 0 << "" << "" << "";
    }
    void frame()
    {
        QFETCH(QString, title);
        QFETCH(QString, backUrl);
        QFETCH(int, option);
        QFETCH(QString, image);
        const PageOptions o{title, backUrl, backgroundFromOption(option), image};
        QFETCH(QString, bodyTag);
        QFETCH(QString, backLink);
        QCOMPARE(page({}, o), pageAround({}, title.replace("😀", "&#128512;"), backLink, bodyTag));
    }

    void pages()
    {
        QCOMPARE(page({"photo1.jpg,夏の写真", "memo.txt"}),
                 pageAround({"<tr><td align=left nowrap>", "<A href=\"photo1.jpg\">夏の写真</A></td></tr>", "<tr><td> </td></tr>",
                             "<tr><td align=left nowrap>", "<A href=\"memo.txt\">memo.txt</A></td></tr>", "<tr><td> </td></tr>"}));
        // Japanese stays Shift_JIS; only what code page 932 lacks becomes a reference.
        QVERIFY(page({"表\U0001F600.txt"}).contains(TestFiles::sjis("<A href=\"表&#128512;.txt\">表&#128512;.txt</A>")));
    }

    // A row of text is split at its first comma: further commas belong to
    // the description, which is written as typed. The file name is data:
    // escaped, and encoded where a URL would read it as syntax.
    void links_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QByteArray>("native"); // the name's bytes, when not UTF-8
        QTest::addColumn<QString>("link");
        QTest::newRow("empty description") << "a," << QByteArray() << "<A href=\"a\"></A>";
        QTest::newRow("leading comma, blanks kept") << ", a b " << QByteArray() << "<A href=\"\"> a b </A>";
        QTest::newRow("typed markup") << "a.txt,<b>春,夏</b> & \"q\"" << QByteArray() << "<A href=\"a.txt\"><b>春,夏</b> & \"q\"</A>";
        QTest::newRow("markup in name") << "x\"><b>&.txt" << QByteArray()
                                        << "<A href=\"x&quot;&gt;&lt;b&gt;&amp;.txt\">x&quot;&gt;&lt;b&gt;&amp;.txt</A>";
        QTest::newRow("outer blanks encoded, inner kept") << " a b " << QByteArray() << "<A href=\"%20a b%20\"> a b </A>";
        QTest::newRow("url syntax, controls") << "50%?#\\a\tb\nc\x7F,<i>x</i>" << QByteArray() << "<A href=\"50%25%3F%23%5Ca%09b%0Ac%7F\"><i>x</i></A>";
        QTest::newRow("scheme-like") << "javascript:alert(1),x" << QByteArray() << "<A href=\"./javascript:alert(1)\">x</A>";
        // Codes that read back as other characters: the browser must ask for
        // these, not for "\", "～" and the like.
        QTest::newRow("one-way") << "¥‾〜−—‖¢£¬.txt,x" << QByteArray()
                                 << "<A href=\"&#165;&#8254;&#12316;&#8722;&#8212;&#8214;&#162;&#163;&#172;.txt\">x</A>";
        QTest::newRow("round trip, Japanese") << "～－∥￥夏.txt,x" << QByteArray() << "<A href=\"～－∥￥夏.txt\">x</A>";
        QTest::newRow("leading U+FFFE and U+FEFF") << QString::fromUtf8("\uFFFE\u3042,\uFEFFb") << QByteArray()
                                                  << QString::fromUtf8("<A href=\"\uFFFE\u3042\">\uFEFFb</A>");
        QTest::newRow("not utf-8") << "写真 a.jpg,x" << QByteArray("\x8E\xCA\x90\x5E a.jpg") << "<A href=\"%8E%CA%90%5E%20a.jpg\">x</A>";
    }
    void links()
    {
        QFETCH(QString, row);
        QFETCH(QString, link);
        FileListEntry entry = FileListEntry::split(row);
        QFETCH(QByteArray, native);
        entry.nativeName = native;
        QCOMPARE(entry.shown(), row); // as the list shows it
        QCOMPARE(LinkListBody::linkLine(entry), link + "</td></tr>");
        QVERIFY(link.startsWith("<A href=\"" + LinkListBody::linkTarget(entry.fileName, native) + "\">"));
    }
};

QTEST_GUILESS_MAIN(TestLinkPage)
#include "tst_linkpage.moc"
