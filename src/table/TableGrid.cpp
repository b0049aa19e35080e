#include "table/TableGrid.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace tabulink {

namespace {
template<typename Keep>
QHash<quint64, QString> keptCells(const QHash<quint64, QString> &cells, Keep &&keep)
{
    QHash<quint64, QString> kept;
    for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
        if (const auto key = keep(it.key()))
            kept.insert(*key, it.value());
    }
    return kept;
}
} // namespace

void TableGrid::resize(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows == m_rows && columns == m_columns)
        return;
    // The only step that allocates comes first: running out of memory in it
    // leaves the table as it was.
    QHash<quint64, QString> set = keptCells(m_set, [&](quint64 key) -> std::optional<quint64> {
        if (rowOf(key) < rows && columnOf(key) < columns)
            return key;
        return std::nullopt;
    });
    m_set.swap(set);
    for (Fill &fill : m_fills) {
        fill.rows = std::min(fill.rows, rows);
        if (!fill.lineOf.empty())
            fill.lineOf.resize(size_t(fill.rows));
        if (fill.fieldOf.size() > size_t(columns))
            fill.fieldOf.resize(size_t(columns));
    }
    m_fills.erase(std::remove_if(m_fills.begin(), m_fills.end(),
                                 [](const Fill &fill) { return fill.rows == 0 || fill.fieldOf.empty(); }),
                  m_fills.end());
    forgetCursors();
    m_rows = rows;
    m_columns = columns;
    clampCurrent();
}

const TableGrid::Fill *TableGrid::fillOf(qint64 row, qint64 column, size_t *index) const
{
    for (size_t i = m_fills.size(); i-- > 0;) {
        const Fill &fill = m_fills[i];
        if (row < fill.rows && size_t(column) < fill.fieldOf.size()) {
            *index = i;
            return &fill;
        }
    }
    return nullptr;
}

template<typename View, typename LineOf>
View TableGrid::fieldOf(Cursor<View> &cursor, const Fill &fill, size_t index, qint64 row, int column, LineOf &&lineOf)
{
    const int field = fill.fieldOf[size_t(column)];
    if (cursor.fill != index || cursor.row != row || cursor.field > field) {
        const qsizetype line = fill.lineOf.empty() ? qsizetype(row) : qsizetype(fill.lineOf[size_t(row)]);
        cursor.fill = index;
        cursor.row = row;
        cursor.field = -1;
        cursor.fields = CsvTransfer::FieldCursor<View>(lineOf(line), fill.stripQuotes);
    }
    while (cursor.field < field) {
        cursor.cell = cursor.fields.next();
        ++cursor.field;
    }
    return cursor.cell;
}

void TableGrid::forgetCursors() const
{
    m_cursor = Cursor<QStringView>();
    m_byteCursor = Cursor<QByteArrayView>();
}

QStringView TableGrid::cellView(qint64 row, qint64 column) const
{
    if (!contains(row, column))
        return QStringView();
    if (!m_set.isEmpty()) {
        const auto it = m_set.constFind(keyOf(row, column));
        if (it != m_set.cend())
            return *it;
    }
    size_t index = 0;
    const Fill *fill = fillOf(row, column, &index);
    if (!fill)
        return QStringView();
    return fieldOf(m_cursor, *fill, index, row, int(column),
                   [&](qsizetype line) { return fill->lines.view(line, m_decodedLine); });
}

std::optional<QByteArrayView> TableGrid::cellBytes(qint64 row, qint64 column) const
{
    if (!contains(row, column) || m_set.contains(keyOf(row, column)))
        return std::nullopt;
    size_t index = 0;
    const Fill *fill = fillOf(row, column, &index);
    if (!fill || !fill->lines.holdsCp932())
        return std::nullopt;
    return fieldOf(m_byteCursor, *fill, index, row, int(column),
                   [&](qsizetype line) { return fill->lines.bytes(line); });
}

bool TableGrid::isFilled(qint64 row, qint64 column) const
{
    return std::any_of(m_fills.begin(), m_fills.end(), [&](const Fill &fill) {
        return row < fill.rows && size_t(column) < fill.fieldOf.size();
    });
}

