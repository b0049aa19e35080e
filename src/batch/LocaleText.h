#pragma once

#include <QByteArray>
#include <QString>

namespace tabulink {

// The user's locale for the command line: arguments come in its encoding and
// messages go out in it. Qt itself always takes UTF-8, so the conversion is
// done here with the system's iconv. The C and POSIX locales (cron, env -i)
// are taken as UTF-8, as Qt and Python take them, so such jobs keep working
// with Japanese titles.
namespace LocaleText {

// The locale's character set as iconv names it; "UTF-8" for C and POSIX.
QByteArray codeset();

// bytes decoded in the locale's character set; false when they are not
// valid in it (nothing is guessed or replaced).
bool decode(const QByteArray &bytes, QString *text);

// text in the locale's character set; a character the set lacks becomes "?".
QByteArray encode(const QString &text);

// The system's text for errno value error (strerror), in the user's language.
QString systemReason(int error);

} // namespace LocaleText

} // namespace tabulink
