#pragma once

#include <QColor>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace tabulink {

// Small pieces the window's panels build their controls from.
namespace Controls {

// The pale yellow (255, 255, 192) of the areas that open a pop-up menu on a
// right-click: the folder list, the grid's cells and the link tab's list.
QColor paleYellow();
void setPaleYellowBase(QWidget *widget);

// Adds an entry to a menu and names it, so handlers and tests find it.
QAction *addNamedAction(QMenu *menu, const char *name, const QString &text);

} // namespace Controls

} // namespace tabulink
