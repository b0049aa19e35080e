#pragma once

#include "browse/DroppedPath.h"
#include "table/TableEditor.h"
#include "table/TablePagePreview.h"
#include "ui/TabPage.h"

class QComboBox;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTableView;

namespace tabulink {

class CsvLineListModel;
class TableGridModel;
class TwoStateCheckBox;
class SaveContext;

// The tab "ＣＳＶ　／　ＨＴＭＬ": the controls of the CSV line list, the table
// grid with its size selectors and input box, and the two saves. The rules
// are TableEditor's; the tab passes the controls' states in and shows what
// came out.
class CsvTab : public TabPage
{
    Q_OBJECT
public:
    // borderBox: "テーブルの枠線有り", which lives below the tabs.
    CsvTab(SaveContext &saves, TwoStateCheckBox *borderBox, QWidget *parent = nullptr);

    const TableGrid &grid() const { return m_editor.grid(); }
    const CsvLineList &lines() const { return m_editor.lines(); }
    QMenu *gridMenu() const { return m_gridMenu; }
    QTableView *gridView() const { return m_gridView; }

    // Start-up: size the grid from the selectors, current cell (0, 0).
    void sizeGridFromSelectors();
    // Makes a cell current in the table and in the view.
    void setCurrentCell(int row, int column);
    // The table page "ｈｔｍｌ 保存" would write now, in memory, cut to its
    // first rows; nothing is saved or shown.
    TablePagePreview::Page previewPage() const;

signals:
    // The table page may have changed: cells, size texts or check boxes.
    void changed();

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

signals:
    // A regular file was dropped on the tab: the window shows it as picked
    // in the file list, then has it read as the button reads it.
    void csvFileDropped(const DroppedPath &dropped);

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
    TableHtmlOptions tableOptions() const;

    SaveContext &m_saves;
    TwoStateCheckBox *m_borderBox;
    TableEditor m_editor;
    TableGridModel *m_model = nullptr;
    CsvLineListModel *m_linesModel = nullptr;
    bool m_syncing = false;

    QListView *m_lineList = nullptr;
    QPushButton *m_readButton = nullptr;
    QPushButton *m_transferButton = nullptr;
    TwoStateCheckBox *m_stripQuotesBox = nullptr;
    QComboBox *m_columnsSelector = nullptr;
    QComboBox *m_rowsSelector = nullptr;
    QLineEdit *m_cellEdit = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_widthButton = nullptr;
    QPushButton *m_widthEndButton = nullptr;
    QTableView *m_gridView = nullptr;
    TwoStateCheckBox *m_boldTopBox = nullptr;
    TwoStateCheckBox *m_boldLeftBox = nullptr;
    TwoStateCheckBox *m_fillEmptyBox = nullptr;
    TwoStateCheckBox *m_centreAllBox = nullptr;
    TwoStateCheckBox *m_smallFontBox = nullptr;
    QPushButton *m_saveCsvButton = nullptr;
    QPushButton *m_savePageButton = nullptr;
    QMenu *m_gridMenu = nullptr;
};

} // namespace tabulink
