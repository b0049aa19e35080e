#include "ui/CsvTab.h"

#include "page/WindowContext.h"
#include "ui/Fonts.h"
#include "ui/TableGridModel.h"
#include "ui/TwoStateCheckBox.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QTableView>

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
    combo->setCurrentText(text);
    return combo;
}
} // namespace

CsvTab::CsvTab(WindowContext &context, TwoStateCheckBox *borderBox, QWidget *parent)
    : TabPage(parent), m_context(context), m_check3(borderBox)
{
    const QFont small = Fonts::gothic(8.25);

    m_list1Model = new QStringListModel(this);
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
    m_command8 = place(new QPushButton(QStringLiteral("ｸﾘｱ")), "Command8", 392, 84, 33, 17);
    m_command5 = place(new QPushButton(QStringLiteral("ｾﾙ幅変更")), "Command5", 432, 84, 57, 17);
    m_command5->setFont(small);
    m_command6 = place(new QPushButton(QStringLiteral("不可")), "Command6", 496, 84, 33, 17);
    m_command6->setFont(small);

    m_model = new TableGridModel(&m_grid, this);
    m_grd1 = place(new QTableView, "grd1", 8, 108, 521, 185);
    m_grd1->setModel(m_model);
    m_grd1->setFont(Fonts::gothic(9));
    m_grd1->horizontalHeader()->hide();
    m_grd1->verticalHeader()->hide();
    m_grd1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grd1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grd1->verticalHeader()->setDefaultSectionSize(18);
    m_grd1->horizontalHeader()->setDefaultSectionSize(64);
    QPalette pal = m_grd1->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 192));
    m_grd1->setPalette(pal);

    m_check1 = place(new TwoStateCheckBox(QStringLiteral("最上部を太字にする")), "Check1", 8, 300, 129, 17);
    m_check2 = place(new TwoStateCheckBox(QStringLiteral("最左部を太字にする")), "Check2", 8, 316, 129, 17);
    m_check4 = place(new TwoStateCheckBox(QStringLiteral("空白にｽﾍﾟｰｽを入れる")), "Check4", 8, 332, 137, 17);
    m_check9 = place(new TwoStateCheckBox(QStringLiteral("全文字をセル中央にする")), "Check9", 144, 300, 145, 17);
    m_check7 = place(new TwoStateCheckBox(QStringLiteral("ﾃｰﾌﾞﾙﾌｫﾝﾄを8にする")), "Check7", 144, 320, 137, 17);
    for (TwoStateCheckBox *box : {m_check1, m_check2, m_check4, m_check9, m_check7})
        box->setFont(small);
    m_command4 = place(new QPushButton(QStringLiteral("csv 保存")), "Command4", 352, 336, 81, 25);
    m_command3 = place(new QPushButton(QStringLiteral("ｈｔｍｌ 保存")), "Command3", 448, 336, 81, 25);

    m_grdsosa = new QMenu(QStringLiteral("grdsosa"), this);
    m_grdsosa->setObjectName(QStringLiteral("grdsosa"));
    m_grdsosa->addAction(QStringLiteral("行の削除"))->setObjectName(QStringLiteral("grdgyodel"));
    m_grdsosa->addAction(QStringLiteral("列の削除"))->setObjectName(QStringLiteral("grdretudel"));
}

void CsvTab::sizeGridFromSelectors()
{
    bool rowsOk = false;
    bool columnsOk = false;
    const int rows = m_combo1->currentText().toInt(&rowsOk);
    const int columns = m_combo2->currentText().toInt(&columnsOk);
    m_model->beginChange();
    m_grid.resize(rowsOk ? rows : m_grid.rowCount(), columnsOk ? columns : m_grid.colCount());
    m_model->endChange();
    if (m_grid.rowCount() > 0 && m_grid.colCount() > 0)
        m_grd1->setCurrentIndex(m_model->index(0, 0));
}
