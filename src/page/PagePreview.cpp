#include "page/PagePreview.h"

#include <QLocale>

namespace tabulink {

namespace PagePreview {

QString moreLinesNote(qint64 lines)
{
    return QStringLiteral("… ほか %1 行").arg(QLocale(QLocale::English).toString(lines));
}

} // namespace PagePreview

} // namespace tabulink
