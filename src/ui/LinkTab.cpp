#include "ui/LinkTab.h"

#include "browse/NativePath.h"
#include "linkpage/FileListEntry.h"
#include "linkpage/LinkPageWriter.h"
#include "page/SaveTarget.h"
#include "page/UserDialogs.h"
#include "page/WindowContext.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"
#include "ui/LinkListModel.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

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
    // A file name is shown as it is, never read as markup.
    m_label8->setTextFormat(Qt::PlainText);
    m_label9->setTextFormat(Qt::PlainText);
    m_text4 = place(new QLineEdit, "Text4", 152, 144, 305, 18);
    m_command16 = place(new QPushButton(QStringLiteral("登録")), "Command16", 464, 144, 65, 17);

    m_list2Model = new LinkListModel(this);
    m_list2 = place(new QListView, "List2", 8, 168, 521, 158);
    m_list2->setModel(m_list2Model);
    m_list2->setUniformItemSizes(true);
    m_list2->setFont(Fonts::mincho(9));
    m_list2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list2->setContextMenuPolicy(Qt::NoContextMenu);
    Controls::setPaleYellowBase(m_list2);
    m_list2->viewport()->installEventFilter(this);
    m_list2->installEventFilter(this);
    m_command17 = place(new QPushButton(QStringLiteral("ｈｔｍｌ 作成")), "Command17", 448, 336, 81, 25);

    m_lst2sentaku = new QMenu(QStringLiteral("lst2選択"), this);
    m_lst2sentaku->setObjectName(QStringLiteral("lst2sentaku"));
    QAction *lst2seldel = Controls::addNamedAction(m_lst2sentaku, "lst2seldel", QStringLiteral("選択削除"));

    connect(m_command14, &QPushButton::clicked, this, &LinkTab::Command14_Click);
    connect(m_command15, &QPushButton::clicked, this, &LinkTab::Command15_Click);
    connect(m_command16, &QPushButton::clicked, this, &LinkTab::Command16_Click);
    connect(m_command17, &QPushButton::clicked, this, &LinkTab::Command17_Click);
    connect(m_list2, &QListView::doubleClicked, this, &LinkTab::List2_DblClick);
    connect(m_text4, &QLineEdit::returnPressed, this, [this] { Text4_KeyPress(13); });
    connect(lst2seldel, &QAction::triggered, this, &LinkTab::lst2seldel_Click);
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

bool LinkTab::mayDiscardDescriptions()
{
    if (!m_list2Model->list().hasUnsavedDescriptions())
        return true;
    return m_context.dialogs().confirm(
        QStringLiteral("説明文の破棄確認"),
        QStringLiteral("\n登録した説明文が、まだリンクのｈｔｍｌファイルに書き出されていません。\n"
                       "説明文を破棄してよろしいですか？\n"),
        UserDialogs::DefaultAnswer::No);
}

void LinkTab::Command14_Click()
{
    if (!mayDiscardDescriptions())
        return;
    const QStringList names = m_context.fileListNames();
    const QHash<QString, QByteArray> native = NativePath::namesIn(m_context.currentFolder());
    QList<FileListEntry> entries;
    entries.reserve(names.size());
    for (const QString &name : names)
        entries.append(FileListEntry::named(name, native.isEmpty() ? QByteArray() : native.value(name)));
    m_list2Model->replaceAll(entries);
}

void LinkTab::Command15_Click()
{
    if (!mayDiscardDescriptions())
        return;
    m_list2Model->clear();
}

namespace {

// Photos of one outing share the start of their names and differ at the
// end ("..._007.jpg", "..._017.jpg"): a name too long for the label keeps
// a short start and as much of its end as fits, with "…" between.
QString elideKeepingEnd(const QFontMetrics &metrics, const QString &text, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString dots(QChar(0x2026));
    const int room = width - metrics.horizontalAdvance(dots);
    qsizetype head = 0;
    while (head < text.size() && metrics.horizontalAdvance(text.left(head + 1)) <= room / 4)
        ++head;
    qsizetype tail = 0;
    while (head + tail < text.size()
           && metrics.horizontalAdvance(text.left(head)) + metrics.horizontalAdvance(text.right(tail + 1)) <= room)
        ++tail;
    // Never split a surrogate pair.
    if (head > 0 && text.at(head - 1).isHighSurrogate())
        --head;
    if (tail > 0 && text.at(text.size() - tail).isLowSurrogate())
        --tail;
    return text.left(head) + dots + text.right(tail);
}

} // namespace

