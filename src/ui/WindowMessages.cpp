#include "ui/WindowMessages.h"

namespace tabulink {

namespace WindowMessages {

QString pageWritten()
{
    return QStringLiteral("ｈｔｍｌファイル作成完了");
}

QString imodePageWritten()
{
    return QStringLiteral("ｈｔｍｌファイル(i-mode版)作成完了");
}

QString csvWritten()
{
    return QStringLiteral("ｃｓｖファイル作成完了");
}

} // namespace WindowMessages

} // namespace tabulink
