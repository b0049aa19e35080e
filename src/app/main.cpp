#include "ui/AppIcon.h"
#include "ui/AppSetup.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tabulink"));
    // Ties the window to tabulink.desktop, so that Wayland desktops show the
    // entry's name and icon for it.
    QGuiApplication::setDesktopFileName(QStringLiteral("tabulink"));
    QApplication::setWindowIcon(AppIcon::load());
    setUpApplication();

    MainWindow window;
    window.show();
    return app.exec();
}
