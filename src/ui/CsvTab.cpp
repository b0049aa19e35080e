#include "ui/CsvTab.h"

#include "page/OutOfMemory.h"
#include "table/TableChecks.h"
#include "ui/Controls.h"
#include "ui/CsvLineListModel.h"
#include "ui/DropFilter.h"
#include "ui/Fonts.h"
#include "ui/SaveContext.h"
#include "ui/TableGridModel.h"
#include "ui/TwoStateCheckBox.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include <limits>
#include <utility>

namespace tabulink {

namespace {
QStringList numberItems(int from, int to)
{
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QString::number(i);
    return items;
}

// The shown text and the current entry go together: the arrow keys step
// from the current entry, so a selector showing "4" with "2" current would
// step to "3" on Down.
void showSelectorText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index >= 0)
        combo->setCurrentIndex(index);
    combo->setEditText(text);
}

QComboBox *selector(const QStringList &items, const QString &text)
{
    auto *combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    // The selector holds exactly what was typed: the inline completer would
    // turn a typed "1" into "10" from the list.
    combo->setCompleter(nullptr);
    showSelectorText(combo, text);
    return combo;
}

// The grid takes no typing: the view's keyboard search would move the
// current cell to a cell starting with the typed letters.
class GridView : public QTableView
{
public:
    void keyboardSearch(const QString &) override {}
};

bool isEnter(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

CsvTab::CsvTab(SaveContext &saves, TwoStateCheckBox *borderBox, QWidget *parent)
    : TabPage(parent), m_saves(saves), m_borderBox(borderBox)
{
    buildControls();
    wireControls();
}

void CsvTab::buildControls()
{
    const QFont small = Fonts::gothic(8.25);

    m_linesModel = new CsvLineListModel(&m_editor.lines(), this);
    m_lineList = place(new QListView, "List1", 8, 28, 417, 50);
    m_lineList->setModel(m_linesModel);
    m_lineList->setUniformItemSizes(true);
    m_lineList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_readButton = place(new QPushButton(QStringLiteral("csvﾌｧｲﾙ読込")), "Command1", 432, 28, 97, 17);
    m_transferButton = place(new QPushButton(QStringLiteral("ｸﾞﾘｯﾄﾞに転送")), "Command2", 432, 47, 97, 17);
    m_stripQuotesBox = place(new TwoStateCheckBox(QStringLiteral("両脇の\"を取る")), "Check5", 432, 65, 89, 17);
    m_stripQuotesBox->setFont(small);
    place(new QLabel(QStringLiteral("列：")), "Label2", 8, 88, 33, 17);
    m_columnsSelector = place(selector(numberItems(2, 15), QStringLiteral("5")), "Combo2", 32, 84, 49, 20);
    place(new QLabel(QStringLiteral("行：")), "Label3", 88, 88, 25, 17);
    m_rowsSelector = place(selector(numberItems(2, 8), QStringLiteral("4")), "Combo1", 112, 84, 49, 20);
    m_cellEdit = place(new QLineEdit, "Text1", 168, 84, 217, 18);
    // A cell's text goes through the box whole, however long.
    m_cellEdit->setMaxLength(std::numeric_limits<int>::max());
    m_clearButton = place(new QPushButton(QStringLiteral("ｸﾘｱ")), "Command8", 392, 84, 33, 17);
    m_widthButton = place(new QPushButton(QStringLiteral("ｾﾙ幅変更")), "Command5", 432, 84, 57, 17);
    m_widthButton->setFont(small);
    m_widthEndButton = place(new QPushButton(QStringLiteral("不可")), "Command6", 496, 84, 33, 17);
    m_widthEndButton->setFont(small);

    m_model = new TableGridModel(&m_editor.grid(), this);
    m_gridView = place<QTableView>(new GridView, "grd1", 8, 108, 521, 185);
    // Tab leaves the grid; the current cell moves by a click or an arrow key.
    m_gridView->setTabKeyNavigation(false);

    m_gridView->setModel(m_model);
    m_gridView->setFont(Fonts::gothic(9));
    QHeaderView *heading = m_gridView->horizontalHeader();
    heading->hide();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setHighlightSections(false);
    heading->setDefaultSectionSize(64);
    m_gridView->verticalHeader()->hide();
    m_gridView->verticalHeader()->setDefaultSectionSize(18);
    m_gridView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_gridView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gridView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gridView->setWordWrap(false);
    Controls::setPaleYellowBase(m_gridView);
    QPalette headingPal = heading->palette();
    headingPal.setColor(QPalette::Button, QColor(192, 192, 192));
    heading->setPalette(headingPal);

    m_boldTopBox = place(new TwoStateCheckBox(QStringLiteral("最上部を太字にする")), "Check1", 8, 300, 129, 17);
    m_boldLeftBox = place(new TwoStateCheckBox(QStringLiteral("最左部を太字にする")), "Check2", 8, 316, 129, 17);
    m_fillEmptyBox = place(new TwoStateCheckBox(QStringLiteral("空白にｽﾍﾟｰｽを入れる")), "Check4", 8, 332, 137, 17);
    m_centreAllBox = place(new TwoStateCheckBox(QStringLiteral("全文字をセル中央にする")), "Check9", 144, 300, 145, 17);
    m_smallFontBox = place(new TwoStateCheckBox(QStringLiteral("ﾃｰﾌﾞﾙﾌｫﾝﾄを8にする")), "Check7", 144, 320, 137, 17);
    for (TwoStateCheckBox *box : {m_boldTopBox, m_boldLeftBox, m_fillEmptyBox, m_centreAllBox, m_smallFontBox})
        box->setFont(small);
    const TableChecks atStart;
    const std::pair<TwoStateCheckBox *, bool> states[] = {
        {m_boldTopBox, atStart.boldTopRow}, {m_boldLeftBox, atStart.boldLeftColumn}, {m_borderBox, atStart.border},
        {m_fillEmptyBox, atStart.fillEmpty}, {m_stripQuotesBox, atStart.stripQuotes},
        {m_smallFontBox, atStart.smallFont}, {m_centreAllBox, atStart.centreAll}};
    for (const auto &[box, ticked] : states) {
        if (box)
            box->setChecked(ticked);
    }
    m_saveCsvButton = place(new QPushButton(QStringLiteral("csv 保存")), "Command4", 352, 336, 81, 25);
    m_savePageButton = place(new QPushButton(QStringLiteral("ｈｔｍｌ 保存")), "Command3", 448, 336, 81, 25);

    m_gridMenu = new QMenu(QStringLiteral("grdsosa"), this);
    m_gridMenu->setObjectName(QStringLiteral("grdsosa"));
    QAction *gyodel = Controls::addNamedAction(m_gridMenu, "grdgyodel", QStringLiteral("行の削除"));
    QAction *retudel = Controls::addNamedAction(m_gridMenu, "grdretudel", QStringLiteral("列の削除"));
    connect(gyodel, &QAction::triggered, this, &CsvTab::deleteRow);
    connect(retudel, &QAction::triggered, this, &CsvTab::deleteColumn);
}

bool CsvTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_cellEdit && isEnter(event)) {
        storeCellText();
        return true; // consumed
    }
    // The selectors see Enter too: it is not consumed.
    if (watched == m_rowsSelector && isEnter(event))
        commitRows();
    else if (watched == m_columnsSelector && isEnter(event))
        commitColumns();
    else if (watched == m_gridView->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton)
            showGridMenu(mouse->globalPosition().toPoint());
    }
    return TabPage::eventFilter(watched, event);
}

