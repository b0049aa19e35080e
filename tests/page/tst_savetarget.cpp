#include "page/SaveTarget.h"
#include "support/FakeSaveContext.h"
#include "support/TestFiles.h"
#include "textio/LineSink.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

using SaveTarget::OverwriteForm;
using SaveTarget::Result;

namespace {
void writeTwoLines(LineSink &sink)
{
    sink.line(QStringLiteral("一"));
    sink.line(QStringLiteral("二"));
}
} // namespace

class TestSaveTarget : public QObject
{
    Q_OBJECT
private slots:
    void proposedNames_data();
    void proposedNames();
    void cancelOrDeclineKeepsFileAndLabel();
    void yesReplacesLongerFile();
    void newFileSequence();
    void failureKeepsOldFileAndReports();
    void questionMarksAreCounted();
};

void TestSaveTarget::proposedNames_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("proposal");
    QTest::newRow("empty") << "" << "index.html";
    QTest::newRow("csv") << "sales.csv" << "sales.html";
    QTest::newRow("first dot") << "archive.tar.gz" << "archive.html";
    QTest::newRow("report") << "report.2004.csv" << "report.html";
    QTest::newRow("leading dot") << ".profile" << ".html";
    QTest::newRow("no dot") << "README" << "index.html";
    QTest::newRow("japanese") << "売上.csv" << "売上.html";
}

void TestSaveTarget::proposedNames()
{
    QFETCH(QString, selected);
    QFETCH(QString, proposal);
    QCOMPARE(SaveTarget::proposeFileName(selected, ".html", "index.html"), proposal);
}


void TestSaveTarget::cancelOrDeclineKeepsFileAndLabel()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.html");
    QVERIFY(TestFiles::writeAll(path, "old"));
    FakeSaveContext ctx;
    ctx.label = QStringLiteral("before");
    ctx.scripted.setNextCancel();
    bool bodyRan = false;
    QCOMPARE(SaveTarget::run(ctx, SaveTarget::pageParams(OverwriteForm::A, "done"), [&](LineSink &) { bodyRan = true; }),
             Result::Cancelled);
    QVERIFY(!bodyRan);
    ctx.scripted.setNextFileName(path);
    ctx.scripted.setNextAnswer(false);
    QCOMPARE(SaveTarget::run(ctx, SaveTarget::pageParams(OverwriteForm::B, "done"), writeTwoLines),
             Result::Declined);
    QCOMPARE(TestFiles::readAll(path), QByteArray("old"));
    QCOMPARE(ctx.label, QStringLiteral("before"));
    const auto confirms = ctx.scripted.callsOf(ScriptedDialogs::Call::Confirm);
    QCOMPARE(confirms.size(), 1);
    QCOMPARE(confirms.first().title, QStringLiteral("ファイル上書き確認"));
    QCOMPARE(confirms.first().text, SaveTarget::overwriteText(path, OverwriteForm::B));
    QVERIFY(ctx.scripted.notices().isEmpty());
    QCOMPARE(ctx.refreshes, 0);
}

void TestSaveTarget::yesReplacesLongerFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.html");
    QVERIFY(TestFiles::writeAll(path, QByteArray(5000, 'z')));
    FakeSaveContext ctx;
    ctx.scripted.setNextFileName(path);
    ctx.scripted.setNextAnswer(true);
    QCOMPARE(SaveTarget::run(ctx, SaveTarget::pageParams(OverwriteForm::A, "done"), writeTwoLines),
             Result::Written);
    QCOMPARE(TestFiles::readAll(path), TestFiles::crlfSjis({"一", "二"}));
}

void TestSaveTarget::newFileSequence()
{
    QTemporaryDir dir;
    FakeSaveContext ctx;
    ctx.folder = dir.path();
    ctx.selected = QStringLiteral("data.csv");
    const QString path = dir.filePath("noext"); // typed without an extension
    ctx.scripted.setNextFileName(path);
    QCOMPARE(SaveTarget::run(ctx, SaveTarget::pageParams(OverwriteForm::A, "ｈｔｍｌファイル作成完了"), writeTwoLines),
             Result::Written);
    const auto save = ctx.scripted.callsOf(ScriptedDialogs::Call::Save).first().request;
    QCOMPARE(save.presetName, QStringLiteral("data.html"));
    QCOMPARE(save.folder, dir.path());
    QCOMPARE(save.filter, QStringLiteral("htmlﾌｧｲﾙ|*.html|htmﾌｧｲﾙ|*.htm|All Files|*.*|"));
    QCOMPARE(save.defaultSuffix, QString());
    QVERIFY(ctx.scripted.callsOf(ScriptedDialogs::Call::Confirm).isEmpty());
    QCOMPARE(ctx.label, path);
    QCOMPARE(ctx.refreshes, 1);
    QCOMPARE(ctx.scripted.notices(), QStringList({"ｈｔｍｌファイル作成完了"}));
    QVERIFY(QFile::exists(path));
}

void TestSaveTarget::failureKeepsOldFileAndReports()
{
    QTemporaryDir dir;
    FakeSaveContext ctx;
    const QString path = dir.filePath("missing-folder/a.html");
    ctx.scripted.setNextFileName(path);
    QCOMPARE(SaveTarget::run(ctx, SaveTarget::pageParams(OverwriteForm::A, "done"), writeTwoLines),
             Result::Failed);
    QVERIFY(ctx.scripted.notices().isEmpty());
    QCOMPARE(ctx.scripted.errors().size(), 1);
    QVERIFY(ctx.scripted.errors().first().contains(path));
    QCOMPARE(ctx.refreshes, 0);
}

void TestSaveTarget::questionMarksAreCounted()
{
    QTemporaryDir dir;
    FakeSaveContext ctx;
    const QString path = dir.filePath("a.txt");
    ctx.scripted.setNextFileName(path);
    SaveTarget::Params p = SaveTarget::pageParams(OverwriteForm::A, "ｃｓｖファイル作成完了");
    p.unmappable = Cp932::Unmappable::QuestionMark;
    QCOMPARE(SaveTarget::run(ctx, p, [](LineSink &s) { s.line(QStringLiteral("😀,한,あ")); }), Result::Written);
    QCOMPARE(TestFiles::readAll(path), TestFiles::crlfSjis({"?,?,あ"}));
    QCOMPARE(ctx.scripted.notices(), QStringList({SaveTarget::replacedNotice(2), "ｃｓｖファイル作成完了"}));
}

QTEST_GUILESS_MAIN(TestSaveTarget)
#include "tst_savetarget.moc"
