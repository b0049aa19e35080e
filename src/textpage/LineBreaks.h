#pragma once

#include <QString>

namespace tabulink {

// Puts "<br>" before every CR LF pair when enabled; a lone CR or LF is left
// as it is.
QString convertLineBreaks(const QString &text, bool enabled);

} // namespace tabulink
