#include "ui/LinkTab.h"

#include "page/WindowContext.h"
#include "ui/Fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>

LinkTab::LinkTab(WindowContext &context, QWidget *parent)
    : TabPage(parent), m_context(context)
{
    m_label10 = place(new QLabel, "Label10", 8, 32, 513, 65);
    m_label10->setFont(Fonts::gothic(8.25));
    m_label10->setWordWrap(true);
    m_label10->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_command14 = place(new QPushButton(QStringLiteral("ファイル名取り込み")), "Command14", 8, 96, 121, 25);
    m_command15 = place(new QPushButton(QStringLiteral("ファイル名クリア")), "Command15", 136, 96, 121, 25);
    place(new QLabel(QStringLiteral("No")), "Label11", 8, 128, 33, 17);
    place(new QLabel(QStringLiteral("ファイル名")), "Label12", 56, 128, 73, 17);
    place(new QLabel(QStringLiteral("説明文")), "Label13", 160, 128, 73, 17);
    m_label8 = place(new QLabel, "Label8", 8, 144, 33, 17);
    m_label9 = place(new QLabel, "Label9", 48, 144, 97, 17);
    m_text4 = place(new QLineEdit, "Text4", 152, 144, 305, 18);
    m_command16 = place(new QPushButton(QStringLiteral("登録")), "Command16", 464, 144, 65, 17);

    m_list2Model = new QStringListModel(this);
    m_list2 = place(new QListView, "List2", 8, 168, 521, 158);
    m_list2->setModel(m_list2Model);
    m_list2->setUniformItemSizes(true);
    m_list2->setFont(Fonts::mincho(9));
    m_list2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette pal = m_list2->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 192));
    m_list2->setPalette(pal);
    m_command17 = place(new QPushButton(QStringLiteral("ｈｔｍｌ 作成")), "Command17", 448, 336, 81, 25);

    m_lst2sentaku = new QMenu(QStringLiteral("lst2選択"), this);
    m_lst2sentaku->setObjectName(QStringLiteral("lst2sentaku"));
    m_lst2sentaku->addAction(QStringLiteral("選択削除"))->setObjectName(QStringLiteral("lst2seldel"));
}

QString LinkTab::instructionText()
{
    return QStringLiteral("ディレクトリ中にあるファイルのリンクＨＰを簡単に作成します。その右側に説明文をつけられます。")
        + QStringLiteral("\r\n")
        + QStringLiteral("①対象ディレクトリに移動します。②ファイル名取り込みボタンを押下します。")
        + QStringLiteral("\r\n")
        + QStringLiteral("③説明文を入れたい行をダブルクリックします。④説明文入力の所で内容を記入し右側の登録ボタンを押す。説明文を入れたい行全て繰り返します。");
}

void LinkTab::showInstructions()
{
    m_label10->setText(instructionText());
}
