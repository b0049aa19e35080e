#pragma once

#include <QAbstractListModel>

class CsvLineList;

// Shows the CSV line list in List1.
class CsvLineListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit CsvLineListModel(const CsvLineList *lines, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Call around replacing or emptying the list.
    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }

private:
    const CsvLineList *m_lines;
};
