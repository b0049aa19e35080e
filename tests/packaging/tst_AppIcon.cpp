#include "support/TestFiles.h"
#include "ui/AppIcon.h"

#include <QDir>
#include <QIcon>
#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

class TestAppIcon : public QObject
{
    Q_OBJECT
private slots:
    void installedIconWinsBuiltInCopyStandsIn();
};

// Installed into hicolor as Debian's hicolor-icon-theme lays it out (here a
// red square), the icon wins, though the desktop's own theme lacks it; run
// uninstalled, the copy built into the program stands in, at every size.
void TestAppIcon::installedIconWinsBuiltInCopyStandsIn()
{
    QTemporaryDir root;
    QIcon::setThemeSearchPaths({root.path()});
    QIcon::setThemeName(QStringLiteral("Breeze"));
    QVERIFY(AppIcon::load().availableSizes().contains(QSize(256, 256)));
    QCOMPARE(AppIcon::load().pixmap(QSize(16, 16)).toImage().pixelColor(8, 8).alpha(), 255);
    for (const QString &theme : {QStringLiteral("Breeze"), QStringLiteral("hicolor")}) {
        QVERIFY(QDir().mkpath(root.filePath(theme + QStringLiteral("/48x48/apps"))));
        QVERIFY(TestFiles::writeAll(root.filePath(theme + QStringLiteral("/index.theme")),
                                    "[Icon Theme]\nName=" + theme.toUtf8() + "\nDirectories=48x48/apps\n\n"
                                    "[48x48/apps]\nSize=48\nContext=Applications\nType=Threshold\n"));
    }
    QImage red(48, 48, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(root.filePath(QStringLiteral("hicolor/48x48/apps/tabulink.png"))));
    QIcon::setThemeSearchPaths({root.path()});
    QCOMPARE(AppIcon::load().pixmap(QSize(48, 48)).toImage().pixelColor(24, 24), QColor(Qt::red));
}

QTEST_MAIN(TestAppIcon)
#include "tst_AppIcon.moc"
