#include "page/OutOfMemory.h"

namespace tabulink {

namespace OutOfMemory {

QString messageText()
{
    return QStringLiteral("メモリが足りないため、この操作を行えませんでした。");
}

} // namespace OutOfMemory

} // namespace tabulink
