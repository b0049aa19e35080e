// The drive, folder and file lists of the real window, driven through their
// controls, with scripted message boxes and a launcher that starts nothing.
// Where each action lands is the navigator's test; here, that the controls
// reach it and show what it answers.

#include "WindowHarness.h"

#include "browse/MountedDrives.h"
#include "browse/RecordingLauncher.h"
#include "shell/StartupSetting.h"
#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using namespace tabulink;

namespace {

QStringList rows(const QAbstractItemModel *model)
{
    QStringList result;
    for (int i = 0; i < model->rowCount(); ++i)
        result.append(model->index(i, 0).data().toString());
    return result;
}

// Two folders as drives besides the root; the second has no medium.
struct TestDrives : MountedDrives {
    QString volume;
    DriveTable mountedDrives() override { return DriveTable({{"/", "", ""}, {volume, "ボリューム", ""}, {volume + "2", "", ""}}); }
};

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
    BrowsePanel *panel() const { return h->window->browsePanel(); }
    QListView *dir1() const { return h->find<QListView>("Dir1"); }
    QListView *file1() const { return h->find<QListView>("File1"); }
    QComboBox *drive1() const { return h->find<QComboBox>("Drive1"); }
    QString label1() const { return h->find<QLabel>("Label1")->text(); }
    QStringList files() const { return rows(file1()->model()); }
    QStringList folderRows() const { return rows(dir1()->model()); }
    // The shown folder is also the process's working folder.
    void expectFolder(const QString &expected) const
    {
        QCOMPARE(panel()->currentFolder(), expected);
        QCOMPARE(QDir::currentPath(), expected);
    }
    QModelIndex indexOf(QListView *view, const QString &text) const
    {
        return view->model()->index(int(rows(view->model()).indexOf(text)), 0);
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
        expectFolder(m_work + "/sub");
        QCOMPARE(files(), QStringList{"in-sub.csv"});
        enterOn(dir1(), "work");
        QCOMPARE(files(), (QStringList{"A.txt", "b.csv"}));
        QStringList chain{"/"};
        chain << m_tmp->path().mid(1).split('/') << "work" << "sub";
        QCOMPARE(folderRows(), chain);
        QCOMPARE(dir1()->currentIndex().row(), chain.size() - 2);
        QCOMPARE(drive1()->currentText().left(1), QString("/"));
        h->window->close();
        QCOMPARE(StartupSetting(1, FolderKey), m_work);
        QVERIFY(h->dialogs.calls().isEmpty());
    }

    void enterPicksAFileDoubleClickOpensAFolder()
    {
        open();
        enterOn(file1(), "A.txt");
        QCOMPARE(label1(), m_work + "/A.txt");
        const QPoint at = dir1()->visualRect(indexOf(dir1(), "sub")).center();
        // QTest sends the double-click event alone; a real one follows a press.
        QTest::mouseClick(dir1()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(dir1()->viewport(), Qt::LeftButton, {}, at);
        expectFolder(m_work + "/sub");
        QCOMPARE(files(), QStringList{"in-sub.csv"});
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
        expectFolder(m_work); // a single click only selects
    }

    void changingTheDrive()
    {
        const QString volume = m_tmp->path() + "/volume";
        QVERIFY(QDir().mkpath(volume + "/inner"));
        QVERIFY(TestFiles::writeAll(volume + "/on-volume.csv", ""));
        TestDrives drives;
        drives.volume = volume;
        open();
        panel()->setDriveSource(drives);
        QCOMPARE(rows(drive1()->model()), (QStringList{"/", volume + " [ボリューム]", volume + "2"}));
        drive1()->setCurrentIndex(1);
        expectFolder(volume);
        QCOMPARE(folderRows(), (QStringList{volume, "inner"}));
        QCOMPARE(files(), QStringList{"on-volume.csv"});
        // No medium: the lists stay, the drive list shows the choice, no message.
        drive1()->setCurrentIndex(2);
        QCOMPARE(drive1()->currentText(), volume + "2");
        QCOMPARE(files(), QStringList{"on-volume.csv"});
        QVERIFY(h->dialogs.calls().isEmpty());
        h.reset(); // before the drives it reads go
    }

    // The network refusal is a notice, not a warning.
    void clipboardActions()
    {
        open();
        QClipboard *clipboard = QApplication::clipboard();
        clipboard->setText("\\\\server\\share\\dir");
        h->trigger("dirclkr1");
        QCOMPARE(h->dialogs.notices().size(), 1);
        QVERIFY(h->dialogs.errors().isEmpty());
        h->trigger("dirclip");
        QCOMPARE(clipboard->text(), m_work);
    }

    void fileManagerGetsTheFolder()
    {
        open();
        h->find<QPushButton>("Command13")->click();
        h->trigger("expdir");
        QCOMPARE(m_launcher.folders, (QStringList{m_work, m_work}));
    }

    void desktopButton()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        const QString desktop = m_tmp->path() + "/デスクトップ";
        QVERIFY(QDir().mkpath(config) && QDir().mkpath(desktop));
        QVERIFY(TestFiles::writeAll(config + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + desktop.toUtf8() + "\"\n"));
        QVERIFY(TestFiles::writeAll(desktop + "/memo.txt", ""));
        open();
        h->find<QPushButton>("Command7")->click();
        QVERIFY(h->dialogs.calls().isEmpty());
        expectFolder(desktop);
        QCOMPARE(files(), QStringList{"memo.txt"});
        QFile::remove(config + "/user-dirs.dirs");
    }
};

QTEST_MAIN(TestBrowsePanel)
#include "tst_browsepanel.moc"
