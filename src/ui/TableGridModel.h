#pragma once

#include "table/TableEditor.h"

#include <QAbstractTableModel>

namespace tabulink {

// Shows a TableGrid in grd1. The grid changes first; follow() then brings
// the view along with row and column signals that keep the view's column
// widths at their positions. While the width mode is on, the horizontal
// header shows row 0's texts.
class TableGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TableGridModel(const TableGrid *grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Rows and columns come and go at the bottom and the right until the
    // view has the grid's size; a removed row goes from its place.
    void follow(const TableEditor::Changes &changes);

private:
    void followSize();

    const TableGrid *m_grid;
    int m_rows;
    int m_columns;
};

} // namespace tabulink
