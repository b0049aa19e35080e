#include "ui/AppIcon.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

// The window icon: the one installed into the icon theme wins, and the copy
// built into the program stands in when the program runs uninstalled.
class TestAppIcon : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void builtInCopyIsDrawn();
    void uninstalledProgramFallsBackOnBuiltInCopy();
    void installedIconInHicolorWinsOverBuiltInCopy();

private:
    // Below root: the desktop's own theme "Breeze", without the program's
    // icon, and the hicolor theme as Debian's hicolor-icon-theme installs it,
    // with the program's icon at 48 pixels, a plain red square.
    static void installRedIcon(const QString &root);
    static void writeIndex(const QString &theme, const QByteArray &name);

    QStringList m_searchPaths;
    QString m_themeName;
};

void TestAppIcon::init()
{
    m_searchPaths = QIcon::themeSearchPaths();
    m_themeName = QIcon::themeName();
}

void TestAppIcon::cleanup()
{
    QIcon::setThemeSearchPaths(m_searchPaths);
    QIcon::setThemeName(m_themeName);
}

void TestAppIcon::builtInCopyIsDrawn()
{
    const QIcon icon = AppIcon::builtIn();
    QVERIFY(!icon.isNull());

    // Drawn, not empty: the middle of the small icon is opaque.
    const QImage small = icon.pixmap(QSize(16, 16)).toImage();
    QCOMPARE(small.size(), QSize(16, 16));
    QCOMPARE(small.pixelColor(8, 8).alpha(), 255);
    // The corners are rounded off.
    QCOMPARE(icon.pixmap(QSize(256, 256)).toImage().pixelColor(0, 0).alpha(), 0);
}

void TestAppIcon::uninstalledProgramFallsBackOnBuiltInCopy()
{
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    QIcon::setThemeSearchPaths({empty.path()});
    QIcon::setThemeName(QStringLiteral("hicolor"));

    const QIcon icon = AppIcon::load();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
}

void TestAppIcon::installedIconInHicolorWinsOverBuiltInCopy()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    installRedIcon(root.path());
    QIcon::setThemeSearchPaths({root.path()});
    // The desktop's own theme lacks the icon; the lookup goes on to hicolor.
    QIcon::setThemeName(QStringLiteral("Breeze"));

    const QImage image = AppIcon::load().pixmap(QSize(48, 48)).toImage();
    QCOMPARE(image.size(), QSize(48, 48));
    QCOMPARE(image.pixelColor(24, 24), QColor(Qt::red));
}

void TestAppIcon::installRedIcon(const QString &root)
{
    writeIndex(root + QStringLiteral("/Breeze"), "Breeze");
    const QString theme = root + QStringLiteral("/hicolor");
    writeIndex(theme, "Hicolor");

    QImage red(48, 48, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(theme + QStringLiteral("/48x48/apps/tabulink.png")));
}

void TestAppIcon::writeIndex(const QString &theme, const QByteArray &name)
{
    QVERIFY(QDir().mkpath(theme + QStringLiteral("/48x48/apps")));
    QFile index(theme + QStringLiteral("/index.theme"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=" + name + "\nDirectories=48x48/apps\n\n"
                "[48x48/apps]\nSize=48\nContext=Applications\nType=Threshold\n");
}

QTEST_MAIN(TestAppIcon)
#include "tst_AppIcon.moc"
