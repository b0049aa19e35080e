// The handlers of the "ＣＳＶ　／　ＨＴＭＬ" tab: reading, transfer, input,
// deletions, width mode, clearing and the two writers.

#include "ui/CsvTab.h"

#include "browse/NativePath.h"
#include "page/OutOfMemory.h"
#include "page/SaveTarget.h"
#include "page/UserDialogs.h"
#include "page/WindowContext.h"
#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "table/CsvWriter.h"
#include "table/TableHtmlWriter.h"
#include "table/TableSize.h"
#include "ui/CsvLineListModel.h"
#include "ui/TableGridModel.h"
#include "ui/TwoStateCheckBox.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include <algorithm>

namespace {
// The busy pointer for as long as a handler runs.
class BusyPointer
{
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

QString notANumberText()
{
    return QStringLiteral("\n行と列には数字を入れて下さい。\n");
}
} // namespace

void CsvTab::Command1_Click()
{
    const QString labelled = m_context.pathLabel();
    if (!labelled.isEmpty() && !NativePath::isFile(labelled)) {
        m_context.refreshFileList();
        m_context.dialogs().notify(CsvReader::missingFileText(labelled));
        return;
    }
    QDir::setCurrent(m_context.currentFolder());
    const QString path = m_context.pathLabel();
    if (path.size() < 4) {
        m_context.dialogs().notify(CsvReader::noFileText());
        return;
    }

    CsvReader::Result read;
    {
        BusyPointer busy;
        read = CsvReader::readFile(path);
    }
    // A failed read or a size too large leaves the list and the table as they were.
    if (!read.ok) {
        m_context.dialogs().error(read.errorText);
        return;
    }
    if (!TableSize::fits(read.rows, read.columns)) {
        m_context.dialogs().error(TableSize::tooLargeText(read.rows, read.columns));
        return;
    }
    BusyPointer busy;
    m_list1Model->beginChange();
    m_lines = std::move(read.lines);
    m_list1Model->endChange();
    resizeTable(read.rows, read.columns);
    setSelectorText(m_combo1, read.rows);
    setSelectorText(m_combo2, read.columns);
}

bool CsvTab::commitSelector(bool rows)
{
    QComboBox *combo = rows ? m_combo1 : m_combo2;
    const TableSize::Commit commit = TableSize::parseCommit(combo->currentText());
    if (commit.kind != TableSize::Kind::Number)
        return true; // nothing changes, no message
    const qint64 newRows = rows ? commit.rounded : m_grid.rowCount();
    const qint64 newColumns = rows ? m_grid.colCount() : commit.rounded;
    if (!TableSize::fits(newRows, newColumns)) {
        m_context.dialogs().error(TableSize::tooLargeText(newRows, newColumns));
        return false;
    }
    resizeTable(newRows, newColumns);
    return true;
}

void CsvTab::resizeTable(qint64 rows, qint64 columns)
{
    m_syncing = true;
    m_model->resize(int(rows), int(columns));
    m_syncing = false;
    syncViewFromGrid();
}

void CsvTab::Combo1_Click()
{
    commitSelector(true);
}

void CsvTab::Combo2_Click()
{
    commitSelector(false);
}

void CsvTab::Combo1_KeyPress()
{
    commitSelector(true);
}

void CsvTab::Combo2_KeyPress()
{
    commitSelector(false);
}

void CsvTab::Command2_Click()
{
    const TableSize::Commit rows = TableSize::parseCommit(m_combo1->currentText());
    const TableSize::Commit columns = TableSize::parseCommit(m_combo2->currentText());
    if (rows.kind == TableSize::Kind::NotNumber || columns.kind == TableSize::Kind::NotNumber) {
        m_context.dialogs().notify(notANumberText());
        return;
    }
    const qint64 r = rows.kind == TableSize::Kind::Number ? TableSize::wholePart(rows.number) : 0;
    const qint64 c = columns.kind == TableSize::Kind::Number ? TableSize::wholePart(columns.number) : 0;
    // A size typed without Enter may reach past the table: the table grows
    // to hold it, but never shrinks, so cells outside R x C keep their texts.
    const qint64 wantRows = std::max<qint64>(r, m_grid.rowCount());
    const qint64 wantColumns = std::max<qint64>(c, m_grid.colCount());
    if (!TableSize::fits(wantRows, wantColumns)) {
        m_context.dialogs().error(TableSize::tooLargeText(wantRows, wantColumns));
        return;
    }
    resizeTable(wantRows, wantColumns);

    qint64 stored = 0;
    OutOfMemory::runRestoringState(m_context.dialogs(), m_grid, [&] {
        BusyPointer busy;
        stored = CsvTransfer::run(m_grid, m_lines, r, c, m_check5->isTicked());
    });
    if (stored > 0) {
        m_model->cellsChanged(r, c);
        syncViewFromGrid();
    }
}

void CsvTab::Text1_KeyPress()
{
    if (m_grid.hasCurrentCell()) {
        const int row = m_grid.currentRow();
        const int column = m_grid.currentCol();
        m_model->setCellText(row, column, m_text1->text());
        if (column == m_grid.colCount() - 1)
            setCurrentCell(std::min(row + 1, m_grid.rowCount() - 1), 0);
        else
            setCurrentCell(row, column + 1);
    }
    m_text1->clear();
}

void CsvTab::grd1_DblClick()
{
    if (m_grid.hasCurrentCell())
        m_text1->setText(m_grid.cellText(m_grid.currentRow(), m_grid.currentCol()));
}

void CsvTab::grd1_MouseUp(const QPoint &globalPos)
{
    m_grdsosa->popup(globalPos);
}

void CsvTab::grdgyodel_Click()
{
    if (m_grid.rowCount() == 0)
        return;
    const int row = m_grid.currentRow();
    const QString text = QStringLiteral("\n%1 行目を削除しますか？\n").arg(row + 1);
    if (!m_context.dialogs().confirm(QStringLiteral("行削除確認"), text, UserDialogs::DefaultAnswer::Yes))
        return;
    m_syncing = true;
    m_model->removeRow(row);
    m_syncing = false;
    syncViewFromGrid();
    setSelectorText(m_combo1, m_grid.rowCount());
}

void CsvTab::grdretudel_Click()
{
    if (m_grid.colCount() == 0)
        return;
    const int column = m_grid.currentCol();
    const QString text = QStringLiteral("\n%1 列目を削除しますか？\n").arg(column + 1);
    if (!m_context.dialogs().confirm(QStringLiteral("列削除確認"), text, UserDialogs::DefaultAnswer::Yes))
        return;
    m_syncing = true;
    const bool moved = m_model->removeColumnShifting(column);
    m_syncing = false;
    if (moved)
        m_grid.setCurrentCell(m_grid.rowCount() - 1, m_grid.colCount() - 1);
    syncViewFromGrid();
    setSelectorText(m_combo2, m_grid.colCount());
}

void CsvTab::Command5_Click()
{
    m_model->setFirstRowFixed(true);
    // Row 0 is the heading now; input goes on below it.
    if (m_grid.currentRow() == 0 && m_grid.rowCount() >= 2)
        m_grid.setCurrentCell(1, m_grid.currentCol());
    syncViewFromGrid();
}

void CsvTab::Command6_Click()
{
    m_model->setFirstRowFixed(false);
    syncViewFromGrid();
}

void CsvTab::Command8_Click()
{
    m_combo1->setEditText(QStringLiteral("4"));
    m_combo2->setEditText(QStringLiteral("5"));
    resizeTable(4, 5);
    m_model->clearTexts();
    m_list1Model->beginChange();
    m_lines.clear();
    m_list1Model->endChange();
}

TableHtmlOptions CsvTab::tableOptions(qint64 rows, qint64 columns) const
{
    TableHtmlOptions o;
    o.rows = rows;
    o.columns = columns;
    o.boldTopRow = m_check1->isTicked();
    o.boldLeftColumn = m_check2->isTicked();
    o.border = m_check3 && m_check3->isTicked();
    o.fillEmpty = m_check4->isTicked();
    o.stripQuotes = m_check5->isTicked();
    o.smallFont = m_check7->isTicked();
    o.centreAll = m_check9->isTicked();
    return o;
}

void CsvTab::finishWriting(qint64 rows, qint64 columns)
{
    if (rows <= 0 || columns <= 0)
        return;
    // Cells past an uncommitted selector text were written empty; the
    // current cell stays inside the table.
    const qint64 row = std::min<qint64>(rows, m_grid.rowCount()) - 1;
    const qint64 column = std::min<qint64>(columns, m_grid.colCount()) - 1;
    if (row >= 0 && column >= 0)
        setCurrentCell(int(row), int(column));
}

void CsvTab::saveTable(const SaveTarget::Params &params,
                       const std::function<void(LineSink &, qint64, qint64)> &body)
{
    const qint64 rows = TableSize::leadingCount(m_combo1->currentText());
    const qint64 columns = TableSize::leadingCount(m_combo2->currentText());
    if (!TableSize::fits(rows, columns)) {
        m_context.dialogs().error(TableSize::tooLargeText(rows, columns));
        return;
    }
    bool written = false;
    SaveTarget::run(m_context, params, [&](LineSink &sink) {
        body(sink, rows, columns);
        written = true;
    });
    if (written)
        finishWriting(rows, columns);
}

void CsvTab::Command4_Click()
{
    saveTable(CsvWriter::saveParams(), [this](LineSink &sink, qint64 rows, qint64 columns) {
        CsvWriter::writeLines(sink, m_grid, rows, columns);
    });
}

void CsvTab::Command3_Click()
{
    saveTable(TableHtmlWriter::saveParams(), [this](LineSink &sink, qint64 rows, qint64 columns) {
        TableHtmlWriter::writeLines(sink, m_context.pageOptions(), m_grid, tableOptions(rows, columns));
    });
}
