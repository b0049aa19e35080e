#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

class QWidget;

namespace tabulink {

class UserDialogs;
struct DroppedPath;

// Takes drops of file addresses (a file manager's files and folders) on the
// widgets it watches and hands the addresses on; a drop of plain text still
// reaches the widget itself. The drop is taken as a copy, never a move, so
// the source never removes what was dropped. The addresses are handed on
// after the drop event has returned: a message box shown from inside it
// would keep the file manager waiting for the drop to finish.
class DropFilter : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void(const QList<QUrl> &urls)>;

    DropFilter(QObject *parent, Action action);

    void watch(QWidget *widget);
    // Shows why dropped was refused; nothing when it was not.
    static void tellRefusal(UserDialogs &dialogs, const DroppedPath &dropped);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Action m_action;
};

} // namespace tabulink
