#include "WindowHarness.h"

#include "browse/RecordingLauncher.h"
#include "page/AppInfo.h"
#include "shell/StartupSetting.h"
#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSessionManager>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <csignal>

namespace {
struct Place {
    const char *name;
    int x, y, w, h;
};

// Places on the client area (or, for the frame's options, on Frame3).
const Place kWindowPlaces[] = {
    {"Label1", 0, 0, 841, 17},     {"Drive1", 0, 24, 297, 20},   {"Dir1", 0, 48, 161, 370},
    {"File1", 168, 48, 129, 398},  {"Command7", 0, 424, 81, 17}, {"Command13", 88, 424, 81, 17},
    {"SSTab1", 304, 24, 537, 369}, {"Label4", 304, 404, 81, 17}, {"Text2", 376, 400, 321, 18},
    {"Check3", 712, 400, 121, 17}, {"Label5", 304, 428, 57, 17}, {"Text3", 360, 424, 473, 18},
    {"Frame3", 8, 448, 833, 73},
};
const Place kFramePlaces[] = {
    {"Option1", 8, 16, 81, 17},   {"Option2", 96, 16, 81, 17},  {"Option3", 184, 16, 81, 17},
    {"Option4", 272, 16, 81, 17}, {"Option5", 360, 16, 81, 17}, {"Option6", 448, 16, 81, 17},
    {"Option7", 536, 16, 81, 17}, {"Option8", 624, 16, 81, 17}, {"Option9", 8, 36, 81, 17},
    {"Text5", 96, 35, 729, 18},   {"Label16", 96, 56, 393, 17},
};
// Places on the tab control, tab strip included.
const Place kTabPlaces[] = {
    {"List1", 8, 28, 417, 50},     {"Command1", 432, 28, 97, 17},  {"Command2", 432, 47, 97, 17},
    {"Check5", 432, 65, 89, 17},   {"Label2", 8, 88, 33, 17},      {"Combo2", 32, 84, 49, 20},
    {"Label3", 88, 88, 25, 17},    {"Combo1", 112, 84, 49, 20},    {"Text1", 168, 84, 217, 18},
    {"Command8", 392, 84, 33, 17}, {"Command5", 432, 84, 57, 17},  {"Command6", 496, 84, 33, 17},
    {"grd1", 8, 108, 521, 185},    {"Check1", 8, 300, 129, 17},    {"Check2", 8, 316, 129, 17},
    {"Check4", 8, 332, 137, 17},   {"Check9", 144, 300, 145, 17},  {"Check7", 144, 320, 137, 17},
    {"Command4", 352, 336, 81, 25}, {"Command3", 448, 336, 81, 25},
    {"rtext1", 8, 32, 521, 265},   {"Command11", 8, 300, 89, 17},  {"Command12", 112, 300, 89, 17},
    {"Label6", 344, 300, 65, 17},  {"Label7", 400, 297, 57, 17},   {"Check8", 24, 320, 105, 17},
    {"Check6", 24, 340, 153, 17},  {"Command10", 304, 332, 137, 25}, {"Command9", 456, 332, 73, 25},
    {"Label10", 8, 32, 513, 65},   {"Command14", 8, 96, 121, 25},  {"Command15", 136, 96, 121, 25},
    {"Label11", 8, 128, 33, 17},   {"Label12", 56, 128, 73, 17},   {"Label13", 160, 128, 73, 17},
    {"Label8", 8, 144, 33, 17},    {"Label9", 48, 144, 97, 17},    {"Text4", 152, 144, 305, 18},
    {"Command16", 464, 144, 65, 17}, {"List2", 8, 168, 521, 158},  {"Command17", 448, 336, 81, 25},
};

// True once the process handles sig itself: the program has its window up.
bool handles(qint64 pid, int sig)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (sig - 1)) & 1;
    }
    return false;
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void everyControlAtItsPlace();
    void captionsAndStartValues();
    void menusAndPopups();
    void menuCommands();
    void textPageThroughTheWindow();
    void folderStoredWhateverEndsTheProgram_data();
    void folderStoredWhateverEndsTheProgram();
    void folderStoredWhenTheSessionEnds();
    void onlyTheLeftButtonActsOnFile1_data();
    void onlyTheLeftButtonActsOnFile1();
    void clipboardFolderAsCopied_data();
    void clipboardFolderAsCopied();
};

