// Baseline: the text page of a code page 932 text file, as
// "tabulink-batch text IN -o OUT" writes it with the default options, in
// plain C++ on the raw bytes (see baseline_common.h): the text goes in as
// it is, every line end (CR LF, a lone CR or a lone LF) becomes "<br>" and
// CR LF, and a last line without a line end is followed by CR LF alone.
#include "baseline_common.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: baseline_text IN.txt OUT.html\n");
        return 2;
    }
    const baseline::Input in(argv[1]);
    baseline::Output out(argv[2]);
    baseline::head(out, false);
    out.put("<table border=0>\r\n<tr><td align=left>\r\n");
    baseline::LineEnds ends(in.end(), true);
    const char *p = in.begin();
    while (p < in.end()) {
        const char *next;
        const char *e = ends.find(p, &next);
        out.put(p, e);
        if (e == in.end())
            break;
        out.put("<br>\r\n");
        p = next;
    }
    out.put("\r\n</td></tr>\r\n</table>\r\n</center>\r\n");
    baseline::tail(out);
    out.finish();
    return 0;
}
