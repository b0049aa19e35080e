#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The edit row above the list: row number (Label8), file name (Label9) and
// description (Text4), as the labels and the text box hold them.
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
        RowGone        // the loaded row is no longer at its place
    };

    qsizetype count() const { return m_rows.size(); }
    const QString &row(qsizetype index) const { return m_rows.at(index); }
    const QStringList &rows() const { return m_rows; }

    // Import: the list becomes exactly these names, without descriptions.
    void replaceAll(const QStringList &names) { m_rows = names; }
    void clear() { m_rows.clear(); }
    void setRow(qsizetype index, const QString &row) { m_rows[index] = row; }
    // Removes the rows at the given indexes; out-of-range and repeated
    // indexes are ignored, the other rows keep their order.
    void removeRows(const QList<qsizetype> &indexes);
    void removeRange(qsizetype first, qsizetype count) { m_rows.remove(first, count); }

    // The edit row for the row at index, or nothing when there is no such
    // row (a double-click on an empty list loads nothing).
    std::optional<EditRow> load(qsizetype index) const;

    // Whether the edit row can be registered, and at which index. The row
    // must still be where it was loaded from and still name the same file:
    // after the list was emptied, re-imported or rows were deleted, the
    // remembered number can point past the end or at another file's row,
    // and writing there would lose that row.
    Registration registrationTarget(const EditRow &edit, qsizetype *index) const;

    static QString nothingLoadedMessage();
    static QString rowGoneMessage();

private:
    QStringList m_rows;
};
