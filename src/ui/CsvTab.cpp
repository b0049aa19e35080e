#include "ui/CsvTab.h"

#include "page/OutOfMemory.h"
#include "page/SaveContext.h"
#include "ui/Controls.h"
#include "ui/CsvLineListModel.h"
#include "ui/Fonts.h"
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

namespace {
QStringList numberItems(int from, int to)
{
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QString::number(i);
    return items;
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
    combo->setCurrentText(text);
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

CsvTab::CsvTab(SaveContext &context, TwoStateCheckBox *borderBox, QWidget *parent)
    : TabPage(parent), m_context(context), m_check3(borderBox)
{
    buildControls();
    wireControls();
}

void CsvTab::buildControls()
{
    const QFont small = Fonts::gothic(8.25);

    m_list1Model = new CsvLineListModel(&m_editor.lines(), this);
    m_list1 = place(new QListView, "List1", 8, 28, 417, 50);
    m_list1->setModel(m_list1Model);
    m_list1->setUniformItemSizes(true);
    m_list1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_command1 = place(new QPushButton(QStringLiteral("csvﾌｧｲﾙ読込")), "Command1", 432, 28, 97, 17);
    m_command2 = place(new QPushButton(QStringLiteral("ｸﾞﾘｯﾄﾞに転送")), "Command2", 432, 47, 97, 17);
    m_check5 = place(new TwoStateCheckBox(QStringLiteral("両脇の\"を取る")), "Check5", 432, 65, 89, 17);
    m_check5->setFont(small);
    place(new QLabel(QStringLiteral("列：")), "Label2", 8, 88, 33, 17);
    m_combo2 = place(selector(numberItems(2, 15), QStringLiteral("5")), "Combo2", 32, 84, 49, 20);
    place(new QLabel(QStringLiteral("行：")), "Label3", 88, 88, 25, 17);
    m_combo1 = place(selector(numberItems(2, 8), QStringLiteral("4")), "Combo1", 112, 84, 49, 20);
    m_text1 = place(new QLineEdit, "Text1", 168, 84, 217, 18);
    // A cell's text goes through the box whole, however long.
    m_text1->setMaxLength(std::numeric_limits<int>::max());
    m_command8 = place(new QPushButton(QStringLiteral("ｸﾘｱ")), "Command8", 392, 84, 33, 17);
    m_command5 = place(new QPushButton(QStringLiteral("ｾﾙ幅変更")), "Command5", 432, 84, 57, 17);
    m_command5->setFont(small);
    m_command6 = place(new QPushButton(QStringLiteral("不可")), "Command6", 496, 84, 33, 17);
    m_command6->setFont(small);

    m_model = new TableGridModel(&m_editor.grid(), this);
    m_grd1 = place<QTableView>(new GridView, "grd1", 8, 108, 521, 185);
    // Tab leaves the grid; the current cell moves by a click or an arrow key.
    m_grd1->setTabKeyNavigation(false);

    m_grd1->setModel(m_model);
    m_grd1->setFont(Fonts::gothic(9));
    QHeaderView *heading = m_grd1->horizontalHeader();
    heading->hide();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setHighlightSections(false);
    heading->setDefaultSectionSize(64);
    m_grd1->verticalHeader()->hide();
    m_grd1->verticalHeader()->setDefaultSectionSize(18);
    m_grd1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grd1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grd1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grd1->setWordWrap(false);
    Controls::setPaleYellowBase(m_grd1);
    QPalette headingPal = heading->palette();
    headingPal.setColor(QPalette::Button, QColor(192, 192, 192));
    heading->setPalette(headingPal);

    m_check1 = place(new TwoStateCheckBox(QStringLiteral("最上部を太字にする")), "Check1", 8, 300, 129, 17);
    m_check2 = place(new TwoStateCheckBox(QStringLiteral("最左部を太字にする")), "Check2", 8, 316, 129, 17);
    m_check4 = place(new TwoStateCheckBox(QStringLiteral("空白にｽﾍﾟｰｽを入れる")), "Check4", 8, 332, 137, 17);
    m_check9 = place(new TwoStateCheckBox(QStringLiteral("全文字をセル中央にする")), "Check9", 144, 300, 145, 17);
    m_check7 = place(new TwoStateCheckBox(QStringLiteral("ﾃｰﾌﾞﾙﾌｫﾝﾄを8にする")), "Check7", 144, 320, 137, 17);
    for (TwoStateCheckBox *box : {m_check1, m_check2, m_check4, m_check9, m_check7})
        box->setFont(small);
    for (TwoStateCheckBox *box : {m_check1, m_check2, m_check4, m_check5})
        box->setChecked(true);
    if (m_check3)
        m_check3->setChecked(true);
    m_command4 = place(new QPushButton(QStringLiteral("csv 保存")), "Command4", 352, 336, 81, 25);
    m_command3 = place(new QPushButton(QStringLiteral("ｈｔｍｌ 保存")), "Command3", 448, 336, 81, 25);

    m_grdsosa = new QMenu(QStringLiteral("grdsosa"), this);
    m_grdsosa->setObjectName(QStringLiteral("grdsosa"));
    QAction *gyodel = Controls::addNamedAction(m_grdsosa, "grdgyodel", QStringLiteral("行の削除"));
    QAction *retudel = Controls::addNamedAction(m_grdsosa, "grdretudel", QStringLiteral("列の削除"));
    connect(gyodel, &QAction::triggered, this, &CsvTab::deleteRow);
    connect(retudel, &QAction::triggered, this, &CsvTab::deleteColumn);
}

void CsvTab::wireControls()
{
    connect(m_command1, &QPushButton::clicked, this,
            [this] { OutOfMemory::runTellingUser(m_context.dialogs(), [this] { readCsvFile(); }); });
    connect(m_command2, &QPushButton::clicked, this,
            [this] { OutOfMemory::runTellingUser(m_context.dialogs(), [this] { transferToGrid(); }); });
    connect(m_command3, &QPushButton::clicked, this, &CsvTab::saveTablePage);
    connect(m_command4, &QPushButton::clicked, this, &CsvTab::saveCsv);
    connect(m_command5, &QPushButton::clicked, this, &CsvTab::startWidthMode);
    connect(m_command6, &QPushButton::clicked, this, &CsvTab::endWidthMode);
    connect(m_command8, &QPushButton::clicked, this, &CsvTab::clearTable);
    connect(m_combo1, &QComboBox::editTextChanged, this, [this](const QString &text) { m_editor.setRowsText(text); });
    connect(m_combo2, &QComboBox::editTextChanged, this, [this](const QString &text) { m_editor.setColsText(text); });
    connect(m_combo1, &QComboBox::activated, this, &CsvTab::commitRows);
    connect(m_combo2, &QComboBox::activated, this, &CsvTab::commitColumns);
    // Keys reach the selectors' line edits only through the combo boxes,
    // which hold the focus; a filter on the line edit would miss them.
    m_combo1->installEventFilter(this);
    m_combo2->installEventFilter(this);
    m_text1->installEventFilter(this);
    m_grd1->viewport()->installEventFilter(this);
    connect(m_grd1, &QTableView::doubleClicked, this, &CsvTab::fetchCellText);
    connect(m_grd1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!m_syncing && current.isValid())
                    m_editor.setCurrentCell(current.row(), current.column());
            });
}

