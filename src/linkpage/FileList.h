#pragma once

#include "linkpage/FileListEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tabulink {

// The edit row above the list: row number (Label8), file name (Label9) and
// description (Text4).
struct EditRow {
    QString rowNumber;
    QString fileName;
    QString description;
};

// The rows of the link tab's file list, in list order. Never sorted, never
// saved: it lives as long as the program runs.
class FileList
{
public:
    enum class Registration {
        Possible,      // the edit row can go back to its row
        NothingLoaded, // no row was loaded into the edit row
        RowGone        // no row names the loaded file any more
    };

    qsizetype count() const { return m_entries.size(); }
    const FileListEntry &entry(qsizetype index) const { return m_entries.at(index); }
    const QList<FileListEntry> &entries() const { return m_entries; }
    // The row as the list shows it: name, and description after a comma.
    QString row(qsizetype index) const { return m_entries.at(index).shown(); }
    QStringList rows() const;

    // Import: the list becomes exactly these names, without descriptions.
    void replaceAll(const QList<FileListEntry> &entries) { m_entries = entries; }
    void replaceAll(const QStringList &names);
    void clear() { m_entries.clear(); }
    // Registers a typed description for the row at index.
    void setDescription(qsizetype index, const QString &description);
    // Removes the rows at the given indexes; out-of-range and repeated
    // indexes are ignored, the other rows keep their order.
    void removeRows(const QList<qsizetype> &indexes);
    void removeRange(qsizetype first, qsizetype count) { m_entries.remove(first, count); }

    // True while a description registered since the last written page is in
    // the list: emptying or replacing the list would lose it.
    bool hasUnsavedDescriptions() const;
    void markWritten();

    // The edit row for the row at index, or nothing when there is no such
    // row (a double-click on an empty list loads nothing).
    std::optional<EditRow> load(qsizetype index) const;

    // Whether the edit row can be registered, and at which index: the row
    // that names the loaded file. Rows deleted or inserted since the
    // double-click move it; it is looked for by its file name, the nearest
    // to its old number first when several rows name it.
    Registration registrationTarget(const EditRow &edit, qsizetype *index) const;

    // A description as it goes into a row: line breaks (CR LF, CR or LF, as
    // a pasted paragraph brings them) become blanks, since a row and a link
    // label are one line.
    static QString singleLine(const QString &typed);

private:
    QList<FileListEntry> m_entries;
};

} // namespace tabulink
