// Times the text tab with a 5 MB text: loading and writing the file, and the
// byte count on every keystroke. Run: ./build/bench/bench_text [megabytes]

#include "page/UserDialogs.h"
#include "textio/Cp932.h"
#include "textpage/TextFile.h"
#include "ui/AppSetup.h"
#include "ui/MainWindow.h"
#include "ui/TextTab.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tabulink;

namespace {

class FixedDialogs : public UserDialogs
{
public:
    QString path;
    std::optional<QString> saveFileName(const FileDialogRequest &) override { return path; }
    std::optional<QString> openFileName(const FileDialogRequest &) override { return path; }
    bool confirm(const QString &, const QString &, DefaultAnswer) override { return true; }
    void notify(const QString &text) override { std::fprintf(stderr, "notice: %s\n", qPrintable(text)); }
    void error(const QString &text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
};

double ms(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// Median and maximum of n runs.
void report(const char *what, int n, const std::function<void()> &f)
{
    std::vector<double> times;
    for (int i = 0; i < n; ++i)
        times.push_back(ms(f));
    std::sort(times.begin(), times.end());
    std::printf("%-46s median %8.3f  2nd-max %8.3f  max %8.3f ms (%d runs)\n", what, times[times.size() / 2],
                times[times.size() > 1 ? times.size() - 2 : 0], times.back(), n);
}

void typeKey(QWidget *w, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication();
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 5.0;

    // Lines of mixed Japanese and ASCII, about 70 bytes each.
    const QString line = QStringLiteral("第%1行　日本語のテキスト、ｶﾀｶﾅ and ASCII text ①髙～ 0123456789");
    QString text;
    qsizetype bytes = 0;
    for (int i = 0; bytes < qsizetype(megabytes * 1024 * 1024); ++i) {
        const QString l = line.arg(i) + QStringLiteral("\r\n");
        bytes += Cp932::byteCount(l);
        text += l;
    }
    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt");
    {
        QFile f(in);
        f.open(QIODevice::WriteOnly);
        f.write(Cp932::encode(text, Cp932::Unmappable::QuestionMark));
    }
    std::printf("text: %lld bytes in Shift_JIS, %lld characters\n", qint64(bytes), qint64(text.size()));

    FixedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    TextTab *tab = window.textTab();
    QPlainTextEdit *editor = tab->editor();
    auto *label7 = window.findChild<QLabel *>(QStringLiteral("Label7"));

    dialogs.path = in;
    report("load 5 MB file (loadTextFile, end to end)", 5, [&] { tab->loadTextFile(); });
    {
        const QString loaded = TextFile::read(in).text;
        QString plain = loaded;
        report("  of which: CR LF to LF", 3, [&] { plain = loaded; plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); });
        QPlainTextEdit bare;
        bare.setGeometry(editor->geometry());
        bare.show();
        report("  Qt alone: setPlainText on a bare editor", 3, [&] { bare.setPlainText(plain); });
        report("  setEditorText (with the count)", 3, [&] { tab->setEditorText(loaded); });
    }
    report("  of which: read and decode (TextFile::read)", 3, [&] { (void)TextFile::read(in); });
    std::printf("Label7 after load: \"%s\" (full count %lld)\n", qPrintable(label7->text()),
                qint64(Cp932::byteCount(tab->editorText())));

    dialogs.path = dir.filePath("out.txt");
    report("write 5 MB file (saveTextFile, end to end)", 3, [&] { tab->saveTextFile(); });
    std::printf("written file equals the loaded file: %s\n",
                QFile(in).size() == QFile(dialogs.path).size() ? "yes (same size)" : "NO");

    report("full count: toPlainText + CR LF + byteCount", 5,
           [&] { (void)Cp932::byteCount(tab->editorText()); });
    report("  of which: toPlainText alone", 5, [&] { (void)editor->toPlainText(); });

    // A keystroke in the middle of the text, with and without the kept count:
    // the difference is what the count adds to typing.
    QPlainTextEdit bare;
    bare.setGeometry(editor->geometry());
    bare.setPlainText(editor->toPlainText());
    bare.show();
    for (QPlainTextEdit *e : {editor, &bare}) {
        QTextCursor c(e->document());
        c.setPosition(e->document()->characterCount() / 2);
        e->setTextCursor(c);
        e->setFocus();
    }
    report("keystroke 'x' in a bare editor", 200, [&] { typeKey(&bare, Qt::Key_X, QStringLiteral("x")); });
    report("keystroke 'x' in the counting editor", 200, [&] { typeKey(editor, Qt::Key_X, QStringLiteral("x")); });
    report("Enter in the counting editor", 100, [&] { typeKey(editor, Qt::Key_Return, QStringLiteral("\r")); });
    report("Enter in a bare editor", 100, [&] { typeKey(&bare, Qt::Key_Return, QStringLiteral("\r")); });
    report("Backspace in the counting editor", 100, [&] { typeKey(editor, Qt::Key_Backspace, QString()); });
    report("Backspace in a bare editor", 100, [&] { typeKey(&bare, Qt::Key_Backspace, QString()); });
    const qsizetype full = Cp932::byteCount(tab->editorText());
    std::printf("Label7 after typing: \"%s\", full count %lld: %s\n", qPrintable(label7->text()), qint64(full),
                label7->text() == TextFile::byteCountText(full) ? "equal" : "DIFFERENT");
    return 0;
}
