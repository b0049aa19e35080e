#include "shell/StartupSetting.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

class TestStartupSetting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void storesAndReadsBack();
    void damagedFileDoesNotStopTheProgram();
    void unwritableStoreDoesNotStopTheProgram();

private:
    QTemporaryDir m_config;
    QString iniPath() const { return m_config.filePath(QStringLiteral("tablomi.ini")); }
};

void TestStartupSetting::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void TestStartupSetting::storesAndReadsBack()
{
    QCOMPARE(StartupSetting(1, FolderKey), QString()); // nothing stored yet
    const QString folder = QStringLiteral("/home/利用者/デスクトップ/a b;$(x)");
    QCOMPARE(StartupSetting(2, FolderKey, folder), QString());
    QCOMPARE(StartupSetting(1, FolderKey), folder);
    const QByteArray ini = TestFiles::readAll(iniPath());
    QVERIFY(ini.contains("[startup2]"));
    QVERIFY(ini.contains("1="));
}

void TestStartupSetting::damagedFileDoesNotStopTheProgram()
{
    QVERIFY(TestFiles::writeAll(iniPath(), QByteArray("\xFF\xFE[[[startup2\n1=\"unterminated\n\0\0garbage", 40)));
    StartupSetting(1, FolderKey); // must not crash; any value will do
    StartupSetting(2, FolderKey, QStringLiteral("/tmp"));
    QCOMPARE(StartupSetting(1, FolderKey), QStringLiteral("/tmp"));
}

void TestStartupSetting::unwritableStoreDoesNotStopTheProgram()
{
    // The settings folder cannot be made: its parent is a file.
    const QString blocker = m_config.filePath(QStringLiteral("not-a-folder"));
    QVERIFY(TestFiles::writeAll(blocker, "x"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker + QStringLiteral("/config")));
    StartupSetting(2, FolderKey, QStringLiteral("/tmp"));
    StartupSetting(1, FolderKey);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

QTEST_GUILESS_MAIN(TestStartupSetting)
#include "tst_startupsetting.moc"
