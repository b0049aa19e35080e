#include "ui/TabPage.h"

#include <QTabWidget>

namespace tabulink {

TabPage::TabPage(QWidget *parent)
    : QWidget(parent)
{
}

void TabPage::placeWidget(QWidget *widget, const char *name, const QRect &rect)
{
    widget->setParent(this);
    widget->setObjectName(QString::fromLatin1(name));
    m_rects.insert(widget, rect);
    widget->setGeometry(rect);
    relayout();
}

void TabPage::relayout()
{
    // The page sits below the tab strip; find where it stands in the tab control.
    QWidget *tabs = parentWidget();
    while (tabs && !qobject_cast<QTabWidget *>(tabs))
        tabs = tabs->parentWidget();
    const QPoint offset = tabs ? mapTo(tabs, QPoint(0, 0)) : QPoint(0, 0);
    for (auto it = m_rects.cbegin(); it != m_rects.cend(); ++it)
        const_cast<QWidget *>(it.key())->setGeometry(it.value().translated(-offset));
}

void TabPage::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    relayout();
}

void TabPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void TabPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    relayout();
}

} // namespace tabulink
