#pragma once

#include <QString>

namespace tabulink {

// Every text the table editing shows the user, in one place.
namespace TableMessages {

// "\n<path>\nファイルがありません！\n": the path label names no file.
QString missingFile(const QString &path);
// "ファイルが指定されておりません"
QString noFile();
// "\n行と列には数字を入れて下さい。\n": the transfer needs numbers.
QString notANumber();
// "\n表が大きすぎます（R 行 × C 列）。…\n": why a size was refused.
QString tooLarge(qint64 rows, qint64 columns);

// The deletion questions: "\n<n> 行目を削除しますか？\n" under "行削除確認",
// "\n<n> 列目を削除しますか？\n" under "列削除確認"; n counts from 1.
QString rowDeletionTitle();
QString rowDeletion(int row);
QString columnDeletionTitle();
QString columnDeletion(int column);

} // namespace TableMessages

} // namespace tabulink
