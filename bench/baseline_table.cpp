// Baseline: the table page of a CSV file, as "tabulink-batch table" writes it
// with the default options, in plain C++ (iostream, iconv).
#include "baseline_common.h"

namespace {

bool kept(const std::string &line)
{
    return line.find_first_not_of(" \t") != std::string::npos;
}

void stripQuotes(std::string &text)
{
    if (!text.empty() && text.front() == '"' && text.back() == '"')
        text = text.size() == 1 ? std::string() : text.substr(1, text.size() - 2);
}

} // namespace

int main(int argc, char **argv)
{
    baseline::usage(argc, "baseline_table IN.csv OUT.html");
    const std::vector<std::string> all = baseline::splitLines(baseline::fromSjis(baseline::readFile(argv[1])));
    std::vector<std::string> lines;
    lines.reserve(all.size());
    for (const std::string &line : all)
        if (kept(line))
            lines.push_back(line);
    const size_t rows = lines.size();
    const size_t columns = rows ? std::count(lines[0].begin(), lines[0].end(), ',') + 1 : 1;

    std::string page;
    page.reserve(rows * columns * 48 + 4096);
    baseline::head(page, {"<STYLE TYPE =\"text/css\">", "<!--", "TABLE{font-size:12pt}", "P{font-size:12pt}",
                          "div{font-size:12pt}", "body{font-size:12pt}", "-->", "</STYLE>"});
    page += "<table border=\"1\">\r\n";
    std::string field;
    for (size_t r = 0; r < rows; ++r) {
        page += "<tr>\r\n";
        std::string line = lines[r];
        for (size_t c = 0; c < columns; ++c) {
            // The transfer: every comma splits; a short line repeats its last field.
            const size_t comma = line.find(',');
            if (comma != std::string::npos) {
                field.assign(line, 0, comma);
                line.erase(0, comma + 1);
                stripQuotes(field);
            } else {
                stripQuotes(line);
                field = line;
            }
            // The writer: empty cells get an ideographic space, quotes go again.
            if (field.empty())
                field = "\xE3\x80\x80";
            stripQuotes(field);
            const bool bold1 = r == 0, bold2 = c == 0;
            page += "<td nowrap align=\"";
            page += r == 0 ? "center" : c == 0 ? "left" : "right";
            page += "\">";
            if (bold1) page += "<b>";
            if (bold2) page += "<b>";
            page += field;
            if (bold2) page += "</b>";
            if (bold1) page += "</b>";
            page += "</td>\r\n";
        }
        page += "</tr>\r\n";
    }
    page += "</TABLE>\r\n</CENTER>\r\n";
    baseline::tail(page);
    const std::string bytes = baseline::toSjis(page);
    if (std::string(argv[2]) == "-")
        std::cout.write(bytes.data(), (std::streamsize)bytes.size());
    else
        baseline::saveFile(argv[2], bytes);
    return 0;
}
