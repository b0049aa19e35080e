#pragma once

#include <QString>

namespace tabulink {

// The texts the saves and the long actions show the user, in one place.
namespace PageMessages {

// The question before a file is replaced, under "ファイル上書き確認". Form A
// keeps the path on the line of the question, form B (the table page) puts
// the question on a line of its own.
enum class OverwriteForm { A, B };
QString overwriteTitle();
QString overwriteQuestion(const QString &path, OverwriteForm form);

// "Shift_JIS で表せない文字が <n> 文字あったため、「?」に置き換えて保存しました。"
QString replacedNotice(qsizetype count);

// "メモリが足りないため、この操作を行えませんでした。"
QString outOfMemory();

} // namespace PageMessages

} // namespace tabulink
