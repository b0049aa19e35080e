#include "linkpage/FileList.h"

#include "textio/LineScanner.h"

#include <vector>

namespace tabulink {

QStringList FileList::rows() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const FileListEntry &entry : m_entries)
        out.append(entry.shown());
    return out;
}

void FileList::replaceAll(const QStringList &names)
{
    m_entries.clear();
    m_entries.reserve(names.size());
    for (const QString &name : names)
        m_entries.append(FileListEntry::named(name));
}

void FileList::setDescription(qsizetype index, const QString &description)
{
    FileListEntry &entry = m_entries[index];
    if (entry.description != description || entry.hasComma)
        entry.unsaved = !description.isEmpty();
    entry.description = description;
    entry.hasComma = false;
}

void FileList::removeRows(const QList<qsizetype> &indexes)
{
    std::vector<bool> doomed(m_entries.size(), false);
    for (qsizetype index : indexes) {
        if (index >= 0 && index < m_entries.size())
            doomed[index] = true;
    }
    // One pass keeps the remaining rows in order, however many go.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (!doomed[i]) {
            if (kept != i)
                m_entries[kept] = std::move(m_entries[i]);
            ++kept;
        }
    }
    m_entries.resize(kept);
}

bool FileList::hasUnsavedDescriptions() const
{
    for (const FileListEntry &entry : m_entries) {
        if (entry.unsaved)
            return true;
    }
    return false;
}

void FileList::markWritten()
{
    for (FileListEntry &entry : m_entries)
        entry.unsaved = false;
}

std::optional<EditRow> FileList::load(qsizetype index) const
{
    if (index < 0 || index >= m_entries.size())
        return std::nullopt;
    const FileListEntry &entry = m_entries.at(index);
    EditRow edit;
    edit.rowNumber = QString::number(index);
    edit.fileName = entry.fileName;
    edit.description = entry.description;
    return edit;
}

namespace {

// Decimal digits only, as a loaded row number is written.
std::optional<qsizetype> parseRowNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    qsizetype value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

FileList::Registration FileList::registrationTarget(const EditRow &edit, qsizetype *index) const
{
    if (edit.rowNumber.isEmpty() && edit.fileName.isEmpty())
        return Registration::NothingLoaded;
    const qsizetype remembered = parseRowNumber(edit.rowNumber).value_or(0);
    qsizetype best = -1;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).fileName != edit.fileName)
            continue;
        if (best < 0 || qAbs(i - remembered) < qAbs(best - remembered))
            best = i;
    }
    if (best < 0)
        return Registration::RowGone;
    *index = best;
    return Registration::Possible;
}

QString FileList::singleLine(const QString &typed)
{
    QString out;
    out.reserve(typed.size());
    LineScanner::scan(typed, true, [&](QStringView line, bool ended) {
        out += line;
        if (ended)
            out += u' ';
    });
    return out;
}

} // namespace tabulink
