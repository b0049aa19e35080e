#pragma once

#include <QString>
#include <QStringList>

class LineSink;

// What the link page holds between the frame's head and tail: a one-column
// table with one link per file list row, each followed by a spacer row.
namespace LinkListBody {

// A file name as the href value of a link relative to the page's folder.
// The name is data: "&", "<", ">" and '"' become character references, and
// the characters a URL would read as syntax ("%", "#", "?", "\", control
// characters, blanks at either end) are percent-encoded so that the link
// reaches the file. Inner blanks and non-ASCII characters stay as they are;
// the browser encodes them. A name that would read as a scheme ("a:b")
// gets "./" in front.
QString linkTarget(QStringView fileName);
// Text with "&", "<", ">" and '"' written as character references.
QString escapeText(QStringView text);

// The link line of one row: the file name part as the target; the
// description as the label, exactly as typed, or the escaped file name when
// the row has no comma.
QString linkLine(const QString &row);

void write(LineSink &sink, const QStringList &rows);

} // namespace LinkListBody
