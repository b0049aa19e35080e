#include "ui/TextTab.h"

#include "page/SaveTarget.h"
#include "page/WindowContext.h"
#include "textpage/TextPageWriter.h"
#include "ui/Fonts.h"
#include "ui/TwoStateCheckBox.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

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
}

QString TextTab::editorText() const
{
    // The editor holds lines separated by "\n"; the pages want CR LF.
    QString text = m_rtext1->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void TextTab::Command9_Click()
{
    SaveTarget::run(m_context,
                    SaveTarget::pageParams(SaveTarget::OverwriteForm::A, QStringLiteral("ｈｔｍｌファイル作成完了")),
                    [this](LineSink &sink) {
                        TextPageInput input;
                        input.text = editorText();
                        input.convertBreaks = m_check6->isTicked();
                        input.mincho = m_check8->isTicked();
                        TextPageWriter::writeLines(sink, m_context.pageOptions(), input);
                    });
}
