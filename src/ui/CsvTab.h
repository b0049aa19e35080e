#pragma once

#include "table/TableGrid.h"
#include "ui/TabPage.h"

class QComboBox;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QStringListModel;
class QTableView;
class TableGridModel;
class TwoStateCheckBox;
class WindowContext;

// Tab 0 "ＣＳＶ　／　ＨＴＭＬ": the CSV line list, the table grid and the
// table writers.
class CsvTab : public TabPage
{
    Q_OBJECT
public:
    CsvTab(WindowContext &context, TwoStateCheckBox *borderBox, QWidget *parent = nullptr);

    TableGrid &grid() { return m_grid; }
    QMenu *grdsosaMenu() const { return m_grdsosa; }

    // Start-up steps 5 to 8: size the grid from the selectors, current cell (0, 0).
    void sizeGridFromSelectors();

private:
    WindowContext &m_context;
    TwoStateCheckBox *m_check3;
    TableGrid m_grid;
    TableGridModel *m_model;

    QListView *m_list1;
    QStringListModel *m_list1Model;
    QPushButton *m_command1;
    QPushButton *m_command2;
    TwoStateCheckBox *m_check5;
    QComboBox *m_combo2;
    QComboBox *m_combo1;
    QLineEdit *m_text1;
    QPushButton *m_command8;
    QPushButton *m_command5;
    QPushButton *m_command6;
    QTableView *m_grd1;
    TwoStateCheckBox *m_check1;
    TwoStateCheckBox *m_check2;
    TwoStateCheckBox *m_check4;
    TwoStateCheckBox *m_check9;
    TwoStateCheckBox *m_check7;
    QPushButton *m_command4;
    QPushButton *m_command3;
    QMenu *m_grdsosa;
};
