#pragma once

#include <QHash>
#include <QRect>
#include <QWidget>

namespace tabulink {

// One page of SSTab1. Controls are placed in the tab control's coordinates
// (its corner, tab strip included), as the window's inventory gives them.
class TabPage : public QWidget
{
    Q_OBJECT
public:
    explicit TabPage(QWidget *parent = nullptr);

    // Names the control and places it; returns it for chaining.
    template <typename W>
    W *place(W *widget, const char *name, int x, int y, int w, int h)
    {
        placeWidget(widget, name, QRect(x, y, w, h));
        return widget;
    }
    // The place given in the inventory, in the tab control's coordinates.
    QRect tabRect(const QWidget *widget) const { return m_rects.value(widget); }

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeWidget(QWidget *widget, const char *name, const QRect &rect);
    void relayout();

    QHash<const QWidget *, QRect> m_rects;
};

// Places a control on an ordinary parent and names it.
template <typename W>
W *placeAt(W *widget, const char *name, int x, int y, int w, int h)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

} // namespace tabulink
