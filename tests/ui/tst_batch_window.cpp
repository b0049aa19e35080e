// tabulink-batch writes what the window writes: every page kind is written
// once through the real window, with scripted dialogs, and once through the
// command line code, from the same input and options, and the bytes compared.
#include "WindowHarness.h"
#include "batch/BatchRunner.h"
#include "ui/LinkListModel.h"
#include "ui/LinkTab.h"

#include <QBuffer>

using namespace tabulink;

namespace {

struct Settings {
    QString title, backUrl;
    int option = 1; // Option1..Option9
    QString imageUrl;
    QStringList flipped; // check boxes clicked once
};

const QString unusual = QString::fromUtf16(u"頭\u00a0<b>&amp;</b>😀\u2028～①");

} // namespace

class TestBatchWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;

    // The settings entered in the window, and the same as command line flags.
    QStringList apply(const Settings &s)
    {
        static const QStringList names{"", "bold-top", "bold-left", "border", "fill-empty", "strip-quotes",
                                       "br", "small-font", "mincho", "center"}; // of Check1..Check9
        h->find<QLineEdit>("Text2")->setText(s.title);
        h->find<QLineEdit>("Text3")->setText(s.backUrl);
        h->find<QLineEdit>("Text5")->setText(s.imageUrl);
        h->find<QRadioButton>(qPrintable(QStringLiteral("Option%1").arg(s.option)))->setChecked(true);
        QStringList args{"--title=" + s.title, "--back-url=" + s.backUrl,
                         "--background=" + QString::number(s.option), "--background-image=" + s.imageUrl};
        for (const QString &box : s.flipped) {
            auto *check = h->find<QCheckBox>(qPrintable(box));
            QTest::mouseClick(check, Qt::LeftButton);
            args << (check->isChecked() ? "--" : "--no-") + names.value(box.mid(5).toInt());
        }
        return args;
    }
    // The page from the window's button and from the command line.
    void compare(const char *button, QStringList args)
    {
        const QByteArray page = h->clickAnswering(button, h->path(QString("w-") + button));
        QBuffer out, err;
        QVERIFY(out.open(QIODevice::WriteOnly) && err.open(QIODevice::WriteOnly) && !page.isEmpty());
        QCOMPARE(Batch::runArguments(args << "-o" << h->path(QString("c-") + button), &out, &err), 0);
        QCOMPARE(TestFiles::readAll(h->path(QString("c-") + button)), page);
    }

private slots:
    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup() { h.reset(); }

    void textAndImodePages_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Settings>("settings");
        QTest::newRow("defaults, Shift_JIS, CR LF") << TestFiles::sjis(QStringLiteral("一行目\r\n二行目\r\n\r\n"))
            << Settings{QStringLiteral("ここにタイトルを入れて下さい"), "http://", 1, "http://", {}};
        QTest::newRow("every option, UTF-8, mixed breaks") << (unusual + QStringLiteral("\nb\rc\r\n")).toUtf8()
            << Settings{unusual, "http://back.example/", 9, "bg.gif", {"Check8", "Check6"}};
        QTest::newRow("colour, no final break") << TestFiles::sjis(QStringLiteral("ｶﾀｶﾅ<i>x</i>"))
            << Settings{"", "0123456789", 5, "http://", {}};
    }
    void textAndImodePages()
    {
        QFETCH(QByteArray, content);
        QFETCH(Settings, settings);
        const QString in = h->path("in.txt");
        QVERIFY(TestFiles::writeAll(in, content));
        h->clickAnswering("Command11", in); // ファイル読込
        const QStringList flags = apply(settings);
        compare("Command9", QStringList{"text", in} + flags);
        compare("Command10", QStringList{"imode", in} + flags);
    }

    void linkPage()
    {
        const QString folder = h->path("pics");
        QVERIFY(QDir().mkpath(folder + "/sub"));
        for (const char *name : {"b.txt", "A.jpg", "c d.png", "#1&x.gif", "写真.jpg", ".hidden"})
            QVERIFY(TestFiles::writeAll(folder + "/" + name, "x"));
        QVERIFY(h->browse()->setFolder(folder));
        h->click("Command14"); // ファイル名取り込み
        // Descriptions registered row by row, as a user does.
        const QHash<QString, QString> descriptions{{"A.jpg", QStringLiteral("夏の写真,海")}, {"c d.png", unusual}};
        LinkTab *tab = h->window->linkTab();
        QString descText;
        for (int row = 0; row < tab->fileListModel()->rows().size(); ++row) {
            const QString name = tab->fileListModel()->rows().at(row);
            if (!descriptions.contains(name))
                continue;
            WindowHarness::doubleClickRow(tab->fileListView(), row);
            h->typeInto("Text4", descriptions.value(name));
            descText += name + u',' + descriptions.value(name) + QStringLiteral("\r\n");
        }
        QVERIFY(TestFiles::writeAll(h->path("desc.txt"), descText.toUtf8()));
        compare("Command17", QStringList{"links", folder, "-d", h->path("desc.txt")}
                                 + apply({QStringLiteral("リンク集"), "http://back.example/", 2, "http://", {}}));
    }

    void tableAndCsv_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Settings>("settings");
        const QByteArray sjis = TestFiles::sjis(QStringLiteral(
            "\"名前\",値,\"備考\"\r\n\r\n  前に空白,\"\"\"二重\"\"\",,\r\n\"\"\r\nshort\r\na,b,c,d,e\r\n"));
        QTest::newRow("defaults") << sjis << Settings{QStringLiteral("表"), "http://", 1, "http://", {}};
        QTest::newRow("every box flipped") << sjis << Settings{"T", "http://back.example/", 8, "http://",
            {"Check1", "Check2", "Check3", "Check4", "Check5", "Check7", "Check9"}};
        QTest::newRow("UTF-8, unmappable, LF only") << (unusual + QStringLiteral(",x\n1,2,3\n")).toUtf8()
            << Settings{"u", "http://", 3, "http://", {"Check4"}};
    }
    void tableAndCsv()
    {
        QFETCH(QByteArray, content);
        QFETCH(Settings, settings);
        const QString in = h->path("in.csv");
        QVERIFY(TestFiles::writeAll(in, content));
        const QStringList flags = apply(settings);
        h->window->saveContext().setPathLabel(in);
        h->click("Command1"); // csvﾌｧｲﾙ読込
        h->click("Command2"); // ｸﾞﾘｯﾄﾞに転送
        QVERIFY(h->dialogs.errors().isEmpty());
        compare("Command3", QStringList{"table", in} + flags);
        compare("Command4", QStringList{"csv", in} + flags);
    }
};

QTEST_MAIN(TestBatchWindow)
#include "tst_batch_window.moc"
