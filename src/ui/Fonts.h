#pragma once

#include <QFont>

namespace tabulink {

// The two Japanese faces the window names, mapped onto the IPA fonts.
namespace Fonts {

// Call once before any widget exists.
void installSubstitutions();

QFont gothic(qreal pointSize);  // "ＭＳ Ｐゴシック"
QFont mincho(qreal pointSize);  // "ＭＳ 明朝"

} // namespace Fonts

} // namespace tabulink
