#pragma once

#include "ui/TabPage.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TwoStateCheckBox;
class WindowContext;

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

public slots:
    void Command9_Click();

private:
    WindowContext &m_context;
    QPlainTextEdit *m_rtext1;
    QPushButton *m_command11;
    QPushButton *m_command12;
    QLabel *m_label7;
    TwoStateCheckBox *m_check8;
    TwoStateCheckBox *m_check6;
    QPushButton *m_command10;
    QPushButton *m_command9;
};
