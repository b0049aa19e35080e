#include "WindowHarness.h"
#include "support/TestFiles.h"
#include "textio/Cp932.h"
#include "ui/BrowsePanel.h"
#include "ui/LinkListModel.h"
#include "ui/LinkTab.h"
#include "ui/PreviewWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace tabulink;

class TestPreview : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<WindowHarness> h;

    PreviewWindow *preview() const { return h->window->previewWindow(); }
    QString shown() const { return preview()->view()->toPlainText(); }
    void showTab(int index) const { h->find<QTabWidget>("SSTab1")->setCurrentIndex(index); }
    void pressF5() const
    {
        QVERIFY(QTest::qWaitForWindowActive(h->window.get()));
        QTest::keyClick(h->window.get(), Qt::Key_F5);
        QVERIFY(preview() && preview()->isVisible());
    }
    // Typed as a keyboard or an input method delivers it, one character a key.
    static void type(QWidget *widget, const QString &text, bool enter = false)
    {
        for (QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        if (enter)
            QTest::keyClick(widget, Qt::Key_Return);
    }
    // Clicks into a box, selects its text and types over it.
    void retype(QWidget *edit, const QString &text, bool enter = false) const
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        type(edit, text, enter);
    }
    void retype(const char *name, const QString &text) const { retype(h->find<QLineEdit>(name), text); }

