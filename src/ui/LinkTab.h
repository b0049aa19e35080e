#pragma once

#include "linkpage/FileList.h"
#include "ui/TabPage.h"

class LinkListModel;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class WindowContext;

// Tab 2 "リンクＨＴＭＬ": the file list with descriptions and the link page.
class LinkTab : public TabPage
{
    Q_OBJECT
public:
    explicit LinkTab(WindowContext &context, QWidget *parent = nullptr);

    QMenu *lst2sentakuMenu() const { return m_lst2sentaku; }
    QListView *list2() const { return m_list2; }
    LinkListModel *list2Model() const { return m_list2Model; }
    // Start-up step 10: the three instruction lines.
    void showInstructions();
    static QString instructionText();
    // Asked before the window closes: true when nothing typed would be lost,
    // or the user agreed to lose it.
    bool mayClose() { return mayDiscardDescriptions(); }

public slots:
    void Command14_Click();
    void Command15_Click();
    void List2_DblClick();
    void Command16_Click();
    void Text4_KeyPress(int keyAscii);
    void List2_MouseUp(int button, int shift, int x, int y);
    void lst2seldel_Click();
    void lst2rclk();
    void Command17_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool mayDiscardDescriptions();
    void showEditRow(const EditRow &edit);

    WindowContext &m_context;
    // The loaded row: Label9 shows the file name shortened to fit.
    EditRow m_edit;
    QLabel *m_label10;
    QPushButton *m_command14;
    QPushButton *m_command15;
    QLabel *m_label8;
    QLabel *m_label9;
    QLineEdit *m_text4;
    QPushButton *m_command16;
    QListView *m_list2;
    LinkListModel *m_list2Model;
    QPushButton *m_command17;
    QMenu *m_lst2sentaku;
};
