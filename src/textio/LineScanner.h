#pragma once

#include <QStringView>

namespace tabulink {

// How the program splits a text into lines: CR LF and a lone CR end a line,
// and a lone LF too where lfEndsLines says so. onLine(line, ended) is called
// for each line in order, without its line end; ended is false only for a
// last line that has no line end, and such a line is passed only when it is
// not empty.
namespace LineScanner {

template<typename OnLine>
void scan(QStringView text, bool lfEndsLines, OnLine &&onLine)
{
    const QChar *data = text.data();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (c != u'\r' && !(c == u'\n' && lfEndsLines))
            continue;
        onLine(QStringView(data + start, i - start), true);
        if (c == u'\r' && i + 1 < n && data[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        onLine(QStringView(data + start, n - start), false);
}

} // namespace LineScanner

} // namespace tabulink
