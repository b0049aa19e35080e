// The window's folder and file lists driven through their controls (where
// each action lands is the navigator's test; here, that the controls reach
// it and show what it answers), and the folder stored however the program ends.
#include "WindowHarness.h"
#include "browse/RecordingLauncher.h"
#include "shell/StartupSetting.h"

#include <QProcess>
#include <QSessionManager>
#include <QSettings>

#include <csignal>

using namespace tabulink;

class TestMainWindow : public QObject
{
    Q_OBJECT
    QString m_startFolder, m_work; // m_work: the process's working folder when a window opens
    std::unique_ptr<QTemporaryDir> m_tmp;
    RecordingLauncher m_launcher;
    std::unique_ptr<WindowHarness> h;

    void open() { h = std::make_unique<WindowHarness>(&m_launcher); }
    int row(const char *view, const QString &text) const { return int(h->rows(view).indexOf(text)); }
    // The shown folder, also the process's working folder, and its files.
    void expectFolder(const QString &expected, const QStringList &files) const
    {
        QCOMPARE(h->browse()->currentFolder() + "|" + QDir::currentPath(), expected + "|" + expected);
        QCOMPARE(h->rows("File1"), files);
    }
    void enterOn(const char *view, const QString &text) const
    {
        h->find<QListView>(view)->setCurrentIndex(h->find<QListView>(view)->model()->index(row(view, text), 0));
        QTest::keyClick(h->find(view), Qt::Key_Return);
    }

private slots:
    void initTestCase() { WindowHarness::setUp(), m_startFolder = QDir::currentPath(); }
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        m_work = m_tmp->path() + "/work";
        QVERIFY(QDir().mkpath(m_work + "/sub"));
        for (const char *name : {"/p.html", "/A.txt", "/.hidden", "/x<b>.csv", "/sub/in-sub.csv"})
            QVERIFY(TestFiles::writeAll(m_work + name, ""));
        QVERIFY(QDir::setCurrent(m_work));
        StartupSetting(2, FolderKey, QString());
        m_launcher = RecordingLauncher();
    }
    void cleanup() { h.reset(), QDir::setCurrent(m_startFolder); }

    // Enter on a file picks it, on a folder opens it; a single click on a
    // folder only selects it, a double-click opens it.
    void keysAndClicksOnTheLists()
    {
        open();
        enterOn("File1", "A.txt");
        QCOMPARE(h->text("Label1"), m_work + "/A.txt");
        WindowHarness::clickRow(h->find<QListView>("Dir1"), row("Dir1", "sub"));
        expectFolder(m_work, {"A.txt", "p.html", "x<b>.csv"});
        h->doubleClickRow("Dir1", row("Dir1", "sub"));
        expectFolder(m_work + "/sub", {"in-sub.csv"});
        enterOn("Dir1", "work");
        expectFolder(m_work, {"A.txt", "p.html", "x<b>.csv"});
    }

    void onlyTheLeftButtonActsOnFile1_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("acts");
        QTest::newRow("a file, left") << "x<b>.csv" << Qt::LeftButton << true;
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

    // The stored folder shows at start-up; logging off (the session manager
    // asks the program to save its data) and 終了 store the one shown.
    void folderStoredWhenTheSessionEnds()
    {
        StartupSetting(2, FolderKey, m_work + "/sub");
        open();
        expectFolder(m_work + "/sub", {"in-sub.csv"});
        enterOn("Dir1", "work");
        emit qApp->commitDataRequest(*qApp->findChild<QSessionManager *>());
        QCOMPARE(StartupSetting(1, FolderKey), m_work);
        enterOn("Dir1", "sub");
        h->trigger("eend");
        QVERIFY(!h->window->isVisible());
        QCOMPARE(StartupSetting(1, FolderKey), m_work + "/sub");
    }

    void folderStoredWhateverEndsTheProgram_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("kill -TERM") << int(SIGTERM);
        QTest::newRow("hang-up") << int(SIGHUP);
        QTest::newRow("Ctrl+C") << int(SIGINT);
    }
    // The program itself, ended by the signals a session's end sends.
    void folderStoredWhateverEndsTheProgram()
    {
        QFETCH(int, signalNumber);
        QTemporaryDir config;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(m_work);
        program.start(QStringLiteral(TABULINK_BIN), {});
        QVERIFY(program.waitForStarted());
        // Once it handles the signal itself, the program has its window up.
        QFile status(QStringLiteral("/proc/%1/status").arg(program.processId()));
        QVERIFY(QTest::qWaitFor([&] {
            status.close();
            const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
            const qsizetype at = text.indexOf("SigCgt:");
            return at >= 0 && (text.mid(at + 7, 18).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
        }, 20000));
        ::kill(pid_t(program.processId()), signalNumber);
        QVERIFY(program.waitForFinished(20000));
        QSettings stored(config.filePath(QStringLiteral("tablomi.ini")), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("startup2/1")).toString(), QDir(m_work).canonicalPath());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