private slots:
    void init()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        dir = std::make_unique<QTemporaryDir>();
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->window->browsePanel()->setFolder(dir->path()));
    }
    void cleanup() { h.reset(); dir.reset(); }

    void showsWhatThePageButtonSaves_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("imode");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("texts");
        const QString title = QStringLiteral("ここにタイトルを入れて下さい");
        const QString footer = QStringLiteral("Tabulink ver 2.03");
        QTest::newRow("table") << 0 << false << "Command3" << QStringList{title, "品名", "価格", footer};
        QTest::newRow("text") << 1 << false << "Command9" << QStringList{title, "本日の特売", footer};
        QTest::newRow("i-mode") << 1 << true << "Command10" << QStringList{title, "本日の特売"};
        QTest::newRow("link") << 2 << false << "Command17" << QStringList{title, "店の案内", footer};
    }
    void showsWhatThePageButtonSaves()
    {
        QFETCH(int, tab);
        QFETCH(bool, imode);
        QFETCH(QString, button);
        QFETCH(QStringList, texts);
        showTab(tab);
        if (tab == 0) {
            for (const QString &cell : {QStringLiteral("品名"), QStringLiteral("価格")})
                type(h->find<QLineEdit>("Text1"), cell, true);
        } else if (tab == 1) {
            type(h->find<QPlainTextEdit>("rtext1"), QStringLiteral("本日の特売"));
        } else {
            QVERIFY(TestFiles::writeAll(dir->filePath("guide.html"), {}));
            h->window->browsePanel()->refreshFiles();
            h->click("Command14");
            LinkTab *link = h->window->linkTab();
            link->fileListView()->setCurrentIndex(link->fileListModel()->index(0));
            link->loadCurrentRow();
            type(h->find<QLineEdit>("Text4"), QStringLiteral("店の案内"), true);
        }
        pressF5();
        QCOMPARE(preview()->findChild<QCheckBox *>("previewImode")->isEnabled(), tab == 1);
        if (imode)
            QTest::mouseClick(preview()->findChild<QCheckBox *>("previewImode"), Qt::LeftButton);
        for (const QString &text : texts)
            QVERIFY2(shown().contains(text), qPrintable(text));
        QCOMPARE(shown().contains(QStringLiteral("Tabulink ver 2.03")), !imode);

        const QString saved = dir->filePath("page.html");
        h->dialogs.setNextFileName(saved);
        h->click(qPrintable(button));
        QCOMPARE(preview()->html(), Cp932::decode(TestFiles::readAll(saved)));
    }

    void followsAnOptionAfterAPause()
    {
        pressF5();
        retype("Text2", QStringLiteral("本日の価格表"));
        // Not rebuilt per keystroke: the page waits for a pause in the typing.
        QVERIFY(!preview()->html().contains(QStringLiteral("本日の価格表")));
        QTRY_VERIFY(shown().contains(QStringLiteral("本日の価格表")));
    }

    void longPagesShowTheirStart_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shownEnd");
        QTest::addColumn<QString>("note");
        const QString kana = QStringLiteral("あいうえお");
        QTest::newRow("1,005 rows") << 0 << "1005" << "</tr>\r\n</TABLE>" << QStringLiteral("… ほか 5 行");
        QTest::newRow("1,003 lines") << 1 << QString("line\n").repeated(1002) + "last"
                                     << "line<br>\r\nline\r\n</td>" << QStringLiteral("… ほか 3 行");
        QTest::newRow("a line of 110,000") << 1 << kana.repeated(22'000) << kana.repeated(20'000) + "\r\n</td>"
                                           << QStringLiteral("… ほか 1 行");
        QTest::newRow("1,000 lines") << 1 << QString("line\n").repeated(999) + "last"
                                     << "line<br>\r\nlast\r\n</td>" << QString();
    }
    void longPagesShowTheirStart()
    {
        QFETCH(int, tab);
        QFETCH(QString, text);
        QFETCH(QString, shownEnd);
        QFETCH(QString, note);
        showTab(tab);
        if (tab == 0)
            retype(h->find<QComboBox>("Combo1")->lineEdit(), text, true);
        else
            h->find<QPlainTextEdit>("rtext1")->setPlainText(text);
        pressF5();
        QVERIFY(preview()->html().contains(shownEnd));
        QCOMPARE(preview()->html().count(QStringLiteral("<tr>")), tab == 0 ? 1000 : 1);
        auto *label = preview()->findChild<QLabel *>("previewNote");
        QCOMPARE(label->isVisible(), !note.isEmpty());
        QCOMPARE(label->text(), note);
    }

    void linksAreNotFollowed()
    {
        retype("Text3", QStringLiteral("http://example.com/top.html"));
        pressF5();
        QSignalSpy clicked(preview()->view(), &QTextBrowser::anchorClicked);
        QTextCursor link = preview()->view()->document()->find(QStringLiteral("戻る"));
        QVERIFY(!link.isNull());
        link.setPosition(link.selectionStart() + 1);
        const QRect at = preview()->view()->cursorRect(link);
        QTest::mouseClick(preview()->view()->viewport(), Qt::LeftButton, {}, at.center());
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toUrl(), QUrl("http://example.com/top.html"));
        QVERIFY(preview()->view()->source().isEmpty());
    }

    void onlyLocalImagesAreRead_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("read");
        QTest::newRow("file in the folder") << "bg.png" << true;
        QTest::newRow("absolute path") << "ABS/bg.png" << true;
        QTest::newRow("file URL") << "file://ABS/bg.png" << true;
        QTest::newRow("http") << "http://example.com/bg.png" << false;
        QTest::newRow("https") << "https://example.com/bg.png" << false;
    }
    void onlyLocalImagesAreRead()
    {
        QFETCH(QString, address);
        QFETCH(bool, read);
        QVERIFY(QImage(4, 4, QImage::Format_Mono).save(dir->filePath("bg.png")));
        address.replace("ABS", dir->path());
        h->find<QAbstractButton>("Option9")->click();
        retype("Text5", address);
        pressF5();
        QVERIFY(preview()->html().contains("<BODY background=\"" + address + "\">"));
        const QVariant data = preview()->view()->loadResource(QTextDocument::ImageResource, QUrl(address));
        QCOMPARE(data.isValid() && !data.toByteArray().isEmpty(), read);
    }

    void placeIsRemembered_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::newRow("stored") << QByteArray();
        QTest::newRow("damaged") << QByteArray("[preview]\nx=left\ny=60\nwidth=500\nheight=400\n");
    }
    void placeIsRemembered()
    {
        QFETCH(QByteArray, damage);
        pressF5();
        const QRect placed(40, 30, 500, 400);
        preview()->setGeometry(placed);
        h->window->close(); // the program ends with the preview open
        QVERIFY(!preview()->isVisible());
        h.reset();
        if (!damage.isEmpty())
            QVERIFY(TestFiles::writeAll(qEnvironmentVariable("XDG_CONFIG_HOME") + "/tablomi.ini", damage));
        h = std::make_unique<WindowHarness>();
        pressF5();
        // A damaged entry: placed anew, beside the window.
        QCOMPARE(preview()->geometry() == placed, damage.isEmpty());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
