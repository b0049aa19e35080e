#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "textio/LineSink.h"
#include "ui/SaveContext.h"
#include "ui/SaveProcedure.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;
using Kind = SaveProcedure::Kind;
using Result = SaveProcedure::Result;
Q_DECLARE_METATYPE(Kind)

namespace {
// The window as the save sees it, without widgets.
class FakeSaveContext : public SaveContext
{
public:
    UserDialogs &dialogs() override { return scripted; }
    PageOptions pageOptions() const override { return {}; }
    QString currentFolder() const override { return QStringLiteral("/work/in"); }
    QString selectedFileName() const override { return selected; }
    QString pathLabel() const override { return label; }
    void setPathLabel(const QString &path) override { label = path; }
    void refreshFileList() override { ++refreshes; }

    ScriptedDialogs scripted;
    QString selected;
    QString label = QStringLiteral("before");
    int refreshes = 0;
};

const QString pageFilter = QStringLiteral("htmlﾌｧｲﾙ|*.html|htmﾌｧｲﾙ|*.htm|All Files|*.*|");
} // namespace

class TestSaveProcedure : public QObject
{
    Q_OBJECT
private slots:
    // What the dialog is offered; cancelling it leaves everything as it was.
    void dialogRequest_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("filter");
        QTest::newRow("link page") << Kind::LinkPage << "sales.csv" << "sales.html" << pageFilter;
        QTest::newRow("first dot") << Kind::TablePage << "archive.tar.gz" << "archive.html" << pageFilter;
        QTest::newRow("leading dot") << Kind::TextPage << ".profile" << ".html" << pageFilter;
        QTest::newRow("no dot") << Kind::ImodePage << "README" << "index.html" << pageFilter;
        const QString csvFilter = QStringLiteral("TEXTﾌｧｲﾙ|*.txt|csvﾌｧｲﾙ|*.csv|All Files|*.*|");
        QTest::newRow("csv") << Kind::CsvFile << QStringLiteral("売上.csv") << QStringLiteral("売上.txt") << csvFilter;
        QTest::newRow("csv, no dot") << Kind::CsvFile << "README" << "csv.txt" << csvFilter;
        QTest::newRow("text file, always txt.txt")
            << Kind::TextFile << "sales.csv" << "txt.txt" << "text|*.txt|html|*.html|All Files|*.*|";
    }
    void dialogRequest()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, selected);
        FakeSaveContext ctx;
        ctx.selected = selected;
        ctx.scripted.setNextCancel();
        bool bodyRan = false;
        QCOMPARE(SaveProcedure::run(ctx, kind, [&](LineSink &) { bodyRan = true; }), Result::Cancelled);
        QCOMPARE(ctx.scripted.calls().size(), 1);
        const FileDialogRequest request = ctx.scripted.calls().first().request;
        QTEST(request.presetName, "preset");
        QTEST(request.filter, "filter");
        QCOMPARE(request.folder + request.defaultSuffix, kind == Kind::TextFile ? "/work/intxt" : "/work/in");
        QVERIFY(!bodyRan);
        QCOMPARE(ctx.label + QString::number(ctx.refreshes), QStringLiteral("before0"));
    }

    // Dialog, question, path label, write, file list, notices, in this
    // order (the window tests cover the other questions and notices);
    // calls: S save dialog, C question, N notice, E error.
    void sequence_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("old"); // empty: no file there
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QStringList>("notices");
        const QString marks = QStringLiteral("Shift_JIS で表せない文字が 2 文字あったため、「?」に置き換えて保存しました。");
        QTest::newRow("Yes replaces a longer file")
            << Kind::TextPage << "a.html" << QByteArray(5000, 'z') << "SCN" << QStringList{"ｈｔｍｌファイル作成完了"};
        QTest::newRow("csv counts question marks")
            << Kind::CsvFile << "a.txt" << QByteArray() << "SNN" << QStringList{marks, "ｃｓｖファイル作成完了"};
        QTest::newRow("text file: no question, no label")
            << Kind::TextFile << "a.txt" << QByteArray("old") << "SN" << QStringList{marks};
        QTest::newRow("failure") << Kind::LinkPage << "gone/a.html" << QByteArray() << "SE" << QStringList();
    }
    void sequence()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, name);
        QFETCH(QByteArray, old);
        QFETCH(QString, calls);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (!old.isEmpty())
            QVERIFY(TestFiles::writeAll(path, old));
        FakeSaveContext ctx;
        ctx.scripted.setNextFileName(path);
        ctx.scripted.setNextAnswer(true);
        const Result result = SaveProcedure::run(ctx, kind, [](LineSink &sink) {
            sink.line(QStringLiteral("一"));
            sink.line(QStringLiteral("😀,한"));
        });
        QString made;
        for (const ScriptedDialogs::Call &call : ctx.scripted.calls())
            made += QLatin1Char("SOCNE"[call.kind]);
        QCOMPARE(made, calls);
        QTEST(ctx.scripted.notices(), "notices");
        const bool failed = calls.contains('E');
        QCOMPARE(result, failed ? Result::Failed : Result::Written);
        const bool marked = kind == Kind::CsvFile || kind == Kind::TextFile;
        QCOMPARE(TestFiles::readAll(path),
                 failed ? QByteArray() : TestFiles::crlfSjis({"一", marked ? "?,?" : "&#128512;,&#54620;"}));
        if (calls.contains('C'))
            QCOMPARE(ctx.scripted.calls().at(1).title + ctx.scripted.calls().at(1).text,
                     QStringLiteral("ファイル上書き確認\n") + path + QStringLiteral(" のファイルに上書きしますか？\n"));
        if (failed)
            QVERIFY(ctx.scripted.errors().first().contains(path));
        QCOMPARE(ctx.label, kind == Kind::TextFile ? QStringLiteral("before") : path);
        QCOMPARE(ctx.refreshes, failed ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestSaveProcedure)
#include "tst_saveprocedure.moc"
