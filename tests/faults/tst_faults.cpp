// Faults the user's machine can throw at a save or a read: a full disk, a
// write-protected file or folder, a folder that vanishes, a FIFO or a folder
// named like a CSV file. Every case: no crash, no hang, the old file byte for
// byte intact, no temporary file left, and a message.

#include "WindowHarness.h"

#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"
#include "ui/CsvTab.h"
#include "ui/LinkTab.h"
#include "ui/TextTab.h"

#include <QDir>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

// The six saves of the window, each with enough content to overflow a
// 64 KiB disk.
enum class Save { LinkPage, TablePage, Csv, TextPage, ImodePage, TextFile };

const char *buttonOf(Save s)
{
    switch (s) {
    case Save::LinkPage: return "Command17";
    case Save::TablePage: return "Command3";
    case Save::Csv: return "Command4";
    case Save::TextPage: return "Command9";
    case Save::ImodePage: return "Command10";
    case Save::TextFile: return "Command12";
    }
    return "";
}

int tabOf(Save s)
{
    switch (s) {
    case Save::TablePage:
    case Save::Csv: return 0;
    case Save::LinkPage: return 2;
    default: return 1;
    }
}

bool chattr(const QString &flag, const QString &path)
{
    return QProcess::execute(QStringLiteral("chattr"), {flag, path}) == 0;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fullDiskDuringEverySave_data();
    void fullDiskDuringEverySave();
    void writeProtectedFileAndFolder_data();
    void writeProtectedFileAndFolder();
    void folderDeletedWhileShown();
    void fifoAndFolderAsCsvFile();

private:
    // Fills the window so that the save of kind s writes well over 64 KiB.
    void prepare(WindowHarness &h, Save s);
    // Runs one save onto path, answering Yes to the overwrite question.
    void save(WindowHarness &h, Save s, const QString &path);

    QTemporaryDir m_source; // a folder of many files and a large CSV file
};

void TestFaults::initTestCase()
{
    for (int i = 0; i < 1500; ++i)
        QVERIFY(TestFiles::writeAll(m_source.filePath(QStringLiteral("写真_%1_長いファイル名.jpg").arg(i, 4, 10, QLatin1Char('0'))), ""));
    QByteArray csv;
    for (int r = 0; r < 800; ++r)
        csv += TestFiles::sjis(QStringLiteral("売上データ%1,%2,東京都千代田区の長いセルの内容です,%3\r\n").arg(r).arg(r * 3).arg(QString(40, u'x')));
    QVERIFY(TestFiles::writeAll(m_source.filePath(QStringLiteral("big.csv")), csv));
}

void TestFaults::prepare(WindowHarness &h, Save s)
{
    h.find<QTabWidget>("SSTab1")->setCurrentIndex(tabOf(s));
    switch (s) {
    case Save::LinkPage:
        h.window->browsePanel()->setFolder(m_source.path());
        h.click("Command14");
        break;
    case Save::TablePage:
    case Save::Csv:
        h.window->setPathLabel(m_source.filePath(QStringLiteral("big.csv")));
        h.click("Command1");
        h.click("Command2");
        break;
    default:
        h.window->textTab()->setEditorText(QString(30000, QChar(0x65E5)) + QStringLiteral("\r\n終わり"));
        break;
    }
}

void TestFaults::save(WindowHarness &h, Save s, const QString &path)
{
    h.dialogs.clear();
    h.dialogs.setNextFileName(path);
    h.dialogs.setNextAnswer(true);
    h.click(buttonOf(s));
}

void TestFaults::fullDiskDuringEverySave_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("link page") << int(Save::LinkPage);
    QTest::newRow("table page") << int(Save::TablePage);
    QTest::newRow("csv file") << int(Save::Csv);
    QTest::newRow("text page") << int(Save::TextPage);
    QTest::newRow("i-mode page") << int(Save::ImodePage);
    QTest::newRow("text file") << int(Save::TextFile);
}