void TestMainWindow::everyControlAtItsPlace()
{
    WindowHarness h;
    QWidget *area = h.window->centralWidget();
    QCOMPARE(area->size(), QSize(846, 528));
    for (const Place &p : kWindowPlaces) {
        QWidget *w = h.find(p.name);
        QVERIFY2(w, p.name);
        QCOMPARE(QRect(w->mapTo(area, QPoint(0, 0)), w->size()), QRect(p.x, p.y, p.w, p.h));
    }
    for (const Place &p : kFramePlaces) {
        QWidget *w = h.find(p.name);
        QVERIFY2(w, p.name);
        QCOMPARE(w->parentWidget(), h.find("Frame3"));
        QCOMPARE(w->geometry(), QRect(p.x, p.y, p.w, p.h));
    }
    auto *tabs = h.find<QTabWidget>("SSTab1");
    for (int tab = 0; tab < 3; ++tab) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        for (const Place &p : kTabPlaces) {
            QWidget *w = h.find(p.name);
            QVERIFY2(w, p.name);
            if (w->isVisible())
                QCOMPARE(QRect(w->mapTo(tabs, QPoint(0, 0)), w->size()), QRect(p.x, p.y, p.w, p.h));
        }
    }
}

void TestMainWindow::captionsAndStartValues()
{
    WindowHarness h;
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Ｔａｂｕｌｉｎｋ　（ｈｔｍｌ化ツール）"));
    auto *tabs = h.find<QTabWidget>("SSTab1");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("ＣＳＶ　／　ＨＴＭＬ"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("ＴＥＸＴ　／　ＨＴＭＬ"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("リンクＨＴＭＬ"));
    QCOMPARE(tabs->currentIndex(), 1);

    QCOMPARE(h.find<QPushButton>("Command1")->text(), QStringLiteral("csvﾌｧｲﾙ読込"));
    QCOMPARE(h.find<QPushButton>("Command10")->text(), QStringLiteral("html 保存 (i-mode用)"));
    QCOMPARE(h.find<QPushButton>("Command17")->text(), QStringLiteral("ｈｔｍｌ 作成"));
    QCOMPARE(h.find<QCheckBox>("Check5")->text(), QStringLiteral("両脇の\"を取る"));
    QCOMPARE(h.find<QGroupBox>("Frame3")->title(), QStringLiteral("ＨＴＭＬ背景色指定"));
    QCOMPARE(h.find<QLineEdit>("Text2")->text(), QStringLiteral("ここにタイトルを入れて下さい"));
    QCOMPARE(h.find<QLineEdit>("Text3")->text(), QStringLiteral("http://"));
    QCOMPARE(h.find<QLineEdit>("Text5")->text(), QStringLiteral("http://"));
    QVERIFY(h.find<QRadioButton>("Option1")->isChecked());
    for (const char *ticked : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check6"})
        QVERIFY2(h.find<QCheckBox>(ticked)->isChecked(), ticked);
    for (const char *unticked : {"Check7", "Check8", "Check9"})
        QVERIFY2(!h.find<QCheckBox>(unticked)->isChecked(), unticked);
    QCOMPARE(h.find<QComboBox>("Combo1")->currentText(), QStringLiteral("4"));
    QCOMPARE(h.find<QComboBox>("Combo2")->currentText(), QStringLiteral("5"));
    QCOMPARE(h.find<QComboBox>("Combo1")->count(), 7);
    QCOMPARE(h.find<QComboBox>("Combo2")->count(), 14);
    QVERIFY(h.find<QLabel>("Label7")->text().isEmpty() && h.find<QLabel>("Label1")->text().isEmpty());
    auto *grid = h.find<QTableView>("grd1");
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->model()->columnCount(), 5);
    QCOMPARE(grid->currentIndex(), grid->model()->index(0, 0));

    const QStringList lines = h.find<QLabel>("Label10")->text().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).startsWith(QStringLiteral("ディレクトリ中にある")));
    QVERIFY(lines.at(2).endsWith(QStringLiteral("説明文を入れたい行全て繰り返します。")));

    // The example address fills Text5 and selects the image option.
    QTest::mouseClick(h.find("Label16"), Qt::LeftButton);
    QCOMPARE(h.find<QLineEdit>("Text5")->text(), AppInfo::exampleBackgroundUrl());
    QVERIFY(h.find<QRadioButton>("Option9")->isChecked());

    // A partial state set by code counts as unticked; the user's click ticks.
    auto *check = h.find<QCheckBox>("Check8");
    check->setCheckState(Qt::PartiallyChecked);
    for (Qt::CheckState next : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(check->checkState(), next);
    }
}

