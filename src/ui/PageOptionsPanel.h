#pragma once

#include "page/PageOptions.h"

#include <QObject>

class ClickableLabel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
class TwoStateCheckBox;

// The page options below the tab control: title, back address, the
// background frame "ＨＴＭＬ背景色指定" and the table border box.
class PageOptionsPanel : public QObject
{
    Q_OBJECT
public:
    explicit PageOptionsPanel(QWidget *area);

    PageOptions readPageOptions() const;
    // Check3 "テーブルの枠線有り", read by the table page.
    TwoStateCheckBox *tableBorderBox() const { return m_check3; }

public slots:
    void Label16_Click();

private:
    QLineEdit *m_text2;
    QLineEdit *m_text3;
    QLineEdit *m_text5;
    TwoStateCheckBox *m_check3;
    QGroupBox *m_frame3;
    QRadioButton *m_options[9];
    ClickableLabel *m_label16;
};
