#include "batch/FolderLinks.h"

#include "browse/FolderListing.h"
#include "browse/NameOrder.h"
#include "linkpage/LinkListBody.h"
#include "page/PageFrame.h"
#include "textio/LineScanner.h"
#include "textio/LineSink.h"

#include <QHash>

#include <algorithm>

namespace tabulink {

Outcome FolderLinks::list(const QString &folder, const QString &self)
{
    Outcome outcome;
    FileNames plain = listFileNames(folder);
    if (plain.plain) {
        if (!plain.ok) {
            outcome.message = plain.message;
            return outcome;
        }
        m_names = std::move(plain.text);
        m_starts = std::move(plain.starts);
        std::vector<QStringView> views;
        views.reserve(plain.count());
        for (size_t i = 0; i + 1 < m_starts.size(); ++i)
            views.push_back(name(uint32_t(i)));
        m_order = NameOrder::sorted(views);
    } else {
        // Names that are not UTF-8 are shown in another form and linked by
        // their bytes: the file list's own listing has both.
        const FolderListing listing = listFolder(folder, ListWhat::FilesOnly);
        if (!listing.ok) {
            outcome.message = listing.message;
            return outcome;
        }
        m_starts.push_back(0);
        for (const QString &shown : listing.files) {
            m_names.append(reinterpret_cast<const char16_t *>(shown.utf16()), size_t(shown.size()));
            m_starts.push_back(m_names.size());
            m_order.push_back(uint32_t(m_order.size()));
        }
        m_native.resize(m_order.size());
        for (uint32_t i = 0; i < m_order.size(); ++i)
            m_native[i] = listing.nativeFiles.value(listing.files.at(i));
    }
    if (!self.isEmpty()) {
        const auto it = std::find_if(m_order.begin(), m_order.end(), [&](uint32_t i) { return name(i) == self; });
        if (it != m_order.end())
            m_order.erase(it);
    }
    outcome.ok = true;
    return outcome;
}

QStringList FolderLinks::describe(const QString &text)
{
    struct Line {
        QStringView name;
        QStringView description;
    };
    m_descriptionText = text;
    std::vector<Line> lines;
    QHash<QStringView, size_t> lastLine; // a name's last line
    LineScanner::scan(m_descriptionText, true, [&](QStringView line, bool) {
        if (line.trimmed().isEmpty())
            return;
        const qsizetype comma = line.indexOf(u',');
        if (comma < 0)
            lines.push_back({line, QStringView()});
        else
            lines.push_back({line.left(comma), line.mid(comma + 1)});
        lastLine.insert(lines.back().name, lines.size() - 1);
    });
    if (lines.empty())
        return {};
    std::vector<bool> used(lines.size()); // by a name's last line
    m_descriptions.assign(m_starts.size() - 1, QStringView());
    // Where two files show the same name (a leading byte-order mark is not
    // shown), the description goes to the later one.
    for (auto at = m_order.rbegin(); at != m_order.rend(); ++at) {
        const uint32_t i = *at;
        const auto it = lastLine.constFind(name(i));
        if (it == lastLine.constEnd() || used[*it])
            continue;
        m_descriptions[i] = lines[*it].description;
        used[*it] = true;
    }
    QStringList unknown;
    for (const Line &line : lines) {
        if (!used[lastLine.value(line.name)])
            unknown.append(line.name.toString());
    }
    return unknown;
}

void FolderLinks::write(LineSink &sink, const PageOptions &options) const
{
    PageFrame::writeHead(sink, options);
    LinkListBody::writeStart(sink);
    std::u16string scratch;
    static const QByteArray none;
    for (uint32_t i : m_order) {
        LinkListBody::writeRow(sink, scratch, name(i), m_native.empty() ? none : m_native[i],
                               m_descriptions.empty() ? QStringView() : m_descriptions[i]);
    }
    LinkListBody::writeEnd(sink);
    PageFrame::writeTail(sink, options);
}

} // namespace tabulink
