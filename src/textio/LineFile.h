#pragma once

#include "textio/Cp932.h"
#include "textio/Outcome.h"

#include <QString>

#include <functional>

namespace tabulink {

class LineSink;

// One save of a file made of lines, as the window and tabulink-batch both
// do it: the lines are encoded as mode says and streamed straight into the
// new file through the safe save, so the old file is replaced only once all
// of them are on disk.
namespace LineFile {

// On failure message is the reason (the step and the system's text);
// replaced, if given, receives how many characters code page 932 could not hold.
Outcome save(const QString &path, Cp932::Unmappable mode, const std::function<void(LineSink &)> &body,
             qsizetype *replaced = nullptr);

} // namespace LineFile

} // namespace tabulink
