#include "table/TableGrid.h"

#include <algorithm>
#include <limits>
#include <new>

namespace tabulink {

namespace {
// Below this much garbage the pool is never compacted: not worth the copy.
constexpr qsizetype kCompactFloor = qsizetype(1) << 20;
constexpr qsizetype kPoolLimit = qsizetype(std::numeric_limits<std::uint32_t>::max());
} // namespace

void TableGrid::resize(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows == m_rows && columns == m_columns)
        return;
    if (columns == m_columns) {
        // Rows only: the cells of the remaining rows stay where they are.
        for (size_t i = size_t(rows) * size_t(columns); i < m_cells.size(); ++i)
            drop(m_cells[i]);
        m_cells.resize(size_t(rows) * size_t(columns));
    } else {
        std::vector<Span> cells(size_t(rows) * size_t(columns));
        for (int r = 0; r < m_rows; ++r) {
            for (int c = 0; c < m_columns; ++c) {
                const Span &span = m_cells[indexOf(r, c)];
                if (r < rows && c < columns)
                    cells[size_t(r) * size_t(columns) + size_t(c)] = span;
                else
                    drop(span);
            }
        }
        m_cells.swap(cells);
    }
    m_rows = rows;
    m_columns = columns;
    clampCurrent();
    compactIfWasteful();
}

QStringView TableGrid::cellView(qint64 row, qint64 column) const
{
    if (!contains(row, column))
        return QStringView();
    const Span &span = m_cells[indexOf(row, column)];
    if (span.length & kShared)
        return QStringView(m_shared).mid(span.offset, span.length & ~kShared);
    return QStringView(m_pool).mid(span.offset, span.length);
}

void TableGrid::shareText(const QString &text)
{
    if (text.isEmpty() || text.size() >= qsizetype(kShared) || text.constData() == m_shared.constData())
        return;
    if (m_sharedCells > 0) {
        // Cells still view the text shared before: they move into the pool.
        for (Span &span : m_cells) {
            if (!(span.length & kShared))
                continue;
            // Copied first: running out of memory leaves every cell whole.
            const QStringView text = QStringView(m_shared).mid(span.offset, span.length & ~kShared);
            const auto offset = std::uint32_t(m_pool.size());
            m_pool.append(text);
            span = Span{offset, std::uint32_t(text.size())};
            --m_sharedCells;
        }
    }
    m_shared = text;
}

void TableGrid::setCellText(qint64 row, qint64 column, QStringView text)
{
    if (!contains(row, column))
        return;
    // A view into the pool itself would dangle when the pool grows.
    const bool fromPool = !m_pool.isEmpty() && text.data() >= m_pool.constData()
        && text.data() < m_pool.constData() + m_pool.size();
    if (fromPool) {
        const QString copy = text.toString();
        setCellText(row, column, copy);
        return;
    }
    Span &span = m_cells[indexOf(row, column)];
    const QChar *shared = m_shared.constData();
    if (!m_shared.isEmpty() && !text.isEmpty() && text.data() >= shared
        && text.data() + text.size() <= shared + m_shared.size()) {
        const Span viewed{std::uint32_t(text.data() - shared), std::uint32_t(text.size()) | kShared};
        ++m_sharedCells; // first, so that dropping the old span keeps the text
        drop(span);
        span = viewed;
        return;
    }
    drop(span);
    span = Span();
    if (text.isEmpty()) {
        compactIfWasteful();
        return;
    }
    if (m_pool.size() + text.size() > kPoolLimit) {
        compact();
        if (m_pool.size() + text.size() > kPoolLimit)
            throw std::bad_alloc();
    }
    Span &target = m_cells[indexOf(row, column)];
    target.offset = std::uint32_t(m_pool.size());
    target.length = std::uint32_t(text.size());
    m_pool.append(text);
    compactIfWasteful();
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
    const auto first = m_cells.begin() + std::ptrdiff_t(indexOf(row, 0));
    const auto last = first + m_columns;
    for (auto it = first; it != last; ++it)
        drop(*it);
    m_cells.erase(first, last);
    --m_rows;
    clampCurrent();
    compactIfWasteful();
}

bool TableGrid::removeColumnShifting(int column)
{
    if (column < 0 || column >= m_columns)
        return false;
    const int columns = m_columns - 1;
    std::vector<Span> cells(size_t(m_rows) * size_t(columns));
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            const Span &span = m_cells[indexOf(r, c)];
            if (c == column)
                drop(span);
            else
                cells[size_t(r) * size_t(columns) + size_t(c < column ? c : c - 1)] = span;
        }
    }
    m_cells.swap(cells);
    m_columns = columns;
    clampCurrent();
    compactIfWasteful();
    return column < columns;
}

void TableGrid::clearTexts()
{
    std::fill(m_cells.begin(), m_cells.end(), Span());
    m_pool = QString();
    m_garbage = 0;
    m_shared = QString();
    m_sharedCells = 0;
}

void TableGrid::clampCurrent()
{
    m_currentRow = std::clamp(m_currentRow, 0, std::max(m_rows - 1, 0));
    m_currentCol = std::clamp(m_currentCol, 0, std::max(m_columns - 1, 0));
}

void TableGrid::compactIfWasteful()
{
    if (m_garbage > kCompactFloor && m_garbage * 2 > m_pool.size())
        compact();
}

void TableGrid::compact()
{
    QString pool;
    pool.reserve(m_pool.size() - m_garbage);
    for (Span &span : m_cells) {
        if (span.length & kShared)
            continue;
        if (span.length == 0) {
            span.offset = 0;
            continue;
        }
        const std::uint32_t offset = std::uint32_t(pool.size());
        pool.append(QStringView(m_pool).mid(span.offset, span.length));
        span.offset = offset;
    }
    m_pool.swap(pool);
    m_garbage = 0;
}

} // namespace tabulink
