#include "browse/BrowseMessages.h"

namespace tabulink {

namespace BrowseMessages {

QString folderCannotOpen(const QString &folder, const QString &reason, const QString &shown)
{
    return QStringLiteral("フォルダ「%1」を開けません。\n（%2）\n\n「%3」を表示します。")
        .arg(folder, reason, shown);
}

QString desktopMissing()
{
    return QStringLiteral("デスクトップフォルダが見つかりません。\nフォルダは変わりません。");
}

QString desktopCannotOpen(const QString &desktop, const QString &reason)
{
    return QStringLiteral("デスクトップフォルダ「%1」を開けません。\n（%2）").arg(desktop, reason);
}

QString networkPath()
{
    return QStringLiteral("直のネットワークドライブには、対応しておりません。"
                          "ドライブ名を割り当て、ドライブ名にて指定して下さい。");
}

QString clipboardEmpty()
{
    return QStringLiteral("クリップボードに文字列がありません。\n"
                          "フォルダのパスをコピーしてから選んで下さい。");
}

QString clipboardLineBreak()
{
    return QStringLiteral("クリップボードの文字列に改行が含まれています。\n"
                          "フォルダのパスだけをコピーして下さい。");
}

QString clipboardNotAbsolute(const QString &text)
{
    return QStringLiteral("クリップボードの文字列「%1」はフォルダのパスではありません。\n"
                          "「/」で始まるパスを指定して下さい。").arg(text);
}

QString clipboardMissing(const QString &text)
{
    return QStringLiteral("クリップボードのフォルダ「%1」が見つかりません。").arg(text);
}

QString clipboardCannotOpen(const QString &folder, const QString &reason)
{
    return QStringLiteral("クリップボードのフォルダ「%1」を開けません。\n（%2）").arg(folder, reason);
}

QString fileManagerFailed(const QString &folder)
{
    return QStringLiteral("ファイルマネージャを起動できませんでした。\n「%1」").arg(folder);
}

} // namespace BrowseMessages

} // namespace tabulink
