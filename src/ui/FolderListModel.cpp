#include "ui/FolderListModel.h"

#include "browse/FolderPath.h"

namespace tabulink {

void FolderListModel::setFolder(const QString &root, const QString &folder,
                                const QStringList &subfolders)
{
    beginResetModel();
    m_root = root;
    m_chain = FolderPath::chain(root, folder);
    m_subfolders = subfolders;
    endResetModel();
}

void FolderListModel::updateSubfolders(const QStringList &subfolders)
{
    if (subfolders == m_subfolders)
        return;
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    const int chain = int(m_chain.size());
    for (const QModelIndex &index : before) {
        if (index.row() < chain) {
            after.append(index);
            continue;
        }
        const qsizetype sub = subfolders.indexOf(m_subfolders.at(index.row() - chain));
        after.append(sub >= 0 ? createIndex(chain + int(sub), 0) : QModelIndex());
    }
    m_subfolders = subfolders;
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void FolderListModel::setIcons(const QIcon &open, const QIcon &closed)
{
    m_open = open;
    m_closed = closed;
}

QString FolderListModel::pathAt(int row) const
{
    if (row < 0)
        return QString();
    if (row < m_chain.size())
        return m_chain.at(row);
    const qsizetype sub = row - m_chain.size();
    if (sub >= m_subfolders.size() || m_chain.isEmpty())
        return QString();
    return FolderPath::fullPath(m_chain.last(), m_subfolders.at(sub));
}

int FolderListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_chain.size() + m_subfolders.size());
}

QVariant FolderListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row();
    const bool inChain = row < m_chain.size();
    if (!inChain && row - m_chain.size() >= m_subfolders.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return inChain ? FolderPath::displayName(m_chain.at(row), m_root)
                       : m_subfolders.at(row - m_chain.size());
    case Qt::ToolTipRole:
    case PathRole:
        return pathAt(row);
    case Qt::DecorationRole:
        return inChain ? m_open : m_closed;
    case DepthRole:
        return inChain ? row : int(m_chain.size());
    default:
        return QVariant();
    }
}

Qt::ItemFlags FolderListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace tabulink
