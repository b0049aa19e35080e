// Baseline: the table page of a code page 932 CSV file, as
// "tabulink-batch table IN -o OUT" writes it with the default options, in
// plain C++ on the raw bytes (see baseline_common.h).
//
// The rules it follows:
// - A file with a CR ends its lines at CR LF and a lone CR (a lone LF stays
//   in the line, as a spreadsheet writes a line break inside a cell); a file
//   without any CR ends them at LF.
// - A line of nothing but blanks, tabs and LFs is left out.
// - The first kept line's commas give the number of columns. Each line is
//   cut at every comma; a line with fewer fields repeats its last field.
//   A field wrapped in double quotes loses them, once when it is cut and
//   once more when it is written, so a repeated last field loses one more
//   pair each time.
// - An empty cell becomes an ideographic space; cell text is not escaped.
// - The top row is centred and bold, the left column left-aligned and bold,
//   the rest right-aligned.
#include "baseline_common.h"

#include <cstdio>

namespace {

struct Span {
    const char *b;
    const char *e;
    bool empty() const { return b == e; }
};

Span stripQuotes(Span s)
{
    if (s.e - s.b >= 1 && *s.b == '"' && s.e[-1] == '"') {
        if (s.e - s.b == 1)
            return {s.e, s.e};
        return {s.b + 1, s.e - 1};
    }
    return s;
}

bool kept(const char *b, const char *e)
{
    for (; b < e; ++b)
        if (*b != ' ' && *b != '\t' && *b != '\n')
            return true;
    return false;
}

struct CellForm {
    const char *open;
    size_t openLen;
    const char *close;
    size_t closeLen;
};

#define FORM(o, c) {o, sizeof(o) - 1, c, sizeof(c) - 1}
const CellForm kCorner = FORM("<td nowrap align=\"center\"><b><b>", "</b></b></td>\r\n");
const CellForm kTop = FORM("<td nowrap align=\"center\"><b>", "</b></td>\r\n");
const CellForm kLeft = FORM("<td nowrap align=\"left\"><b>", "</b></td>\r\n");
const CellForm kInner = FORM("<td nowrap align=\"right\">", "</td>\r\n");
#undef FORM

inline void cell(baseline::Output &out, Span text, const CellForm &form)
{
    out.put(form.open, form.openLen);
    if (text.empty())
        out.put("\x81\x40"); // U+3000, which no quote rule touches
    else
        text = stripQuotes(text), out.put(text.b, text.e);
    out.put(form.close, form.closeLen);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: baseline_table IN.csv OUT.html\n");
        return 2;
    }
    const baseline::Input in(argv[1]);
    const char *const end = in.end();
    const bool lfEnds = std::memchr(in.begin(), '\r', in.size()) == nullptr;

    baseline::Output out(argv[2]);
    baseline::head(out, true);
    out.put("<table border=\"1\">\r\n");

    baseline::LineEnds ends(end, lfEnds);
    long columns = -1;
    const CellForm *first = &kCorner, *rest = &kTop;
    for (const char *p = in.begin(); p < end;) {
        const char *next;
        const char *e = ends.find(p, &next);
        const char *line = p;
        p = next;
        if (!kept(line, e))
            continue;
        if (columns < 0) {
            columns = 1;
            for (const char *q = line; q < e; ++q)
                columns += *q == ',';
        }
        out.put("<tr>\r\n");
        Span left{line, e};
        for (long c = 0; c < columns; ++c) {
            const CellForm &form = c == 0 ? *first : *rest;
            const void *comma = std::memchr(left.b, ',', size_t(left.e - left.b));
            if (comma) {
                const char *at = static_cast<const char *>(comma);
                cell(out, stripQuotes({left.b, at}), form);
                left.b = at + 1;
            } else {
                left = stripQuotes(left);
                cell(out, left, form);
            }
        }
        out.put("</tr>\r\n");
        first = &kLeft;
        rest = &kInner;
    }
    out.put("</TABLE>\r\n</CENTER>\r\n");
    baseline::tail(out);
    out.finish();
    return 0;
}
