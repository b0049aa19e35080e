#include "WindowHarness.h"
#include "support/TestFiles.h"
#include "textio/Cp932.h"
#include "ui/BrowsePanel.h"
#include "ui/TextTab.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCursor>

class TestTextTab : public QObject
{
    Q_OBJECT

private:
    struct Fixture {
        Fixture()
        {
            QVERIFY(dir.isValid());
            QVERIFY(w.window->browsePanel()->setFolder(dir.path()));
            w.find<QTabWidget>("SSTab1")->setCurrentIndex(1);
            w.dialogs.clear();
        }
        QPlainTextEdit *editor() const { return w.find<QPlainTextEdit>("rtext1"); }
        QString label(const char *name) const { return w.find<QLabel>(name)->text(); }
        TextTab *tab() const { return w.window->textTab(); }
        QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

        QTemporaryDir dir;
        WindowHarness w;
    };

private slots:
    void byteCountLabel()
    {
        Fixture f;
        QCOMPARE(f.label("Label7"), QString());
        const std::pair<QString, QString> cases[] = {
            {QStringLiteral("あいう"), QStringLiteral(" 6")},
            {QStringLiteral("abc"), QStringLiteral(" 3")},
            {QStringLiteral("ｱｲｳ"), QStringLiteral(" 3")},
            {QStringLiteral("a\nb"), QStringLiteral(" 4")},
            {QStringLiteral("a😀\u00e9"), QStringLiteral(" 4")},
        };
        for (const auto &[text, shown] : cases) {
            f.editor()->setPlainText(text);
            QCOMPARE(f.label("Label7"), shown);
        }
        f.editor()->selectAll();
        QTest::keyClick(f.editor(), Qt::Key_Delete);
        QCOMPARE(f.label("Label7"), QStringLiteral(" 0"));
        QTest::keyClicks(f.editor(), "ab");
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QCOMPARE(f.label("Label7"), QStringLiteral(" 4"));
    }

