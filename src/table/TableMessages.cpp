#include "table/TableMessages.h"

#include "table/TableSize.h"

namespace tabulink {

namespace TableMessages {

QString missingFile(const QString &path)
{
    return QStringLiteral("\n") + path + QStringLiteral("\nファイルがありません！\n");
}

QString noFile()
{
    return QStringLiteral("ファイルが指定されておりません");
}

QString notANumber()
{
    return QStringLiteral("\n行と列には数字を入れて下さい。\n");
}

QString tooLarge(qint64 rows, qint64 columns)
{
    return QStringLiteral("\n表が大きすぎます（%1 行 × %2 列）。\n"
                          "扱える大きさは %3 行、%4 列、合わせて %5 セルまでです。\n")
        .arg(rows)
        .arg(columns)
        .arg(TableSize::MaxRows)
        .arg(TableSize::MaxColumns)
        .arg(TableSize::MaxCells);
}

QString rowDeletionTitle()
{
    return QStringLiteral("行削除確認");
}

QString rowDeletion(int row)
{
    return QStringLiteral("\n%1 行目を削除しますか？\n").arg(row + 1);
}

QString columnDeletionTitle()
{
    return QStringLiteral("列削除確認");
}

QString columnDeletion(int column)
{
    return QStringLiteral("\n%1 列目を削除しますか？\n").arg(column + 1);
}

} // namespace TableMessages

} // namespace tabulink
