#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <vector>

namespace tabulink {

// The kept lines of the CSV file read last, shown in List1 and read by the
// transfer. The lines are places in one text, 8 bytes a line besides the
// text: for a code page 932 or UTF-8 file its own bytes, which take less
// memory than their text and are decoded a line at a time, else the decoded
// file.
// A copy shares the lines with the original: the grid keeps the lines its
// cells come from that way.
class CsvLineList
{
public:
    CsvLineList() = default;

    qsizetype size() const { return m_data ? qsizetype(m_data->lines.size()) : 0; }
    bool isEmpty() const { return size() == 0; }
    // An entry beyond the end reads as empty text.
    QString entry(qsizetype index) const;
    // The entry's text, in place where the lines are text, else decoded into
    // buffer; valid while the list and buffer are.
    QStringView view(qsizetype index, QString &buffer) const;
    // True when the lines are held as code page 932 bytes; bytes() then
    // gives an entry's bytes, which decode to its text.
    bool holdsCp932() const { return m_data && m_data->kind == Kind::Cp932; }
    QByteArrayView bytes(qsizetype index) const;
    // The number of commas in an entry.
    qsizetype commasIn(qsizetype index) const;

    void clear() { m_data.reset(); }
    // Keeps the lines of text that are not blank (see isKeptLine), in order.
    // CR LF and a lone CR end a line; a lone LF ends one only in a text that
    // holds no CR at all, and otherwise stays in its line.
    static CsvLineList keptLinesOf(const QString &text);
    // The same for a file's bytes: decoded as Cp932::decodeFileContent
    // decodes them, and kept as bytes where they are surely code page 932.
    static CsvLineList keptLinesOfFile(const QByteArray &bytes);

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    enum class Kind { Text, Cp932, Utf8 };
    struct Data {
        Kind kind = Kind::Text;
        QString text;
        QByteArray bytes; // the file's bytes, where the lines are kept undecoded
        std::vector<Span> lines;
    };
    static CsvLineList ofBytes(const QByteArray &bytes, Kind kind);
    template<typename View>
    static std::vector<Span> keptSpans(View text);

    std::shared_ptr<const Data> m_data;
};

// A line counts when something other than blanks (spaces, tabs and line
// breaks kept inside the line) is left.
bool isKeptLine(QStringView line);
bool isKeptLine(QByteArrayView line); // code page 932 bytes

} // namespace tabulink