    void keptCountEqualsAFullCount()
    {
        // Random edits of every kind the editor knows; after each one the
        // label must show what a count over the whole text gives.
        Fixture f;
        const QStringList pieces = {"a", "あい", "\n", "ｱ\nx", "\n\n", "😀", "①", QString(QChar::LineSeparator),
                                    "\u00a0", "漢字\nかな\n"};
        QRandomGenerator rng(7);
        f.editor()->setPlainText(QStringLiteral("start\n"));
        QTextCursor cursor(f.editor()->document());
        for (int step = 0; step < 600; ++step) {
            const int length = f.editor()->document()->characterCount() - 1;
            const int op = rng.bounded(10);
            if (op < 5) {
                cursor.setPosition(rng.bounded(length + 1));
                cursor.insertText(pieces.at(rng.bounded(int(pieces.size()))));
            } else if (op < 8 && length > 0) {
                const int a = rng.bounded(length + 1);
                const int b = qMin(length, a + rng.bounded(12));
                cursor.setPosition(a);
                cursor.setPosition(b, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            } else if (op == 8) {
                f.editor()->undo();
            } else {
                f.editor()->redo();
            }
            const qsizetype full = Cp932::byteCount(f.tab()->editorText());
            QCOMPARE(f.tab()->byteCount(), full);
            QCOMPARE(f.label("Label7"), QStringLiteral(" ") + QString::number(full));
        }
        f.editor()->setPlainText(QStringLiteral("x\ny"));
        QCOMPARE(f.label("Label7"), QStringLiteral(" 4"));
    }

    void largeChangesCountedFromTheRawText()
    {
        // Loads and large pastes take another road through the count.
        Fixture f;
        QString big;
        for (int i = 0; i < 3000; ++i)
            big += QStringLiteral("行%1 ｱ\u00a0x\u00e9\n").arg(i);
        f.editor()->setPlainText(big);
        QTextCursor cursor(f.editor()->document());
        cursor.setPosition(40);
        cursor.insertText(QString(QChar::LineSeparator) + big.left(5000));
        QCOMPARE(f.tab()->byteCount(), Cp932::byteCount(f.tab()->editorText()));
        cursor.setPosition(100);
        cursor.setPosition(30000, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        QCOMPARE(f.tab()->byteCount(), Cp932::byteCount(f.tab()->editorText()));
        f.editor()->undo();
        f.editor()->undo();
        QCOMPARE(f.label("Label7"), QStringLiteral(" ") + QString::number(Cp932::byteCount(f.tab()->editorText())));
        QCOMPARE(f.tab()->byteCount(), Cp932::byteCount(big) + big.count(u'\n'));
    }

    void loadShiftJisFile()
    {
        Fixture f;
        const QString path = f.path("日本語.txt");
        QVERIFY(TestFiles::writeAll(path, TestFiles::crlfSjis({"一行目", "ｶﾅ"})));
        f.w.dialogs.setNextFileName(path);
        f.w.click("Command11");

        QCOMPARE(f.tab()->editorText(), QStringLiteral("一行目\r\nｶﾅ\r\n"));
        QCOMPARE(f.label("Label1"), path);
        QCOMPARE(f.label("Label7"), QStringLiteral(" 12"));
        const auto opens = f.w.dialogs.callsOf(ScriptedDialogs::Call::Open);
        QCOMPARE(opens.size(), 1);
        QCOMPARE(opens[0].request.filter, QStringLiteral("text|*.txt|All Files|*.*|"));
        QCOMPARE(opens[0].request.folder, f.dir.path());
        QCOMPARE(opens[0].request.presetName, QString());
        QVERIFY(f.w.dialogs.errors().isEmpty());
        QVERIFY(f.w.dialogs.notices().isEmpty());
    }

    void loadLfOnlyAndUtf8Files()
    {
        Fixture f;
        QVERIFY(TestFiles::writeAll(f.path("lf.txt"), TestFiles::sjis(QStringLiteral("あ\nい"))));
        QVERIFY(TestFiles::writeAll(f.path("u8.txt"), QStringLiteral("ＵＴＦ８\nです").toUtf8()));
        f.w.dialogs.setNextFileName(f.path("lf.txt"));
        f.w.click("Command11");
        QCOMPARE(f.tab()->editorText(), QStringLiteral("あ\r\nい"));
        QCOMPARE(f.editor()->document()->blockCount(), 2);
        f.w.dialogs.setNextFileName(f.path("u8.txt"));
        f.w.click("Command11");
        QCOMPARE(f.tab()->editorText(), QStringLiteral("ＵＴＦ８\r\nです"));
    }

    void loadCancelledOrFailing()
    {
        Fixture f;
        f.editor()->setPlainText(QStringLiteral("keep"));
        f.w.window->setPathLabel(QStringLiteral("/before"));
        f.w.dialogs.setNextCancel();
        f.w.click("Command11");
        QVERIFY(f.w.dialogs.errors().isEmpty());

        f.w.dialogs.setNextFileName(f.path("missing.txt"));
        f.w.click("Command11");
        f.w.dialogs.setNextFileName(f.dir.path());
        f.w.click("Command11");
        QCOMPARE(f.w.dialogs.errors().size(), 2);
        QVERIFY(f.w.dialogs.errors().at(0).contains(QStringLiteral("missing.txt")));
        QCOMPARE(f.tab()->editorText(), QStringLiteral("keep"));
        QCOMPARE(f.label("Label1"), QStringLiteral("/before"));
        QVERIFY(f.w.dialogs.notices().isEmpty());
    }

    void writeRoundTripUnderAnotherName()
    {
        Fixture f;
        const QByteArray original = TestFiles::crlfSjis({"表計算　ＣＳＶ", "①髙～", ""});
        QVERIFY(TestFiles::writeAll(f.path("in.txt"), original));
        f.w.dialogs.setNextFileName(f.path("in.txt"));
        f.w.click("Command11");

        // An existing target is replaced without a question.
        QVERIFY(TestFiles::writeAll(f.path("out.txt"), "old"));
        f.w.dialogs.clear();
        f.w.dialogs.setNextFileName(f.path("out.txt"));
        f.w.click("Command12");

        QCOMPARE(TestFiles::readAll(f.path("out.txt")), original);
        const auto saves = f.w.dialogs.callsOf(ScriptedDialogs::Call::Save);
        QCOMPARE(saves.size(), 1);
        QCOMPARE(saves[0].request.filter, QStringLiteral("text|*.txt|html|*.html|All Files|*.*|"));
        QCOMPARE(saves[0].request.presetName, QStringLiteral("txt.txt"));
        QCOMPARE(saves[0].request.defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(saves[0].request.folder, f.dir.path());
        QCOMPARE(f.w.dialogs.calls().size(), 1); // no question, no notice
        QCOMPARE(f.label("Label1"), f.path("in.txt"));
    }

    void writeShowsNewFileAndReportsReplacements()
    {
        Fixture f;
        f.editor()->setPlainText(QStringLiteral("a😀\u00e9\nb"));
        f.w.dialogs.setNextFileName(f.path("new.txt"));
        f.w.click("Command12");
        QCOMPARE(TestFiles::readAll(f.path("new.txt")), QByteArray("a??\r\nb"));
        QVERIFY(f.w.window->fileListNames().contains(QStringLiteral("new.txt")));
        QCOMPARE(f.w.dialogs.notices().size(), 1);
        QVERIFY(f.w.dialogs.notices().at(0).contains(QStringLiteral("2")));
        QVERIFY(f.w.dialogs.errors().isEmpty());
    }

    void writeCancelledOrFailing()
    {
        Fixture f;
        f.editor()->setPlainText(QStringLiteral("text"));
        f.w.dialogs.setNextCancel();
        f.w.click("Command12");
        QCOMPARE(f.w.dialogs.calls().size(), 1);
        QVERIFY(QDir(f.dir.path()).entryList(QDir::Files).isEmpty());

        QVERIFY(QDir(f.dir.path()).mkdir("sub"));
        f.w.dialogs.setNextFileName(f.path("sub"));
        f.w.click("Command12");
        f.w.dialogs.setNextFileName(f.path("gone/x.txt"));
        f.w.click("Command12");
        const QStringList errors = f.w.dialogs.errors();
        QCOMPARE(errors.size(), 2);
        QVERIFY(errors.at(0).contains(f.path("sub")));
        QVERIFY(errors.at(1).contains(f.path("gone/x.txt")));
        QVERIFY(QFileInfo(f.path("sub")).isDir());
        QVERIFY(!QFileInfo::exists(f.path("gone")));
        QVERIFY(QDir(f.dir.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(f.w.dialogs.notices().isEmpty());
    }

    void imodePageDefaults()
    {
        Fixture f;
        f.editor()->setPlainText(QStringLiteral("a\nb"));
        f.w.dialogs.setNextFileName(f.path("i.html"));
        f.w.click("Command10");
        QCOMPARE(TestFiles::readAll(f.path("i.html")),
                 TestFiles::crlfSjis({"<HTML>", "<HEAD>", "<TITLE>ここにタイトルを入れて下さい</TITLE>", "</HEAD>",
                                      "<BODY>", "ここにタイトルを入れて下さい", "<HR>", "a<br>", "b", "<HR>",
                                      "</BODY>", "</HTML>"}));
        QCOMPARE(f.w.dialogs.notices(), QStringList{QStringLiteral("ｈｔｍｌファイル(i-mode版)作成完了")});
        QCOMPARE(f.label("Label1"), f.path("i.html"));
        const auto saves = f.w.dialogs.callsOf(ScriptedDialogs::Call::Save);
        QCOMPARE(saves[0].request.presetName, QStringLiteral("index.html"));
        QVERIFY(f.w.window->fileListNames().contains(QStringLiteral("i.html")));
    }

    void imodePageOptions()
    {
        // Mincho, a back link, no line-break conversion, and a background
        // image that the page must ignore.
        Fixture f;
        f.editor()->setPlainText(QStringLiteral("あ\nい"));
        f.w.find<QLineEdit>("Text2")->setText(QStringLiteral("携帯"));
        f.w.find<QLineEdit>("Text3")->setText(QStringLiteral("http://example.jp/"));
        f.w.find<QRadioButton>("Option9")->setChecked(true);
        f.w.find<QLineEdit>("Text5")->setText(QStringLiteral("http://example.jp/bg.gif"));
        f.w.find<QCheckBox>("Check8")->setChecked(true);
        f.w.find<QCheckBox>("Check6")->setChecked(false);
        QVERIFY(TestFiles::writeAll(f.path("i.html"), "old"));
        f.w.dialogs.setNextFileName(f.path("i.html"));
        f.w.dialogs.setNextAnswer(true);
        f.w.click("Command10");
        QCOMPARE(f.w.dialogs.callsOf(ScriptedDialogs::Call::Confirm).size(), 1);
        QCOMPARE(TestFiles::readAll(f.path("i.html")),
                 TestFiles::crlfSjis({"<HTML>", "<HEAD>", "<TITLE>携帯</TITLE>", "</HEAD>", "<BODY>", "携帯", "<HR>",
                                      "<FONT face=\"ＭＳ 明朝\">", "あ", "い", "</FONT>", "<HR>",
                                      "<A href=\"http://example.jp/\">戻　る</A>", "</BODY>", "</HTML>"}));
    }

    void imodePageCheck8PartialIsNotTicked()
    {
        Fixture f;
        f.w.find<QCheckBox>("Check8")->setCheckState(Qt::PartiallyChecked);
        f.w.dialogs.setNextFileName(f.path("p.html"));
        f.w.click("Command10");
        QVERIFY(!TestFiles::readAll(f.path("p.html")).contains("FONT"));
    }
};

QTEST_MAIN(TestTextTab)
#include "tst_texttab.moc"
