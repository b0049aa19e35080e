#pragma once

#include "textio/Cp932.h"

#include <QString>

#include <functional>

namespace tabulink {

class LineSink;
class SaveContext;

// The save procedure every writer follows: proposed name, save dialog,
// overwrite question, path label, safe write, file list refresh, notice.
namespace SaveTarget {

enum class OverwriteForm { A, B };

struct Params {
    QString nameEnding;     // ".html" or ".txt"
    QString fallbackName;   // "index.html" or "csv.txt"
    QString filter;
    OverwriteForm form = OverwriteForm::A;
    QString completionText;
    Cp932::Unmappable unmappable = Cp932::Unmappable::NumericReference;
    QString defaultSuffix;  // none for the pages and the CSV file
    bool askOverwrite = true;
    bool showPathInLabel = true;
    bool notifyCompletion = true;
};

enum class Result { Cancelled, Declined, Failed, Written };

QString pageFilter();
QString csvFilter();
Params pageParams(OverwriteForm form, const QString &completionText);

// The part of selectedFileName before its first "." plus the ending, or the
// fallback name when there is no ".".
QString proposeFileName(const QString &selectedFileName, const QString &ending, const QString &fallback);

QString overwriteText(const QString &path, OverwriteForm form);
QString overwriteTitle();
QString replacedNotice(qsizetype count);

// Runs one save. body writes the file's lines; it runs after the dialog and
// the question, so it reads the controls as they stand then. If proposedName
// is set it replaces the name computed from the selected file.
Result run(SaveContext &context, const Params &params, const std::function<void(LineSink &)> &body,
           const QString &proposedName = QString());

} // namespace SaveTarget

} // namespace tabulink
