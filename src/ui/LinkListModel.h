#pragma once

#include "linkpage/FileList.h"

#include <QAbstractListModel>

// List2's model: the file list rows, one text per row.
class LinkListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit LinkListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const FileList &list() const { return m_list; }
    const QStringList &rows() const { return m_list.rows(); }

    void replaceAll(const QStringList &names);
    void clear();
    void setRow(qsizetype index, const QString &row);
    // Removes the given rows, contiguous runs at a time from the last.
    void removeRows(const QList<qsizetype> &indexes);

private:
    FileList m_list;
};
