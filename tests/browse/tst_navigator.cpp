// The rules of the drive, folder and file lists, on a made-up file system:
// each row is what a user does in turn and what the lists then show.

#include "browse/ClipboardText.h"
#include "browse/DriveSource.h"
#include "browse/FolderAccess.h"
#include "browse/FolderPath.h"
#include "browse/Navigator.h"
#include "browse/RecordingLauncher.h"

#include <QTest>

#include <functional>

using namespace tabulink;

namespace {

// The lists, with the file system, drives and clipboard they see, and what a
// user does to them, step by step.
class Session : public FolderAccess, public DriveSource, public ClipboardText
{
public:
    // Folders end in "/"; a path stands for itself and every folder above it.
    QStringList paths{"/home/u/a.csv", "/home/u/index.html", "/home/u/sub/s.csv", "/home/u/デスクトップ/memo.txt",
                      "/home/u/a b/", "/media/usb/u.txt", "/media/usb/x/", "/media/usb/x/y/", "/media/cd/c.txt", "/tmp/"};
    QHash<QString, QString> denied; // folder -> the system's reason
    QString working = "/home/u";
    QString desktop = "/home/u/デスクトップ";
    QString entered;
    QString copied;
    RecordingLauncher launcher;
    Navigator nav{*this, *this, launcher, *this};
    QStringList said; // every message shown so far

    FolderListing list(const QString &folder, ListWhat) override
    {
        FolderListing listing;
        listing.ok = !denied.contains(folder) && isFolder(folder);
        listing.message = listing.ok ? QString() : denied.value(folder, "No such file or directory");
        const QString prefix = FolderPath::fullPath(folder, "");
        for (const QString &path : std::as_const(paths)) {
            const QString rest = listing.ok && path.startsWith(prefix) ? path.mid(prefix.size()) : QString();
            QStringList &names = rest.contains('/') ? listing.folders : listing.files;
            if (!rest.isEmpty() && !names.contains(rest.section('/', 0, 0)))
                names.append(rest.section('/', 0, 0));
        }
        return listing;
    }
    bool isFolder(const QString &path) override
    {
        const QString prefix = FolderPath::fullPath(path, "");
        return std::any_of(paths.cbegin(), paths.cend(), [&](const QString &p) { return p.startsWith(prefix); });
    }
    QString workingFolder() override { return working; }
    void enter(const QString &folder) override { entered = folder; }
    QString desktopFolder() override { return desktop; }
    DriveTable mountedDrives() override
    {
        return DriveTable({{"/", "", ""}, {"/media/usb", "USB", ""}, {"/media/cd", "", ""}});
    }
    bool isReady(const QString &mountPoint) override { return mountPoint != "/media/cd"; }
    QString text() override { return copied; }
    void setText(const QString &text) override { copied = text; }

    void run(const QString &step)
    {
        const auto change = [](const std::function<void(const QString &)> &f) {
            return [f](const QString &arg) { f(arg); return Navigator::Result(); };
        };
        const QHash<QString, std::function<Navigator::Result(const QString &)>> actions{
            {"start", [&](const QString &arg) { return nav.start(arg); }},
            {"open", [&](const QString &arg) { return nav.openFolder(arg); }},
            {"refresh", [&](const QString &) { return nav.refreshFiles(); }},
            {"drive", [&](const QString &arg) { return nav.chooseDrive(nav.drives().indexFor(arg)); }},
            {"desktop", [&](const QString &) { return nav.openDesktop(); }},
            {"explore", [&](const QString &) { return nav.openInFileManager(); }},
            {"paste", [&](const QString &arg) { copied = arg; return nav.openClipboardFolder(); }},
            {"copy", change([&](const QString &) { nav.copyFolderToClipboard(); })},
            {"gone", change([&](const QString &arg) { paths.removeIf([&](auto &p) { return p.startsWith(arg + '/'); }); })},
            {"deny", change([&](const QString &arg) { denied.insert(arg, "Permission denied"); })},
            {"cd", change([&](const QString &arg) { working = arg; })},
            {"nodesktop", change([&](const QString &) { desktop.clear(); })},
            {"fail", change([&](const QString &) { launcher.succeed = false; })},
        };
        QVERIFY2(actions.contains(step.section(' ', 0, 0)), qPrintable(step));
        const Navigator::Result result = actions.value(step.section(' ', 0, 0))(step.section(' ', 1));
        if (!result.message.text.isEmpty())
            said << result.message.text;
    }
};

} // namespace

