// What a drop hands the window: the first item, a local folder or regular
// file, or the reason it is refused; and the drive list's watch on mounts.

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
        QVERIFY(QDir().mkpath(m_tmp.path() + "/d"));
        QVERIFY(TestFiles::writeAll(m_tmp.path() + "/d/a b.csv", "x"));
        QCOMPARE(::mkfifo(QFile::encodeName(m_tmp.path() + "/d/p.csv").constData(), 0600), 0);
        const QString d = m_tmp.path() + "/d";
        QTest::addColumn<QStringList>("urls"); // local paths, or addresses with "://"
        QTest::addColumn<bool>("foldersToo");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString network = "直のネットワークドライブには、対応しておりません。"
                                "ドライブ名を割り当て、ドライブ名にて指定して下さい。";
        QTest::newRow("nothing") << QStringList{} << true << int(DroppedPath::Nothing) << "" << "" << "";
        QTest::newRow("file, first of two") << QStringList{d + "/a b.csv", d} << false << int(DroppedPath::File)
                                            << d + "/a b.csv" << "a b.csv" << "";
        QTest::newRow("file by a winding path") << QStringList{d + "/../d/./a b.csv"} << true << int(DroppedPath::File)
                                                << d + "/a b.csv" << "a b.csv" << "";
        QTest::newRow("folder on the lists") << QStringList{d + "/", d + "/a b.csv"} << true
                                             << int(DroppedPath::Folder) << d << "" << "";
        QTest::newRow("folder on a tab") << QStringList{d} << false << int(DroppedPath::Refused) << "" << ""
                                         << "通常のファイルではないため読み込めません。\n" + d;
        QTest::newRow("FIFO") << QStringList{d + "/p.csv"} << true << int(DroppedPath::Refused) << "" << ""
                              << "通常のファイルではないため読み込めません。\n" + d + "/p.csv";
        QTest::newRow("gone") << QStringList{d + "/gone.csv"} << true << int(DroppedPath::Refused) << "" << ""
                              << "ファイルが見つかりません。\n" + d + "/gone.csv";
        QTest::newRow("web address") << QStringList{"https://example.com/a.csv", d} << true
                                     << int(DroppedPath::Refused) << "" << "" << network;
        QTest::newRow("remote share") << QStringList{"smb://server/share/a.csv"} << false
                                      << int(DroppedPath::Refused) << "" << "" << network;
    }

    void takesTheFirstLocalItem()
    {
        QFETCH(QStringList, urls);
        QFETCH(bool, foldersToo);
        QList<QUrl> list;
        for (const QString &u : urls)
            list << (u.contains("://") ? QUrl(u) : QUrl::fromLocalFile(u));
        const DroppedPath dropped = DroppedPath::take(list, foldersToo);
        QFETCH(int, kind);
        QCOMPARE(int(dropped.kind), kind);
        QTEST(dropped.message, "message");
        if (dropped.kind == DroppedPath::Refused)
            return;
        QTEST(dropped.path, "path");
        QTEST(dropped.name, "name");
        if (dropped.kind == DroppedPath::File)
            QCOMPARE(dropped.folder, m_tmp.path() + "/d");
    }

    // A volume mounted while the window is open (a USB stick) is seen
    // without a look at the mount table of its own.
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
