#include "browse/DriveTable.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

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

    void eachDriveRemembersItsFolder()
    {
        DriveTable drives({{"/", "", ""}, {"/media/usb", "", ""}});
        QCOMPARE(drives.rememberedFolder(0), QString("/"));
        QCOMPARE(drives.rememberedFolder(1), QString("/media/usb"));
        drives.remember("/media/usb/x/");
        drives.remember("/home/u");
        QCOMPARE(drives.rememberedFolder(1), QString("/media/usb/x"));
        QCOMPARE(drives.rememberedFolder(0), QString("/home/u"));
        drives.remember("relative/path");
        QCOMPARE(drives.rememberedFolder(0), QString("/home/u"));
    }

    void reReadKeepsWhatMountedDrivesRemember()
    {
        DriveTable drives({{"/", "", ""}, {"/media/usb", "", ""}});
        drives.remember("/home/u");
        drives.remember("/media/usb/x");
        drives.refreshFrom(DriveTable({{"/", "", ""}, {"/media/cd", "CD", ""}}));
        QCOMPARE(drives.count(), 2);
        QCOMPARE(drives.rememberedFolder(0), QString("/home/u"));
        QCOMPARE(drives.text(1), QString("/media/cd [CD]"));
        QCOMPARE(drives.rememberedFolder(1), QString("/media/cd"));
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
