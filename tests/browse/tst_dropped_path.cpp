// What a drop hands the window: the first item, a local folder or regular
// file, or why it is refused; and the watch that sees a volume mounted.

#include "browse/DroppedPath.h"
#include "browse/FolderWatch.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace tabulink;

class TestDroppedPath : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    void takesTheFirstLocalItem_data()
    {
        const QString d = m_tmp.path() + "/d";
        QVERIFY(QDir().mkpath(d));
        QVERIFY(TestFiles::writeAll(d + "/a b.csv", "x"));
        QCOMPARE(::mkfifo(QFile::encodeName(d + "/p.csv").constData(), 0600), 0);
        QTest::addColumn<QStringList>("urls"); // local paths, or addresses with "://"
        QTest::addColumn<bool>("foldersToo");
        QTest::addColumn<QString>("expected"); // "file <folder> <name>", "folder <path>" or the message
        QTest::newRow("nothing") << QStringList{} << true << "";
        QTest::newRow("file, first of two") << QStringList{d + "/a b.csv", d} << false << "file " + d + " a b.csv";
        QTest::newRow("winding path") << QStringList{d + "/../d/./a b.csv"} << true << "file " + d + " a b.csv";
        QTest::newRow("folder on the lists") << QStringList{d + "/", d + "/a b.csv"} << true << "folder " + d;
        QTest::newRow("folder on a tab") << QStringList{d} << false << "通常のファイルではないため読み込めません。\n" + d;
        QTest::newRow("FIFO") << QStringList{d + "/p.csv"} << true << "通常のファイルではないため読み込めません。\n" + d + "/p.csv";
        QTest::newRow("gone") << QStringList{d + "/gone.csv"} << true << "ファイルが見つかりません。\n" + d + "/gone.csv";
        QTest::newRow("remote share") << QStringList{"smb://server/share/a.csv", d} << true
            << "直のネットワークドライブには、対応しておりません。ドライブ名を割り当て、ドライブ名にて指定して下さい。";
    }
    void takesTheFirstLocalItem()
    {
        QFETCH(QStringList, urls);
        QFETCH(bool, foldersToo);
        QList<QUrl> list;
        for (const QString &u : urls)
            list << (u.contains("://") ? QUrl(u) : QUrl::fromLocalFile(u));
        const DroppedPath dropped = DroppedPath::take(list, foldersToo);
        if (dropped.kind == DroppedPath::File)
            QTEST("file " + dropped.folder + " " + dropped.name, "expected");
        else if (dropped.kind == DroppedPath::Folder)
            QTEST("folder " + dropped.path, "expected");
        else
            QTEST(dropped.message.text, "expected");
    }

    // A volume mounted or unmounted while the window is open (a USB stick).
    void aMountIsSeen()
    {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            QSKIP("no mount namespace of its own here (needs root)");
        FolderWatch watch;
        QSignalSpy seen(&watch, &FolderWatch::drivesChanged);
        QVERIFY(QDir().mkpath(m_tmp.path() + "/stick"));
        const QByteArray at = QFile::encodeName(m_tmp.path() + "/stick");
        QCOMPARE(::mount("tmpfs", at.constData(), "tmpfs", 0, "size=64k"), 0);
        QTRY_COMPARE(seen.count(), 1);
        QCOMPARE(::umount(at.constData()), 0);
        QTRY_COMPARE(seen.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDroppedPath)
#include "tst_dropped_path.moc"
