// Which control of the "ＣＳＶ　／　ＨＴＭＬ" tab calls which handler, and
// what the preview follows.

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

void CsvTab::wireControls()
{
    connect(m_readButton, &QPushButton::clicked, this,
            [this] { OutOfMemory::runTellingUser(m_saves.dialogs(), [this] { readCsvFile(); }); });
    connect(m_transferButton, &QPushButton::clicked, this,
            [this] { OutOfMemory::runTellingUser(m_saves.dialogs(), [this] { transferToGrid(); }); });
    connect(m_savePageButton, &QPushButton::clicked, this, &CsvTab::saveTablePage);
    connect(m_saveCsvButton, &QPushButton::clicked, this, &CsvTab::saveCsv);
    connect(m_widthButton, &QPushButton::clicked, this, &CsvTab::startWidthMode);
    connect(m_widthEndButton, &QPushButton::clicked, this, &CsvTab::endWidthMode);
    connect(m_clearButton, &QPushButton::clicked, this, &CsvTab::clearTable);
    connect(m_rowsSelector, &QComboBox::editTextChanged, this, [this](const QString &text) { m_editor.setRowsText(text); });
    connect(m_columnsSelector, &QComboBox::editTextChanged, this, [this](const QString &text) { m_editor.setColsText(text); });
    connect(m_rowsSelector, &QComboBox::activated, this, &CsvTab::commitRows);
    connect(m_columnsSelector, &QComboBox::activated, this, &CsvTab::commitColumns);
    // Keys reach the selectors' line edits only through the combo boxes,
    // which hold the focus; a filter on the line edit would miss them.
    m_rowsSelector->installEventFilter(this);
    m_columnsSelector->installEventFilter(this);
    m_cellEdit->installEventFilter(this);
    m_gridView->viewport()->installEventFilter(this);
    connect(m_gridView, &QTableView::doubleClicked, this, &CsvTab::fetchCellText);
    // The tab and the boxes that take text drops of their own.
    auto *drops = new DropFilter(this, [this](const QList<QUrl> &urls) {
        const DroppedPath dropped = DroppedPath::take(urls, false);
        if (dropped.kind == DroppedPath::File)
            emit csvFileDropped(dropped);
        else
            DropFilter::tellRefusal(m_saves.dialogs(), dropped);
    });
    drops->watch(this);
    for (QWidget *child : findChildren<QWidget *>()) {
        if (child->acceptDrops())
            drops->watch(child);
    }
    // Whatever shapes the table page tells the preview to follow.
    connect(m_model, &QAbstractItemModel::dataChanged, this, &CsvTab::changed);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &CsvTab::changed);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &CsvTab::changed);
    connect(m_model, &QAbstractItemModel::columnsInserted, this, &CsvTab::changed);
    connect(m_model, &QAbstractItemModel::columnsRemoved, this, &CsvTab::changed);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CsvTab::changed);
    connect(m_rowsSelector, &QComboBox::editTextChanged, this, &CsvTab::changed);
    connect(m_columnsSelector, &QComboBox::editTextChanged, this, &CsvTab::changed);
    for (TwoStateCheckBox *box : {m_boldTopBox, m_boldLeftBox, m_fillEmptyBox, m_centreAllBox, m_smallFontBox,
                                  m_stripQuotesBox})
        connect(box, &QCheckBox::toggled, this, &CsvTab::changed);
    connect(m_gridView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!m_syncing && current.isValid())
                    m_editor.setCurrentCell(current.row(), current.column());
            });
}

} // namespace tabulink
