#pragma once

#include <QByteArrayView>
#include <QStringView>

namespace tabulink {

// How the program splits a text into lines: CR LF and a lone CR end a line,
// and a lone LF too where lfEndsLines says so. onLine(line, ended) is called
// for each line in order, without its line end; ended is false only for a
// last line that has no line end, and such a line is passed only when it is
// not empty. Code page 932 bytes split the same way: CR and LF are never the
// second byte of a character.
namespace LineScanner {

namespace Detail {
inline char16_t unit(QChar c) { return c.unicode(); }
inline char16_t unit(char c) { return char16_t(quint8(c)); }

template<typename View, typename OnLine>
void scan(View text, bool lfEndsLines, OnLine &&onLine)
{
    const auto *data = text.data();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = unit(data[i]);
        if (c != u'\r' && !(c == u'\n' && lfEndsLines))
            continue;
        onLine(View(data + start, i - start), true);
        if (c == u'\r' && i + 1 < n && unit(data[i + 1]) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        onLine(View(data + start, n - start), false);
}
} // namespace Detail

template<typename OnLine>
void scan(QStringView text, bool lfEndsLines, OnLine &&onLine)
{
    Detail::scan(text, lfEndsLines, onLine);
}

template<typename OnLine>
void scan(QByteArrayView bytes, bool lfEndsLines, OnLine &&onLine)
{
    Detail::scan(bytes, lfEndsLines, onLine);
}

} // namespace LineScanner

} // namespace tabulink
