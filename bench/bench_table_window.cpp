// Times the real window on a 200,000-line CSV file: "csvﾌｧｲﾙ読込",
// "ｸﾞﾘｯﾄﾞに転送", "csv 保存" and "ｈｔｍｌ 保存", views included.
// Run: QT_QPA_PLATFORM=offscreen ./build/bench_table_window [lines]

#include "page/UserDialogs.h"
#include "textio/Cp932.h"
#include "ui/AppSetup.h"
#include "ui/CsvTab.h"
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

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

void press(MainWindow &window, const char *name, const char *what)
{
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAbstractButton *>(QString::fromLatin1(name))->click();
    QApplication::processEvents();
    std::printf("%-28s %8.1f ms\n", what, double(timer.nsecsElapsed()) / 1e6);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    setUpApplication();
    const int lines = argc > 1 ? std::atoi(argv[1]) : 200000;

    QTemporaryDir dir;
    const QString path = dir.filePath("big.csv");
    {
        QString text;
        for (int i = 0; i < lines; ++i)
            text += QStringLiteral("%1,\"商品%2\",東京都,%3, 12.5 ,abc,\"x\"\"y\",末尾\r\n").arg(i).arg(i % 977).arg(i * 7);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(Cp932::encode(text, Cp932::Unmappable::QuestionMark));
    }

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
    std::printf("table %d x %d\n", window.csvTab()->grid().rowCount(), window.csvTab()->grid().colCount());
    return 0;
}
