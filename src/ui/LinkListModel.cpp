#include "ui/LinkListModel.h"

#include <algorithm>

namespace tabulink {

LinkListModel::LinkListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int LinkListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_list.count());
}

QVariant LinkListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.count())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_list.row(index.row());
    if (role == Qt::ToolTipRole)
        return m_list.entry(index.row()).fileName;
    return QVariant();
}

void LinkListModel::replaceAll(const QList<FileListEntry> &entries)
{
    beginResetModel();
    m_list.replaceAll(entries);
    endResetModel();
}

void LinkListModel::replaceAll(const QStringList &names)
{
    beginResetModel();
    m_list.replaceAll(names);
    endResetModel();
}

void LinkListModel::clear()
{
    beginResetModel();
    m_list.clear();
    endResetModel();
}

void LinkListModel::setDescription(qsizetype index, const QString &description)
{
    if (index < 0 || index >= m_list.count())
        return;
    m_list.setDescription(index, description);
    const QModelIndex changed = this->index(int(index));
    emit dataChanged(changed, changed);
}

void LinkListModel::removeRows(const QList<qsizetype> &indexes)
{
    QList<qsizetype> sorted;
    sorted.reserve(indexes.size());
    for (qsizetype i : indexes) {
        if (i >= 0 && i < m_list.count())
            sorted.append(i);
    }
    if (sorted.isEmpty())
        return;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());

    // Many scattered rows: one reset is cheaper than thousands of removals.
    if (sorted.size() > 1000) {
        beginResetModel();
        m_list.removeRows(sorted);
        endResetModel();
        return;
    }
    qsizetype end = sorted.size();
    while (end > 0) {
        qsizetype begin = end - 1;
        while (begin > 0 && sorted[begin - 1] == sorted[begin] - 1)
            --begin;
        const qsizetype firstRow = sorted[begin];
        const qsizetype lastRow = sorted[end - 1];
        beginRemoveRows(QModelIndex(), int(firstRow), int(lastRow));
        m_list.removeRange(firstRow, lastRow - firstRow + 1);
        endRemoveRows();
        end = begin;
    }
}

} // namespace tabulink
