#include "textpage/BlockByteCounts.h"

#include "textio/Cp932.h"

#include <QString>

namespace tabulink {

namespace {

// Reading one paragraph costs about as much as copying some hundreds of
// characters; past that the count copies the raw text once instead.
constexpr qsizetype kMinParagraphsForRawText = 64;
constexpr qsizetype kCharactersPerParagraphRead = 512;

// Characters the editor's plain text shows differently from how it stores
// them (QTextDocument::toPlainText).
bool isStoredSpecially(char16_t c)
{
    return c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0x00A0;
}

} // namespace

BlockByteCounts::BlockByteCounts()
    : m_counts(1, 0)
{
}

bool BlockByteCounts::prefersRawText(qsizetype changedParagraphs, qsizetype characters)
{
    return changedParagraphs > kMinParagraphsForRawText
        && changedParagraphs * kCharactersPerParagraphRead > characters;
}

qsizetype BlockByteCounts::paragraphBytes(QStringView paragraph)
{
    qsizetype count = Cp932::byteCount(paragraph);
    for (const QChar ch : paragraph) {
        const char16_t c = ch.unicode();
        if (!isStoredSpecially(c))
            continue;
        const char16_t one[1] = {c};
        count -= Cp932::byteCount(QStringView(one, 1));
        count += (c == 0x00A0) ? 1 : 2;
    }
    return count;
}

std::vector<qsizetype> BlockByteCounts::paragraphCounts(QStringView rawText)
{
    std::vector<qsizetype> counts;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = rawText.indexOf(QChar(QChar::ParagraphSeparator), start);
        if (end < 0)
            break;
        counts.push_back(paragraphBytes(rawText.mid(start, end - start)));
        start = end + 1;
    }
    counts.push_back(paragraphBytes(rawText.mid(start)));
    return counts;
}

qsizetype BlockByteCounts::total() const
{
    return m_sum + 2 * (qsizetype(m_counts.size()) - 1);
}

void BlockByteCounts::reset(std::vector<qsizetype> counts)
{
    if (counts.empty())
        counts.push_back(0);
    m_counts = std::move(counts);
    m_sum = 0;
    for (qsizetype c : m_counts)
        m_sum += c;
}

bool BlockByteCounts::replace(qsizetype first, qsizetype removed, const std::vector<qsizetype> &added)
{
    const qsizetype n = qsizetype(m_counts.size());
    if (first < 0 || removed < 0 || first + removed > n)
        return false;
    if (n - removed + qsizetype(added.size()) < 1)
        return false;
    const auto from = m_counts.begin() + first;
    for (auto it = from; it != from + removed; ++it)
        m_sum -= *it;
    for (qsizetype c : added)
        m_sum += c;
    // Overwrite in place where the sizes agree (typing within one line), and
    // move the tail only when paragraphs were added or removed.
    const qsizetype common = qMin(removed, qsizetype(added.size()));
    std::copy(added.begin(), added.begin() + common, from);
    if (removed > common)
        m_counts.erase(from + common, from + removed);
    else if (qsizetype(added.size()) > common)
        m_counts.insert(m_counts.begin() + first + common, added.begin() + common, added.end());
    return true;
}

} // namespace tabulink
