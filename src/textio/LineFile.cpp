#include "textio/LineFile.h"

#include "textio/LineSink.h"
#include "textio/SafeSave.h"

namespace tabulink {

namespace LineFile {

Outcome save(const QString &path, Cp932::Unmappable mode, const std::function<void(LineSink &)> &body,
             qsizetype *replaced)
{
    qsizetype count = 0;
    const Outcome outcome = SafeSave::writeWith(path, [&](QIODevice *file) {
        LineSink sink(file, mode);
        body(sink);
        const bool ok = sink.finish();
        count = sink.replaced();
        return ok;
    });
    if (replaced)
        *replaced = count;
    return outcome;
}

} // namespace LineFile

} // namespace tabulink
