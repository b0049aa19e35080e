// tabulink-batch writes what the window writes: every page kind is written
// once through the real window, with scripted dialogs, and once through the
// command line code, from the same input and options, and the bytes compared.

#include "WindowHarness.h"

#include "batch/BatchRunner.h"
#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"
#include "ui/LinkListModel.h"
#include "ui/LinkTab.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace tabulink;

namespace {

struct Settings {
    QString title;
    QString backUrl;
    int option = 1; // Option1..Option9
    QString imageUrl;
    QStringList ticked;   // check boxes to tick
    QStringList unticked; // check boxes to untick
};

// The same settings as command line flags.
QStringList flags(const Settings &s)
{
    static const QHash<QString, QString> names{{"Check1", "bold-top"}, {"Check2", "bold-left"},
                                               {"Check3", "border"},   {"Check4", "fill-empty"},
                                               {"Check5", "strip-quotes"}, {"Check6", "br"},
                                               {"Check7", "small-font"}, {"Check8", "mincho"},
                                               {"Check9", "center"}};
    QStringList args{"--title=" + s.title, "--back-url=" + s.backUrl, "--background=" + QString::number(s.option),
                     "--background-image=" + s.imageUrl};
    for (const QString &box : s.ticked)
        args << "--" + names.value(box);
    for (const QString &box : s.unticked)
        args << "--no-" + names.value(box);
    return args;
}

const QString unusual = QString::fromUtf16(u"頭\u00a0<b>&amp;</b>😀\u2028～①");

} // namespace

class TestBatchWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void textAndImodePages_data();
    void textAndImodePages();
    void linkPage();
    void tableAndCsv_data();
    void tableAndCsv();

private:
    void apply(const Settings &s);
    QByteArray cli(QStringList args, const QString &name);
    QByteArray window(const char *button, const QString &name);

    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestBatchWindow::init()
{
    h = std::make_unique<WindowHarness>();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void TestBatchWindow::cleanup()
{
    h.reset();
    dir.reset();
}

void TestBatchWindow::apply(const Settings &s)
{
    h->find<QLineEdit>("Text2")->setText(s.title);
    h->find<QLineEdit>("Text3")->setText(s.backUrl);
    h->find<QLineEdit>("Text5")->setText(s.imageUrl);
    h->find<QRadioButton>(qPrintable(QStringLiteral("Option%1").arg(s.option)))->setChecked(true);
    for (const QString &box : s.ticked)
        h->find<QCheckBox>(qPrintable(box))->setChecked(true);
    for (const QString &box : s.unticked)
        h->find<QCheckBox>(qPrintable(box))->setChecked(false);
}

QByteArray TestBatchWindow::cli(QStringList args, const QString &name)
{
    const QString path = dir->filePath(name);
    args << "-o" << path;
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int code = Batch::runArguments(args, &out, &err);
    [&] { QCOMPARE(code, 0); }();
    return TestFiles::readAll(path);
}

QByteArray TestBatchWindow::window(const char *button, const QString &name)
{
    const QString path = dir->filePath(name);
    h->dialogs.setNextFileName(path);
    h->click(button);
    return TestFiles::readAll(path);
}

void TestBatchWindow::textAndImodePages_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Settings>("settings");
    QTest::newRow("defaults, Shift_JIS, CR LF")
        << TestFiles::sjis(QStringLiteral("一行目\r\n二行目\r\n\r\n")) << Settings{
               QStringLiteral("ここにタイトルを入れて下さい"), "http://", 1, "http://", {}, {}};
    QTest::newRow("every option, UTF-8, mixed breaks")
        << (unusual + QStringLiteral("\nb\rc\r\n")).toUtf8()
        << Settings{unusual, "http://back.example/", 9, "bg.gif", {"Check8"}, {"Check6"}};
    QTest::newRow("colour, no final break")
        << TestFiles::sjis(QStringLiteral("ｶﾀｶﾅ<i>x</i>")) << Settings{"", "0123456789", 5, "http://", {}, {}};
}

