#include "page/FileKind.h"

namespace tabulink {

FileKind FileKind::page()
{
    return {QStringLiteral(".html"), QStringLiteral("index.html"), Cp932::Unmappable::NumericReference};
}

QString FileKind::proposeFileName(const QString &selectedFileName) const
{
    const qsizetype dot = selectedFileName.indexOf(u'.');
    if (dot < 0)
        return fallbackName;
    return selectedFileName.left(dot) + nameEnding;
}

} // namespace tabulink
