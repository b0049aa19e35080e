#pragma once

#include <QString>

namespace tabulink {

namespace AppInfo {

// Caption of every message box that has no title of its own.
QString applicationTitle();
QString windowCaption();
// "Tabulink ver 2.03 - 2004/10/29"
QString versionConstant();
// The version constant cut before its first "-" and trimmed: "Tabulink ver 2.03".
QString footerVersion();
QString footerVersionOf(const QString &constant);
// Download page named in every page footer.
QString downloadPageUrl();
// Example background image shown by Label16.
QString exampleBackgroundUrl();

// The texts of the menu entries 使用方法 and バージョン, CR LF after every line.
QString usageText();
QString versionText();

} // namespace AppInfo

} // namespace tabulink
