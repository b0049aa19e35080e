#include "page/PageMessages.h"

namespace tabulink {

namespace PageMessages {

QString overwriteTitle()
{
    return QStringLiteral("ファイル上書き確認");
}

QString overwriteQuestion(const QString &path, OverwriteForm form)
{
    if (form == OverwriteForm::A)
        return QStringLiteral("\n") + path + QStringLiteral(" のファイルに上書きしますか？\n");
    return QStringLiteral("\n") + path + QStringLiteral("\nのファイルに上書きしますか？\n");
}

QString replacedNotice(qsizetype count)
{
    return QStringLiteral("Shift_JIS で表せない文字が %1 文字あったため、「?」に置き換えて保存しました。").arg(count);
}

QString outOfMemory()
{
    return QStringLiteral("メモリが足りないため、この操作を行えませんでした。");
}

} // namespace PageMessages

} // namespace tabulink
