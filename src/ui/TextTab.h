#pragma once

#include "textpage/BlockByteCounts.h"
#include "textpage/TextPagePreview.h"
#include "ui/TabPage.h"

class QLabel;
class QPlainTextEdit;

namespace tabulink {

class TwoStateCheckBox;
class SaveContext;
struct TextPageInput;

// The tab "ＴＥＸＴ　／　ＨＴＭＬ": the editor, its text files, the text page
// and the i-mode page.
class TextTab : public TabPage
{
    Q_OBJECT
public:
    explicit TextTab(SaveContext &saves, QWidget *parent = nullptr);

    QPlainTextEdit *editor() const { return m_editor; }
    // The editor text with CR LF line breaks.
    QString editorText() const;
    // Replaces the editor text; text has CR LF line breaks.
    void setEditorText(const QString &text);
    // The byte count the tab shows, without reading the whole text.
    qsizetype byteCount() const { return m_counts.total(); }
    // The text page "html 保存" (or the i-mode page) would write now, in
    // memory, from the start of the text; nothing is saved or shown.
    TextPagePreview::Page previewPage(bool imode) const;

signals:
    // The pages may have changed: the text or a check box.
    void changed();

public slots:
    void saveTextPage();
    void saveImodePage();
    void loadTextFile();
    // Loads path into the editor as a file chosen in the open dialog.
    void loadTextFileFrom(const QString &path);
    void saveTextFile();

private:
    TextPageInput pageInput() const;
    void recountChangedParagraphs(int position, int charsRemoved, int charsAdded);
    void recountAll();

    SaveContext &m_saves;
    QPlainTextEdit *m_editor;
    QLabel *m_byteCountLabel;
    TwoStateCheckBox *m_minchoBox;
    TwoStateCheckBox *m_breaksBox;
    BlockByteCounts m_counts;
};

} // namespace tabulink
