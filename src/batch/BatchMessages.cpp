#include "batch/BatchMessages.h"

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

} // namespace BatchMessages
