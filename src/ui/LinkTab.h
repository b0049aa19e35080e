#pragma once

#include "ui/TabPage.h"

class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QStringListModel;
class WindowContext;

// Tab 2 "リンクＨＴＭＬ": the file list with descriptions and the link page.
class LinkTab : public TabPage
{
    Q_OBJECT
public:
    explicit LinkTab(WindowContext &context, QWidget *parent = nullptr);

    QMenu *lst2sentakuMenu() const { return m_lst2sentaku; }
    // Start-up step 10: the three instruction lines.
    void showInstructions();
    static QString instructionText();

private:
    WindowContext &m_context;
    QLabel *m_label10;
    QPushButton *m_command14;
    QPushButton *m_command15;
    QLabel *m_label8;
    QLabel *m_label9;
    QLineEdit *m_text4;
    QPushButton *m_command16;
    QListView *m_list2;
    QStringListModel *m_list2Model;
    QPushButton *m_command17;
    QMenu *m_lst2sentaku;
};
