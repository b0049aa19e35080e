#pragma once

#include <QString>

namespace tabulink {

// The text the text and i-mode pages are written from: the text editor's
// text with its line breaks as CR LF.
namespace EditorText {

// From the editor's plain text, whose lines are separated by "\n".
QString fromEditor(const QString &plainText);

// The editor text the window would hold after loading file text: line breaks
// as CR LF, and the characters the text editor gives back changed (no-break
// space as a blank, line and paragraph separators as line breaks).
QString fromFile(const QString &fileText);

} // namespace EditorText

} // namespace tabulink
