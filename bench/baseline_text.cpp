// Baseline: the text page of a text file, as "tabulink-batch text" writes it
// with the default options, in plain C++ (iostream, iconv).
#include "baseline_common.h"

int main(int argc, char **argv)
{
    baseline::usage(argc, "baseline_text IN.txt OUT.html");
    const std::string text = baseline::fromSjis(baseline::readFile(argv[1]));
    std::string page;
    page.reserve(text.size() + text.size() / 8 + 4096);
    baseline::head(page);
    page += "<table border=0>\r\n<tr><td align=left>\r\n";
    // Every line break becomes CR LF with "<br>" in front of it.
    const size_t n = text.size();
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            page.append(text, start, i - start);
            page += "<br>\r\n";
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    page.append(text, start, n - start);
    page += "\r\n</td></tr>\r\n</table>\r\n</center>\r\n";
    baseline::tail(page);
    const std::string bytes = baseline::toSjis(page);
    if (std::string(argv[2]) == "-")
        std::cout.write(bytes.data(), (std::streamsize)bytes.size());
    else
        baseline::saveFile(argv[2], bytes);
    return 0;
}
