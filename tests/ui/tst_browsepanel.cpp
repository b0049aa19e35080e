// The drive, folder and file lists of the real window, driven through their
// controls, with scripted message boxes and a launcher that starts nothing.

#include "browse/FolderPath.h"
#include "browse/RecordingLauncher.h"
#include "shell/StartupSetting.h"
#include "support/ScriptedDialogs.h"
#include "ui/AppSetup.h"
#include "ui/BrowsePanel.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QStringList rows(const QAbstractItemModel *model)
{
    QStringList result;
    for (int i = 0; i < model->rowCount(); ++i)
        result.append(model->index(i, 0).data().toString());
    return result;
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

} // namespace

class TestBrowsePanel : public QObject
{
    Q_OBJECT
private:
    QString m_startFolder;
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_work; // the process's working folder when a window opens
    ScriptedDialogs m_dialogs;
    RecordingLauncher m_launcher;
    std::unique_ptr<MainWindow> m_window;

    void open()
    {
        m_window = std::make_unique<MainWindow>(&m_dialogs, nullptr, &m_launcher);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    template <typename T>
    T *find(const char *name) const { return m_window->findChild<T *>(QString::fromLatin1(name)); }
    BrowsePanel *panel() const { return m_window->browsePanel(); }
    QListView *dir1() const { return find<QListView>("Dir1"); }
    QListView *file1() const { return find<QListView>("File1"); }
    QComboBox *drive1() const { return find<QComboBox>("Drive1"); }
    QString label1() const { return find<QLabel>("Label1")->text(); }
    QStringList files() const { return rows(file1()->model()); }
    QStringList folderRows() const { return rows(dir1()->model()); }

    int rowOf(QListView *view, const QString &text) const
    {
        return int(rows(view->model()).indexOf(text));
    }
    void doubleClick(QListView *view, const QString &text)
    {
        const int row = rowOf(view, text);
        QVERIFY2(row >= 0, qPrintable(text));
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        // QTest sends the double-click event alone; a real one follows a press.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    void enterOn(QListView *view, const QString &text)
    {
        const int row = rowOf(view, text);
        QVERIFY2(row >= 0, qPrintable(text));
        view->setCurrentIndex(view->model()->index(row, 0));
        QTest::keyClick(view, Qt::Key_Return);
    }
    void trigger(const char *name) { find<QAction>(name)->trigger(); }

private slots:
    void initTestCase()
    {
        setUpApplication();
        m_startFolder = QDir::currentPath();
    }

    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        m_work = m_tmp->path() + "/work";
        QVERIFY(QDir().mkpath(m_work + "/sub"));
        QVERIFY(QDir().mkpath(m_work + "/.hiddendir"));
        touch(m_work + "/b.csv");
        touch(m_work + "/A.txt");
        touch(m_work + "/.hidden");
        touch(m_work + "/sub/in-sub.csv");
        QVERIFY(QDir::setCurrent(m_work));
        StartupSetting(2, FolderKey, QString());
        m_dialogs.clear();
        m_launcher = RecordingLauncher();
    }

    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(m_startFolder);
        m_tmp.reset();
    }

    void firstRunShowsTheWorkingFolder()
    {
        open();
        QCOMPARE(panel()->currentFolder(), m_work);
        QCOMPARE(files(), (QStringList{"A.txt", "b.csv"}));
        QCOMPARE(m_window->fileListNames(), files());
        QStringList chain{"/"};
        chain << m_tmp->path().mid(1).split('/') << "work" << "sub";
        QCOMPARE(folderRows(), chain);
        QCOMPARE(dir1()->currentIndex().row(), chain.size() - 2);
        QCOMPARE(dir1()->palette().color(QPalette::Base), QColor(255, 255, 192));
        QVERIFY(drive1()->count() >= 1);
        QCOMPARE(drive1()->currentText().left(1), QString("/"));
        QVERIFY(label1().isEmpty());
        QVERIFY(panel()->selectedFileName().isEmpty());
        QVERIFY(m_dialogs.calls().isEmpty());

        m_window->close();
        QCOMPARE(StartupSetting(1, FolderKey), m_work);
    }

    void startUpRestoresTheStoredFolder()
    {
        StartupSetting(2, FolderKey, m_work + "/sub");
        open();
        QCOMPARE(panel()->currentFolder(), m_work + "/sub");
        QCOMPARE(QDir::currentPath(), m_work + "/sub");
        QCOMPARE(files(), QStringList{"in-sub.csv"});
        QCOMPARE(folderRows().last(), QString("sub"));

        enterOn(dir1(), "work");
        m_window->close();
        QCOMPARE(StartupSetting(1, FolderKey), m_work);
    }

