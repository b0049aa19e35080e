#pragma once

#include "table/CsvLineList.h"
#include "page/SaveTarget.h"
#include "table/TableGrid.h"
#include "ui/TabPage.h"

#include <functional>

class CsvLineListModel;
class LineSink;
class QComboBox;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTableView;
class TableGridModel;
class TwoStateCheckBox;
class WindowContext;
struct TableHtmlOptions;

// Tab 0 "ＣＳＶ　／　ＨＴＭＬ": the CSV line list, the table grid with its
// size selectors and input box, and the CSV and table page writers.
class CsvTab : public TabPage
{
    Q_OBJECT
public:
    // borderBox: Check3 "テーブルの枠線有り", which lives below the tabs.
    CsvTab(WindowContext &context, TwoStateCheckBox *borderBox, QWidget *parent = nullptr);

    const TableGrid &grid() const { return m_grid; }
    const CsvLineList &lines() const { return m_lines; }
    QMenu *grdsosaMenu() const { return m_grdsosa; }
    QTableView *gridView() const { return m_grd1; }

    // Start-up: size the grid from the selectors, current cell (0, 0).
    void sizeGridFromSelectors();
    // Makes a cell current in the table and in the view.
    void setCurrentCell(int row, int column);

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command8_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Combo1_KeyPress();
    void Combo2_KeyPress();
    void Text1_KeyPress();
    void grd1_DblClick();
    void grd1_MouseUp(const QPoint &globalPos);
    void grdgyodel_Click();
    void grdretudel_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void wireControls();
    // Resizes the table to a committed selector text; false when refused.
    bool commitSelector(bool rows);
    void resizeTable(qint64 rows, qint64 columns);
    void setSelectorText(QComboBox *combo, qint64 value);
    TableHtmlOptions tableOptions(qint64 rows, qint64 columns) const;
    // After a save that wrote cells, the last cell written is current.
    void finishWriting(qint64 rows, qint64 columns);
    // Both table saves: size check, the save procedure, then the current cell.
    void saveTable(const SaveTarget::Params &params,
                   const std::function<void(LineSink &, qint64, qint64)> &body);
    void syncViewFromGrid();
    void applyWidthMode();

    WindowContext &m_context;
    TwoStateCheckBox *m_check3;
    TableGrid m_grid;
    CsvLineList m_lines;
    TableGridModel *m_model = nullptr;
    CsvLineListModel *m_list1Model = nullptr;
    bool m_syncing = false;

    QListView *m_list1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    TwoStateCheckBox *m_check5 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QPushButton *m_command8 = nullptr;
    QPushButton *m_command5 = nullptr;
    QPushButton *m_command6 = nullptr;
    QTableView *m_grd1 = nullptr;
    TwoStateCheckBox *m_check1 = nullptr;
    TwoStateCheckBox *m_check2 = nullptr;
    TwoStateCheckBox *m_check4 = nullptr;
    TwoStateCheckBox *m_check9 = nullptr;
    TwoStateCheckBox *m_check7 = nullptr;
    QPushButton *m_command4 = nullptr;
    QPushButton *m_command3 = nullptr;
    QMenu *m_grdsosa = nullptr;
};