bool CsvTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text1 && isEnter(event)) {
        storeCellText();
        return true; // consumed
    }
    // The selectors see Enter too: it is not consumed.
    if (watched == m_combo1 && isEnter(event))
        commitRows();
    else if (watched == m_combo2 && isEnter(event))
        commitColumns();
    else if (watched == m_grd1->viewport() && event->type() == QEvent::MouseButtonRelease) {
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
        m_list1Model->follow();
    m_syncing = false;
    if (result.changes.selectors) {
        m_combo1->setEditText(m_editor.rowsText());
        m_combo2->setEditText(m_editor.colsText());
    }
    syncViewFromGrid();
    if (result.fileMissing)
        m_context.refreshFileList();
    if (result.message == TableEditor::Result::Message::Notice)
        m_context.dialogs().notify(result.text);
    else if (result.message == TableEditor::Result::Message::Error)
        m_context.dialogs().error(result.text);
}

void CsvTab::syncViewFromGrid()
{
    const TableGrid &grid = m_editor.grid();
    m_syncing = true;
    if (grid.hasCurrentCell())
        m_grd1->setCurrentIndex(m_model->index(grid.currentRow(), grid.currentCol()));
    else
        m_grd1->setCurrentIndex(QModelIndex());
    m_syncing = false;
    applyWidthMode();
}

void CsvTab::applyWidthMode()
{
    const TableGrid &grid = m_editor.grid();
    const bool fixed = grid.firstRowFixed();
    m_grd1->horizontalHeader()->setVisible(fixed);
    // The only row stays in the body, so it can still be picked for input.
    if (grid.rowCount() > 0)
        m_grd1->setRowHidden(0, fixed && grid.rowCount() >= 2);
    if (grid.rowCount() > 1)
        m_grd1->setRowHidden(1, false);
}
