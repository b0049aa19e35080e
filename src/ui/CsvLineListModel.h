#pragma once

#include <QAbstractListModel>

namespace tabulink {

class CsvLineList;

// Shows the CSV line list in List1.
class CsvLineListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit CsvLineListModel(const CsvLineList *lines, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Call after the list was replaced or emptied.
    void follow();

private:
    const CsvLineList *m_lines;
    int m_rows;
};

} // namespace tabulink
