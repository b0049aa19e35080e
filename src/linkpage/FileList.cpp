#include "linkpage/FileList.h"

#include "linkpage/FileListEntry.h"

#include <vector>

void FileList::removeRows(const QList<qsizetype> &indexes)
{
    std::vector<bool> doomed(m_rows.size(), false);
    for (qsizetype index : indexes) {
        if (index >= 0 && index < m_rows.size())
            doomed[index] = true;
    }
    // One pass keeps the remaining rows in order, however many go.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (!doomed[i]) {
            if (kept != i)
                m_rows[kept] = std::move(m_rows[i]);
            ++kept;
        }
    }
    m_rows.resize(kept);
}

std::optional<EditRow> FileList::load(qsizetype index) const
{
    if (index < 0 || index >= m_rows.size())
        return std::nullopt;
    const FileListEntry entry = FileListEntry::split(m_rows.at(index));
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
    const std::optional<qsizetype> number = parseRowNumber(edit.rowNumber);
    if (!number || *number >= m_rows.size())
        return Registration::RowGone;
    if (FileListEntry::split(m_rows.at(*number)).fileName != edit.fileName)
        return Registration::RowGone;
    *index = *number;
    return Registration::Possible;
}

QString FileList::nothingLoadedMessage()
{
    return QStringLiteral("登録データがありません");
}

QString FileList::rowGoneMessage()
{
    return QStringLiteral("ダブルクリックした行がファイル名の一覧にもうありません。\n"
                          "一覧は変更していません。登録する行をもう一度ダブルクリックしてください。");
}