void CsvTab::sizeGridFromSelectors()
{
    showResult(m_editor.commitRows());
    showResult(m_editor.commitColumns());
    setCurrentCell(0, 0);
}

void CsvTab::setCurrentCell(int row, int column)
{
    m_editor.setCurrentCell(row, column);
    syncViewFromGrid();
}

void CsvTab::showResult(const TableEditor::Result &result)
{
    m_syncing = true;
    m_model->follow(result.changes);
    if (result.changes.lines)
        m_linesModel->follow();
    m_syncing = false;
    if (result.changes.selectors) {
        showSelectorText(m_rowsSelector, m_editor.rowsText());
        showSelectorText(m_columnsSelector, m_editor.colsText());
    }
    syncViewFromGrid();
    if (result.fileMissing)
        m_saves.refreshFileList();
    m_saves.dialogs().tell(result.message);
}

void CsvTab::syncViewFromGrid()
{
    const TableGrid &grid = m_editor.grid();
    m_syncing = true;
    if (grid.hasCurrentCell())
        m_gridView->setCurrentIndex(m_model->index(grid.currentRow(), grid.currentCol()));
    else
        m_gridView->setCurrentIndex(QModelIndex());
    m_syncing = false;
    applyWidthMode();
}

void CsvTab::applyWidthMode()
{
    const TableGrid &grid = m_editor.grid();
    const bool fixed = grid.firstRowFixed();
    m_gridView->horizontalHeader()->setVisible(fixed);
    // The only row stays in the body, so it can still be picked for input.
    if (grid.rowCount() > 0)
        m_gridView->setRowHidden(0, fixed && grid.rowCount() >= 2);
    if (grid.rowCount() > 1)
        m_gridView->setRowHidden(1, false);
}

} // namespace tabulink
