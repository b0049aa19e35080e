#include "ui/TwoStateCheckBox.h"

TwoStateCheckBox::TwoStateCheckBox(const QString &text, QWidget *parent)
    : QCheckBox(text, parent)
{
}

void TwoStateCheckBox::nextCheckState()
{
    const bool tick = checkState() != Qt::Checked;
    setTristate(false);
    setCheckState(tick ? Qt::Checked : Qt::Unchecked);
}
