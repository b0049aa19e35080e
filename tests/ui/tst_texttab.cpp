#include "WindowHarness.h"
#include "ui/TextTab.h"

#include <QPlainTextEdit>

using namespace tabulink;

class TestTextTab : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;

    QPlainTextEdit *editor() const { return h->find<QPlainTextEdit>("rtext1"); }
    QString path(const char *name) const { return h->path(QString::fromUtf8(name)); }

private slots:
    void init()
    {
        h = std::make_unique<WindowHarness>();
        QVERIFY(!h->showTempFolder().isEmpty());
        h->find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    }
    void cleanup() { h.reset(); }

    // Label7 follows typing, undo and a large paste.
    void byteCountFollowsEveryEdit()
    {
        QTest::mouseClick(editor()->viewport(), Qt::LeftButton);
        WindowHarness::type("ab", Qt::Key_Return);
        WindowHarness::type(QStringLiteral("あｱ😀"));
        QCOMPARE(h->text("Label7"), QStringLiteral(" 8"));
        editor()->undo();
        QCOMPARE(h->text("Label7"), QStringLiteral(" 4"));
        editor()->setPlainText(QStringLiteral("行 ｱ\u00a0x\u00e9\n").repeated(500)); // a load: 500 lines of 7 bytes and CR LF
        QCOMPARE(h->text("Label7"), QStringLiteral(" 4500"));
    }

    void loadAndSaveText()
    {
        editor()->setPlainText(QStringLiteral("keep"));
        h->clickAnswering("Command11", path("missing.txt"));
        QCOMPARE(h->dialogs.errors().size(), 1);
        QCOMPARE(h->window->textTab()->editorText() + h->text("Label1"), QStringLiteral("keep"));
        const QByteArray original = TestFiles::crlfSjis({"一行目", QStringLiteral("ｶﾅ①髙～")});
        QVERIFY(TestFiles::writeAll(path("in.txt"), original));
        h->clickAnswering("Command11", path("in.txt"));
        QCOMPARE(h->window->textTab()->editorText(), QStringLiteral("一行目\r\nｶﾅ①髙～\r\n"));
        QCOMPARE(h->text("Label1") + h->text("Label7"), path("in.txt") + " 18");

        QVERIFY(TestFiles::writeAll(path("out.txt"), "old")); // replaced without a question
        QCOMPARE(h->clickAnswering("Command12", path("out.txt")), original);
        QCOMPARE(h->dialogs.calls().size(), 4); // the file dialogs and the error only
        QCOMPARE(h->text("Label1"), path("in.txt"));
        editor()->setPlainText(QStringLiteral("a😀\u00e9\nb"));
        QCOMPARE(h->clickAnswering("Command12", path("new.txt")), QByteArray("a??\r\nb"));
        QVERIFY(h->rows("File1").contains("new.txt"));
        QVERIFY(h->dialogs.notices().at(0).contains(QStringLiteral("2")));
    }

    // Options, the overwrite question (a longer old file), Label1, file list, notice.
    void textPage()
    {
        editor()->setPlainText(QStringLiteral("一行目\n二行目"));
        h->typeInto("Text2", QStringLiteral("日記"), 0);
        h->typeInto("Text3", QStringLiteral("http://example.jp/"), 0);
        QTest::mouseClick(h->find("Option3"), Qt::LeftButton);
        const QString page = path("日記.html");
        QVERIFY(TestFiles::writeAll(page, QByteArray(20000, 'o')));
        QCOMPARE(h->clickAnswering("Command9", page), QByteArray(20000, 'o')); // いいえ
        QCOMPARE(h->dialogs.calls().constLast().defaultAnswer, UserDialogs::DefaultAnswer::No);
        h->dialogs.setNextAnswer(true);
        QCOMPARE(h->clickAnswering("Command9", page),
                 TestFiles::crlfSjis(TestFiles::pageLines(
                     "日記", "http://example.jp/", "<BODY bgcolor=\"#FFFF84\">", {},
                     {"<table border=0>", "<tr><td align=left>", "一行目<br>", "二行目", "</td></tr>", "</table>", "</center>"})));
        QCOMPARE(h->text("Label1"), page);
        QCOMPARE(h->dialogs.notices(), QStringList({"ｈｔｍｌファイル作成完了"}));
        QCOMPARE(h->dialogs.calls().first().request.presetName, QStringLiteral("index.html"));
        QVERIFY(h->rows("File1").contains(QStringLiteral("日記.html")));
    }

    // Mincho, a back link, no line-break conversion, and a background image
    // that the page ignores; a partial Check8 set by code is no tick.
    void imodePage()
    {
        editor()->setPlainText(QStringLiteral("あ\nい"));
        h->typeInto("Text2", QStringLiteral("携帯"), 0);
        h->typeInto("Text3", QStringLiteral("http://example.jp/"), 0);
        QTest::mouseClick(h->find("Label16"), Qt::LeftButton); // the example image address
        QVERIFY(h->find<QRadioButton>("Option9")->isChecked());
        QTest::mouseClick(h->find("Check8"), Qt::LeftButton);
        QTest::mouseClick(h->find("Check6"), Qt::LeftButton);
        QCOMPARE(h->clickAnswering("Command10", path("i.html")),
                 TestFiles::crlfSjis({"<HTML>", "<HEAD>", "<TITLE>携帯</TITLE>", "</HEAD>", "<BODY>", "携帯", "<HR>",
                                      "<FONT face=\"ＭＳ 明朝\">", "あ", "い", "</FONT>", "<HR>",
                                      "<A href=\"http://example.jp/\">戻　る</A>", "</BODY>", "</HTML>"}));
        QCOMPARE(h->dialogs.notices(), QStringList{QStringLiteral("ｈｔｍｌファイル(i-mode版)作成完了")});
        QCOMPARE(h->text("Label1"), path("i.html"));
        h->find<QCheckBox>("Check8")->setCheckState(Qt::PartiallyChecked);
        QVERIFY(!h->clickAnswering("Command10", path("p.html")).contains("FONT"));
    }
};

QTEST_MAIN(TestTextTab)
#include "tst_texttab.moc"
