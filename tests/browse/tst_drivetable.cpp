#include "browse/DriveTable.h"

#include <QDir>
#include <QTest>

using namespace tabulink;

class TestDriveTable : public QObject
{
    Q_OBJECT
private slots:
    void longestMountPointHoldsThePath()
    {
        const DriveTable drives({{"/media/usb", "", ""}, {"/", "", ""}, {"/media", "", ""},
                                 {"/media/usb2", "写真", ""}});
        QCOMPARE(drives.at(drives.indexFor("/media/usb/a/b")).mountPoint, QString("/media/usb"));
        QCOMPARE(drives.at(drives.indexFor("/media/usb2")).mountPoint, QString("/media/usb2"));
        QCOMPARE(drives.at(drives.indexFor("/media/usbx")).mountPoint, QString("/media"));
        QCOMPARE(drives.at(drives.indexFor("/home/u")).mountPoint, QString("/"));
        QCOMPARE(drives.at(drives.indexFor("/media/usb/")).mountPoint, QString("/media/usb"));
        QCOMPARE(drives.indexFor("C:\\data"), -1);
        QCOMPARE(drives.indexFor(""), -1);
        QCOMPARE(DriveTable({{"/media", "", ""}}).indexFor("/home"), -1);
    }

    void mountedVolumesHoldTheRootAndNoPseudoFileSystems()
    {
        const DriveTable drives = DriveTable::mounted();
        QVERIFY(drives.count() >= 1);
        QVERIFY(drives.indexFor("/") >= 0);
        for (int i = 0; i < drives.count(); ++i) {
            const QString mount = drives.at(i).mountPoint;
            QVERIFY2(!mount.startsWith("/proc") && !mount.startsWith("/sys")
                         && !mount.startsWith("/dev/"), qPrintable(mount));
            QVERIFY2(QFileInfo(mount).isDir(), qPrintable(mount));
        }
    }
};

QTEST_GUILESS_MAIN(TestDriveTable)
#include "tst_drivetable.moc"
