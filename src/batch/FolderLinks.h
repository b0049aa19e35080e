#pragma once

#include "textio/Outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <string>
#include <vector>

namespace tabulink {

class LineSink;
struct PageOptions;

// The link page of a folder as the command line writes it: the rows that the
// link tab holds after "ファイル名取り込み", with each "name,description"
// line registered as "登録" would register it (a later line for the same name
// wins; a line without a description takes it away). The names stay in one
// buffer and the descriptions in the text they were read from, so a folder
// of a hundred thousand files costs no string per name.
class FolderLinks
{
public:
    // Lists folder without the file named self (the page itself, when it is
    // written there); message holds the system's reason when the folder
    // cannot be read.
    Outcome list(const QString &folder, const QString &self);
    // Registers the descriptions of text's lines; returns the names of the
    // lines that name no listed file, in the order of the lines.
    QStringList describe(const QString &text);
    void write(LineSink &sink, const PageOptions &options) const;

private:
    QStringView name(uint32_t i) const
    {
        return QStringView(m_names.data() + m_starts[i], qsizetype(m_starts[i + 1] - m_starts[i]));
    }

    std::u16string m_names;      // name i from m_starts[i] to m_starts[i + 1]
    std::vector<size_t> m_starts;
    std::vector<uint32_t> m_order;     // the names in list order
    std::vector<QByteArray> m_native;  // a name's bytes where it is not UTF-8; empty when none is
    QString m_descriptionText;
    std::vector<QStringView> m_descriptions; // by name, into m_descriptionText; empty when none
};

} // namespace tabulink
