#pragma once

#include "page/FileKind.h"
#include "page/PageMessages.h"

#include <QString>

#include <functional>

namespace tabulink {

class LineSink;
class SaveContext;

// How the window saves a file: proposed name, save dialog, overwrite
// question, path label, safe write, file list refresh, notice.
namespace SaveProcedure {

// Every save the window offers.
enum class Kind { LinkPage, TextPage, ImodePage, TablePage, CsvFile, TextFile };

// The window's settings of one kind of save.
struct Settings {
    FileKind file;
    QString filter;                // the file dialog's, as FileDialogRequest takes it
    QString defaultSuffix;         // none for the pages and the CSV file
    bool nameFromSelection = true; // false: always the fallback name
    bool askOverwrite = true;
    PageMessages::OverwriteForm form = PageMessages::OverwriteForm::A;
    bool showPathInLabel = true;
    QString completionText;        // empty: no notice
};

const Settings &settings(Kind kind);

// The filter of the editor's "open text file" dialog.
QString textOpenFilter();

enum class Result { Cancelled, Declined, Failed, Written };

// Runs one save. body writes the file's lines; it runs after the dialog and
// the question, so it reads the controls as they stand then.
Result run(SaveContext &context, Kind kind, const std::function<void(LineSink &)> &body);

} // namespace SaveProcedure

} // namespace tabulink