    void startUpWithAStoredFolderThatIsGone_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("deleted") << "deleted";
        QTest::newRow("drive letter") << "C:\\data";
        QTest::newRow("relative") << "sub";
    }
    void startUpWithAStoredFolderThatIsGone()
    {
        QFETCH(QString, stored);
        StartupSetting(2, FolderKey, stored == "deleted" ? m_tmp->path() + "/deleted" : stored);
        open();
        QCOMPARE(panel()->currentFolder(), m_work);
        QCOMPARE(files(), (QStringList{"A.txt", "b.csv"}));
        QVERIFY(m_dialogs.calls().isEmpty());
        m_window->close();
        QCOMPARE(StartupSetting(1, FolderKey), m_work);
    }

    void pickingAFileAndOpeningPages()
    {
        for (const char *name : {"Index.HTML", "page.Htm", "page.shtml", "xhtml", "a.html.txt"})
            touch(m_work + "/" + name);
        open();
        QVERIFY(panel()->selectedFileName().isEmpty());

        doubleClick(file1(), "Index.HTML");
        QCOMPARE(m_launcher.pages, QStringList{m_work + "/Index.HTML"});
        QVERIFY(panel()->selectedFileName().isEmpty());
        QVERIFY(label1().isEmpty());

        doubleClick(file1(), "b.csv");
        QCOMPARE(panel()->selectedFileName(), QString("b.csv"));
        QCOMPARE(label1(), m_work + "/b.csv");

        for (const char *page : {"page.Htm", "page.shtml", "xhtml"})
            doubleClick(file1(), page);
        QCOMPARE(m_launcher.pages.size(), 4);
        QCOMPARE(m_launcher.pages.last(), m_work + "/xhtml");
        QCOMPARE(panel()->selectedFileName(), QString("b.csv"));

        file1()->setCurrentIndex(file1()->model()->index(rowOf(file1(), "a.html.txt"), 0));
        QTest::keyClick(file1(), Qt::Key_Return);
        QCOMPARE(panel()->selectedFileName(), QString("a.html.txt"));
        QCOMPARE(label1(), m_work + "/a.html.txt");

        // Another folder leaves the pick alone.
        doubleClick(dir1(), "sub");
        QCOMPARE(panel()->currentFolder(), m_work + "/sub");
        QCOMPARE(QDir::currentPath(), m_work + "/sub");
        QCOMPARE(files(), QStringList{"in-sub.csv"});
        QCOMPARE(panel()->selectedFileName(), QString("a.html.txt"));
        QCOMPARE(label1(), m_work + "/a.html.txt");
        QCOMPARE(m_launcher.pages.size(), 4);
    }

    void pickAtTheRoot()
    {
        open();
        QVERIFY(panel()->setFolder("/"));
        QCOMPARE(folderRows().first(), QString("/"));
        QCOMPARE(dir1()->currentIndex().row(), 0);
        const QStringList names = files();
        if (names.isEmpty())
            QSKIP("no file in /");
        doubleClick(file1(), names.first());
        const QString expected = "/" + names.first();
        QCOMPARE(FolderPath::isPage(expected) ? m_launcher.pages.value(0) : label1(), expected);
    }

    void rightButtonOpensTheMenuOnThePress()
    {
        open();
        QMenu *menu = panel()->dirclk1Menu();
        QStringList entries;
        for (const QAction *entry : menu->actions())
            entries.append(entry->objectName());
        QCOMPARE(entries, (QStringList{"dirclkr1", "fileupdate", "dirclip", "expdir"}));
        const QModelIndex sub = dir1()->model()->index(rowOf(dir1(), "sub"), 0);
        const QModelIndex current = dir1()->currentIndex();
        const QPoint at = dir1()->visualRect(sub).center();

        QTest::mousePress(dir1()->viewport(), Qt::MiddleButton, {}, at);
        QTest::mouseRelease(dir1()->viewport(), Qt::MiddleButton, {}, at);
        QVERIFY(!menu->isVisible());

        QTest::mousePress(dir1()->viewport(), Qt::RightButton, {}, at);
        QVERIFY(menu->isVisible());
        QCOMPARE(dir1()->currentIndex(), current);
        QCOMPARE(panel()->currentFolder(), m_work);
        menu->hide();
        QTest::mouseRelease(dir1()->viewport(), Qt::RightButton, {}, at);

        QTest::mouseClick(dir1()->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!menu->isVisible());
        QCOMPARE(dir1()->currentIndex(), sub);
        QCOMPARE(panel()->currentFolder(), m_work); // a single click only selects
        QVERIFY(label1().isEmpty());
    }

    void fileListFollowsRereads()
    {
        open();
        touch(m_work + "/new.html");
        QFile::remove(m_work + "/A.txt");
        QCOMPARE(files(), (QStringList{"A.txt", "b.csv"}));
        trigger("fileupdate");
        QCOMPARE(files(), (QStringList{"b.csv", "new.html"}));
        touch(m_work + "/c.csv");
        m_window->refreshFileList();
        QCOMPARE(m_window->fileListNames(), (QStringList{"b.csv", "c.csv", "new.html"}));
        QCOMPARE(panel()->currentFolder(), m_work);
        QVERIFY(m_dialogs.calls().isEmpty());
    }

    void folderDeletedWhileShown()
    {
        QVERIFY(QDir().mkpath(m_work + "/a/b"));
        open();
        QVERIFY(panel()->setFolder(m_work + "/a/b"));
        QVERIFY(QDir(m_work + "/a").removeRecursively());

        trigger("fileupdate");
        QCOMPARE(panel()->currentFolder(), m_work);
        QCOMPARE(QDir::currentPath(), m_work);
        QCOMPARE(files(), (QStringList{"A.txt", "b.csv"}));
        QCOMPARE(folderRows().last(), QString("sub"));
        QCOMPARE(m_dialogs.errors().size(), 1);
        QVERIFY(m_dialogs.errors().first().contains(m_work + "/a/b"));
        QVERIFY(m_dialogs.errors().first().contains("「" + m_work + "」"));

        // The same after a writer re-reads the list.
        QVERIFY(panel()->setFolder(m_work + "/sub"));
        QVERIFY(QDir(m_work + "/sub").removeRecursively());
        m_window->refreshFileList();
        QCOMPARE(panel()->currentFolder(), m_work);
        QCOMPARE(m_dialogs.errors().size(), 2);
        QVERIFY(!folderRows().contains("sub"));
    }

    void openingAFolderDeletedSinceListed()
    {
        open();
        QVERIFY(QDir(m_work + "/sub").removeRecursively());
        QVERIFY(folderRows().contains("sub"));
        enterOn(dir1(), "sub");
        QCOMPARE(panel()->currentFolder(), m_work);
        QVERIFY(!folderRows().contains("sub"));
        QCOMPARE(m_dialogs.errors().size(), 1);
    }

    void drivesRememberTheirFolders()
    {
        const QString volume = m_tmp->path() + "/volume";
        const QString unplugged = m_tmp->path() + "/unplugged";
        QVERIFY(QDir().mkpath(volume + "/inner"));
        touch(volume + "/on-volume.csv");
        open();
        panel()->setDriveSource([=] {
            return DriveTable({{"/", "", ""}, {volume, "ボリューム", ""}, {unplugged, "", ""}});
        });
        QCOMPARE(rows(drive1()->model()),
                 (QStringList{"/", unplugged, volume + " [ボリューム]"}));
        QCOMPARE(drive1()->currentText(), QString("/"));

        drive1()->setCurrentIndex(2);
        QCOMPARE(panel()->currentFolder(), volume);
        QCOMPARE(folderRows(), (QStringList{volume, "inner"}));
        QCOMPARE(files(), QStringList{"on-volume.csv"});
        enterOn(dir1(), "inner");
        QCOMPARE(panel()->currentFolder(), volume + "/inner");

        drive1()->setCurrentIndex(0);
        QCOMPARE(panel()->currentFolder(), m_work);
        drive1()->setCurrentIndex(2);
        QCOMPARE(panel()->currentFolder(), volume + "/inner");
        QCOMPARE(QDir::currentPath(), volume + "/inner");

        // No medium: the lists stay, the drive list shows the choice, no message.
        drive1()->setCurrentIndex(1);
        QCOMPARE(drive1()->currentText(), unplugged);
        QCOMPARE(panel()->currentFolder(), volume + "/inner");
        QVERIFY(files().isEmpty());
        QVERIFY(m_dialogs.calls().isEmpty());

        // The remembered folder has gone: land on the nearest folder above it.
        drive1()->setCurrentIndex(0);
        QVERIFY(QDir(volume + "/inner").removeRecursively());
        drive1()->setCurrentIndex(2);
        QCOMPARE(panel()->currentFolder(), volume);
    }

    void clipboardFolder()
    {
        QVERIFY(QDir().mkpath(m_tmp->path() + "/other"));
        touch(m_tmp->path() + "/other/o.csv");
        open();
        QClipboard *clipboard = QApplication::clipboard();

        clipboard->setText("\\\\server\\share\\dir");
        trigger("dirclkr1");
        QCOMPARE(m_dialogs.notices(), QStringList{
            "直のネットワークドライブには、対応しておりません。ドライブ名を割り当て、ドライブ名にて指定して下さい。"});
        QVERIFY(m_dialogs.errors().isEmpty());
        QCOMPARE(panel()->currentFolder(), m_work);
        QCOMPARE(QDir::currentPath(), m_work);

        const QStringList refused{m_tmp->path() + "/other\n", QString(), m_tmp->path() + "/missing",
                                  "other", m_tmp->path() + "/other/o.csv"};
        for (const QString &text : refused) {
            m_dialogs.clear();
            clipboard->setText(text);
            trigger("dirclkr1");
            QCOMPARE(m_dialogs.errors().size(), 1);
            QCOMPARE(panel()->currentFolder(), m_work);
            QCOMPARE(QDir::currentPath(), m_work);
            QCOMPARE(files(), (QStringList{"A.txt", "b.csv"}));
        }

        m_dialogs.clear();
        clipboard->setText(m_tmp->path() + "/other/");
        trigger("dirclkr1");
        QVERIFY(m_dialogs.calls().isEmpty());
        QCOMPARE(panel()->currentFolder(), m_tmp->path() + "/other");
        QCOMPARE(QDir::currentPath(), m_tmp->path() + "/other");
        QCOMPARE(files(), QStringList{"o.csv"});
        QCOMPARE(drive1()->currentIndex(), DriveTable::mounted().indexFor(m_tmp->path()));

        trigger("dirclip");
        QCOMPARE(clipboard->text(), m_tmp->path() + "/other");
        QVERIFY(panel()->setFolder("/"));
        trigger("dirclip");
        QCOMPARE(clipboard->text(), QString("/"));
    }

    void fileManagerGetsTheFolderAsItIs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("blank") << "a b";
        QTest::newRow("command") << "$(touch pwned)";
        QTest::newRow("quote and semicolon") << "x'; touch pwned2 #";
    }
    void fileManagerGetsTheFolderAsItIs()
    {
        QFETCH(QString, name);
        const QString folder = m_work + "/" + name;
        QVERIFY(QDir().mkpath(folder));
        open();
        QVERIFY(panel()->setFolder(folder));
        QCOMPARE(folderRows().last(), name);
        m_window->findChild<QPushButton *>("Command13")->click();
        trigger("expdir");
        QCOMPARE(m_launcher.folders, (QStringList{folder, folder}));
        QVERIFY(m_dialogs.calls().isEmpty());
        QCOMPARE(panel()->currentFolder(), folder);
        QVERIFY(!QFile::exists(m_work + "/pwned") && !QFile::exists(folder + "/pwned"));

        m_launcher.succeed = false;
        trigger("expdir");
        QCOMPARE(m_dialogs.errors().size(), 1);
    }

    void desktopButton()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!config.isEmpty());
        QVERIFY(QDir().mkpath(config));
        const QString userDirs = config + "/user-dirs.dirs";
        const QString desktop = m_tmp->path() + "/デスクトップ";
        auto pointDesktopAt = [&](const QString &path) {
            QFile file(userDirs);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("XDG_DESKTOP_DIR=\"" + path.toUtf8() + "\"\n");
        };
        open();

        pointDesktopAt(desktop);
        m_window->findChild<QPushButton *>("Command7")->click();
        QCOMPARE(m_dialogs.errors().size(), 1); // not made yet
        QCOMPARE(panel()->currentFolder(), m_work);
        QCOMPARE(QDir::currentPath(), m_work);

        QVERIFY(QDir().mkpath(desktop));
        touch(desktop + "/memo.txt");
        m_window->findChild<QPushButton *>("Command7")->click();
        QCOMPARE(m_dialogs.errors().size(), 1);
        QCOMPARE(panel()->currentFolder(), desktop);
        QCOMPARE(QDir::currentPath(), desktop);
        QCOMPARE(files(), QStringList{"memo.txt"});
        QCOMPARE(folderRows().last(), QString("デスクトップ"));
        QFile::remove(userDirs);
    }
};

QTEST_MAIN(TestBrowsePanel)
#include "tst_browsepanel.moc"
