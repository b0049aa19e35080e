// Times the link tab on a folder of many files: importing the file names into
// the list and writing the link page, through the real window (offscreen).
// Usage: bench_link [file count] [runs]

#include "linkpage/FileList.h"
#include "linkpage/LinkPageWriter.h"
#include "page/UserDialogs.h"
#include "ui/AppSetup.h"
#include "ui/BrowsePanel.h"
#include "ui/LinkListModel.h"
#include "ui/LinkTab.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace tabulink;

namespace {

// Answers the save dialog with one path and every question with Yes.
class FixedDialogs : public UserDialogs
{
public:
    QString path;
    std::optional<QString> saveFileName(const FileDialogRequest &) override { return path; }
    std::optional<QString> openFileName(const FileDialogRequest &) override { return std::nullopt; }
    bool confirm(const QString &, const QString &, DefaultAnswer) override { return true; }
    void notify(const QString &) override {}
    void error(const QString &text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    QApplication app(argc, argv);
    setUpApplication();
    const int fileCount = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

    QTemporaryDir files;
    QTemporaryDir out;
    const QByteArray base = QFile::encodeName(files.path()) + '/';
    for (int i = 0; i < fileCount; ++i) {
        // Mixed names: ASCII, Japanese, blanks and characters that need escaping.
        QByteArray name = base;
        switch (i % 4) {
        case 0: name += "photo_" + QByteArray::number(i) + ".jpg"; break;
        case 1: name += QStringLiteral("夏の写真 %1.png").arg(i).toUtf8(); break;
        case 2: name += "#" + QByteArray::number(i) + " a&b.txt"; break;
        default: name += "report-" + QByteArray::number(i) + ".html"; break;
        }
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
        if (fd >= 0)
            ::close(fd);
    }

    FixedDialogs dialogs;
    dialogs.path = QDir(out.path()).filePath("links.html");
    MainWindow window(&dialogs);
    window.show();
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    tabs->setCurrentWidget(window.linkTab());
    app.processEvents();

    QElapsedTimer timer;
    timer.start();
    window.browsePanel()->setFolder(files.path());
    app.processEvents();
    const double browseMs = timer.nsecsElapsed() / 1e6;
    const QStringList names = window.browsePanel()->fileNames();

    std::vector<double> importMs, writeMs, totalMs, coreMs, refreshMs;
    for (int r = 0; r < runs; ++r) {
        window.linkTab()->clearFileNames();
        app.processEvents();
        timer.restart();
        window.linkTab()->importFileNames();
        app.processEvents();
        const double a = timer.nsecsElapsed() / 1e6;
        timer.restart();
        window.linkTab()->writeLinkPage();
        app.processEvents();
        const double b = timer.nsecsElapsed() / 1e6;
        importMs.push_back(a);
        writeMs.push_back(b);
        totalMs.push_back(a + b);

        // The same work without widgets: list rows and the page into memory.
        timer.restart();
        FileList list;
        list.replaceAll(names);
        QByteArray page;
        QBuffer buffer(&page);
        buffer.open(QIODevice::WriteOnly);
        LinkPageWriter::write(&buffer, PageOptions(), list.entries());
        coreMs.push_back(timer.nsecsElapsed() / 1e6);

        // Every writer re-reads the file list after saving; that part is the
        // file browser's, timed here on its own.
        timer.restart();
        window.browsePanel()->refreshFiles();
        refreshMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    const qint64 pageBytes = QFileInfo(dialogs.path).size();
    std::printf("files in folder:           %lld (File1 lists %lld)\n", (long long)fileCount,
                (long long)names.size());
    std::printf("rows in List2:             %lld\n", (long long)window.linkTab()->fileListModel()->rows().size());
    std::printf("page size:                 %lld bytes\n", (long long)pageBytes);
    std::printf("folder listing (File1):    %8.1f ms (file browser, not the link tab)\n", browseMs);
    std::printf("import  importFileNames:   %8.1f ms median of %d\n", median(importMs), runs);
    std::printf("write   writeLinkPage:     %8.1f ms median of %d\n", median(writeMs), runs);
    std::printf("import + write:            %8.1f ms median, %8.1f ms worst\n", median(totalMs),
                *std::max_element(totalMs.begin(), totalMs.end()));
    std::printf("  of which File1 refresh:  %8.1f ms median (file browser)\n", median(refreshMs));
    std::printf("link tab's own share:      %8.1f ms median (import + write - refresh)\n",
                median(totalMs) - median(refreshMs));
    std::printf("core only (rows + page):   %8.1f ms median\n", median(coreMs));
    return 0;
}
