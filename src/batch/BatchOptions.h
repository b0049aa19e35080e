#pragma once

#include "page/PageOptions.h"
#include "table/TableChecks.h"
#include "textio/Outcome.h"

#include <QString>
#include <QStringList>

namespace tabulink {

// What one run of tabulink-batch is asked to do: the command, its input and
// output, and every option of the window that shapes a page.
namespace Batch {

enum class Command {
    None,
    Table, // table page from a CSV file
    Csv,   // CSV file read, transferred and saved again
    Links, // link page of a folder's files
    Text,  // text page from a text file
    Imode  // i-mode page from a text file
};

struct Options {
    Command command = Command::None;
    QStringList inputs;                   // "-" is standard input
    QString output = QStringLiteral("-"); // "-" is standard output
    QString outputFolder;                 // -O: one page per input in it
    QString descriptions;                 // links: "name,description" rows
    PageOptions page;
    TableChecks table;
    bool convertBreaks = true; // Check6
    bool mincho = false;       // Check8
    bool showHelp = false;
    bool showVersion = false;
};

// message: for standard error when !ok.
struct ParseResult : Outcome {
    Options options;
};

// args without the program name.
ParseResult parseArguments(const QStringList &args);

QString commandName(Command command);
// The page's name in the output folder, as the window proposes it: the
// input's name before its first dot, then ".html" (".txt" for csv).
QString outputName(Command command, const QString &input);
// The window's nine choices: "white" (or "none", as the first button's
// caption "背景色なし" says), "skyblue", …, "image", or the button's number 1 to 9.
bool parseBackground(const QString &text, BackgroundChoice *choice);

} // namespace Batch

} // namespace tabulink
