// Baseline: the link page of a folder with a file of descriptions, as
// "tabulink-batch links -d" writes it with the default options, in plain C++
// (POSIX directory listing, iostream, iconv).
#include "baseline_common.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <unordered_map>

namespace {

std::string folded(const std::string &name)
{
    std::string key = name;
    for (char &c : key)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return key;
}

// The file name as a relative link: markup characters as references, URL
// syntax characters percent-encoded.
std::string target(const std::string &name)
{
    std::string out;
    out.reserve(name.size());
    for (unsigned char c : name) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '%': out += "%25"; break;
        case '#': out += "%23"; break;
        case '?': out += "%3F"; break;
        case '\\': out += "%5C"; break;
        default: out += char(c);
        }
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: baseline_links FOLDER DESCRIPTIONS OUT.html\n";
        return 2;
    }
    DIR *dir = opendir(argv[1]);
    if (!dir)
        baseline::die("cannot open folder");
    std::vector<std::pair<std::string, std::string>> names; // (key, name)
    while (const dirent *e = readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        bool regular = e->d_type == DT_REG;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st;
            regular = fstatat(dirfd(dir), e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular)
            names.emplace_back(folded(e->d_name), e->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());

    std::unordered_map<std::string, std::string> descriptions;
    for (const std::string &line : baseline::splitLines(baseline::fromSjis(baseline::readFile(argv[2])))) {
        const size_t comma = line.find(',');
        if (comma != std::string::npos && comma + 1 < line.size())
            descriptions[line.substr(0, comma)] = line.substr(comma + 1);
    }

    std::string page;
    page.reserve(names.size() * 96 + 4096);
    baseline::head(page);
    page += "<table border=0>\r\n";
    for (const auto &entry : names) {
        const std::string &name = entry.second;
        const auto d = descriptions.find(name);
        page += "<tr><td align=left nowrap>\r\n<A href=\"";
        page += target(name);
        page += "\">";
        page += d != descriptions.end() ? d->second : name;
        page += "</A></td></tr>\r\n<tr><td> </td></tr>\r\n";
    }
    page += "</table>\r\n</center>\r\n";
    baseline::tail(page);
    const std::string bytes = baseline::toSjis(page);
    if (std::string(argv[3]) == "-")
        std::cout.write(bytes.data(), (std::streamsize)bytes.size());
    else
        baseline::saveFile(argv[3], bytes);
    return 0;
}