void TestFaults::fullDiskDuringEverySave()
{
    const QString disk = qEnvironmentVariable("TABULINK_SMALL_DISK");
    if (disk.isEmpty())
        QSKIP("no private mount namespace for a small disk (needs root)");
    QFETCH(int, kind);
    const Save s = Save(kind);
    WindowHarness h;
    prepare(h, s);
    const QString path = disk + QStringLiteral("/old.html");
    const QByteArray old = QByteArray(20000, 'o') + "\r\n";
    QVERIFY(TestFiles::writeAll(path, old));
    save(h, s, path);

    QCOMPARE(h.dialogs.errors().size(), 1);
    QVERIFY2(h.dialogs.errors().first().contains(path), qPrintable(h.dialogs.errors().first()));
    QVERIFY(h.dialogs.notices().isEmpty()); // no completion notice
    QCOMPARE(TestFiles::readAll(path), old);
    QCOMPARE(entries(disk), QStringList({"old.html"}));
    QVERIFY(QFile::remove(path));
}

void TestFaults::writeProtectedFileAndFolder_data()
{
    fullDiskDuringEverySave_data();
}

void TestFaults::writeProtectedFileAndFolder()
{
    QFETCH(int, kind);
    const Save s = Save(kind);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("locked.html"));
    const QByteArray old("old content\r\n");
    QVERIFY(TestFiles::writeAll(file, old));
    if (!chattr(QStringLiteral("+i"), file))
        QSKIP("chattr +i is not available here");
    WindowHarness h;
    prepare(h, s);
    save(h, s, file);
    chattr(QStringLiteral("-i"), file);
    QCOMPARE(h.dialogs.errors().size(), 1);
    QVERIFY(h.dialogs.notices().isEmpty());
    QCOMPARE(TestFiles::readAll(file), old);
    QCOMPARE(entries(dir.path()), QStringList({"locked.html"}));

    // A new file in a protected folder.
    const QString folder = dir.filePath(QStringLiteral("locked folder"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(chattr(QStringLiteral("+i"), folder));
    save(h, s, folder + QStringLiteral("/new.html"));
    chattr(QStringLiteral("-i"), folder);
    QCOMPARE(h.dialogs.errors().size(), 1);
    QVERIFY(h.dialogs.notices().isEmpty());
    QCOMPARE(entries(folder), QStringList());
}

void TestFaults::folderDeletedWhileShown()
{
    QTemporaryDir dir;
    const QString shown = dir.filePath(QStringLiteral("消える"));
    QVERIFY(QDir().mkpath(shown));
    QVERIFY(TestFiles::writeAll(shown + QStringLiteral("/a.txt"), "a"));
    WindowHarness h;
    QVERIFY(h.window->browsePanel()->setFolder(shown));
    QVERIFY(QDir(shown).removeRecursively());
    h.trigger("fileupdate");
    QCOMPARE(h.window->currentFolder(), dir.path());
    QVERIFY(!h.dialogs.errors().isEmpty());

    // The program goes on: a save into the folder now shown works.
    h.dialogs.clear();
    h.window->textTab()->setEditorText(QStringLiteral("続き"));
    h.dialogs.setNextFileName(dir.filePath(QStringLiteral("after.html")));
    h.click("Command9");
    QCOMPARE(h.dialogs.notices(), QStringList({"ｈｔｍｌファイル作成完了"}));
}

void TestFaults::fifoAndFolderAsCsvFile()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("x.csv"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("y.csv"));
    QVERIFY(QDir().mkpath(folder));
    const QString good = dir.filePath(QStringLiteral("z.csv"));
    QVERIFY(TestFiles::writeAll(good, "1,2\r\n3,4\r\n"));

    WindowHarness h;
    h.find<QTabWidget>("SSTab1")->setCurrentIndex(0);
    h.window->setPathLabel(good);
    h.click("Command1");
    QCOMPARE(h.window->csvTab()->lines().size(), 2);
    for (const QString &bad : {fifo, folder}) {
        h.dialogs.clear();
        h.window->setPathLabel(bad);
        h.click("Command1"); // must return: a FIFO without a writer would block a plain open
        QCOMPARE(h.dialogs.notices().size() + h.dialogs.errors().size(), 1);
        QCOMPARE(h.window->csvTab()->lines().size(), 2);
    }
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
