// The rules of the drive, folder and file lists on a made-up file system.

#include "browse/ClipboardText.h"
#include "browse/DriveSource.h"
#include "browse/FolderAccess.h"
#include "browse/Navigator.h"
#include "browse/RecordingLauncher.h"

#include <QTest>

using namespace tabulink;

namespace {

using Tree = QMap<QString, QStringList>; // folder -> its files

class Session : public FolderAccess, public DriveSource, public ClipboardText
{
public:
    Tree files{{"/", {}}, {"/home", {}}, {"/home/u", {"a.csv", "index.html"}}, {"/home/u/sub", {"s.csv"}},
               {"/home/u/デスクトップ", {"memo.txt"}}, {"/home/u/a b", {}}, {"/media", {}}, {"/media/usb", {"u.txt"}},
               {"/media/usb/x", {}}, {"/media/usb/x/y", {}}, {"/media/cd", {"c.txt"}}, {"/tmp", {}}};
    QHash<QString, QString> denied; // folder -> the system's reason
    QString desktop = "/home/u/デスクトップ", entered, copied;
    RecordingLauncher launcher;
    Navigator nav{*this, *this, launcher, *this};
    QStringList said; // every message shown so far

    FolderListing list(const QString &folder, ListWhat) override
    {
        FolderListing listing;
        listing.ok = !denied.contains(folder) && isFolder(folder);
        listing.message = listing.ok ? QString() : denied.value(folder, "No such file or directory");
        listing.files = listing.ok ? files.value(folder) : QStringList();
        return listing;
    }
    bool isFolder(const QString &path) override { return files.contains(path); }
    QString workingFolder() override { return "/home/u"; }
    void enter(const QString &folder) override { entered = folder; }
    QString desktopFolder() override { return desktop; }
    DriveTable mountedDrives() override { return DriveTable({{"/", "", ""}, {"/media/usb", "USB", ""}, {"/media/cd", "", ""}}); }
    bool isReady(const QString &mountPoint) override { return mountPoint != "/media/cd"; }
    QString text() override { return copied; }
    void setText(const QString &text) override { copied = text; }

    // One step: an action and its argument; "paste" puts its argument on the clipboard first.
    void run(const QString &step)
    {
        const QString action = step.section(' ', 0, 0), arg = step.section(' ', 1);
        Navigator::Result result;
        if (action == "start") result = nav.start(arg);
        else if (action == "open") result = nav.openFolder(arg);
        else if (action == "refresh") result = nav.refreshFiles();
        else if (action == "drive") result = nav.chooseDrive(nav.drives().indexFor(arg));
        else if (action == "desktop") result = nav.openDesktop();
        else if (action == "explore") result = nav.openInFileManager();
        else if (action == "paste") { copied = arg; result = nav.openClipboardFolder(); }
        else if (action == "copy") nav.copyFolderToClipboard();
        else if (action == "gone") files.removeIf([&](Tree::iterator f) { return f.key() == arg || f.key().startsWith(arg + '/'); });
        else if (action == "deny") denied.insert(arg, "Permission denied");
        else if (action == "nodesktop") desktop.clear();
        else if (action == "fail") launcher.succeed = false;
        else QFAIL(qPrintable(step));
        if (!result.message.text.isEmpty())
            said << result.message.text;
    }
};

void row(const char *name, const QString &steps, const QString &folder, const QString &drive, const QString &said = {})
{
    QTest::newRow(name) << steps << folder << drive << said;
}

} // namespace

