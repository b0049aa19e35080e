#pragma once

#include "table/TableGrid.h"

#include <QAbstractTableModel>

// Shows a TableGrid in grd1 and carries every change to it, with row and
// column signals that keep the view's column widths at their positions.
// While the width mode is on, the horizontal header shows row 0's texts.
class TableGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TableGridModel(TableGrid *grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Rows come and go at the bottom, columns at the right.
    void resize(int rows, int columns);
    void setCellText(int row, int column, const QString &text);
    // Cells (0, 0) to (rows-1, columns-1) were changed directly in the grid.
    void cellsChanged(qint64 rows, qint64 columns);
    void removeRow(int row);
    // Texts move left; the view loses its last column, so widths stay put.
    bool removeColumnShifting(int column);
    void clearTexts();
    void setFirstRowFixed(bool fixed);

private:
    TableGrid *m_grid;
};
