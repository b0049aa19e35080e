#pragma once

#include "table/TableEditor.h"
#include "ui/TabPage.h"

class CsvLineListModel;
class QComboBox;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTableView;
class TableGridModel;
class TwoStateCheckBox;
class SaveContext;

// Tab 0 "ＣＳＶ　／　ＨＴＭＬ": the controls of the CSV line list, the table
// grid with its size selectors and input box, and the two saves. The rules
// are TableEditor's; the tab passes the controls' states in and shows what
// came out.
class CsvTab : public TabPage
{
    Q_OBJECT
public:
    // borderBox: Check3 "テーブルの枠線有り", which lives below the tabs.
    CsvTab(SaveContext &context, TwoStateCheckBox *borderBox, QWidget *parent = nullptr);

    const TableGrid &grid() const { return m_editor.grid(); }
    const CsvLineList &lines() const { return m_editor.lines(); }
    QMenu *grdsosaMenu() const { return m_grdsosa; }
    QTableView *gridView() const { return m_grd1; }

    // Start-up: size the grid from the selectors, current cell (0, 0).
    void sizeGridFromSelectors();
    // Makes a cell current in the table and in the view.
    void setCurrentCell(int row, int column);

public slots:
    void readCsvFile();
    void transferToGrid();
    void saveTablePage();
    void saveCsv();
    void startWidthMode();
    void endWidthMode();
    void clearTable();
    void commitRows();
    void commitColumns();
    void storeCellText();
    void fetchCellText();
    void showGridMenu(const QPoint &globalPos);
    void deleteRow();
    void deleteColumn();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void wireControls();
    bool confirm(const std::optional<TableEditor::Question> &question);
    // Brings the views and the selectors along, then shows the message.
    void showResult(const TableEditor::Result &result);
    void syncViewFromGrid();
    void applyWidthMode();

    SaveContext &m_context;
    TwoStateCheckBox *m_check3;
    TableEditor m_editor;
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
