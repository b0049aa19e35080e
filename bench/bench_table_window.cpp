// Times the real window on a CSV file of 200,000 lines (or as many as asked):
// "csvﾌｧｲﾙ読込", "ｸﾞﾘｯﾄﾞに転送", "csv 保存" and "ｈｔｍｌ 保存", views included,
// in CPU time and wall time, and prints the peak memory against the file's
// size. The goal: each step within 1 s of CPU for 1,000,000 lines, the peak
// within 3 times the file.
// Run: QT_QPA_PLATFORM=offscreen ./build/bench_table_window [lines]
// With BENCH_KEEP_DIR set, the input and the files written stay in that
// folder (to compare them between builds with cmp); with BENCH_UTF8 set, the
// input is written in UTF-8 instead of code page 932.

#include "page/UserDialogs.h"
#include "textio/Cp932.h"
#include "ui/AppSetup.h"
#include "ui/CsvTab.h"
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

using namespace tabulink;

namespace {
// Answers every file dialog with one path and every question with Yes.
class FixedDialogs : public UserDialogs
{
public:
    QString path;
    std::optional<QString> saveFileName(const FileDialogRequest &) override { return path; }
    std::optional<QString> openFileName(const FileDialogRequest &) override { return path; }
    bool confirm(const QString &, const QString &, DefaultAnswer) override { return true; }
    void notify(const QString &) override {}
    void error(const QString &text) override { std::printf("error: %s\n", qPrintable(text)); }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void press(MainWindow &window, const char *name, const char *what)
{
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuSeconds();
    window.findChild<QAbstractButton *>(QString::fromLatin1(name))->click();
    QApplication::processEvents();
    std::printf("%-28s %8.3f s CPU %8.1f ms wall, peak %6.1f MiB\n", what, cpuSeconds() - cpu,
                double(timer.nsecsElapsed()) / 1e6, peakMiB());
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    setUpApplication();
    const int lines = argc > 1 ? std::atoi(argv[1]) : 200000;

    QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("BENCH_KEEP_DIR");
    const QDir dir(kept.isEmpty() ? temporary.path() : kept);
    const QString path = dir.filePath("big.csv");
    const bool utf8 = qEnvironmentVariableIsSet("BENCH_UTF8");
    {
        // Written in pieces, so that the peak measured is the window's own.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QString text;
        for (int i = 0; i < lines; ++i) {
            text += QStringLiteral("%1,\"商品%2\",東京都,%3, 12.5 ,abc,\"x\"\"y\",末尾\r\n").arg(i).arg(i % 977).arg(i * 7);
            if (text.size() > (1 << 20) || i + 1 == lines) {
                file.write(utf8 ? text.toUtf8() : Cp932::encode(text, Cp932::Unmappable::QuestionMark));
                text.clear();
            }
        }
    }

    const double fileMiB = double(QFile(path).size()) / (1024.0 * 1024.0);
    std::printf("file %.1f MiB; peak before reading %.1f MiB\n", fileMiB, peakMiB());

    FixedDialogs dialogs;
    MainWindow window(&dialogs);
    window.findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(0);
    window.show();
    QApplication::processEvents();

    window.saveContext().setPathLabel(path);
    press(window, "Command1", "read (csvﾌｧｲﾙ読込)");
    press(window, "Command2", "transfer (ｸﾞﾘｯﾄﾞに転送)");
    dialogs.path = dir.filePath("out.csv");
    press(window, "Command4", "write CSV (csv 保存)");
    dialogs.path = dir.filePath("out.html");
    press(window, "Command3", "write page (ｈｔｍｌ 保存)");
    std::printf("table %d x %d; peak %.1f MiB = %.2f x the file\n", window.csvTab()->grid().rowCount(),
                window.csvTab()->grid().colCount(), peakMiB(), peakMiB() / fileMiB);
    return 0;
}
