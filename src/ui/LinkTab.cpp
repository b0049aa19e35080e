#include "ui/LinkTab.h"

#include "linkpage/FileListEntry.h"
#include "linkpage/LinkMessages.h"
#include "linkpage/LinkPageWriter.h"
#include "page/UserDialogs.h"
#include "textio/NativePath.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"
#include "ui/LinkListModel.h"
#include "ui/SaveContext.h"
#include "ui/SaveProcedure.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace tabulink {

LinkTab::LinkTab(SaveContext &saves, std::function<QStringList()> fileNames, QWidget *parent)
    : TabPage(parent), m_saves(saves), m_fileNames(std::move(fileNames))
{
    m_instructions = place(new QLabel, "Label10", 8, 32, 513, 65);
    m_instructions->setFont(Fonts::gothic(8.25));
    m_instructions->setWordWrap(true);
    m_instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *importButton = place(new QPushButton(QStringLiteral("ファイル名取り込み")), "Command14", 8, 96, 121, 25);
    auto *clearButton = place(new QPushButton(QStringLiteral("ファイル名クリア")), "Command15", 136, 96, 121, 25);
    place(new QLabel(QStringLiteral("No")), "Label11", 8, 128, 33, 17);
    place(new QLabel(QStringLiteral("ファイル名")), "Label12", 56, 128, 73, 17);
    place(new QLabel(QStringLiteral("説明文")), "Label13", 160, 128, 73, 17);
    m_rowNumberLabel = place(new QLabel, "Label8", 8, 144, 33, 17);
    m_fileNameLabel = place(new QLabel, "Label9", 48, 144, 97, 17);
    // A file name is shown as it is, never read as markup.
    m_rowNumberLabel->setTextFormat(Qt::PlainText);
    m_fileNameLabel->setTextFormat(Qt::PlainText);
    m_descriptionEdit = place(new QLineEdit, "Text4", 152, 144, 305, 18);
    auto *registerButton = place(new QPushButton(QStringLiteral("登録")), "Command16", 464, 144, 65, 17);

    m_fileListModel = new LinkListModel(this);
    m_fileList = place(new QListView, "List2", 8, 168, 521, 158);
    m_fileList->setModel(m_fileListModel);
    m_fileList->setUniformItemSizes(true);
    m_fileList->setFont(Fonts::mincho(9));
    m_fileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_fileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fileList->setContextMenuPolicy(Qt::NoContextMenu);
    Controls::setPaleYellowBase(m_fileList);
    m_fileList->viewport()->installEventFilter(this);
    m_fileList->installEventFilter(this);
    auto *writeButton = place(new QPushButton(QStringLiteral("ｈｔｍｌ 作成")), "Command17", 448, 336, 81, 25);

    m_rowMenu = new QMenu(QStringLiteral("lst2選択"), this);
    m_rowMenu->setObjectName(QStringLiteral("lst2sentaku"));
    QAction *deleteAction = Controls::addNamedAction(m_rowMenu, "lst2seldel", QStringLiteral("選択削除"));

    connect(importButton, &QPushButton::clicked, this, &LinkTab::importFileNames);
    connect(clearButton, &QPushButton::clicked, this, &LinkTab::clearFileNames);
    connect(registerButton, &QPushButton::clicked, this, &LinkTab::registerDescription);
    connect(writeButton, &QPushButton::clicked, this, &LinkTab::writeLinkPage);
    connect(m_fileList, &QListView::doubleClicked, this, &LinkTab::loadCurrentRow);
    connect(m_descriptionEdit, &QLineEdit::returnPressed, this, &LinkTab::registerDescription);
    connect(deleteAction, &QAction::triggered, this, &LinkTab::deleteSelectedRows);
    connect(m_fileListModel, &QAbstractItemModel::modelReset, this, &LinkTab::changed);
    connect(m_fileListModel, &QAbstractItemModel::dataChanged, this, &LinkTab::changed);
    connect(m_fileListModel, &QAbstractItemModel::rowsRemoved, this, &LinkTab::changed);
    connect(m_fileListModel, &QAbstractItemModel::rowsInserted, this, &LinkTab::changed);
}

void LinkTab::showInstructions()
{
    m_instructions->setText(LinkMessages::instructions());
}

