#include "batch/BatchMessages.h"

namespace tabulink {

namespace BatchMessages {

QString badArgumentEncoding(const QString &program, int index, const QString &codeset)
{
    return QStringLiteral("%1: 引数 %2 は文字コード %3 として正しくありません\n").arg(program).arg(index).arg(codeset);
}

QString optionNeedsValue(const QString &option)
{
    return QStringLiteral("オプション %1 には値が必要です").arg(option);
}

QString optionTakesNoValue(const QString &option)
{
    return QStringLiteral("オプション %1 には値を付けられません").arg(option);
}

QString unknownLongOption(const QString &option)
{
    return QStringLiteral("不明なオプションか、略し方が曖昧です: %1").arg(option);
}

QString unknownShortOption(QChar option)
{
    return QStringLiteral("不明なオプションです: -%1").arg(option);
}

QString badBackground(const QString &value)
{
    return QStringLiteral("--background の値「%1」が正しくありません（white, skyblue, yellow, "
                          "orange, green, indigo, pink, purple, image または 1〜9）")
        .arg(value);
}

QString noCommand()
{
    return QStringLiteral("コマンドがありません（table, csv, links, text, imode のどれか）");
}

QString unknownCommand(const QString &command)
{
    return QStringLiteral("不明なコマンドです: %1").arg(command);
}

QString commandNeedsInput(const QString &command)
{
    return QStringLiteral("%1 コマンドには入力が必要です").arg(command);
}

QString emptyOutputFolder()
{
    return QStringLiteral("出力フォルダが空です");
}

QString outputAndFolder()
{
    return QStringLiteral("-o と -O は一緒に使えません");
}

QString folderCommands()
{
    return QStringLiteral("-O は table, csv, text, imode コマンドで使えます");
}

QString extraArgument(const QString &argument)
{
    return QStringLiteral("余分な引数があります: %1（入力を複数にするには -O で出力フォルダを指定）").arg(argument);
}

QString emptyOutput()
{
    return QStringLiteral("出力先が空です");
}

QString descriptionsOnlyForLinks()
{
    return QStringLiteral("--descriptions は links コマンドでだけ使えます");
}

QString tryHelp(const QString &program)
{
    return QStringLiteral("詳しくは '%1 --help' を実行して下さい。").arg(program);
}

QString missingCommand()
{
    return QStringLiteral("コマンドがありません");
}

QString sizeLimit(qint64 mebibytes)
{
    return QStringLiteral("（上限 %1 MB）").arg(mebibytes);
}

QString unknownDescription(const QString &name)
{
    return QStringLiteral(": フォルダにないファイルの説明は使いません: %1").arg(name);
}

QString standardOutput()
{
    return QStringLiteral("標準出力");
}

QString sameAsInput(const QString &input)
{
    return QStringLiteral("入力ファイル %1 と同じファイルには書き出せません").arg(input);
}

QString standardInputToFolder()
{
    return QStringLiteral(": -: 標準入力は出力フォルダに書き出せません\n");
}

QString outputOverlaps(const QString &input, const QString &name)
{
    return QStringLiteral(": %1: 出力 %2 は前の入力のものと重なります\n").arg(input, name);
}

QString help(const QString &reportAddress)
{
    return QStringLiteral(
        "使い方: tabulink-batch [オプション]... コマンド 入力 [-o 出力]\n"
        "  または: tabulink-batch [オプション]... コマンド 入力... -O 出力フォルダ\n"
        "ウィンドウと同じページを、確認なしで書き出します（Shift_JIS, CR LF）。\n"
        "\n"
        "コマンド:\n"
        "  table CSVファイル   表のページ（読込、ｸﾞﾘｯﾄﾞに転送、ｈｔｍｌ 保存）\n"
        "  csv   CSVファイル   CSV の保存し直し（読込、転送、csv 保存）\n"
        "  links フォルダ      フォルダのファイル名からリンクのページ\n"
        "  text  テキスト      テキストのページ\n"
        "  imode テキスト      i-mode 用のページ\n"
        "\n"
        "入力は - で標準入力。パイプ、/dev/stdin、<(...) も読みます。読む文字コード:\n"
        "BOM 付きの UTF-8 と UTF-16、3バイト以上の文字を含む UTF-8、ほかは\n"
        "コードページ 932（Shift_JIS）。上限は CSV 256 MB、テキスト 16 MB。\n"
        "\n"
        "全コマンドのオプション:\n"
        "  -o, --output=ファイル   出力先（既定は - で標準出力）。既にあるファイルは\n"
        "                          全部書けたときだけ置き換えます。/dev/stdout,\n"
        "                          /dev/fd/N などは開いている記述子に書きます。\n"
        "                          入力と同じファイルは拒みます\n"
        "  -O, --output-dir=フォルダ 入力ごとに「名前の最初の . の前」+ .html（csv は\n"
        "                          .txt）をフォルダに書きます（links 以外）\n"
        "  -h, --help              この説明を表示して終了\n"
        "  -V, --version           バージョンを表示して終了\n"
        "\n"
        "ページのオプション（table, links, text, imode）:\n"
        "  -t, --title=文字列      ｈｔｍｌタイトル\n"
        "                          （既定「ここにタイトルを入れて下さい」）\n"
        "  -b, --back-url=URL      戻るＵＲＬ（既定 http://。11文字以上で戻るリンク）\n"
        "      --background=色     ＨＴＭＬ背景色指定。番号か名前で:\n"
        "                          1 white「背景色なし」（既定。none も同じ）\n"
        "                          2 skyblue「そらいろ」   3 yellow「きいろ」\n"
        "                          4 orange「オレンジ」    5 green「みどり」\n"
        "                          6 indigo「あいいろ」    7 pink「ピンク」\n"
        "                          8 purple「むらさき」    9 image「ﾌｧｲﾙ指定」\n"
        "      --background-image=URL 背景画像（これだけ指定すると 9 image）\n"
        "\n"
        "links のオプション:\n"
        "  -d, --descriptions=ファイル  1行に「ファイル名,説明」。説明に , も使えます。\n"
        "                          同じ名前は後の行が有効。ないファイルの行は警告\n"
        "                          して使いません\n"
        "links が載せないもの: . で始まる名前、フォルダ、出力ファイル自身。\n"
        "\n"
        "table のオプション（--no-名前 で外します）:\n"
        "      --bold-top          最上部を太字にする（既定で有り）\n"
        "      --bold-left         最左部を太字にする（既定で有り）\n"
        "      --border            テーブルの枠線有り（既定で有り）\n"
        "      --fill-empty        空白にｽﾍﾟｰｽを入れる（既定で有り）\n"
        "      --strip-quotes      両脇の\"を取る（既定で有り。csv の転送にも効く）\n"
        "      --small-font        ﾃｰﾌﾞﾙﾌｫﾝﾄを8にする（既定で無し）\n"
        "      --center            全文字をセル中央にする（既定で無し）\n"
        "\n"
        "text, imode のオプション（--no-名前 で外します）:\n"
        "      --br                改行を<br>に置き換える（既定で有り）\n"
        "      --mincho            ＭＳ明朝を使用（既定で無し）\n"
        "\n"
        "ページで Shift_JIS にない文字は &#番号; で書きます。csv は Shift_JIS の\n"
        "CSV を書き、ない文字は \"?\" にして、その数を標準エラーに出します。\n"
        "長いオプションは紛れなければ略せます（--tit=...）。\n"
        "\n"
        "終了コード: 0 成功、1 読み書きの失敗（複数の入力では一つでも）、2 引数の誤り。\n"
        "\n"
        "問題の報告先: %1\n")
        .arg(reportAddress);
}

} // namespace BatchMessages

} // namespace tabulink
