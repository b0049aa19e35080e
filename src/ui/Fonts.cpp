#include "ui/Fonts.h"

#include <QStringList>

namespace tabulink {

namespace Fonts {

namespace {
const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kMincho = QStringLiteral("ＭＳ 明朝");
} // namespace

void installSubstitutions()
{
    QFont::insertSubstitutions(kGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                         QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(kMincho, {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho"),
                                         QStringLiteral("Noto Serif CJK JP")});
}

QFont gothic(qreal pointSize)
{
    QFont f(kGothic);
    f.setPointSizeF(pointSize);
    return f;
}

QFont mincho(qreal pointSize)
{
    QFont f(kMincho);
    f.setPointSizeF(pointSize);
    f.setStyleHint(QFont::Serif);
    return f;
}

} // namespace Fonts

} // namespace tabulink
