#pragma once

#include "textpage/BlockByteCounts.h"
#include "ui/TabPage.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TwoStateCheckBox;
class WindowContext;
struct TextPageInput;

// Tab 1 "ＴＥＸＴ　／　ＨＴＭＬ": the editor, its text files, the text page
// and the i-mode page.
class TextTab : public TabPage
{
    Q_OBJECT
public:
    explicit TextTab(WindowContext &context, QWidget *parent = nullptr);

    QPlainTextEdit *editor() const { return m_rtext1; }
    // The editor text with CR LF line breaks.
    QString editorText() const;
    // Replaces the editor text; text has CR LF line breaks.
    void setEditorText(const QString &text);
    // The count Label7 shows, without reading the whole text.
    qsizetype byteCount() const { return m_counts.total(); }

public slots:
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();

private:
    void writeImodePage();
    TextPageInput pageInput() const;
    void rtext1_Change(int position, int charsRemoved, int charsAdded);
    void recountAll();

    WindowContext &m_context;
    QPlainTextEdit *m_rtext1;
    QPushButton *m_command11;
    QPushButton *m_command12;
    QLabel *m_label7;
    TwoStateCheckBox *m_check8;
    TwoStateCheckBox *m_check6;
    QPushButton *m_command10;
    QPushButton *m_command9;
    BlockByteCounts m_counts;
};
