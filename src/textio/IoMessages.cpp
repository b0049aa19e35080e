#include "textio/IoMessages.h"

namespace tabulink {

namespace IoMessages {

QString saveFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイルを保存できませんでした。\n%1\n%2").arg(path, reason);
}

QString stepWithReason(const QString &step, const QString &reason)
{
    return QStringLiteral("%1（%2）").arg(step, reason);
}

QString shortWrite()
{
    return QStringLiteral("書き込みが途中で止まりました（ディスクの空き容量が足りない可能性があります）");
}

QString folderOfSameName()
{
    return QStringLiteral("同じ名前のフォルダがあります");
}

QString notRegularForSave()
{
    return QStringLiteral("通常のファイルではないため保存できません");
}

QString cannotCreateInFolder(const QString &folder)
{
    return QStringLiteral("フォルダ %1 に新しいファイルを作れません").arg(folder);
}

QString cannotWrite()
{
    return QStringLiteral("書き込めません");
}

QString cannotKeepOwnerAndMode()
{
    return QStringLiteral("所有者とアクセス権を元のファイルと同じにできません");
}

QString cannotSyncToDisk()
{
    return QStringLiteral("ディスクに書き込めません");
}

QString cannotNameNewFile()
{
    return QStringLiteral("新しいファイルに名前を付けられません");
}

QString cannotClose()
{
    return QStringLiteral("ファイルを閉じられません");
}

QString cannotReplace()
{
    return QStringLiteral("元のファイルを置き換えられません");
}

QString replacedButFolderNotSynced()
{
    return QStringLiteral("新しい内容に置き換えましたが、フォルダの記録をディスクに書き込めません");
}

QString mayRevertOnPowerCut()
{
    return QStringLiteral("停電などがあると、元の内容に戻るおそれがあります。");
}

QString cannotWriteFileEither()
{
    return QStringLiteral("ファイルにも書き込めません");
}

QString cannotKeepCopyIn(const QString &tempFolder)
{
    return QStringLiteral("元の内容の控えを一時フォルダ %1 に作れません").arg(tempFolder);
}

QString cannotSetLength()
{
    return QStringLiteral("ファイルの長さを決められません");
}

QString putBackOldContent()
{
    return QStringLiteral("元の内容に戻しました。");
}

QString cannotPutBack()
{
    return QStringLiteral("元の内容に戻せませんでした");
}

QString oldContentKeptIn(const QString &backupPath)
{
    return QStringLiteral("元の内容は %1 に残してあります。").arg(backupPath);
}

QString tooLarge(const QString &megabytes, const QString &path)
{
    return QStringLiteral("ファイルが大きすぎるため読み込めません（上限 %1 MB）。\n%2").arg(megabytes, path);
}

QString outOfMemory(const QString &path)
{
    return QStringLiteral("メモリが足りないため読み込めません。\n%1").arg(path);
}

QString notFound(const QString &path)
{
    return QStringLiteral("ファイルが見つかりません。\n%1").arg(path);
}

QString notRegularForRead(const QString &path)
{
    return QStringLiteral("通常のファイルではないため読み込めません。\n%1").arg(path);
}

QString cannotOpen(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイルを開けませんでした。\n%1\n%2").arg(path, reason);
}

QString cannotRead(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイルを読み込めませんでした。\n%1\n%2").arg(path, reason);
}

} // namespace IoMessages

} // namespace tabulink
