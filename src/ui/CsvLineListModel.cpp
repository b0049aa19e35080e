#include "ui/CsvLineListModel.h"

#include "table/CsvLineList.h"

#include <limits>

namespace tabulink {

namespace {
int shownRows(const CsvLineList &lines)
{
    return int(std::min<qsizetype>(lines.size(), std::numeric_limits<int>::max()));
}
} // namespace

CsvLineListModel::CsvLineListModel(const CsvLineList *lines, QObject *parent)
    : QAbstractListModel(parent), m_lines(lines), m_rows(shownRows(*lines))
{
}

int CsvLineListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant CsvLineListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    return m_lines->entry(index.row());
}

void CsvLineListModel::follow()
{
    beginResetModel();
    m_rows = shownRows(*m_lines);
    endResetModel();
}

} // namespace tabulink