void TestMainWindow::menusAndPopups()
{
    WindowHarness h;
    auto texts = [](QMenu *menu) {
        QStringList t;
        for (QAction *a : menu->actions())
            t << a->objectName() + QLatin1Char('=') + a->text();
        return t;
    };
    const QList<QAction *> bar = h.window->menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar.first()->text(), QStringLiteral("ファイル"));
    QCOMPARE(texts(bar.first()->menu()), QStringList({"helpp=使用方法", "about=バージョン", "eend=終了"}));
    QCOMPARE(texts(h.find<QMenu>("dirclk1")),
             QStringList({"dirclkr1=ｸﾘｯﾌﾟﾎﾞｰﾄﾞのﾃﾞｨﾚｸﾄﾘに移動", "fileupdate=ファイルリストの更新",
                          "dirclip=ﾃﾞｨﾚｸﾄﾘ名をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ", "expdir=ｴｸｽﾌﾟﾛｰﾗの起動"}));
    QCOMPARE(texts(h.find<QMenu>("grdsosa")), QStringList({"grdgyodel=行の削除", "grdretudel=列の削除"}));
    QCOMPARE(texts(h.find<QMenu>("lst2sentaku")), QStringList({"lst2seldel=選択削除"}));
    QCOMPARE(h.find<QMenu>("lst2sentaku")->title(), QStringLiteral("lst2選択"));
}

void TestMainWindow::menuCommands()
{
    QTemporaryDir dir;
    WindowHarness h;
    h.window->browsePanel()->setFolder(dir.path());
    h.trigger("helpp");
    h.trigger("about");
    QCOMPARE(h.dialogs.notices(), QStringList({AppInfo::usageText(), AppInfo::versionText()}));
    QVERIFY(h.window->isVisible());
    h.trigger("eend");
    QVERIFY(!h.window->isVisible());
    QCOMPARE(StartupSetting(1, FolderKey), dir.path());
}

// The one text page written end to end through the window: options, file
// dialog, overwrite question (a longer old file), Label1, list and notice.
void TestMainWindow::textPageThroughTheWindow()
{
    QTemporaryDir dir;
    WindowHarness h;
    h.window->browsePanel()->setFolder(dir.path());
    h.find<QPlainTextEdit>("rtext1")->setPlainText(QStringLiteral("一行目\n二行目"));
    h.find<QLineEdit>("Text2")->setText(QStringLiteral("日記"));
    h.find<QLineEdit>("Text3")->setText(QStringLiteral("http://example.jp/"));
    QTest::mouseClick(h.find("Option3"), Qt::LeftButton);
    const QString path = dir.filePath(QStringLiteral("日記.html"));
    QVERIFY(TestFiles::writeAll(path, QByteArray(20000, 'o')));
    h.dialogs.setNextFileName(path);
    h.dialogs.setNextAnswer(false);
    h.click("Command9");
    QCOMPARE(TestFiles::readAll(path), QByteArray(20000, 'o'));
    QVERIFY(h.dialogs.notices().isEmpty());
    h.dialogs.setNextFileName(path);
    h.dialogs.setNextAnswer(true);
    h.click("Command9");

    QCOMPARE(TestFiles::readAll(path),
             TestFiles::crlfSjis(TestFiles::pageLines(
                 "日記", "http://example.jp/", "<BODY bgcolor=\"#FFFF84\">", {},
                 {"<table border=0>", "<tr><td align=left>", "一行目<br>", "二行目", "</td></tr>", "</table>",
                  "</center>"})));
    const auto confirms = h.dialogs.callsOf(ScriptedDialogs::Call::Confirm);
    QCOMPARE(confirms.last().title, QStringLiteral("ファイル上書き確認"));
    QCOMPARE(confirms.last().text, "\n" + path + QStringLiteral(" のファイルに上書きしますか？\n"));
    QCOMPARE(h.find<QLabel>("Label1")->text(), path);
    QCOMPARE(h.dialogs.notices(), QStringList({"ｈｔｍｌファイル作成完了"}));
    const auto request = h.dialogs.callsOf(ScriptedDialogs::Call::Save).first().request;
    QCOMPARE(request.folder, dir.path());
    QCOMPARE(request.presetName, QStringLiteral("index.html"));
    QVERIFY(h.window->browsePanel()->fileNames().contains(QStringLiteral("日記.html")));
}

void TestMainWindow::folderStoredWhateverEndsTheProgram_data()
{
    QTest::addColumn<int>("signalNumber"); // 0: the display goes away
    QTest::newRow("kill -TERM") << int(SIGTERM);
    QTest::newRow("hang-up") << int(SIGHUP);
    QTest::newRow("Ctrl+C") << int(SIGINT);
    QTest::newRow("display lost") << 0;
}

