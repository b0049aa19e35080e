#pragma once

#include "page/PageOptions.h"

#include <QStringList>

namespace tabulink {

class LineSink;

// The lines that open and close every full page (link, table and text page).
namespace PageFrame {

QString bodyLine(const PageOptions &options, bool *present);
QStringList headLines(const PageOptions &options, const QStringList &styleLines = {});
QStringList tailLines(const PageOptions &options);

void writeHead(LineSink &sink, const PageOptions &options, const QStringList &styleLines = {});
void writeTail(LineSink &sink, const PageOptions &options);

} // namespace PageFrame

} // namespace tabulink