class TestNavigator : public QObject
{
    Q_OBJECT
private slots:
    void actions_data()
    {
        QTest::addColumn<QString>("steps"); // run in turn, split at ";"
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("message");
        const QString home = "/home/u", usb = "/media/usb [USB]", gone = "フォルダ「%1」を開けません。\n（No such file or directory）\n\n「%2」を表示します。";
        row("first run", "start", home, "/");
        row("stored folder gone", "start /home/u/old", home, "/");
        row("stored on another drive, gone", "start /media/usb/old", "/media/usb", usb);
        row("open a vanished folder", "start;gone /home/u/sub;open /home/u/sub", home, "/", gone.arg("/home/u/sub", home));
        row("shown folder vanished", "start /media/usb/x/y;gone /media/usb/x;refresh", "/media/usb", usb,
            gone.arg("/media/usb/x/y", "/media/usb"));
        row("drives re-read keep their folders", "start /media/usb/x;paste /tmp;drive /media/usb", "/media/usb/x", usb);
        row("remembered folder gone", "start /media/usb/x/y;drive /;gone /media/usb/x/y;drive /media/usb", "/media/usb/x", usb);
        row("drive not ready", "start;drive /media/cd", home, "/media/cd");
        row("desktop", "start;desktop", "/home/u/デスクトップ", "/");
        row("no desktop", "nodesktop;start;desktop", home, "/", "デスクトップフォルダが見つかりません。\nフォルダは変わりません。");
        row("desktop without access", "deny /home/u/デスクトップ;start;desktop", home, "/",
            "デスクトップフォルダ「/home/u/デスクトップ」を開けません。\n（Permission denied）");
        row("clipboard network path", "start;paste \\\\server\\share", home, "/",
            "直のネットワークドライブには、対応しておりません。ドライブ名を割り当て、ドライブ名にて指定して下さい。");
        row("clipboard empty", "start;paste", home, "/",
            "クリップボードに文字列がありません。\nフォルダのパスをコピーしてから選んで下さい。");
        row("clipboard folder", "start;paste /media/usb/", "/media/usb", usb);
        row("clipboard quoted, CR LF", "start;paste \"/home/u/a b\"\r\n", "/home/u/a b", "/");
        row("clipboard file URL", "start;paste file:///home/u/a%20b", "/home/u/a b", "/");
        row("clipboard two line breaks", "start;paste /tmp\n\n", home, "/",
            "クリップボードの文字列に改行が含まれています。\nフォルダのパスだけをコピーして下さい。");
        row("clipboard drive letter", "start;paste D:\\work", home, "/",
            "クリップボードの文字列「D:\\work」はフォルダのパスではありません。\n「/」で始まるパスを指定して下さい。");
        row("clipboard a file", "start;paste /home/u/a.csv", home, "/", "クリップボードのフォルダ「/home/u/a.csv」が見つかりません。");
        row("clipboard without access", "deny /tmp;start;paste /tmp", home, "/",
            "クリップボードのフォルダ「/tmp」を開けません。\n（Permission denied）");
        row("copy the root", "start;open /;copy", "/", "/");
        row("file manager fails", "start /home/u/a b;fail;explore", "/home/u/a b", "/",
            "ファイルマネージャを起動できませんでした。\n「/home/u/a b」");
    }
    void actions()
    {
        QFETCH(QString, steps);
        QFETCH(QString, folder);
        QFETCH(QString, message);
        Session s;
        for (const QString &step : steps.split(';'))
            s.run(step);
        QCOMPARE(s.nav.folder(), folder);
        QCOMPARE(s.entered, folder); // the shown folder is the working folder
        QCOMPARE(s.nav.files(), s.list(folder, ListWhat::FilesOnly).files);
        QTEST(s.nav.drives().text(s.nav.driveIndex()), "drive");
        QCOMPARE(s.said.join('|'), message);
        QCOMPARE(s.launcher.folders, steps.endsWith(";explore") ? QStringList{folder} : QStringList());
        if (steps.endsWith(";copy"))
            QCOMPARE(s.copied, folder);
    }

    // A page opens in the browser; any other file is picked, and stays picked in another folder.
    void pickingAFile()
    {
        Session s;
        s.run("start");
        QVERIFY(!s.nav.pickFile("index.html"));
        QCOMPARE(s.launcher.pages, QStringList{"/home/u/index.html"});
        QCOMPARE(s.nav.pickFile("a.html.txt").value_or(""), QString("/home/u/a.html.txt"));
        s.run("open /");
        QCOMPARE(s.nav.selectedFileName(), QString("a.html.txt"));
    }
};

QTEST_GUILESS_MAIN(TestNavigator)
#include "tst_navigator.moc"
