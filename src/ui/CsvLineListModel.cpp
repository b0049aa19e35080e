#include "ui/CsvLineListModel.h"

#include "table/CsvLineList.h"

#include <limits>

CsvLineListModel::CsvLineListModel(const CsvLineList *lines, QObject *parent)
    : QAbstractListModel(parent), m_lines(lines)
{
}

int CsvLineListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(std::min<qsizetype>(m_lines->size(), std::numeric_limits<int>::max()));
}

QVariant CsvLineListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    return m_lines->entry(index.row());
}
