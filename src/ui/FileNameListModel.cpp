#include "ui/FileNameListModel.h"

namespace tabulink {

void FileNameListModel::setNames(const QStringList &names)
{
    beginResetModel();
    m_names = names;
    endResetModel();
}

void FileNameListModel::updateNames(const QStringList &names)
{
    if (names == m_names)
        return;
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    // Few rows are persistent (the current one, the selection), so a
    // search through the new list for each is cheap.
    for (const QModelIndex &index : before) {
        const qsizetype row = names.indexOf(m_names.at(index.row()));
        after.append(row >= 0 ? createIndex(int(row), 0) : QModelIndex());
    }
    m_names = names;
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

int FileNameListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant FileNameListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_names.at(index.row());
    return QVariant();
}

Qt::ItemFlags FileNameListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace tabulink
