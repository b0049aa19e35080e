#include "ui/TextTab.h"

#include "page/OutOfMemory.h"
#include "page/SaveTarget.h"
#include "page/UserDialogs.h"
#include "page/WindowContext.h"
#include "textio/LineSink.h"
#include "textpage/ImodePageWriter.h"
#include "textpage/TextFile.h"
#include "textpage/TextPageWriter.h"
#include "ui/Fonts.h"
#include "ui/TwoStateCheckBox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// Reading one paragraph costs about as much as copying some hundreds of
// characters; past that the count copies the raw text once instead.
constexpr qsizetype kMinParagraphsForRawText = 64;
constexpr qsizetype kCharactersPerParagraphRead = 512;

class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

TextTab::TextTab(WindowContext &context, QWidget *parent)
    : TabPage(parent), m_context(context)
{
    m_rtext1 = place(new QPlainTextEdit, "rtext1", 8, 32, 521, 265);
    m_rtext1->setFont(Fonts::mincho(9));
    m_command11 = place(new QPushButton(QStringLiteral("ファイル読込")), "Command11", 8, 300, 89, 17);
    m_command12 = place(new QPushButton(QStringLiteral("ファイル書込")), "Command12", 112, 300, 89, 17);
    place(new QLabel(QStringLiteral("バイト数＝")), "Label6", 344, 300, 65, 17);
    m_label7 = place(new QLabel, "Label7", 400, 297, 57, 17);
    m_check8 = place(new TwoStateCheckBox(QStringLiteral("ＭＳ明朝を使用")), "Check8", 24, 320, 105, 17);
    m_check6 = place(new TwoStateCheckBox(QStringLiteral("改行を<br>に置き換える")), "Check6", 24, 340, 153, 17);
    m_check6->setChecked(true);
    m_command10 = place(new QPushButton(QStringLiteral("html 保存 (i-mode用)")), "Command10", 304, 332, 137, 25);
    m_command9 = place(new QPushButton(QStringLiteral("html 保存")), "Command9", 456, 332, 73, 25);

    connect(m_command9, &QPushButton::clicked, this, &TextTab::Command9_Click);
    connect(m_command10, &QPushButton::clicked, this, &TextTab::Command10_Click);
    connect(m_command11, &QPushButton::clicked, this,
            [this] { OutOfMemory::runTellingUser(m_context.dialogs(), [this] { Command11_Click(); }); });
    connect(m_command12, &QPushButton::clicked, this, &TextTab::Command12_Click);
    connect(m_rtext1->document(), &QTextDocument::contentsChange, this, &TextTab::rtext1_Change);
}

QString TextTab::editorText() const
{
    // The editor holds lines separated by "\n"; the pages want CR LF.
    QString text = m_rtext1->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void TextTab::setEditorText(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_rtext1->setPlainText(plain);
}

TextPageInput TextTab::pageInput() const
{
    TextPageInput input;
    input.text = editorText();
    input.convertBreaks = m_check6->isTicked();
    input.mincho = m_check8->isTicked();
    return input;
}

void TextTab::Command9_Click()
{
    SaveTarget::run(m_context,
                    SaveTarget::pageParams(SaveTarget::OverwriteForm::A, QStringLiteral("ｈｔｍｌファイル作成完了")),
                    [this](LineSink &sink) {
                        TextPageWriter::writeLines(sink, m_context.pageOptions(), pageInput());
                    });
}

void TextTab::Command10_Click()
{
    writeImodePage();
}

void TextTab::writeImodePage()
{
    SaveTarget::run(m_context,
                    SaveTarget::pageParams(SaveTarget::OverwriteForm::A, ImodePageWriter::completionText()),
                    [this](LineSink &sink) {
                        ImodePageWriter::writeLines(sink, m_context.pageOptions(), pageInput());
                    });
}

void TextTab::Command11_Click()
{
    FileDialogRequest request;
    request.filter = TextFile::openFilter();
    request.folder = m_context.currentFolder();
    const std::optional<QString> chosen = m_context.dialogs().openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;

    FileReading::Result file;
    {
        WaitCursor wait;
        file = TextFile::read(*chosen);
        if (file.ok)
            setEditorText(file.text);
    }
    if (!file.ok) {
        m_context.dialogs().error(file.errorText);
        return;
    }
    m_rtext1->raise();
    m_context.setPathLabel(*chosen);
}

void TextTab::Command12_Click()
{
    SaveTarget::run(m_context, TextFile::saveParams(),
                    [this](LineSink &sink) { TextFile::writeLines(sink, editorText()); },
                    TextFile::proposedName());
}

void TextTab::rtext1_Change(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    // Only the paragraphs from the one holding position to the one holding
    // its end changed; everything before is as it was, and the paragraphs
    // after moved but kept their text.
    const QTextDocument *doc = m_rtext1->document();
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
    if (nowCount > kMinParagraphsForRawText && nowCount * kCharactersPerParagraphRead > doc->characterCount()) {
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
    m_label7->setText(TextFile::byteCountText(m_counts.total()));
}

void TextTab::recountAll()
{
    m_counts.reset(BlockByteCounts::paragraphCounts(m_rtext1->document()->toRawText()));
}
