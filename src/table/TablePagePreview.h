#pragma once

#include "page/PageOptions.h"
#include "table/TableHtmlWriter.h"
#include "textio/Outcome.h"

#include <QByteArray>
#include <QString>

namespace tabulink {

class TableEditor;

// The table page "ｈｔｍｌ 保存" would write now, for looking at before it is
// saved: written to memory, never to a file, and cut to its first rows so a
// long table stays quick to show.
namespace TablePagePreview {

constexpr qint64 ShownRows = 1000;

// When there is no page (a size too large to write), message says why.
struct Page : Outcome {
    QByteArray bytes;      // the page as the save writes it, up to shownRows rows
    qint64 hiddenRows = 0; // rows of the saved page left out
};

// The size comes from the selectors' texts as the save reads them; options
// holds the check boxes (its size is ignored).
Page write(const TableEditor &editor, const PageOptions &page, TableHtmlOptions options,
           qint64 shownRows = ShownRows);

} // namespace TablePagePreview

} // namespace tabulink
