#include "support/TestFiles.h"
#include "textio/Cp932.h"
#include "textpage/BlockByteCounts.h"
#include "textpage/ImodePageWriter.h"
#include "textpage/TextFile.h"
#include "textpage/TextPageWriter.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

class TestTextPage : public QObject
{
    Q_OBJECT
private slots:
    // One set of options for every row: a title with markup and a character
    // code page 932 lacks, a back address and a background (which the i-mode
    // page leaves out).
    void pages_data()
    {
        QTest::addColumn<bool>("imode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("breaks");
        QTest::addColumn<bool>("mincho");
        QTest::addColumn<QStringList>("body");
        const QStringList minchoEmpty{"<FONT face=\"ＭＳ 明朝\">", "", "</FONT>"};
        for (bool imode : {false, true}) {
            const char *kind = imode ? "i-mode" : "text";
            QTest::addRow("%s: two lines", kind) << imode << "a\r\nb" << true << false << QStringList{"a<br>", "b"};
            QTest::addRow("%s: no <br>", kind) << imode << "a\r\nb" << false << false << QStringList{"a", "b"};
            QTest::addRow("%s: empty, mincho", kind) << imode << "" << true << true << minchoEmpty;
            QTest::addRow("%s: markup, unmappable", kind) << imode << "<b>太字</b>😀" << true << false
                                                       << QStringList{"<b>太字</b>&#128512;"};
        }
        QTest::newRow("text: empty") << false << "" << true << false << QStringList{""};
        // Only CR LF is a line break: a lone LF or CR, or LF CR, stays as it is.
        QTest::newRow("text: lone LF and CR") << false << "a\nb\rc\n\rd" << true << false << QStringList{"a\nb\rc\n\rd"};
        QTest::newRow("text: blank and last lines") << false << "a\r\n\r\nb\r\n" << true << false
                                                    << QStringList{"a<br>", "<br>", "b<br>", ""};
        QTest::newRow("i-mode: lone LF") << true << "a\nb\r\n" << true << false << QStringList{"a\nb<br>", ""};
    }
    void pages()
    {
        QFETCH(bool, imode);
        QFETCH(QString, text);
        QFETCH(bool, breaks);
        QFETCH(bool, mincho);
        QFETCH(QStringList, body);
        const PageOptions o{"<b>題</b>①😀", "http://a.jp/", BackgroundChoice::Pink};
        TextPageInput in;
        in.text = text;
        in.convertBreaks = breaks;
        in.mincho = mincho;
        const QString title = "<b>題</b>①&#128512;";
        const QStringList expected = imode
            ? QStringList{"<HTML>", "<HEAD>", "<TITLE>" + title + "</TITLE>", "</HEAD>", "<BODY>", title, "<HR>"} + body
                  + QStringList{"<HR>", "<A href=\"http://a.jp/\">戻　る</A>", "</BODY>", "</HTML>"}
            : TestFiles::pageLines(title, o.backUrl, "<BODY bgcolor=\"#FFC3C6\">", {},
                                   QStringList{"<table border=0>", "<tr><td align=left>"} + body
                                       + QStringList{"</td></tr>", "</table>", "</center>"});
        bool (*write)(QIODevice *, const PageOptions &, const TextPageInput &) = imode ? ImodePageWriter::write : TextPageWriter::write;
        QCOMPARE(TestFiles::render([&](QIODevice *d) { return write(d, o, in); }), TestFiles::crlfSjis(expected));
    }

    // Shift_JIS, or UTF-8 when the file is UTF-8; every line end becomes
    // CR LF. Written back, the text is Shift_JIS.
    void files_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("shift_jis crlf") << TestFiles::sjis("第一行　です\r\nｶﾀｶﾅ ASCII\r\n①髙～") << "第一行　です\r\nｶﾀｶﾅ ASCII\r\n①髙～";
        QTest::newRow("shift_jis, lone LF and CR") << TestFiles::sjis("日本語\nb\rc\r") << "日本語\r\nb\r\nc\r\n";
        QTest::newRow("utf-8") << QString("日本語\nb").toUtf8() << "日本語\r\nb";
    }
    void files()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QVERIFY(TestFiles::writeAll(dir.filePath("t.txt"), bytes));
        const FileReading::Result r = TextFile::read(dir.filePath("t.txt"));
        QVERIFY(r.ok);
        QCOMPARE(r.text, text);
        qsizetype replaced = -1;
        QCOMPARE(TestFiles::render([&](QIODevice *d) { return TextFile::write(d, r.text, &replaced); }), TestFiles::sjis(text));
        QCOMPARE(replaced, qsizetype(0));
        QCOMPARE(TestFiles::render([&](QIODevice *d) { return TextFile::write(d, "a😀b\u00e9", &replaced); }), QByteArray("a?b?"));
        QCOMPARE(replaced, qsizetype(2));
    }

    // Shift_JIS bytes, one "?" for what code page 932 lacks; per paragraph a
    // line separator (Shift+Enter) counts as CR LF, a no-break space as a blank.
    void byteCount()
    {
        for (const auto &[text, bytes] : QList<std::pair<QString, qsizetype>>{{"あいabcｱｲ\r\n①～髙", 17}, {"a\u00e9\u4e02😀", 4}, {"", 0}})
            QCOMPARE(Cp932::byteCount(text), bytes);
        QCOMPARE(BlockByteCounts::paragraphCounts(u"あa\u2029\u2029b\u2028c\u00a0😀"), (std::vector<qsizetype>{3, 0, 6}));
        BlockByteCounts counts;
        counts.reset({3, 0, 6});
        QVERIFY(counts.replace(1, 1, {2, 2}) && !counts.replace(3, 2, {5}) && !counts.replace(-1, 1, {5}) && !counts.replace(0, 4, {}));
        QCOMPARE(counts.total(), qsizetype(3 + 2 + 2 + 6 + 3 * 2));
    }
};

QTEST_GUILESS_MAIN(TestTextPage)
#include "tst_textpage.moc"
