#include "shell/QuitSignals.h"
#include "ui/AppIcon.h"
#include "ui/AppSetup.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QIcon>

#include <cstdlib>

using namespace tabulink;

namespace {

MainWindow *g_window = nullptr;

// A lost display ends the program through exit() from inside Qt, past every
// signal of the application: the folder is stored on the way out.
void storeFolderAtExit()
{
    if (g_window)
        g_window->storeFolder();
}

} // namespace

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
    // Killed, hung up or interrupted: store the folder, then end in order.
    if (QuitSignals *quitSignals = QuitSignals::install(&app)) {
        QObject::connect(quitSignals, &QuitSignals::received, &window, [&window] {
            window.storeFolder();
            QCoreApplication::quit();
        });
    }
    g_window = &window;
    std::atexit(storeFolderAtExit);

    window.show();
    const int status = app.exec();
    g_window = nullptr;
    return status;
}
