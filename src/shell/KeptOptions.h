#pragma once

#include <QMap>
#include <QString>

#include <optional>

namespace tabulink {

// The page options kept from one run to the next in the settings file, in
// the section "options" beside the stored folder: the title, back address,
// background option and image address, and the ticks of the check boxes by
// their names. What is missing or damaged in the file reads as absent, and
// the window keeps its start value for it.
struct KeptOptions {
    std::optional<QString> title;
    std::optional<QString> backUrl;
    std::optional<int> backgroundOption; // 1..9, the option button picked
    std::optional<QString> backgroundImageUrl;
    QMap<QString, bool> ticks; // check box name ("Check1") -> ticked

    bool operator==(const KeptOptions &other) const;
    bool operator!=(const KeptOptions &other) const { return !(*this == other); }

    // A damaged or unreadable file gives what could be read, at worst nothing.
    static KeptOptions read();
    // Stores every value present; a file that cannot be written is left alone.
    void store() const;
};

} // namespace tabulink
