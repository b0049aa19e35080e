#pragma once

#include <QByteArrayView>
#include <QString>

namespace tabulink {

class LineSink;

// The text the text and i-mode pages are written from: the text editor's
// text with its line breaks as CR LF.
namespace EditorText {

// From the editor's plain text, whose lines are separated by "\n".
QString fromEditor(const QString &plainText);

// The editor text the window would hold after loading file text: line breaks
// as CR LF, and the characters the text editor gives back changed (no-break
// space as a blank, line and paragraph separators as line breaks).
QString fromFile(const QString &fileText);

// For a file read as code page 932, what
// sink.line(convertLineBreaks(fromFile(Cp932::decode(bytes)), convertBreaks))
// writes, made straight from its bytes: every line end (CR LF, a lone CR, a
// lone LF) becomes CR LF, after "<br>" when asked, and one more CR LF ends
// the text. CR and LF are never part of a double-byte character, and no
// character of the code page is one of those fromFile changes. The bytes
// may come in pieces of any size; finish() ends the text.
class Cp932FileLines
{
public:
    Cp932FileLines(LineSink &sink, bool convertBreaks) : m_sink(sink), m_convertBreaks(convertBreaks) {}
    void feed(QByteArrayView piece);
    void finish();

private:
    void endLine();

    LineSink &m_sink;
    bool m_convertBreaks;
    QByteArray m_carry; // the start of a line that goes on in the next piece
    bool m_skipLf = false; // the last piece ended with CR
};

void writeCp932File(LineSink &sink, QByteArrayView bytes, bool convertBreaks);

} // namespace EditorText

} // namespace tabulink
