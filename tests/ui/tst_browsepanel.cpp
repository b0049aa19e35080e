// The drive, folder and file lists of the real window, driven through their
// controls, with scripted message boxes and a launcher that starts nothing.

#include "WindowHarness.h"

#include "browse/RecordingLauncher.h"
#include "shell/StartupSetting.h"
#include "ui/BrowsePanel.h"

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
    RecordingLauncher m_launcher;
    std::unique_ptr<WindowHarness> h;

    void open() { h = std::make_unique<WindowHarness>(&m_launcher); }
    template <typename T>
    T *find(const char *name) const { return h->find<T>(name); }
    BrowsePanel *panel() const { return h->window->browsePanel(); }
    QListView *dir1() const { return find<QListView>("Dir1"); }
    QListView *file1() const { return find<QListView>("File1"); }
    QComboBox *drive1() const { return find<QComboBox>("Drive1"); }
    QString label1() const { return find<QLabel>("Label1")->text(); }
    QStringList files() const { return rows(file1()->model()); }
    QStringList folderRows() const { return rows(dir1()->model()); }
    QString folder() const { return panel()->currentFolder(); }
    // The shown folder is also the process's working folder.
    void expectFolder(const QString &expected) const
    {
        QCOMPARE(folder(), expected);
        QCOMPARE(QDir::currentPath(), expected);
    }

    QModelIndex indexOf(QListView *view, const QString &text) const
    {
        return view->model()->index(int(rows(view->model()).indexOf(text)), 0);
    }
    void doubleClick(QListView *view, const QString &text)
    {
        const QModelIndex index = indexOf(view, text);
        QVERIFY2(index.isValid(), qPrintable(text));
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        // QTest sends the double-click event alone; a real one follows a press.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    void enterOn(QListView *view, const QString &text)
    {
        const QModelIndex index = indexOf(view, text);
        QVERIFY2(index.isValid(), qPrintable(text));
        view->setCurrentIndex(index);
        QTest::keyClick(view, Qt::Key_Return);
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
        QVERIFY(QDir().mkpath(m_work + "/sub"));
        QVERIFY(QDir().mkpath(m_work + "/.hiddendir"));
        for (const char *name : {"/b.csv", "/A.txt", "/.hidden", "/sub/in-sub.csv"})
            touch(m_work + name);
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

    // Start-up shows the stored folder if it is still there, else the
    // working folder; closing stores the folder shown.
    void startUpFolder_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first run") << "" << "";
        QTest::newRow("stored") << "@/sub" << "/sub";
        QTest::newRow("deleted") << "@/deleted/long/ago" << "";
        QTest::newRow("drive letter") << "C:\\data" << "";
        QTest::newRow("relative") << "sub" << "";
    }
    void startUpFolder()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        StartupSetting(2, FolderKey, stored.replace("@", m_work));
        open();
        expectFolder(m_work + shown);
        QVERIFY(h->dialogs.calls().isEmpty());
        if (shown.isEmpty()) {
            QCOMPARE(files(), (QStringList{"A.txt", "b.csv"}));
            QCOMPARE(h->window->fileListNames(), files());
            QStringList chain{"/"};
            chain << m_tmp->path().mid(1).split('/') << "work" << "sub";
            QCOMPARE(folderRows(), chain);
            QCOMPARE(dir1()->currentIndex().row(), chain.size() - 2);
            QCOMPARE(drive1()->currentText().left(1), QString("/"));
        } else {
            QCOMPARE(files(), QStringList{"in-sub.csv"});
            enterOn(dir1(), "work");
        }
        h->window->close();
        QCOMPARE(StartupSetting(1, FolderKey), m_work);
    }

    void pickingAFileAndOpeningPages()
    {
        touch(m_work + "/Index.HTML");
        touch(m_work + "/a.html.txt");
        open();
        doubleClick(file1(), "Index.HTML");
        QCOMPARE(m_launcher.pages, QStringList{m_work + "/Index.HTML"});
        QVERIFY(panel()->selectedFileName().isEmpty());
        QVERIFY(label1().isEmpty());

        doubleClick(file1(), "b.csv");
        QCOMPARE(panel()->selectedFileName(), QString("b.csv"));
        QCOMPARE(label1(), m_work + "/b.csv");
        enterOn(file1(), "a.html.txt");
        QCOMPARE(panel()->selectedFileName(), QString("a.html.txt"));
        QCOMPARE(label1(), m_work + "/a.html.txt");

        // Another folder leaves the pick alone.
        doubleClick(dir1(), "sub");
        expectFolder(m_work + "/sub");
        QCOMPARE(files(), QStringList{"in-sub.csv"});
        QCOMPARE(panel()->selectedFileName(), QString("a.html.txt"));
        QCOMPARE(label1(), m_work + "/a.html.txt");
        QCOMPARE(m_launcher.pages.size(), 1);
    }

    void rightButtonOpensTheMenuOnThePress()
    {
        open();
        QMenu *menu = panel()->dirclk1Menu();
        const QModelIndex sub = indexOf(dir1(), "sub");
        const QModelIndex current = dir1()->currentIndex();
        const QPoint at = dir1()->visualRect(sub).center();
        QTest::mousePress(dir1()->viewport(), Qt::RightButton, {}, at);
        QVERIFY(menu->isVisible());
        QCOMPARE(dir1()->currentIndex(), current);
        menu->hide();
        QTest::mouseRelease(dir1()->viewport(), Qt::RightButton, {}, at);

        QTest::mouseClick(dir1()->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!menu->isVisible());
        QCOMPARE(dir1()->currentIndex(), sub);
        QCOMPARE(folder(), m_work); // a single click only selects
    }

    // A shown folder deleted behind the program's back: a writer's re-read
    // or opening it from the list lands on the nearest folder above.
    void folderGoneWhileShownOrListed()
    {
        QVERIFY(QDir().mkpath(m_work + "/a/b"));
        open();
        QVERIFY(panel()->setFolder(m_work + "/a/b"));
        QVERIFY(QDir(m_work + "/a").removeRecursively());
        h->window->refreshFileList();
        expectFolder(m_work);
        QCOMPARE(files(), (QStringList{"A.txt", "b.csv"}));
        QCOMPARE(h->dialogs.errors().size(), 1);
        QVERIFY(h->dialogs.errors().first().contains(m_work + "/a/b"));
        QVERIFY(h->dialogs.errors().first().contains("「" + m_work + "」"));

        QVERIFY(QDir(m_work + "/sub").removeRecursively());
        enterOn(dir1(), "sub");
        expectFolder(m_work);
        QVERIFY(!folderRows().contains("sub"));
        QCOMPARE(h->dialogs.errors().size(), 2);
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
        QCOMPARE(rows(drive1()->model()), (QStringList{"/", unplugged, volume + " [ボリューム]"}));

        drive1()->setCurrentIndex(2);
        QCOMPARE(folderRows(), (QStringList{volume, "inner"}));
        QCOMPARE(files(), QStringList{"on-volume.csv"});
        enterOn(dir1(), "inner");
        drive1()->setCurrentIndex(0);
        QCOMPARE(folder(), m_work);
        drive1()->setCurrentIndex(2);
        expectFolder(volume + "/inner");

        // No medium: the lists stay, the drive list shows the choice, no message.
        drive1()->setCurrentIndex(1);
        QCOMPARE(drive1()->currentText(), unplugged);
        QCOMPARE(folder(), volume + "/inner");
        QVERIFY(files().isEmpty());
        QVERIFY(h->dialogs.calls().isEmpty());

        // The remembered folder has gone: land on the nearest folder above it.
        drive1()->setCurrentIndex(0);
        QVERIFY(QDir(volume + "/inner").removeRecursively());
        drive1()->setCurrentIndex(2);
        QCOMPARE(folder(), volume);
    }

    void clipboardFolder()
    {
        const QString other = m_tmp->path() + "/other";
        QVERIFY(QDir().mkpath(other));
        touch(other + "/o.csv");
        open();
        QClipboard *clipboard = QApplication::clipboard();
        clipboard->setText("\\\\server\\share\\dir");
        h->trigger("dirclkr1");
        QCOMPARE(h->dialogs.notices(), QStringList{
            "直のネットワークドライブには、対応しておりません。ドライブ名を割り当て、ドライブ名にて指定して下さい。"});
        QVERIFY(h->dialogs.errors().isEmpty());
        expectFolder(m_work);

        for (const QString &text : {other + "\n\n", QString(), m_tmp->path() + "/missing", QString("other"),
                                    other + "/o.csv"}) {
            h->dialogs.clear();
            clipboard->setText(text);
            h->trigger("dirclkr1");
            QCOMPARE(h->dialogs.errors().size(), 1);
            expectFolder(m_work);
        }

        h->dialogs.clear();
        clipboard->setText(other + "/");
        h->trigger("dirclkr1");
        QVERIFY(h->dialogs.calls().isEmpty());
        expectFolder(other);
        QCOMPARE(files(), QStringList{"o.csv"});
        QCOMPARE(drive1()->currentIndex(), DriveTable::mounted().indexFor(m_tmp->path()));
        h->trigger("dirclip");
        QCOMPARE(clipboard->text(), other);
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
        const QString path = m_work + "/" + name;
        QVERIFY(QDir().mkpath(path));
        open();
        QVERIFY(panel()->setFolder(path));
        QCOMPARE(folderRows().last(), name);
        find<QPushButton>("Command13")->click();
        h->trigger("expdir");
        QCOMPARE(m_launcher.folders, (QStringList{path, path}));
        QVERIFY(h->dialogs.calls().isEmpty());
        QVERIFY(!QFile::exists(m_work + "/pwned") && !QFile::exists(path + "/pwned"));

        m_launcher.succeed = false;
        h->trigger("expdir");
        QCOMPARE(h->dialogs.errors().size(), 1);
    }

    void desktopButton()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(QDir().mkpath(config));
        const QString desktop = m_tmp->path() + "/デスクトップ";
        {
            QFile file(config + "/user-dirs.dirs");
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("XDG_DESKTOP_DIR=\"" + desktop.toUtf8() + "\"\n");
        }
        open();
        find<QPushButton>("Command7")->click();
        QCOMPARE(h->dialogs.errors().size(), 1); // not made yet
        expectFolder(m_work);

        QVERIFY(QDir().mkpath(desktop));
        touch(desktop + "/memo.txt");
        find<QPushButton>("Command7")->click();
        QCOMPARE(h->dialogs.errors().size(), 1);
        expectFolder(desktop);
        QCOMPARE(files(), QStringList{"memo.txt"});
        QFile::remove(config + "/user-dirs.dirs");
    }
};

QTEST_MAIN(TestBrowsePanel)
#include "tst_browsepanel.moc"
