#include "ui/DropFilter.h"

#include "browse/DroppedPath.h"
#include "page/UserDialogs.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

namespace tabulink {

DropFilter::DropFilter(QObject *parent, Action action)
    : QObject(parent), m_action(std::move(action))
{
}

void DropFilter::watch(QWidget *widget)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

void DropFilter::tellRefusal(UserDialogs &dialogs, const DroppedPath &dropped)
{
    if (dropped.kind == DroppedPath::Refused)
        dialogs.tell(dropped.message);
}

bool DropFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    if (!drop->mimeData() || !drop->mimeData()->hasUrls())
        return QObject::eventFilter(watched, event);
    // Taking a move would make the source delete its file.
    if (drop->possibleActions() & Qt::CopyAction)
        drop->setDropAction(Qt::CopyAction);
    else if (drop->possibleActions() & Qt::LinkAction)
        drop->setDropAction(Qt::LinkAction);
    else {
        drop->ignore();
        return true;
    }
    drop->accept();
    if (type == QEvent::Drop) {
        const QList<QUrl> urls = drop->mimeData()->urls();
        QTimer::singleShot(0, this, [this, urls] { m_action(urls); });
    }
    return true;
}

} // namespace tabulink
