#pragma once

#include "page/PageOptions.h"

#include <QList>
#include <QObject>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace tabulink {

class ClickableLabel;
class TwoStateCheckBox;
struct KeptOptions;

// The page options below the tab control: title, back address, the
// background frame "ＨＴＭＬ背景色指定" and the table border box.
class PageOptionsPanel : public QObject
{
    Q_OBJECT
public:
    explicit PageOptionsPanel(QWidget *area);

    PageOptions readPageOptions() const;
    // The box "テーブルの枠線有り", read by the table page.
    TwoStateCheckBox *tableBorderBox() const { return m_tableBorderBox; }

    // The options kept across runs: this panel's boxes and option, and the
    // ticks of boxes (by their names).
    KeptOptions keptOptions(const QList<TwoStateCheckBox *> &boxes) const;
    // Sets what kept holds; the rest keeps its start value.
    void restore(const KeptOptions &kept, const QList<TwoStateCheckBox *> &boxes);

public slots:
    // The example address as the background image, and its option picked.
    void useExampleBackground();

private:
    QLineEdit *m_titleEdit;
    QLineEdit *m_backUrlEdit;
    QLineEdit *m_backgroundUrlEdit;
    TwoStateCheckBox *m_tableBorderBox;
    QGroupBox *m_backgroundFrame;
    QRadioButton *m_backgroundButtons[9];
    ClickableLabel *m_exampleLabel;
};

} // namespace tabulink
