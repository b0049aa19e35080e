#include "support/TestFiles.h"
#include "textpage/ImodePageWriter.h"

#include <QTest>

using namespace tabulink;

class TestImodePageWriter : public QObject
{
    Q_OBJECT

private:
    static QByteArray page(const PageOptions &options, const TextPageInput &input)
    {
        return TestFiles::render([&](QIODevice *d) { return ImodePageWriter::write(d, options, input); });
    }
    static TextPageInput text(const QString &t, bool convert = true, bool mincho = false)
    {
        TextPageInput input;
        input.text = t;
        input.convertBreaks = convert;
        input.mincho = mincho;
        return input;
    }
    // The page for the default options around the given body lines.
    static QByteArray defaultPage(const QStringList &body, const QStringList &afterRule = {})
    {
        QStringList lines = {"<HTML>", "<HEAD>", "<TITLE>ここにタイトルを入れて下さい</TITLE>", "</HEAD>",
                             "<BODY>", "ここにタイトルを入れて下さい", "<HR>"};
        lines += body;
        lines += "<HR>";
        lines += afterRule;
        lines += {"</BODY>", "</HTML>"};
        return TestFiles::crlfSjis(lines);
    }

private slots:
    void defaultsTwoLines()
    {
        QCOMPARE(page(PageOptions(), text("a\r\nb")), defaultPage({"a<br>", "b"}));
    }

    void lineBreakOptionAndBareLf()
    {
        QCOMPARE(page(PageOptions(), text("a\r\nb", false)), defaultPage({"a", "b"}));
        // A bare LF gets no "<br>" with the option on or off; the byte stays LF.
        const QByteArray lf = TestFiles::sjis(QStringLiteral("<HR>\r\na\nb\r\n<HR>"));
        QVERIFY(page(PageOptions(), text("a\nb", true)).contains(lf));
        QVERIFY(page(PageOptions(), text("a\nb", false)).contains(lf));
        // A text ending in a line break leaves an empty line before the rule.
        QCOMPARE(page(PageOptions(), text("a\r\n")), defaultPage({"a<br>", ""}));
    }

    void emptyText()
    {
        QCOMPARE(page(PageOptions(), text(QString())), defaultPage({""}));
        QCOMPARE(page(PageOptions(), text(QString(), true, true)),
                 defaultPage({"<FONT face=\"ＭＳ 明朝\">", "", "</FONT>"}));
    }

    void backLinkOnlyAfterTenCharacters()
    {
        PageOptions options;
        options.backUrl = QStringLiteral("http://a.j"); // 10
        QCOMPARE(page(options, text("x")), defaultPage({"x"}));
        options.backUrl = QStringLiteral("http://a.jp/"); // 12
        QCOMPARE(page(options, text("x")), defaultPage({"x"}, {"<A href=\"http://a.jp/\">戻　る</A>"}));
    }

    void backgroundIsIgnored()
    {
        const QByteArray plain = page(PageOptions(), text("x"));
        for (BackgroundChoice choice : {BackgroundChoice::None, BackgroundChoice::Pink, BackgroundChoice::ImageFile}) {
            PageOptions options;
            options.background = choice;
            options.backgroundImageUrl = QStringLiteral("http://example.jp/bg.gif");
            QCOMPARE(page(options, text("x")), plain);
        }
    }

    void titleAndTextAsEntered()
    {
        PageOptions options;
        options.title = QStringLiteral("<b>題</b> 😀");
        const QByteArray bytes = page(options, text("<i>x</i> 😀"));
        QVERIFY(bytes.contains("<TITLE><b>\x91\xe8</b> &#128512;</TITLE>\r\n"));
        QVERIFY(bytes.contains("<BODY>\r\n<b>\x91\xe8</b> &#128512;\r\n<HR>\r\n<i>x</i> &#128512;\r\n<HR>"));
    }

};

QTEST_GUILESS_MAIN(TestImodePageWriter)
#include "tst_imodepagewriter.moc"
