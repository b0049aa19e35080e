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

} // namespace

class TestSaveProcedure : public QObject
{
    Q_OBJECT
private slots:
    // Dialog, question, path label, write, file list, notices, in this order
    // (the window tests cover the other questions and notices). calls: S save
    // dialog, C question, N notice; no name cancels the dialog.
    void save_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("old"); // empty: no file there
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QStringList>("notices");
        const QString marks = QStringLiteral("Shift_JIS で表せない文字が 2 文字あったため、「?」に置き換えて保存しました。");
        QTest::newRow("cancel") << Kind::TablePage << "archive.tar.gz" << "archive.html" << QString() << QByteArray()
                                << "S" << QStringList();
        QTest::newRow("Yes replaces a longer file")
            << Kind::TextPage << ".profile" << ".html" << "a.html" << QByteArray(5000, 'z') << "SCN"
            << QStringList{"ｈｔｍｌファイル作成完了"};
        QTest::newRow("csv counts question marks")
            << Kind::CsvFile << QStringLiteral("売上.csv") << QStringLiteral("売上.txt") << "a.txt" << QByteArray()
            << "SNN" << QStringList{marks, "ｃｓｖファイル作成完了"};
        QTest::newRow("text file: no question, no label")
            << Kind::TextFile << "sales.csv" << "txt.txt" << "a.txt" << QByteArray("old") << "SN" << QStringList{marks};
    }
    void save()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, name);
        QFETCH(QByteArray, old);
        QFETCH(QString, calls);
        QTemporaryDir dir;
        const QString path = name.isEmpty() ? QString() : dir.filePath(name);
        if (!old.isEmpty())
            QVERIFY(TestFiles::writeAll(path, old));
        FakeSaveContext ctx;
        QFETCH(QString, selected);
        ctx.selected = selected;
        name.isEmpty() ? ctx.scripted.setNextCancel() : ctx.scripted.setNextFileName(path);
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
        const FileDialogRequest request = ctx.scripted.calls().first().request;
        QTEST(request.presetName, "preset");
        QCOMPARE(request.folder + request.defaultSuffix, kind == Kind::TextFile ? "/work/intxt" : "/work/in");
        QCOMPARE(result, name.isEmpty() ? Result::Cancelled : Result::Written);
        const bool marked = kind == Kind::CsvFile || kind == Kind::TextFile;
        if (!name.isEmpty())
            QCOMPARE(TestFiles::readAll(path), TestFiles::crlfSjis({"一", marked ? "?,?" : "&#128512;,&#54620;"}));
        if (calls.contains('C'))
            QCOMPARE(ctx.scripted.calls().at(1).title + ctx.scripted.calls().at(1).text,
                     QStringLiteral("ファイル上書き確認\n") + path + QStringLiteral(" のファイルに上書きしますか？\n"));
        QCOMPARE(ctx.label, kind == Kind::TextFile || name.isEmpty() ? QStringLiteral("before") : path);
        QCOMPARE(ctx.refreshes, name.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestSaveProcedure)
#include "tst_saveprocedure.moc"
