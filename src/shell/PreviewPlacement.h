#pragma once

#include <QRect>

#include <optional>

namespace tabulink {

// Where the preview window stood when it was last hidden: group "preview" of
// the settings file "tablomi", beside the folder of StartupSetting.
namespace PreviewPlacement {

// Nothing when no place is stored or the entry is damaged (not four whole
// numbers, or a size that no window has).
std::optional<QRect> load();
// A damaged or unwritable settings file never stops the program.
void store(const QRect &geometry);

} // namespace PreviewPlacement

} // namespace tabulink
