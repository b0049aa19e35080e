#pragma once

#include <QString>
#include <QStringList>

namespace tabulink {

// Loads pages in headless Chromium and reports what the browser made of
// them: the character set it decoded with, the title, the body text and the
// resolved link targets.
namespace BrowserProbe {

struct Page {
    bool loaded = false;
    QString characterSet;
    QString title;
    QString text;
    QStringList links;     // absolute URLs as the browser resolved them
    QStringList images;    // background image URL, if any
};

QString chromiumPath(); // empty when Chromium is not installed
// All pages are loaded in one browser run. errorText is set on failure.
QList<Page> load(const QStringList &pagePaths, QString *errorText = nullptr);

} // namespace BrowserProbe

} // namespace tabulink
