#include "ui/TextTab.h"

#include "browse/DroppedPath.h"
#include "page/OutOfMemory.h"
#include "page/UserDialogs.h"
#include "textio/LineSink.h"
#include "textpage/EditorText.h"
#include "textpage/ImodePageWriter.h"
#include "textpage/TextFile.h"
#include "textpage/TextPageWriter.h"
#include "ui/DropFilter.h"
#include "ui/Fonts.h"
#include "ui/SaveContext.h"
#include "ui/SaveProcedure.h"
#include "ui/TwoStateCheckBox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

namespace tabulink {

namespace {

class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

TextTab::TextTab(SaveContext &saves, QWidget *parent)
    : TabPage(parent), m_saves(saves)
{
    m_editor = place(new QPlainTextEdit, "rtext1", 8, 32, 521, 265);
    m_editor->setFont(Fonts::mincho(9));
    auto *loadButton = place(new QPushButton(QStringLiteral("ファイル読込")), "Command11", 8, 300, 89, 17);
    auto *saveButton = place(new QPushButton(QStringLiteral("ファイル書込")), "Command12", 112, 300, 89, 17);
    place(new QLabel(QStringLiteral("バイト数＝")), "Label6", 344, 300, 65, 17);
    m_byteCountLabel = place(new QLabel, "Label7", 400, 297, 57, 17);
    m_minchoBox = place(new TwoStateCheckBox(QStringLiteral("ＭＳ明朝を使用")), "Check8", 24, 320, 105, 17);
    m_breaksBox = place(new TwoStateCheckBox(QStringLiteral("改行を<br>に置き換える")), "Check6", 24, 340, 153, 17);
    m_breaksBox->setChecked(true);
    auto *imodeButton = place(new QPushButton(QStringLiteral("html 保存 (i-mode用)")), "Command10", 304, 332, 137, 25);
    auto *pageButton = place(new QPushButton(QStringLiteral("html 保存")), "Command9", 456, 332, 73, 25);

    connect(pageButton, &QPushButton::clicked, this, &TextTab::saveTextPage);
    connect(imodeButton, &QPushButton::clicked, this, &TextTab::saveImodePage);
    connect(loadButton, &QPushButton::clicked, this,
            [this] { OutOfMemory::runTellingUser(m_saves.dialogs(), [this] { loadTextFile(); }); });
    connect(saveButton, &QPushButton::clicked, this, &TextTab::saveTextFile);
    connect(m_editor->document(), &QTextDocument::contentsChange, this, &TextTab::recountChangedParagraphs);

    // A dropped file is loaded, not its address typed into the text.
    auto *drops = new DropFilter(this, [this](const QList<QUrl> &urls) {
        const DroppedPath dropped = DroppedPath::take(urls, false);
        if (dropped.kind == DroppedPath::File)
            OutOfMemory::runTellingUser(m_saves.dialogs(), [&] { loadTextFileFrom(dropped.path); });
        else
            DropFilter::tellRefusal(m_saves.dialogs(), dropped);
    });
    drops->watch(m_editor);
    drops->watch(m_editor->viewport());
    // Only a signal per keystroke: whoever follows the pages reads the text later.
    connect(m_editor->document(), &QTextDocument::contentsChanged, this, &TextTab::changed);
    connect(m_minchoBox, &QCheckBox::toggled, this, &TextTab::changed);
    connect(m_breaksBox, &QCheckBox::toggled, this, &TextTab::changed);
}

QString TextTab::editorText() const
{
    return EditorText::fromEditor(m_editor->toPlainText());
}

void TextTab::setEditorText(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_editor->setPlainText(plain);
}

TextPageInput TextTab::pageInput() const
{
    TextPageInput input;
    input.text = editorText();
    input.convertBreaks = m_breaksBox->isTicked();
    input.mincho = m_minchoBox->isTicked();
    return input;
}

TextPagePreview::Page TextTab::previewPage(bool imode) const
{
    TextPageInput input;
    input.convertBreaks = m_breaksBox->isTicked();
    input.mincho = m_minchoBox->isTicked();
    return TextPagePreview::write(m_editor->toPlainText(), m_saves.pageOptions(), input, imode);
}

void TextTab::saveTextPage()
{
    SaveProcedure::run(m_saves, SaveProcedure::Kind::TextPage, [this](LineSink &sink) {
        TextPageWriter::writeLines(sink, m_saves.pageOptions(), pageInput());
    });
}

void TextTab::saveImodePage()
{
    SaveProcedure::run(m_saves, SaveProcedure::Kind::ImodePage, [this](LineSink &sink) {
        ImodePageWriter::writeLines(sink, m_saves.pageOptions(), pageInput());
    });
}

void TextTab::loadTextFile()
{
    FileDialogRequest request;
    request.filter = SaveProcedure::textOpenFilter();
    request.folder = m_saves.currentFolder();
    const std::optional<QString> chosen = m_saves.dialogs().openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    loadTextFileFrom(*chosen);
}

void TextTab::loadTextFileFrom(const QString &path)
{
    FileReading::Result file;
    {
        WaitCursor wait;
        file = TextFile::read(path);
        if (file.ok)
            setEditorText(file.text);
    }
    if (!file.ok) {
        m_saves.dialogs().error(file.message);
        return;
    }
    m_editor->raise();
    m_saves.setPathLabel(path);
}

void TextTab::saveTextFile()
{
    SaveProcedure::run(m_saves, SaveProcedure::Kind::TextFile,
                       [this](LineSink &sink) { TextFile::writeLines(sink, editorText()); });
}

void TextTab::recountChangedParagraphs(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    // Only the paragraphs from the one holding position to the one holding
    // its end changed; everything before is as it was, and the paragraphs
    // after moved but kept their text.
    const QTextDocument *doc = m_editor->document();
    const QTextBlock firstBlock = doc->findBlock(position);
    QTextBlock lastBlock = doc->findBlock(position + charsAdded);
    if (!firstBlock.isValid()) {
        recountAll();
        return;
    }
    if (!lastBlock.isValid())
        lastBlock = doc->lastBlock();

    const qsizetype first = firstBlock.blockNumber();
    const qsizetype nowCount = lastBlock.blockNumber() - first + 1;
    const qsizetype grownBy = doc->blockCount() - m_counts.paragraphCount();
    const qsizetype before = nowCount - grownBy;

    std::vector<qsizetype> added;
    if (BlockByteCounts::prefersRawText(nowCount, doc->characterCount())) {
        // A load or a large paste: one copy of the raw text is cheaper than
        // a string per paragraph.
        const QString raw = doc->toRawText();
        const qsizetype from = firstBlock.position();
        const qsizetype to = lastBlock.position() + lastBlock.length() - 1;
        added = BlockByteCounts::paragraphCounts(QStringView(raw).mid(from, to - from));
    } else {
        added.reserve(size_t(nowCount));
        for (QTextBlock b = firstBlock; b.isValid(); b = b.next()) {
            added.push_back(BlockByteCounts::paragraphBytes(b.text()));
            if (b == lastBlock)
                break;
        }
    }
    if (before < 0 || qsizetype(added.size()) != nowCount || !m_counts.replace(first, before, added))
        recountAll();
    m_byteCountLabel->setText(TextFile::byteCountText(m_counts.total()));
}

void TextTab::recountAll()
{
    m_counts.reset(BlockByteCounts::paragraphCounts(m_editor->document()->toRawText()));
}

} // namespace tabulink
