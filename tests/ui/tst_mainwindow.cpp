#include "WindowHarness.h"

#include "browse/RecordingLauncher.h"
#include "page/AppInfo.h"
#include "shell/StartupSetting.h"
#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSessionManager>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>

#include <csignal>

using namespace tabulink;

namespace {
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
    void buildsWithItsNamedControls();
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

// Users' scripts and the tests find the controls by these names.
void TestMainWindow::buildsWithItsNamedControls()
{
    WindowHarness h;
    const char *const names[] = {
        "Label1", "Drive1", "Dir1", "File1", "Command7", "Command13", "SSTab1", "Text2", "Check3", "Text3",
        "Frame3", "Option1", "Option9", "Text5", "Label16", "List1", "Command1", "Command2", "Check5", "Combo1",
        "Combo2", "Text1", "Command8", "Command5", "Command6", "grd1", "Check1", "Check2", "Check4", "Check9",
        "Check7", "Command4", "Command3", "rtext1", "Command11", "Command12", "Label7", "Check8", "Check6",
        "Command10", "Command9", "Label10", "Command14", "Command15", "Label8", "Label9", "Text4", "Command16",
        "List2", "Command17", "dirclk1", "grdsosa", "lst2sentaku"};
    for (const char *name : names)
        QVERIFY2(h.find(name), name);

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