void TestBatchWindow::textAndImodePages()
{
    QFETCH(QByteArray, content);
    QFETCH(Settings, settings);
    const QString in = dir->filePath("in.txt");
    QVERIFY(TestFiles::writeAll(in, content));
    h->dialogs.setNextFileName(in);
    h->click("Command11"); // ファイル読込
    apply(settings);

    const QByteArray textPage = window("Command9", "w-text.html");
    QVERIFY(!textPage.isEmpty());
    QCOMPARE(cli(QStringList{"text", in} + flags(settings), "c-text.html"), textPage);
    const QByteArray imodePage = window("Command10", "w-imode.html");
    QVERIFY(!imodePage.isEmpty());
    QCOMPARE(cli(QStringList{"imode", in} + flags(settings), "c-imode.html"), imodePage);
}

void TestBatchWindow::linkPage()
{
    const QString folder = dir->filePath("pics");
    QVERIFY(QDir().mkpath(folder + "/sub"));
    const QStringList names{"b.txt", "A.jpg", "c d.png", "#1&x.gif", QStringLiteral("写真.jpg"), ".hidden"};
    for (const QString &name : names)
        QVERIFY(TestFiles::writeAll(folder + "/" + name, "x"));
    QVERIFY(h->window->browsePanel()->setFolder(folder));
    h->click("Command14"); // ファイル名取り込み

    // Descriptions registered row by row, as a user does.
    const QHash<QString, QString> descriptions{{"A.jpg", QStringLiteral("夏の写真,海")}, {"c d.png", unusual}};
    LinkTab *tab = h->window->linkTab();
    QString descText;
    for (int row = 0; row < tab->fileListModel()->rows().size(); ++row) {
        const QString name = tab->fileListModel()->rows().at(row);
        if (!descriptions.contains(name))
            continue;
        tab->fileListView()->setCurrentIndex(tab->fileListModel()->index(row));
        tab->loadCurrentRow();
        h->find<QLineEdit>("Text4")->setText(descriptions.value(name));
        h->click("Command16"); // 登録
        descText += name + u',' + descriptions.value(name) + QStringLiteral("\r\n");
    }
    const QString desc = dir->filePath("desc.txt");
    QVERIFY(TestFiles::writeAll(desc, descText.toUtf8()));
    const Settings settings{QStringLiteral("リンク集"), "http://back.example/", 2, "http://", {}, {}};
    apply(settings);

    const QByteArray page = window("Command17", "w-links.html");
    QVERIFY(page.contains("sub") == false);
    QCOMPARE(cli(QStringList{"links", folder, "-d", desc} + flags(settings), "c-links.html"), page);
}

void TestBatchWindow::tableAndCsv_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Settings>("settings");
    const QByteArray sjis = TestFiles::sjis(QStringLiteral(
        "\"名前\",値,\"備考\"\r\n\r\n  前に空白,\"\"\"二重\"\"\",,\r\n\"\"\r\nshort\r\na,b,c,d,e\r\n"));
    QTest::newRow("defaults") << sjis << Settings{QStringLiteral("表"), "http://", 1, "http://", {}, {}};
    QTest::newRow("every box flipped")
        << sjis << Settings{"T", "http://back.example/", 8, "http://", {"Check7", "Check9"},
                            {"Check1", "Check2", "Check3", "Check4", "Check5"}};
    QTest::newRow("UTF-8, unmappable, LF only")
        << (unusual + QStringLiteral(",x\n1,2,3\n")).toUtf8()
        << Settings{"u", "http://", 3, "http://", {}, {"Check4"}};
}

void TestBatchWindow::tableAndCsv()
{
    QFETCH(QByteArray, content);
    QFETCH(Settings, settings);
    const QString in = dir->filePath("in.csv");
    QVERIFY(TestFiles::writeAll(in, content));
    apply(settings);
    h->window->saveContext().setPathLabel(in);
    h->click("Command1"); // csvﾌｧｲﾙ読込
    h->click("Command2"); // ｸﾞﾘｯﾄﾞに転送
    QVERIFY(h->dialogs.errors().isEmpty());

    const QByteArray tablePage = window("Command3", "w-table.html");
    QVERIFY(!tablePage.isEmpty());
    QCOMPARE(cli(QStringList{"table", in} + flags(settings), "c-table.html"), tablePage);
    const QByteArray csv = window("Command4", "w-table.csv");
    QVERIFY(!csv.isEmpty());
    QCOMPARE(cli(QStringList{"csv", in} + flags(settings), "c-table.csv"), csv);
}

QTEST_MAIN(TestBatchWindow)
#include "tst_batch_window.moc"
