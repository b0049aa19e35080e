#pragma once

#include <QString>

namespace tabulink {

// The texts the window itself shows the user; the core's own messages come
// with its results.
namespace WindowMessages {

// The notices after a save: "ｈｔｍｌファイル作成完了",
// "ｈｔｍｌファイル(i-mode版)作成完了", "ｃｓｖファイル作成完了".
QString pageWritten();
QString imodePageWritten();
QString csvWritten();

} // namespace WindowMessages

} // namespace tabulink
