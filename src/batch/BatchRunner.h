#pragma once

#include "batch/BatchOptions.h"

#include <QString>
#include <QStringList>

class QIODevice;

namespace tabulink {

// tabulink-batch without its process: everything main() does, on any devices,
// so tests run it in-process.
namespace Batch {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

// Parses args (without the program name), then prints the help or the
// version, or runs the command. Never asks anything.
int runArguments(const QStringList &args, QIODevice *out, QIODevice *err);

// Runs a parsed command. The page goes to options.output through the safe
// save, or to out when the output is "-"; messages go to err.
int run(const Options &options, QIODevice *out, QIODevice *err);

// Says that standard output took not all of the output, and why; returns Failure.
int standardOutputFailed(const QString &reason, QIODevice *err);

QString programName(); // "tabulink-batch"
QString helpText();
QString versionText();  // first line "tabulink-batch (Tabulink) 2.03"

} // namespace Batch

} // namespace tabulink
