#include "ui/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tabulink {

QString SystemClipboard::text()
{
    return QGuiApplication::clipboard()->text();
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

} // namespace tabulink
