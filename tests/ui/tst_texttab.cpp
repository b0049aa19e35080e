#include "WindowHarness.h"
#include "support/TestFiles.h"
#include "textio/Cp932.h"
#include "ui/BrowsePanel.h"
#include "ui/TextTab.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCursor>

using namespace tabulink;

class TestTextTab : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowHarness> w;
    std::unique_ptr<QTemporaryDir> dir;

    QPlainTextEdit *editor() const { return w->find<QPlainTextEdit>("rtext1"); }
    QString label(const char *name) const { return w->find<QLabel>(name)->text(); }
    TextTab *tab() const { return w->window->textTab(); }
    QString path(const char *name) const { return dir->filePath(QString::fromLatin1(name)); }
    // The label must always show what a count over the whole text gives.
    void expectFullCount() const
    {
        const qsizetype full = Cp932::byteCount(tab()->editorText());
        QCOMPARE(tab()->byteCount(), full);
        QCOMPARE(label("Label7"), " " + QString::number(full));
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        w = std::make_unique<WindowHarness>();
        QVERIFY(w->window->browsePanel()->setFolder(dir->path()));
        w->find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        w->dialogs.clear();
    }
    void cleanup() { w.reset(); dir.reset(); }

    void byteCountLabel()
    {
        editor()->setPlainText(QStringLiteral("あｱ\na😀\u00e9"));
        QCOMPARE(label("Label7"), QStringLiteral(" 8"));
        editor()->selectAll();
        QTest::keyClick(editor(), Qt::Key_Delete);
        QCOMPARE(label("Label7"), QStringLiteral(" 0"));
        QTest::keyClicks(editor(), "ab");
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(label("Label7"), QStringLiteral(" 4"));
    }

    void keptCountEqualsAFullCount()
    {
        // Random edits of every kind the editor knows.
        const QStringList pieces = {"a", "あい", "\n", "ｱ\nx", "\n\n", "😀", "①", QString(QChar::LineSeparator),
                                    "\u00a0", "漢字\nかな\n"};
        QRandomGenerator rng(7);
        editor()->setPlainText(QStringLiteral("start\n"));
        QTextCursor cursor(editor()->document());
        for (int step = 0; step < 600; ++step) {
            const int length = editor()->document()->characterCount() - 1;
            const int op = rng.bounded(10);
            if (op < 5) {
                cursor.setPosition(rng.bounded(length + 1));
                cursor.insertText(pieces.at(rng.bounded(int(pieces.size()))));
            } else if (op < 8 && length > 0) {
                const int a = rng.bounded(length + 1);
                cursor.setPosition(a);
                cursor.setPosition(qMin(length, a + rng.bounded(12)), QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            } else if (op == 8) {
                editor()->undo();
            } else {
                editor()->redo();
            }
            expectFullCount();
        }

        // Loads and large pastes take another road through the count.
        QString big;
        for (int i = 0; i < 3000; ++i)
            big += QStringLiteral("行%1 ｱ\u00a0x\u00e9\n").arg(i);
        editor()->setPlainText(big);
        cursor.setPosition(40);
        cursor.insertText(QString(QChar::LineSeparator) + big.left(5000));
        expectFullCount();
        cursor.setPosition(100);
        cursor.setPosition(30000, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        expectFullCount();
        editor()->undo();
        editor()->undo();
        expectFullCount();
        QCOMPARE(tab()->byteCount(), Cp932::byteCount(big) + big.count(u'\n'));
    }

    void loadShiftJisFile()
    {
        const QString file = path("日本語.txt");
        QVERIFY(TestFiles::writeAll(file, TestFiles::crlfSjis({"一行目", "ｶﾅ"})));
        w->dialogs.setNextFileName(file);
        w->click("Command11");
        QCOMPARE(tab()->editorText(), QStringLiteral("一行目\r\nｶﾅ\r\n"));
        QCOMPARE(label("Label1"), file);
        QCOMPARE(label("Label7"), QStringLiteral(" 12"));
        QCOMPARE(w->dialogs.calls().size(), 1);
    }

    void loadCancelledOrFailing()
    {
        editor()->setPlainText(QStringLiteral("keep"));
        w->window->saveContext().setPathLabel(QStringLiteral("/before"));
        w->dialogs.setNextCancel();
        w->click("Command11");
        w->dialogs.setNextFileName(path("missing.txt"));
        w->click("Command11");
        w->dialogs.setNextFileName(dir->path());
        w->click("Command11");
        QCOMPARE(w->dialogs.errors().size(), 2);
        QVERIFY(w->dialogs.errors().at(0).contains(QStringLiteral("missing.txt")));
        QCOMPARE(tab()->editorText(), QStringLiteral("keep"));
        QCOMPARE(label("Label1"), QStringLiteral("/before"));
        QVERIFY(w->dialogs.notices().isEmpty());
    }

    void writeRoundTripUnderAnotherName()
    {
        const QByteArray original = TestFiles::crlfSjis({"表計算　ＣＳＶ", "①髙～", ""});
        QVERIFY(TestFiles::writeAll(path("in.txt"), original));
        w->dialogs.setNextFileName(path("in.txt"));
        w->click("Command11");

        // An existing target is replaced without a question.
        QVERIFY(TestFiles::writeAll(path("out.txt"), "old"));
        w->dialogs.clear();
        w->dialogs.setNextFileName(path("out.txt"));
        w->click("Command12");
        QCOMPARE(TestFiles::readAll(path("out.txt")), original);
        QCOMPARE(w->dialogs.calls().size(), 1); // no question, no notice
        QCOMPARE(label("Label1"), path("in.txt"));

        editor()->setPlainText(QStringLiteral("a😀\u00e9\nb"));
        w->dialogs.setNextFileName(path("new.txt"));
        w->click("Command12");
        QCOMPARE(TestFiles::readAll(path("new.txt")), QByteArray("a??\r\nb"));
        QCOMPARE(label("Label7"), QStringLiteral(" 6")); // what the file holds
        QVERIFY(w->window->browsePanel()->fileNames().contains(QStringLiteral("new.txt")));
        QCOMPARE(w->dialogs.notices().size(), 1);
        QVERIFY(w->dialogs.notices().at(0).contains(QStringLiteral("2")));
    }

    // Mincho, a back link, no line-break conversion, and a background image
    // that the page must ignore; a partial Check8 set by code is no tick.
    void imodePage()
    {
        editor()->setPlainText(QStringLiteral("あ\nい"));
        w->find<QLineEdit>("Text2")->setText(QStringLiteral("携帯"));
        w->find<QLineEdit>("Text3")->setText(QStringLiteral("http://example.jp/"));
        w->find<QRadioButton>("Option9")->setChecked(true);
        w->find<QLineEdit>("Text5")->setText(QStringLiteral("http://example.jp/bg.gif"));
        w->find<QCheckBox>("Check8")->setChecked(true);
        w->find<QCheckBox>("Check6")->setChecked(false);
        w->dialogs.setNextFileName(path("i.html"));
        w->click("Command10");
        QCOMPARE(TestFiles::readAll(path("i.html")),
                 TestFiles::crlfSjis({"<HTML>", "<HEAD>", "<TITLE>携帯</TITLE>", "</HEAD>", "<BODY>", "携帯", "<HR>",
                                      "<FONT face=\"ＭＳ 明朝\">", "あ", "い", "</FONT>", "<HR>",
                                      "<A href=\"http://example.jp/\">戻　る</A>", "</BODY>", "</HTML>"}));
        QCOMPARE(w->dialogs.notices(), QStringList{QStringLiteral("ｈｔｍｌファイル(i-mode版)作成完了")});
        QCOMPARE(label("Label1"), path("i.html"));
        QCOMPARE(w->dialogs.calls().first().request.presetName, QStringLiteral("index.html"));
        QVERIFY(w->window->browsePanel()->fileNames().contains(QStringLiteral("i.html")));

        w->find<QCheckBox>("Check8")->setCheckState(Qt::PartiallyChecked);
        w->dialogs.setNextFileName(path("p.html"));
        w->click("Command10");
        QVERIFY(!TestFiles::readAll(path("p.html")).contains("FONT"));
    }
};

QTEST_MAIN(TestTextTab)
#include "tst_texttab.moc"
