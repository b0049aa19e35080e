#pragma once

#include <QChar>
#include <QString>

namespace tabulink {

// Every text tabulink-batch writes to standard error in its own words; the
// system's reasons come from LocaleText.
namespace BatchMessages {

// The text of --help; problems are reported to reportAddress.
QString help(const QString &reportAddress);

// Arguments.
QString badArgumentEncoding(const QString &program, int index, const QString &codeset);
QString optionNeedsValue(const QString &option);
QString optionTakesNoValue(const QString &option);
QString unknownLongOption(const QString &option);
QString unknownShortOption(QChar option);
QString badBackground(const QString &value);
QString noCommand();
QString unknownCommand(const QString &command);
QString commandNeedsInput(const QString &command);
QString emptyOutputFolder();
QString outputAndFolder();
QString folderCommands();
QString extraArgument(const QString &argument);
QString emptyOutput();
QString descriptionsOnlyForLinks();
QString tryHelp(const QString &program);

// Running.
QString missingCommand();
QString sizeLimit(qint64 mebibytes);
QString unknownDescription(const QString &name);
QString standardOutput();
QString sameAsInput(const QString &input);
QString standardInputToFolder();
QString outputOverlaps(const QString &input, const QString &name);

} // namespace BatchMessages

} // namespace tabulink
