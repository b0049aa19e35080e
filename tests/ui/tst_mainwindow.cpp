// The window's drive, folder and file lists driven through their controls,
// with a launcher that starts nothing (where each action lands is the
// navigator's test: here, that the controls reach it and show what it
// answers), its menu, and the folder stored however the program ends.
#include "WindowHarness.h"
#include "browse/MountedDrives.h"
#include "browse/RecordingLauncher.h"
#include "shell/StartupSetting.h"

#include <QClipboard>
#include <QMenu>
#include <QProcess>
#include <QSessionManager>
#include <QSettings>

#include <csignal>

using namespace tabulink;

namespace {
// Two folders as drives besides the root; the second has no medium.
struct TestDrives : MountedDrives {
    QString volume;
    DriveTable mountedDrives() override { return DriveTable({{"/", "", ""}, {volume, "ボリューム", ""}, {volume + "2", "", ""}}); }
};
// True once the process handles sig itself: the program has its window up.
bool handles(qint64 pid, int sig)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    const QList<QByteArray> lines = status.open(QIODevice::ReadOnly) ? status.readAll().split('\n') : QList<QByteArray>();
    for (const QByteArray &line : lines)
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (sig - 1)) & 1;
    return false;
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
    QString m_startFolder;
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_work; // the process's working folder when a window opens
    RecordingLauncher m_launcher;
    std::unique_ptr<WindowHarness> h;

    void open() { h = std::make_unique<WindowHarness>(&m_launcher); }
    QListView *dir1() const { return h->find<QListView>("Dir1"); }
    QComboBox *drive1() const { return h->find<QComboBox>("Drive1"); }
    int row(const char *view, const QString &text) const { return int(h->rows(view).indexOf(text)); }
    // The shown folder is also the process's working folder.
    void expectFolder(const QString &expected, const QStringList &files) const
    {
        QCOMPARE(h->browse()->currentFolder(), expected);
        QCOMPARE(QDir::currentPath(), expected);
        QCOMPARE(h->rows("File1"), files);
    }
    void enterOn(const char *view, const QString &text) const
    {
        auto *list = h->find<QListView>(view);
        QVERIFY2(row(view, text) >= 0, qPrintable(text));
        list->setCurrentIndex(list->model()->index(row(view, text), 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

private slots:
    void initTestCase()
    {
        WindowHarness::setUp();
        m_startFolder = QDir::currentPath();
    }
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        m_work = m_tmp->path() + "/work";
        QVERIFY(QDir().mkpath(m_work + "/sub") && QDir().mkpath(m_work + "/.hiddendir"));
        for (const char *name : {"/p.html", "/A.txt", "/.hidden", "/x<b>.csv", "/sub/in-sub.csv"})
            QVERIFY(TestFiles::writeAll(m_work + name, ""));
        QVERIFY(QDir::setCurrent(m_work));
        StartupSetting(2, FolderKey, QString());
        m_launcher = RecordingLauncher();
    }
    void cleanup()
    {
        h.reset();
        QDir::setCurrent(m_startFolder);
        m_tmp.reset();
    }

    // The stored folder shows at start-up, with its chain, files and drive;
    // closing stores the folder shown.
    void startsInTheStoredFolderAndStoresTheShownOne()
    {
        StartupSetting(2, FolderKey, m_work + "/sub");
        open();
        expectFolder(m_work + "/sub", {"in-sub.csv"});
        enterOn("Dir1", "work");
        expectFolder(m_work, {"A.txt", "p.html", "x<b>.csv"});
        const QStringList chain = QStringList{"/"} + m_tmp->path().mid(1).split('/') + QStringList{"work", "sub"};
        QCOMPARE(h->rows("Dir1"), chain);
        QCOMPARE(dir1()->currentIndex().row(), chain.size() - 2);
        QCOMPARE(drive1()->currentText().left(1), QString("/"));
        h->window->close();
        QCOMPARE(StartupSetting(1, FolderKey), m_work);
        QVERIFY(h->dialogs.calls().isEmpty());
    }

    // Enter picks a file; a single click on a folder selects it, a
    // double-click opens it; the right button opens the menu on the press.
    void keysAndClicksOnTheLists()
    {
        open();
        enterOn("File1", "A.txt");
        QCOMPARE(h->text("Label1"), m_work + "/A.txt");
        QMenu *menu = h->browse()->dirclk1Menu();
        const QModelIndex current = dir1()->currentIndex();
        const QPoint at = WindowHarness::centre(dir1(), row("Dir1", "sub"));
        QTest::mousePress(dir1()->viewport(), Qt::RightButton, {}, at);
        QVERIFY(menu->isVisible());
        QCOMPARE(dir1()->currentIndex(), current);
        menu->hide();
        QTest::mouseRelease(dir1()->viewport(), Qt::RightButton, {}, at);
        WindowHarness::clickRow(dir1(), row("Dir1", "sub"));
        QCOMPARE(dir1()->currentIndex().row(), row("Dir1", "sub"));
        expectFolder(m_work, {"A.txt", "p.html", "x<b>.csv"});
        h->doubleClickRow("Dir1", row("Dir1", "sub"));
        expectFolder(m_work + "/sub", {"in-sub.csv"});
    }

    void onlyTheLeftButtonActsOnFile1_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("acts");
        QTest::newRow("a file, left") << "x<b>.csv" << Qt::LeftButton << true;
        QTest::newRow("a file, right") << "x<b>.csv" << Qt::RightButton << false;
        QTest::newRow("a page, left") << "p.html" << Qt::LeftButton << true;
        QTest::newRow("a page, middle") << "p.html" << Qt::MiddleButton << false;
    }
    // A double-click picks a file into Label1, or opens a page in the browser.
    void onlyTheLeftButtonActsOnFile1()
    {
        QFETCH(QString, name);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, acts);
        open();
        h->doubleClickRow("File1", row("File1", name), button);
        const bool page = name.endsWith(QLatin1String(".html"));
        QCOMPARE(m_launcher.pages, acts && page ? QStringList{m_work + "/" + name} : QStringList());
        QCOMPARE(h->text("Label1"), acts && !page ? m_work + "/" + name : QString());
        QCOMPARE(h->find<QLabel>("Label1")->textFormat(), Qt::PlainText); // "<b>" in a name is no markup
    }

    void changingTheDrive()
    {
        const QString volume = m_tmp->path() + "/volume";
        QVERIFY(QDir().mkpath(volume + "/inner"));
        QVERIFY(TestFiles::writeAll(volume + "/on-volume.csv", ""));
        static TestDrives drives; // outlives the window on a failure
        drives.volume = volume;
        open();
        h->browse()->setDriveSource(drives);
        QCOMPARE(h->rows("Drive1"), (QStringList{"/", volume + " [ボリューム]", volume + "2"}));
        QTest::keyClick(drive1(), Qt::Key_Down);
        expectFolder(volume, {"on-volume.csv"});
        QCOMPARE(h->rows("Dir1"), (QStringList{volume, "inner"}));
        // No medium: the lists stay, the drive list shows the choice, no message.
        QTest::keyClick(drive1(), Qt::Key_Down);
        QCOMPARE(drive1()->currentText(), volume + "2");
        expectFolder(volume, {"on-volume.csv"});
        QVERIFY(h->dialogs.calls().isEmpty());
        h.reset(); // before the drives it reads go
    }

    // The clipboard's folder, the copy of the shown one, the file manager,
    // the desktop and the help; a network path is refused with a notice.
    void menusAndButtons()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        const QString desktop = m_tmp->path() + "/デスクトップ";
        QVERIFY(QDir().mkpath(config) && QDir().mkpath(desktop));
        QVERIFY(TestFiles::writeAll(config + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + desktop.toUtf8() + "\"\n"));
        QVERIFY(TestFiles::writeAll(desktop + "/memo.txt", ""));
        open();
        QClipboard *clipboard = QApplication::clipboard();
        clipboard->setText("\\\\server\\share\\dir");
        h->trigger("dirclkr1");
        QCOMPARE(h->dialogs.notices().size(), 1);
        clipboard->setText(m_work + "/sub\n");
        h->trigger("dirclkr1");
        expectFolder(m_work + "/sub", {"in-sub.csv"});
        h->trigger("dirclip");
        QCOMPARE(clipboard->text(), m_work + "/sub");
        h->click("Command13");
        h->trigger("expdir");
        QCOMPARE(m_launcher.folders, (QStringList{m_work + "/sub", m_work + "/sub"}));
        h->click("Command7");
        expectFolder(desktop, {"memo.txt"});
        QFile::remove(config + "/user-dirs.dirs");
        h->trigger("helpp");
        h->trigger("about");
        QVERIFY(h->dialogs.errors().isEmpty());
        QCOMPARE(h->dialogs.notices().size(), 3);
        QVERIFY(h->dialogs.notices().at(1).startsWith(QStringLiteral("Ｔａｂｕｌｉｎｋ　（ｈｔｍｌ化ツール）　使用方法\r\n")));
        QVERIFY(h->dialogs.notices().at(2).startsWith(QStringLiteral("Ｔａｂｕｌｉｎｋ　（ｈｔｍｌ化ツール）\r\n")));
    }

    // 終了, and logging off: the session manager asks the program to save its data.
    void folderStoredWhenTheSessionEnds()
    {
        open();
        auto *manager = qApp->findChild<QSessionManager *>();
        QVERIFY(manager);
        emit qApp->commitDataRequest(*manager);
        QCOMPARE(StartupSetting(1, FolderKey), m_work);
        enterOn("Dir1", "sub");
        h->trigger("eend");
        QVERIFY(!h->window->isVisible());
        QCOMPARE(StartupSetting(1, FolderKey), m_work + "/sub");
    }

    void folderStoredWhateverEndsTheProgram_data()
    {
        QTest::addColumn<int>("signalNumber"); // 0: the display goes away
        QTest::newRow("kill -TERM") << int(SIGTERM);
        QTest::newRow("hang-up") << int(SIGHUP);
        QTest::newRow("Ctrl+C") << int(SIGINT);
        QTest::newRow("display lost") << 0;
    }
    // The program itself, ended the ways a session ends.
    void folderStoredWhateverEndsTheProgram()
    {
        QFETCH(int, signalNumber);
        QTemporaryDir config;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        QProcess display;
        if (signalNumber == 0) {
            display.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp"});
            if (!display.waitForStarted())
                QSKIP("Xvfb is missing (package xvfb; scripts/deps.sh installs it)");
            QVERIFY(QTest::qWaitFor([&] { return display.canReadLine() || display.waitForReadyRead(50); }, 10000));
            env.insert(QStringLiteral("DISPLAY"), ":" + QString::fromLatin1(display.readLine().trimmed()));
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            // libxkbcommon-x11 hands strndup a bounded buffer without a final
            // NUL, which is correct but trips AddressSanitizer's strict check.
            if (env.contains(QStringLiteral("ASAN_OPTIONS")))
                env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) + ":strict_string_checks=0");
        }
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(m_work);
        program.start(QStringLiteral(TABULINK_BIN), {});
        QVERIFY(program.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return handles(program.processId(), SIGTERM); }, 20000));
        signalNumber ? void(::kill(pid_t(program.processId()), signalNumber)) : display.terminate();
        QVERIFY(program.waitForFinished(20000));
        display.waitForFinished(5000);
        QSettings stored(config.filePath(QStringLiteral("tablomi.ini")), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("startup2/1")).toString(), QDir(m_work).canonicalPath());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
