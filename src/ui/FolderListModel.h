#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QStringList>

namespace tabulink {

// The rows of the folder list Dir1: the chain of folders from the volume's
// root down to the current folder (shown open), then the current folder's
// subfolders (shown closed), each indented one step below its parent.
class FolderListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role { DepthRole = Qt::UserRole + 1, PathRole };

    using QAbstractListModel::QAbstractListModel;

    // root: the volume's mount point; folder lies within it.
    void setFolder(const QString &root, const QString &folder, const QStringList &subfolders);
    // The same folder read again: the subfolder rows follow their names.
    void updateSubfolders(const QStringList &subfolders);
    void setIcons(const QIcon &open, const QIcon &closed);

    QString pathAt(int row) const;
    // The row of the current folder: the last of the chain.
    int currentRow() const { return int(m_chain.size()) - 1; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QString m_root;
    QStringList m_chain;      // full paths, root first
    QStringList m_subfolders; // bare names
    QIcon m_open;
    QIcon m_closed;
};

} // namespace tabulink
