#pragma once

#include <QCheckBox>

namespace tabulink {

// The user toggles only between ticked and unticked; a partial state set by
// code counts as not ticked and the next click ticks the box.
class TwoStateCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit TwoStateCheckBox(const QString &text, QWidget *parent = nullptr);
    bool isTicked() const { return checkState() == Qt::Checked; }

protected:
    void nextCheckState() override;
};

} // namespace tabulink
