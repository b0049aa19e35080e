#pragma once

#include <QStringView>

#include <vector>

namespace tabulink {

// The editor's byte count kept per paragraph, so that a change costs the
// paragraphs it touched instead of the whole text. The total equals
// Cp932::byteCount of the editor text with CR LF line breaks.
class BlockByteCounts
{
public:
    BlockByteCounts();

    // Shift_JIS bytes of one paragraph as the editor holds it. A line
    // separator inside it (Shift+Enter) reaches the pages as CR LF and counts
    // 2; a no-break space is written as a blank.
    static qsizetype paragraphBytes(QStringView paragraph);

    // The counts of the paragraphs of the editor's raw text, in which U+2029
    // separates paragraphs.
    static std::vector<qsizetype> paragraphCounts(QStringView rawText);

    // Whether counting this many changed paragraphs of a text this long goes
    // faster through one copy of the raw text than paragraph by paragraph, as
    // after a load or a large paste.
    static bool prefersRawText(qsizetype changedParagraphs, qsizetype characters);

    qsizetype paragraphCount() const { return qsizetype(m_counts.size()); }
    // All paragraphs plus one CR LF between each two of them.
    qsizetype total() const;

    // Starts over with one paragraph per entry.
    void reset(std::vector<qsizetype> counts);
    // Paragraphs first .. first+removed-1 were replaced by paragraphs with
    // the given counts. Returns false (and changes nothing) when the range
    // does not fit.
    bool replace(qsizetype first, qsizetype removed, const std::vector<qsizetype> &added);

private:
    std::vector<qsizetype> m_counts;
    qsizetype m_sum = 0;
};

} // namespace tabulink
