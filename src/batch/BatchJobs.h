#pragma once

#include "batch/BatchOptions.h"
#include "textio/Cp932.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tabulink {

class LineSink;

// One command's work up to the point where its lines are written: the input
// is read and checked first, so a bad input never creates or touches the
// output file.
namespace Batch {

// message: for standard error when !ok.
struct Job : Outcome {
    QStringList warnings;
    Cp932::Unmappable unmappable = Cp932::Unmappable::NumericReference;
    std::function<void(LineSink &)> body; // writes the file's lines
};

Job prepare(const Options &options);

} // namespace Batch

} // namespace tabulink