// The program itself, ended the ways a session ends.
void TestMainWindow::folderStoredWhateverEndsTheProgram()
{
    QFETCH(int, signalNumber);
    QTemporaryDir config, work;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    QProcess display;
    if (signalNumber == 0) {
        display.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp"});
        if (!display.waitForStarted())
            QSKIP("Xvfb is missing (package xvfb; scripts/deps.sh installs it)");
        QVERIFY(QTest::qWaitFor([&] { return display.canReadLine() || display.waitForReadyRead(50); }, 10000));
        QVERIFY(QTest::qWaitFor([&] { return display.canReadLine(); }, 5000));
        env.insert(QStringLiteral("DISPLAY"), ":" + QString::fromLatin1(display.readLine().trimmed()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // libxkbcommon-x11 hands strndup a bounded buffer without a final
        // NUL, which is correct but trips AddressSanitizer's strict check.
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":strict_string_checks=0"));
    }
    QProcess program;
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(work.path());
    program.start(QStringLiteral(TABULINK_BIN), {});
    QVERIFY(program.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return handles(program.processId(), SIGTERM); }, 20000));
    if (signalNumber)
        ::kill(pid_t(program.processId()), signalNumber);
    else
        display.terminate();
    QVERIFY(program.waitForFinished(20000));
    display.waitForFinished(5000);

    QSettings stored(config.filePath(QStringLiteral("tablomi.ini")), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("startup2/1")).toString(), QDir(work.path()).canonicalPath());
}

// Logging off: the session manager asks the program to save its data.
void TestMainWindow::folderStoredWhenTheSessionEnds()
{
    QTemporaryDir dir;
    WindowHarness h;
    h.window->browsePanel()->setFolder(dir.path());
    auto *manager = qApp->findChild<QSessionManager *>();
    QVERIFY(manager);
    emit qApp->commitDataRequest(*manager);
    QCOMPARE(StartupSetting(1, FolderKey), dir.path());
}

void TestMainWindow::onlyTheLeftButtonActsOnFile1_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("acts");
    for (const char *name : {"a<b>x.csv", "p.html"}) {
        QTest::addRow("%s left", name) << name << Qt::LeftButton << true;
        QTest::addRow("%s right", name) << name << Qt::RightButton << false;
        QTest::addRow("%s middle", name) << name << Qt::MiddleButton << false;
    }
}

void TestMainWindow::onlyTheLeftButtonActsOnFile1()
{
    QFETCH(QString, name);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, acts);
    QTemporaryDir dir;
    QVERIFY(TestFiles::writeAll(dir.filePath(name), "x\r\n"));
    RecordingLauncher launcher;
    WindowHarness h(&launcher);
    h.window->browsePanel()->setFolder(dir.path());
    auto *file1 = h.find<QListView>("File1");
    const QPoint entry = file1->visualRect(file1->model()->index(0, 0)).center();
    // QTest sends the double-click event alone; a real one follows a press.
    QTest::mouseClick(file1->viewport(), button, {}, entry);
    QTest::mouseDClick(file1->viewport(), button, {}, entry);

    const bool page = name.endsWith(QLatin1String(".html"));
    const QString path = dir.filePath(name);
    QCOMPARE(launcher.pages, acts && page ? QStringList{path} : QStringList());
    QCOMPARE(h.window->browsePanel()->selectedFileName(), acts && !page ? name : QString());
    auto *label1 = h.find<QLabel>("Label1");
    QCOMPARE(label1->text(), acts && !page ? path : QString());
    QCOMPARE(label1->textFormat(), Qt::PlainText); // "<b>" in a name is no markup
}

void TestMainWindow::clipboardFolderAsCopied_data()
{
    QTest::addColumn<QString>("copied"); // %1: the folder
    QTest::newRow("from a terminal") << "%1\n";
    QTest::newRow("CR LF") << "%1\r\n";
    QTest::newRow("in double quotes") << "\"%1\"\n";
    QTest::newRow("in single quotes") << "'%1'";
    QTest::newRow("file URL") << "file://%1";
}

void TestMainWindow::clipboardFolderAsCopied()
{
    QFETCH(QString, copied);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a b 表"));
    QVERIFY(QDir().mkpath(folder));
    WindowHarness h;
    QString text = copied.arg(folder);
    if (copied.startsWith(QLatin1String("file:")))
        text = copied.arg(dir.path() + QStringLiteral("/a%20b%20%E8%A1%A8"));
    QApplication::clipboard()->setText(text);
    h.trigger("dirclkr1");
    QCOMPARE(h.dialogs.calls().size(), 0);
    QCOMPARE(h.window->browsePanel()->currentFolder(), folder);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
