#include "browse/ClipboardFolder.h"

#include "browse/FolderPath.h"

#include <QFileInfo>

ClipboardFolder ClipboardFolder::check(const QString &text)
{
    if (text.startsWith(u'\\'))
        return {Network, QString()};
    if (text.isEmpty())
        return {NoText, QString()};
    if (text.contains(u'\n') || text.contains(u'\r'))
        return {LineBreak, QString()};
    const QString folder = FolderPath::clean(text);
    if (folder.isEmpty())
        return {NotAbsolute, QString()};
    if (!QFileInfo(folder).isDir())
        return {Missing, QString()};
    return {Folder, folder};
}

QString ClipboardFolder::message(const ClipboardFolder &result, const QString &text)
{
    switch (result.verdict) {
    case Folder:
        return QString();
    case Network:
        return QStringLiteral("直のネットワークドライブには、対応しておりません。"
                              "ドライブ名を割り当て、ドライブ名にて指定して下さい。");
    case NoText:
        return QStringLiteral("クリップボードに文字列がありません。\n"
                              "フォルダのパスをコピーしてから選んで下さい。");
    case LineBreak:
        return QStringLiteral("クリップボードの文字列に改行が含まれています。\n"
                              "フォルダのパスだけをコピーして下さい。");
    case NotAbsolute:
        return QStringLiteral("クリップボードの文字列「%1」はフォルダのパスではありません。\n"
                              "「/」で始まるパスを指定して下さい。").arg(text);
    case Missing:
        return QStringLiteral("クリップボードのフォルダ「%1」が見つかりません。").arg(text);
    }
    return QString();
}
