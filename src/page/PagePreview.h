#pragma once

#include <QString>

namespace tabulink {

// What the preview says besides the page.
namespace PagePreview {

// "… ほか 12,345 行": the line saying how many more rows or lines the page
// holds than the preview shows.
QString moreLinesNote(qint64 lines);

} // namespace PagePreview

} // namespace tabulink
