// What the controls of the "ＣＳＶ　／　ＨＴＭＬ" tab do: each hands the
// controls' states to the table editor and shows the result.

#include "ui/CsvTab.h"

#include "page/UserDialogs.h"
#include "table/TableHtmlWriter.h"
#include "ui/SaveContext.h"
#include "ui/SaveProcedure.h"
#include "ui/TwoStateCheckBox.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

namespace tabulink {

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

// Runs a save of the table; a size too large is shown instead.
TableEditor::Result saveTable(SaveContext &saves, SaveProcedure::Kind kind, const TableEditor::TableSave &save)
{
    TableEditor::Result shown;
    if (save.ok)
        SaveProcedure::run(saves, kind, save.body);
    else
        shown.message = UserMessage::warning(save.message);
    return shown;
}
} // namespace

void CsvTab::readCsvFile()
{
    TableEditor::Result result;
    {
        BusyPointer busy;
        result = m_editor.readCsvFile(m_saves.pathLabel(), m_saves.currentFolder());
    }
    showResult(result);
}

void CsvTab::transferToGrid()
{
    TableEditor::Result result;
    {
        BusyPointer busy;
        result = m_editor.transferToGrid(m_stripQuotesBox->isTicked());
    }
    showResult(result);
}

void CsvTab::commitRows()
{
    showResult(m_editor.commitRows());
}

void CsvTab::commitColumns()
{
    showResult(m_editor.commitColumns());
}

void CsvTab::storeCellText()
{
    showResult(m_editor.storeCellText(m_cellEdit->text()));
    m_cellEdit->clear();
}

void CsvTab::fetchCellText()
{
    if (const std::optional<QString> text = m_editor.currentCellText())
        m_cellEdit->setText(*text);
}

void CsvTab::showGridMenu(const QPoint &globalPos)
{
    m_gridMenu->popup(globalPos);
}

bool CsvTab::confirm(const std::optional<TableEditor::Question> &question)
{
    return question
        && m_saves.dialogs().confirm(question->title, question->text, UserDialogs::DefaultAnswer::Yes);
}

void CsvTab::deleteRow()
{
    if (confirm(m_editor.rowDeletionQuestion()))
        showResult(m_editor.deleteRow());
}

void CsvTab::deleteColumn()
{
    if (confirm(m_editor.columnDeletionQuestion()))
        showResult(m_editor.deleteColumn());
}

void CsvTab::startWidthMode()
{
    showResult(m_editor.setWidthMode(true));
}

void CsvTab::endWidthMode()
{
    showResult(m_editor.setWidthMode(false));
}

void CsvTab::clearTable()
{
    showResult(m_editor.clear());
}

void CsvTab::saveCsv()
{
    showResult(saveTable(m_saves, SaveProcedure::Kind::CsvFile, m_editor.csvSave()));
}

TableHtmlOptions CsvTab::tableOptions() const
{
    TableHtmlOptions options;
    options.boldTopRow = m_boldTopBox->isTicked();
    options.boldLeftColumn = m_boldLeftBox->isTicked();
    options.border = m_borderBox && m_borderBox->isTicked();
    options.fillEmpty = m_fillEmptyBox->isTicked();
    options.stripQuotes = m_stripQuotesBox->isTicked();
    options.smallFont = m_smallFontBox->isTicked();
    options.centreAll = m_centreAllBox->isTicked();
    return options;
}

void CsvTab::saveTablePage()
{
    showResult(saveTable(m_saves, SaveProcedure::Kind::TablePage, m_editor.pageSave(m_saves.pageOptions(), tableOptions())));
}

TablePagePreview::Page CsvTab::previewPage() const
{
    return TablePagePreview::write(m_editor, m_saves.pageOptions(), tableOptions());
}

} // namespace tabulink
