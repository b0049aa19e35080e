// How long the window takes to show a folder of many files in the file list,
// and to scroll through it. Run through bench_browse.sh.

#include "browse/FolderListing.h"
#include "ui/AppSetup.h"
#include "ui/BrowsePanel.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace tabulink;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    const int count = argc > 1 ? atoi(argv[1]) : 100000;

    QTemporaryDir dir;
    for (int i = 0; i < count; ++i) {
        QFile file(dir.filePath(QStringLiteral("ファイル_%1.csv").arg((i * 7919) % count, 6, 10, QLatin1Char('0'))));
        file.open(QIODevice::WriteOnly);
    }
    QDir(dir.path()).mkdir(QStringLiteral("sub"));

    QElapsedTimer timer;
    timer.start();
    const FolderListing listing = listFolder(dir.path());
    std::printf("listFolder (read + sort %lld names): %lld ms\n",
                qint64(listing.files.size()), timer.elapsed());

    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *file1 = window.findChild<QListView *>(QStringLiteral("File1"));

    timer.restart();
    window.browsePanel()->setFolder(dir.path());
    file1->viewport()->repaint();
    app.processEvents();
    std::printf("folder change until File1 painted (%d rows): %lld ms\n",
                file1->model()->rowCount(), timer.elapsed());

    timer.restart();
    window.browsePanel()->refreshFiles();
    file1->viewport()->repaint();
    app.processEvents();
    std::printf("file list re-read and painted: %lld ms\n", timer.elapsed());

    QScrollBar *bar = file1->verticalScrollBar();
    const int steps = 200;
    timer.restart();
    for (int i = 1; i <= steps; ++i) {
        bar->setValue(bar->maximum() * i / steps);
        file1->viewport()->repaint();
    }
    std::printf("scrolling: %d page jumps, %.2f ms per repaint\n", steps,
                double(timer.nsecsElapsed()) / 1e6 / steps);
    return 0;
}