void LinkTab::showEditRow(const EditRow &edit)
{
    m_edit = edit;
    m_label8->setText(edit.rowNumber);
    m_label9->setText(elideKeepingEnd(m_label9->fontMetrics(), edit.fileName, m_label9->width()));
    m_label9->setToolTip(edit.fileName);
    m_text4->setText(edit.description);
}

void LinkTab::List2_DblClick()
{
    const QModelIndex current = m_list2->currentIndex();
    const std::optional<EditRow> edit = m_list2Model->list().load(current.isValid() ? current.row() : -1);
    if (!edit)
        return;
    showEditRow(*edit);
    m_text4->setFocus(Qt::OtherFocusReason);
}

void LinkTab::Command16_Click()
{
    EditRow edit = m_edit;
    edit.description = FileList::singleLine(m_text4->text());
    qsizetype index = -1;
    switch (m_list2Model->list().registrationTarget(edit, &index)) {
    case FileList::Registration::NothingLoaded:
        m_context.dialogs().notify(FileList::nothingLoadedMessage());
        return;
    case FileList::Registration::RowGone:
        m_context.dialogs().notify(FileList::rowGoneMessage(edit.fileName));
        return;
    case FileList::Registration::Possible:
        break;
    }
    m_list2Model->setDescription(index, edit.description);
    showEditRow(EditRow());
    // Back to the list on the row just described: Down and Enter load the next.
    m_list2->setCurrentIndex(m_list2Model->index(int(index)));
    m_list2->setFocus(Qt::OtherFocusReason);
}

void LinkTab::Text4_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        Command16_Click();
}

void LinkTab::List2_MouseUp(int button, int /*shift*/, int x, int y)
{
    if (button == 2)
        m_lst2sentaku->popup(m_list2->viewport()->mapToGlobal(QPoint(x, y)));
}

void LinkTab::lst2seldel_Click()
{
    lst2rclk();
}

void LinkTab::lst2rclk()
{
    QList<qsizetype> selected;
    const QModelIndexList indexes = m_list2->selectionModel()->selectedIndexes();
    selected.reserve(indexes.size());
    for (const QModelIndex &index : indexes)
        selected.append(index.row());
    m_list2Model->removeRows(selected);
}

void LinkTab::Command17_Click()
{
    const SaveTarget::Result result = SaveTarget::run(
        m_context, SaveTarget::pageParams(SaveTarget::OverwriteForm::A, QStringLiteral("ｈｔｍｌファイル作成完了")),
        [this](LineSink &sink) {
            LinkPageWriter::writeLines(sink, m_context.pageOptions(), m_list2Model->list().entries());
        });
    if (result == SaveTarget::Result::Written)
        m_list2Model->markWritten();
}

bool LinkTab::eventFilter(QObject *watched, QEvent *event)
{
    // The right button opens the pop-up on release and leaves the selection
    // alone, so the menu acts on the rows selected before the click.
    // Enter on the selected current row loads it, as a double-click does.
    if (watched == m_list2 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex current = m_list2->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()
            && m_list2->selectionModel()->isSelected(current)) {
            List2_DblClick();
            return true;
        }
    }
    if (watched == m_list2->viewport()) {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
            || type == QEvent::MouseButtonDblClick) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::RightButton) {
                if (type == QEvent::MouseButtonRelease) {
                    const QPoint pos = mouse->position().toPoint();
                    List2_MouseUp(2, int(mouse->modifiers().toInt() >> 25) & 7, pos.x(), pos.y());
                }
                return true;
            }
        }
    }
    return TabPage::eventFilter(watched, event);
}
