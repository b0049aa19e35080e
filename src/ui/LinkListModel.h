#pragma once

#include "linkpage/FileList.h"

#include <QAbstractListModel>

namespace tabulink {

// List2's model: the file list rows, each shown as name and description
// joined by a comma.
class LinkListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit LinkListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const FileList &list() const { return m_list; }
    // The rows as the list shows them.
    QStringList rows() const { return m_list.rows(); }

    void replaceAll(const QList<FileListEntry> &entries);
    void replaceAll(const QStringList &names);
    void clear();
    void setDescription(qsizetype index, const QString &description);
    void markWritten() { m_list.markWritten(); }
    // Removes the given rows, contiguous runs at a time from the last.
    void removeRows(const QList<qsizetype> &indexes);

private:
    FileList m_list;
};

} // namespace tabulink