bool LinkTab::mayDiscardDescriptions()
{
    if (!m_fileListModel->list().hasUnsavedDescriptions())
        return true;
    return m_saves.dialogs().confirm(LinkMessages::discardTitle(), LinkMessages::discardQuestion(),
                                     UserDialogs::DefaultAnswer::No);
}

void LinkTab::importFileNames()
{
    if (!mayDiscardDescriptions())
        return;
    const QStringList names = m_fileNames();
    const QHash<QString, QByteArray> native = NativePath::namesIn(m_saves.currentFolder());
    QList<FileListEntry> entries;
    entries.reserve(names.size());
    for (const QString &name : names)
        entries.append(FileListEntry::named(name, native.isEmpty() ? QByteArray() : native.value(name)));
    m_fileListModel->replaceAll(entries);
}

void LinkTab::clearFileNames()
{
    if (!mayDiscardDescriptions())
        return;
    m_fileListModel->clear();
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
    m_rowNumberLabel->setText(edit.rowNumber);
    m_fileNameLabel->setText(elideKeepingEnd(m_fileNameLabel->fontMetrics(), edit.fileName, m_fileNameLabel->width()));
    m_fileNameLabel->setToolTip(edit.fileName);
    m_descriptionEdit->setText(edit.description);
}

void LinkTab::loadCurrentRow()
{
    const QModelIndex current = m_fileList->currentIndex();
    const std::optional<EditRow> edit = m_fileListModel->list().load(current.isValid() ? current.row() : -1);
    if (!edit)
        return;
    showEditRow(*edit);
    m_descriptionEdit->setFocus(Qt::OtherFocusReason);
}

void LinkTab::registerDescription()
{
    EditRow edit = m_edit;
    edit.description = FileList::singleLine(m_descriptionEdit->text());
    qsizetype index = -1;
    switch (m_fileListModel->list().registrationTarget(edit, &index)) {
    case FileList::Registration::NothingLoaded:
        m_saves.dialogs().notify(LinkMessages::nothingLoaded());
        return;
    case FileList::Registration::RowGone:
        m_saves.dialogs().notify(LinkMessages::rowGone(edit.fileName));
        return;
    case FileList::Registration::Possible:
        break;
    }
    m_fileListModel->setDescription(index, edit.description);
    showEditRow(EditRow());
    // Back to the list on the row just described: Down and Enter load the next.
    m_fileList->setCurrentIndex(m_fileListModel->index(int(index)));
    m_fileList->setFocus(Qt::OtherFocusReason);
}

void LinkTab::popUpRowMenu(const QPoint &position)
{
    m_rowMenu->popup(m_fileList->viewport()->mapToGlobal(position));
}

void LinkTab::deleteSelectedRows()
{
    QList<qsizetype> selected;
    const QModelIndexList indexes = m_fileList->selectionModel()->selectedIndexes();
    selected.reserve(indexes.size());
    for (const QModelIndex &index : indexes)
        selected.append(index.row());
    m_fileListModel->removeRows(selected);
}

void LinkTab::writeLinkPage()
{
    const SaveProcedure::Result result = SaveProcedure::run(
        m_saves, SaveProcedure::Kind::LinkPage,
        [this](LineSink &sink) {
            LinkPageWriter::writeLines(sink, m_saves.pageOptions(), m_fileListModel->list().entries());
        });
    if (result == SaveProcedure::Result::Written)
        m_fileListModel->markWritten();
}

QByteArray LinkTab::pageBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    LinkPageWriter::write(&buffer, m_saves.pageOptions(), m_fileListModel->list().entries());
    return bytes;
}

bool LinkTab::eventFilter(QObject *watched, QEvent *event)
{
    // The right button opens the pop-up on release and leaves the selection
    // alone, so the menu acts on the rows selected before the click.
    // Enter on the selected current row loads it, as a double-click does.
    if (watched == m_fileList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex current = m_fileList->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()
            && m_fileList->selectionModel()->isSelected(current)) {
            loadCurrentRow();
            return true;
        }
    }
    if (watched == m_fileList->viewport()) {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
            || type == QEvent::MouseButtonDblClick) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::RightButton) {
                if (type == QEvent::MouseButtonRelease)
                    popUpRowMenu(mouse->position().toPoint());
                return true;
            }
        }
    }
    return TabPage::eventFilter(watched, event);
}

} // namespace tabulink