void TableGrid::setCellText(qint64 row, qint64 column, QStringView text)
{
    if (!contains(row, column))
        return;
    // Copied first: text may view this very table.
    const QString copy = text.toString();
    // An empty cell needs no entry unless it hides a filled one.
    if (copy.isEmpty() && !isFilled(row, column))
        m_set.remove(keyOf(row, column));
    else
        m_set.insert(keyOf(row, column), copy);
}

void TableGrid::fillFromLines(const CsvLineList &lines, int rows, int columns, bool stripQuotes)
{
    rows = std::min(rows, m_rows);
    columns = std::min(columns, m_columns);
    if (rows <= 0 || columns <= 0)
        return;
    std::vector<Fill> fills;
    fills.reserve(m_fills.size() + 1);
    // A fill the new one covers whole is gone for good.
    for (const Fill &fill : m_fills) {
        if (fill.rows > rows || fill.fieldOf.size() > size_t(columns))
            fills.push_back(fill);
    }
    Fill fresh;
    fresh.lines = lines;
    fresh.rows = rows;
    fresh.fieldOf.resize(size_t(columns));
    std::iota(fresh.fieldOf.begin(), fresh.fieldOf.end(), 0);
    fresh.stripQuotes = stripQuotes;
    fills.push_back(std::move(fresh));
    QHash<quint64, QString> set = keptCells(m_set, [&](quint64 key) -> std::optional<quint64> {
        if (rowOf(key) < rows && columnOf(key) < columns)
            return std::nullopt;
        return key;
    });
    m_fills.swap(fills);
    m_set.swap(set);
    forgetCursors();
}

void TableGrid::setCurrentCell(int row, int column)
{
    m_currentRow = row;
    m_currentCol = column;
    clampCurrent();
}

void TableGrid::removeRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    QHash<quint64, QString> set = keptCells(m_set, [&](quint64 key) -> std::optional<quint64> {
        const int r = rowOf(key);
        if (r == row)
            return std::nullopt;
        return r < row ? key : keyOf(r - 1, columnOf(key));
    });
    std::vector<Fill> fills;
    fills.reserve(m_fills.size());
    for (const Fill &fill : m_fills) {
        fills.push_back(fill);
        Fill &f = fills.back();
        if (row >= f.rows)
            continue;
        if (f.lineOf.empty()) {
            f.lineOf.resize(size_t(f.rows));
            std::iota(f.lineOf.begin(), f.lineOf.end(), std::uint32_t(0));
        }
        f.lineOf.erase(f.lineOf.begin() + row);
        if (--f.rows == 0)
            fills.pop_back();
    }
    m_set.swap(set);
    m_fills.swap(fills);
    forgetCursors();
    --m_rows;
    clampCurrent();
}

bool TableGrid::removeColumnShifting(int column)
{
    if (column < 0 || column >= m_columns)
        return false;
    QHash<quint64, QString> set = keptCells(m_set, [&](quint64 key) -> std::optional<quint64> {
        const int c = columnOf(key);
        if (c == column)
            return std::nullopt;
        return c < column ? key : keyOf(rowOf(key), c - 1);
    });
    std::vector<Fill> fills;
    fills.reserve(m_fills.size());
    for (const Fill &fill : m_fills) {
        fills.push_back(fill);
        Fill &f = fills.back();
        if (size_t(column) >= f.fieldOf.size())
            continue;
        f.fieldOf.erase(f.fieldOf.begin() + column);
        if (f.fieldOf.empty())
            fills.pop_back();
    }
    m_set.swap(set);
    m_fills.swap(fills);
    forgetCursors();
    --m_columns;
    clampCurrent();
    return column < m_columns;
}

void TableGrid::clearTexts()
{
    m_fills.clear();
    m_set.clear();
    forgetCursors();
}

qsizetype TableGrid::poolSize() const
{
    qsizetype characters = 0;
    for (const QString &text : m_set)
        characters += text.size();
    return characters;
}

void TableGrid::clampCurrent()
{
    m_currentRow = std::clamp(m_currentRow, 0, std::max(m_rows - 1, 0));
    m_currentCol = std::clamp(m_currentCol, 0, std::max(m_columns - 1, 0));
}

} // namespace tabulink
