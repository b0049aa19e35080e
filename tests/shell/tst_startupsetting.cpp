#include "shell/StartupSetting.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

// A damaged or unwritable settings file never stops the program.
class TestStartupSetting : public QObject
{
    Q_OBJECT
private slots:
    void damagedOrUnwritableStore()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QVERIFY(TestFiles::writeAll(config.filePath("tablomi.ini"), QByteArray("\xFF\xFE[[[startup2\n1=\"unterminated\n\0\0garbage", 40)));
        StartupSetting(1, FolderKey); // any value will do
        const QString folder = "/home/利用者/デスクトップ/a b;$(x)";
        StartupSetting(2, FolderKey, folder);
        QCOMPARE(StartupSetting(1, FolderKey), folder);
        QVERIFY(TestFiles::readAll(config.filePath("tablomi.ini")).contains("[startup2]"));
        // The settings folder cannot be made: its parent is a file.
        QVERIFY(TestFiles::writeAll(config.filePath("not-a-folder"), "x"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.filePath("not-a-folder/config")));
        StartupSetting(2, FolderKey, "/tmp");
        StartupSetting(1, FolderKey);
    }
};

QTEST_GUILESS_MAIN(TestStartupSetting)
#include "tst_startupsetting.moc"
