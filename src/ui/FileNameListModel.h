#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace tabulink {

// The names of the file list File1: read only, one implicitly shared list,
// replaced whole on every re-read, so a folder of a hundred thousand files
// costs one reset and no per-row objects. A change on disk replaces the list
// in place: the current and selected names and the scroll position stay.
class FileNameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setNames(const QStringList &names);
    // The same folder read again: rows follow their names.
    void updateNames(const QStringList &names);
    const QStringList &names() const { return m_names; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QStringList m_names;
};

} // namespace tabulink