class TestNavigator : public QObject
{
    Q_OBJECT
private slots:
    // Steps run in turn, split at ";"; "paste" puts the rest of its step on
    // the clipboard and moves there.
    void actions_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("message");
        const QStringList home{"a.csv", "index.html"}, usb{"u.txt"}, none;
        const QString usbDrive = "/media/usb [USB]";
        const QString gone = "フォルダ「%1」を開けません。\n（%2）\n\n「%3」を表示します。";
        const QString notAbsolute = "クリップボードの文字列「%1」はフォルダのパスではありません。\n「/」で始まるパスを指定して下さい。";
        const QString lineBreak = "クリップボードの文字列に改行が含まれています。\nフォルダのパスだけをコピーして下さい。";
        QTest::newRow("first run") << "start" << "/home/u" << home << "/" << "";
        QTest::newRow("stored folder") << "start /home/u/sub" << "/home/u/sub" << QStringList{"s.csv"} << "/" << "";
        QTest::newRow("stored folder gone") << "start /home/u/old" << "/home/u" << home << "/" << "";
        QTest::newRow("stored on another drive, gone") << "start /media/usb/old" << "/media/usb" << usb << usbDrive << "";
        QTest::newRow("open a folder") << "start;open /home/u/sub" << "/home/u/sub" << QStringList{"s.csv"} << "/" << "";
        QTest::newRow("open a vanished folder") << "start;gone /home/u/sub;open /home/u/sub" << "/home/u" << home << "/"
                                                << gone.arg("/home/u/sub", "No such file or directory", "/home/u");
        QTest::newRow("shown folder vanished") << "start /media/usb/x/y;gone /media/usb/x;refresh" << "/media/usb" << usb << usbDrive
                                               << gone.arg("/media/usb/x/y", "No such file or directory", "/media/usb");
        QTest::newRow("drive remembers") << "start;drive /media/usb;open /media/usb/x;drive /;drive /media/usb"
                                         << "/media/usb/x" << none << usbDrive << "";
        QTest::newRow("drives re-read keep their folders") << "start /media/usb/x;paste /tmp;drive /media/usb"
                                                           << "/media/usb/x" << none << usbDrive << "";
        QTest::newRow("remembered folder gone") << "start /media/usb/x/y;drive /;gone /media/usb/x/y;drive /media/usb"
                                                << "/media/usb/x" << none << usbDrive << "";
        QTest::newRow("drive not ready") << "start;drive /media/cd" << "/home/u" << home << "/media/cd" << "";
        QTest::newRow("desktop") << "start;desktop" << "/home/u/デスクトップ" << QStringList{"memo.txt"} << "/" << "";
        QTest::newRow("no desktop") << "nodesktop;start;desktop" << "/home/u" << home << "/"
                                    << "デスクトップフォルダが見つかりません。\nフォルダは変わりません。";
        QTest::newRow("desktop without access") << "deny /home/u/デスクトップ;start;desktop" << "/home/u" << home << "/"
                                                << "デスクトップフォルダ「/home/u/デスクトップ」を開けません。\n（Permission denied）";
        QTest::newRow("clipboard network path") << "start;paste \\\\server\\share" << "/home/u" << home << "/"
                                                << "直のネットワークドライブには、対応しておりません。ドライブ名を割り当て、ドライブ名にて指定して下さい。";
        QTest::newRow("clipboard empty") << "start;paste" << "/home/u" << home << "/"
                                         << "クリップボードに文字列がありません。\nフォルダのパスをコピーしてから選んで下さい。";
        QTest::newRow("clipboard folder") << "start;paste /media/usb/" << "/media/usb" << usb << usbDrive << "";
        QTest::newRow("clipboard LF") << "start;paste /tmp\n" << "/tmp" << none << "/" << "";
        QTest::newRow("clipboard CR LF") << "start;paste /tmp\r\n" << "/tmp" << none << "/" << "";
        QTest::newRow("clipboard quoted") << "start;paste \"/home/u/a b\"\n" << "/home/u/a b" << none << "/" << "";
        QTest::newRow("clipboard file URL") << "start;paste file:///home/u/a%20b" << "/home/u/a b" << none << "/" << "";
        QTest::newRow("clipboard two line breaks") << "start;paste /tmp\n\n" << "/home/u" << home << "/" << lineBreak;
        QTest::newRow("clipboard drive letter") << "start;paste D:\\work" << "/home/u" << home << "/"
                                                << notAbsolute.arg("D:\\work");
        QTest::newRow("clipboard missing") << "start;paste /home/u/old" << "/home/u" << home << "/"
                                           << "クリップボードのフォルダ「/home/u/old」が見つかりません。";
        QTest::newRow("clipboard a file") << "start;paste /home/u/a.csv" << "/home/u" << home << "/"
                                          << "クリップボードのフォルダ「/home/u/a.csv」が見つかりません。";
        QTest::newRow("clipboard without access") << "deny /tmp;start;paste /tmp" << "/home/u" << home << "/"
                                                  << "クリップボードのフォルダ「/tmp」を開けません。\n（Permission denied）";
        QTest::newRow("copy the root") << "start;open /;copy" << "/" << none << "/" << "";
        QTest::newRow("file manager") << "start /home/u/a b;explore" << "/home/u/a b" << none << "/" << "";
        QTest::newRow("file manager fails") << "start /home/u/a b;fail;explore" << "/home/u/a b" << none << "/"
                                            << "ファイルマネージャを起動できませんでした。\n「/home/u/a b」";
    }
    void actions()
    {
        QFETCH(QString, steps);
        QFETCH(QString, folder);
        QFETCH(QStringList, files);
        QFETCH(QString, drive);
        QFETCH(QString, message);
        Session s;
        for (const QString &step : steps.split(';'))
            s.run(step);
        QCOMPARE(s.nav.folder(), folder);
        QCOMPARE(s.entered, folder); // the shown folder is the working folder
        QCOMPARE(s.nav.files(), files);
        QCOMPARE(s.nav.drives().text(s.nav.driveIndex()), drive);
        QCOMPARE(s.said.join('|'), message);
        QCOMPARE(s.launcher.folders, steps.endsWith(";explore") ? QStringList{folder} : QStringList());
        if (steps.endsWith(";copy"))
            QCOMPARE(s.copied, folder);
    }

    // A page opens in the browser and leaves the pick alone; any other file
    // is picked, and stays picked in another folder.
    void pickingAFile()
    {
        Session s;
        s.run("start");
        QVERIFY(!s.nav.pickFile("index.html"));
        QCOMPARE(s.launcher.pages, QStringList{"/home/u/index.html"});
        QCOMPARE(s.nav.selectedFileName(), QString());
        QCOMPARE(s.nav.pickFile("a.csv").value_or(""), QString("/home/u/a.csv"));
        s.run("open /");
        QCOMPARE(s.nav.pickFile("a.html.txt").value_or(""), QString("/a.html.txt"));
        QCOMPARE(s.nav.selectedFileName(), QString("a.html.txt"));
        s.run("open /home");
        QCOMPARE(s.nav.selectedFileName(), QString("a.html.txt"));
    }
};

QTEST_GUILESS_MAIN(TestNavigator)
#include "tst_navigator.moc"
