#include "ui/AppSetup.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tabulink"));
    setUpApplication();

    MainWindow window;
    window.show();
    return app.exec();
}
