#include "ui/TwoStateCheckBox.h"

namespace tabulink {

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

} // namespace tabulink
