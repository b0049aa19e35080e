#include "ui/Controls.h"

#include <QAction>
#include <QMenu>
#include <QPalette>
#include <QWidget>

namespace tabulink {

namespace Controls {

QColor paleYellow()
{
    return QColor(255, 255, 192);
}

void setPaleYellowBase(QWidget *widget)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Base, paleYellow());
    widget->setPalette(pal);
}

QAction *addNamedAction(QMenu *menu, const char *name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace Controls

} // namespace tabulink
