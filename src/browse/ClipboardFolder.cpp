#include "browse/ClipboardFolder.h"

#include "browse/FolderPath.h"

#include <QUrl>

namespace tabulink {

namespace {

// What terminals and file managers add to a path they copy: one line break
// at the end, quotes around it, the file URL form.
QString pathOf(QString text)
{
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    for (const QChar quote : {u'"', u'\''}) {
        if (text.size() >= 2 && text.startsWith(quote) && text.endsWith(quote)) {
            text = text.mid(1, text.size() - 2);
            break;
        }
    }
    const QLatin1String fileScheme("file://");
    if (text.startsWith(fileScheme, Qt::CaseInsensitive))
        text = QUrl::fromPercentEncoding(text.mid(fileScheme.size()).toUtf8());
    return text;
}

} // namespace

ClipboardFolder ClipboardFolder::read(const QString &clipboardText)
{
    const QString text = pathOf(clipboardText);
    if (text.startsWith(u'\\'))
        return {Network, QString()};
    if (text.isEmpty())
        return {NoText, QString()};
    if (text.contains(u'\n') || text.contains(u'\r'))
        return {LineBreak, QString()};
    const QString folder = FolderPath::clean(text);
    if (folder.isEmpty())
        return {NotAbsolute, QString()};
    return {Path, folder};
}

} // namespace tabulink
