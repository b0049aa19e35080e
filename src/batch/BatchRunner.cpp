#include "batch/BatchRunner.h"

#include "batch/BatchJobs.h"
#include "page/AppInfo.h"
#include "page/SaveTarget.h"
#include "textio/LineSink.h"
#include "textio/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

#include <sys/stat.h>

namespace Batch {

namespace {

bool writeAll(QIODevice *device, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// A character device or a FIFO: there is nothing to replace, only to write to.
bool isStream(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode);
}

void say(QIODevice *err, const QString &text)
{
    // Messages may span lines (a reason under a path); each line gets the prefix.
    QString shown;
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines)
        shown += programName() + QStringLiteral(": ") + line + u'\n';
    writeAll(err, shown.toUtf8());
}

// The notes that follow a written file: warnings of the job, and how many
// characters became "?".
int finish(const Job &job, qsizetype replaced, QIODevice *err)
{
    for (const QString &warning : job.warnings)
        say(err, warning);
    if (replaced > 0 && job.unmappable == Cp932::Unmappable::QuestionMark)
        say(err, SaveTarget::replacedNotice(replaced));
    return Success;
}

QString standardOutputFailure(const QString &reason)
{
    return QStringLiteral("標準出力に書き込めませんでした。\n%1").arg(reason);
}

// Help and version text: a write that fails (a full disk, a closed
// standard output) is a failure like any other.
int print(const QString &text, QIODevice *out, QIODevice *err)
{
    if (writeAll(out, text.toUtf8()))
        return Success;
    say(err, standardOutputFailure(out->errorString()));
    return Failure;
}

QString tryHelp()
{
    return QStringLiteral("詳しくは '%1 --help' を実行して下さい。").arg(programName());
}

} // namespace

int standardOutputFailed(const QString &reason, QIODevice *err)
{
    say(err, standardOutputFailure(reason));
    return Failure;
}

QString programName()
{
    return QStringLiteral("tabulink-batch");
}

QString versionText()
{
    // The number is the last word of the footer's version text, "Tabulink ver 2.03".
    const QString footer = AppInfo::footerVersion();
    const QString number = footer.section(u' ', -1);
    return QStringLiteral("%1 (%2) %3\n%4\n")
        .arg(programName(), AppInfo::applicationTitle(), number, AppInfo::versionConstant());
}

QString helpText()
{
    return QStringLiteral(
        "使い方: tabulink-batch [オプション]... コマンド 入力 [-o 出力]\n"
        "ウィンドウと同じページを、確認なしで書き出します（Shift_JIS, CR LF）。\n"
        "\n"
        "コマンド:\n"
        "  table  CSVファイル     表のページ（読込、ｸﾞﾘｯﾄﾞに転送、ｈｔｍｌ 保存）\n"
        "  csv    CSVファイル     CSVファイルの保存し直し（読込、転送、csv 保存）\n"
        "  links  フォルダ        フォルダのファイル名からリンクのページ\n"
        "  text   テキストファイル テキストのページ\n"
        "  imode  テキストファイル i-mode 用のページ\n"
        "\n"
        "  -o, --output=ファイル     出力先（既定は - で標準出力）。既にあるファイルは\n"
        "                            全部書けたときだけ置き換えます\n"
        "  -t, --title=文字列        ｈｔｍｌタイトル（既定「ここにタイトルを入れて下さい」）\n"
        "  -b, --back-url=URL        戻るＵＲＬ（既定 http://。11文字以上で戻るリンク）\n"
        "      --background=色       背景: none, white（既定）, skyblue, yellow, orange,\n"
        "                            green, indigo, pink, purple, image、または 0〜9\n"
        "      --background-image=URL 背景画像のアドレス（これだけ指定すると image）\n"
        "  -d, --descriptions=ファイル links: 「ファイル名,説明」の行のファイル\n"
        "\n"
        "表のページ（table）の指定。--no-名前 で外します:\n"
        "      --bold-top            最上部を太字にする（既定で有り）\n"
        "      --bold-left           最左部を太字にする（既定で有り）\n"
        "      --border              テーブルの枠線有り（既定で有り）\n"
        "      --fill-empty          空白にｽﾍﾟｰｽを入れる（既定で有り）\n"
        "      --strip-quotes        両脇の\"を取る（既定で有り。csv の転送にも効きます）\n"
        "      --small-font          ﾃｰﾌﾞﾙﾌｫﾝﾄを8にする（既定で無し）\n"
        "      --center              全文字をセル中央にする（既定で無し）\n"
        "\n"
        "テキストのページ（text, imode）の指定。--no-名前 で外します:\n"
        "      --br                  改行を<br>に置き換える（既定で有り）\n"
        "      --mincho              ＭＳ明朝を使用（既定で無し）\n"
        "\n"
        "  -h, --help                この説明を表示して終了\n"
        "  -V, --version             バージョンを表示して終了\n"
        "\n"
        "終了コード: 0 成功、1 読み書きの失敗、2 引数の誤り。\n");
}

int run(const Options &options, QIODevice *out, QIODevice *err)
{
    const Job job = prepare(options);
    if (!job.ok) {
        say(err, job.error);
        return Failure;
    }

    const bool toStdout = options.output == QLatin1String("-");
    if (toStdout || isStream(options.output)) {
        // Standard output, /dev/null, a terminal or a pipe: nothing to replace,
        // so the page streams out as it is made, as a shell redirection takes it.
        QFile stream;
        QIODevice *device = out;
        if (!toStdout) {
            stream.setFileName(options.output);
            if (!stream.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
                say(err, SafeSave::failureMessage(options.output, stream.errorString()));
                return Failure;
            }
            device = &stream;
        }
        LineSink sink(device, job.unmappable);
        job.body(sink);
        if (!sink.finish()) {
            say(err, toStdout ? standardOutputFailure(device->errorString())
                              : SafeSave::failureMessage(options.output, device->errorString()));
            return Failure;
        }
        return finish(job, sink.replaced(), err);
    }

    // Written through the safe save as the window's save is, but streamed
    // into the new file, so a page of hundreds of megabytes is never held in
    // memory whole; the old file is replaced only by a complete page.
    qsizetype replaced = 0;
    QString reason;
    const bool saved = SafeSave::writeWith(options.output, [&](QIODevice *file) {
        LineSink sink(file, job.unmappable);
        job.body(sink);
        replaced = sink.replaced();
        return sink.finish();
    }, &reason);
    if (!saved) {
        say(err, SafeSave::failureMessage(options.output, reason));
        return Failure;
    }
    return finish(job, replaced, err);
}

int runArguments(const QStringList &args, QIODevice *out, QIODevice *err)
{
    const ParseResult parsed = parseArguments(args);
    if (!parsed.ok) {
        say(err, parsed.error);
        writeAll(err, (tryHelp() + u'\n').toUtf8());
        return UsageError;
    }
    if (parsed.options.showHelp)
        return print(helpText(), out, err);
    if (parsed.options.showVersion)
        return print(versionText(), out, err);
    return run(parsed.options, out, err);
}

} // namespace Batch
