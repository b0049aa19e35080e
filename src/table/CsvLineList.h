#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <vector>

namespace tabulink {

// The kept lines of the CSV file read last, shown in List1 and read by the
// transfer. The lines are views into one text (usually the whole decoded
// file), so 200,000 lines cost no more than the file itself.
class CsvLineList
{
public:
    CsvLineList() = default;

    qsizetype size() const { return qsizetype(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }
    // An entry beyond the end reads as empty text.
    QStringView view(qsizetype index) const;
    QString entry(qsizetype index) const { return view(index).toString(); }

    void clear();
    // The text the lines view.
    const QString &text() const { return m_text; }
    // Keeps the lines of text that are not blank (see isKeptLine), in order.
    // CR LF and a lone CR end a line; a lone LF ends one only in a text that
    // holds no CR at all, and otherwise stays in its line.
    static CsvLineList keptLinesOf(const QString &text);

private:
    struct Span {
        qsizetype offset;
        qsizetype length;
    };
    QString m_text;
    std::vector<Span> m_lines;
};

// A line counts when something other than blanks (spaces, tabs and line
// breaks kept inside the line) is left.
bool isKeptLine(QStringView line);
bool isKeptLine(QByteArrayView line); // code page 932 bytes

} // namespace tabulink
