#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <string>

namespace tabulink {

class LineSink;
struct FileListEntry;

// What the link page holds between the frame's head and tail: a one-column
// table with one link per file list row, each followed by a spacer row.
namespace LinkListBody {

// A file name as the href value of a link relative to the page's folder.
// The name is data: "&", "<", ">" and '"' become character references, and
// the characters a URL would read as syntax ("%", "#", "?", "\", control
// characters, blanks at either end) are percent-encoded so that the link
// reaches the file. A character whose code page 932 code reads back as
// another character (¥, 〜, ...) is written as a numeric reference. Inner
// blanks and other non-ASCII characters stay as they are; the browser
// encodes them. A name that would read as a scheme ("a:b") gets "./" in
// front. A name that is not UTF-8 (nativeName set) is written as its
// percent-encoded bytes.
QString linkTarget(QStringView fileName, const QByteArray &nativeName = QByteArray());
// Text with "&", "<", ">" and '"' written as character references.
QString escapeText(QStringView text);

// The link line of one row: the whole file name as the target; the
// description as the label, exactly as typed, or the escaped file name when
// the row has none.
QString linkLine(const FileListEntry &entry);

void write(LineSink &sink, const QList<FileListEntry> &entries);

// The same lines for rows kept as plain text, as the command line keeps a
// folder's names: writeStart, writeRow for each row, writeEnd. A row's
// label is its description, or the escaped file name when that is empty;
// scratch is any string, reused from row to row.
void writeStart(LineSink &sink);
void writeRow(LineSink &sink, std::u16string &scratch, QStringView fileName, const QByteArray &nativeName,
              QStringView description);
void writeEnd(LineSink &sink);

} // namespace LinkListBody

} // namespace tabulink
