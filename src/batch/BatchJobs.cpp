#include "batch/BatchJobs.h"

#include "browse/FolderListing.h"
#include "linkpage/FileListEntry.h"
#include "linkpage/LinkPageWriter.h"
#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "table/CsvWriter.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "table/TableSize.h"
#include "textio/FileReading.h"
#include "textio/LineSink.h"
#include "textpage/ImodePageWriter.h"
#include "textpage/TextFile.h"
#include "textpage/TextPageWriter.h"

#include <QFileInfo>
#include <QHash>

#include <memory>

namespace Batch {

namespace {

Job failed(const QString &error)
{
    Job job;
    job.error = error;
    return job;
}

Job textJob(const Options &options)
{
    // Read as "ファイル読込" loads the editor.
    const FileReading::Result file = TextFile::read(options.input);
    if (!file.ok)
        return failed(file.errorText);
    TextPageInput input;
    input.text = editorText(file.text);
    input.convertBreaks = options.convertBreaks;
    input.mincho = options.mincho;
    Job job;
    job.ok = true;
    const PageOptions page = options.page;
    if (options.command == Command::Text)
        job.body = [page, input](LineSink &sink) { TextPageWriter::writeLines(sink, page, input); };
    else
        job.body = [page, input](LineSink &sink) { ImodePageWriter::writeLines(sink, page, input); };
    return job;
}

// "csvﾌｧｲﾙ読込" then "ｸﾞﾘｯﾄﾞに転送": the table and both selectors take the
// file's size, and the lines are split into the cells.
Job tableJob(const Options &options)
{
    CsvReader::Result read = CsvReader::readFile(options.input);
    if (!read.ok)
        return failed(read.errorText);
    if (!TableSize::fits(read.rows, read.columns))
        return failed(TableSize::tooLargeText(read.rows, read.columns));
    auto grid = std::make_shared<TableGrid>();
    grid->resize(int(read.rows), int(read.columns));
    CsvTransfer::run(*grid, read.lines, read.rows, read.columns, options.table.stripQuotes);
    read.lines.clear();

    Job job;
    job.ok = true;
    const qint64 rows = read.rows;
    const qint64 columns = read.columns;
    if (options.command == Command::Csv) {
        job.unmappable = CsvWriter::saveParams().unmappable;
        job.body = [grid, rows, columns](LineSink &sink) { CsvWriter::writeLines(sink, *grid, rows, columns); };
        return job;
    }
    TableHtmlOptions table;
    table.rows = rows;
    table.columns = columns;
    table.boldTopRow = options.table.boldTopRow;
    table.boldLeftColumn = options.table.boldLeftColumn;
    table.border = options.table.border;
    table.fillEmpty = options.table.fillEmpty;
    table.stripQuotes = options.table.stripQuotes;
    table.smallFont = options.table.smallFont;
    table.centreAll = options.table.centreAll;
    const PageOptions page = options.page;
    job.body = [grid, page, table](LineSink &sink) { TableHtmlWriter::writeLines(sink, page, *grid, table); };
    return job;
}

Job linksJob(const Options &options)
{
    const QFileInfo folder(options.input);
    if (!folder.isDir())
        return failed(QStringLiteral("フォルダがありません。\n%1").arg(options.input));
    // The names "ファイル名取り込み" takes from the file list.
    const FolderListing listing = listFolder(folder.absoluteFilePath(), ListWhat::FilesOnly);
    if (!listing.ok)
        return failed(QStringLiteral("フォルダを読めませんでした。\n%1\n%2").arg(options.input, listing.error));

    Job job;
    QStringList rows = listing.files;
    if (!options.descriptions.isEmpty()) {
        const FileReading::Result file = FileReading::readText(options.descriptions);
        if (!file.ok)
            return failed(file.errorText);
        QStringList unknown;
        rows = linkRows(listing.files, FileReading::splitLines(file.text), &unknown);
        for (const QString &name : std::as_const(unknown))
            job.warnings.append(QStringLiteral("フォルダにないファイルの説明は使いません: %1").arg(name));
    }
    // linkRows keeps the names' order; a row is its name, then "," and the
    // description when it has one. The name is taken whole, commas included.
    QList<FileListEntry> entries;
    entries.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString &name = listing.files.at(i);
        entries.append(FileListEntry::named(name, listing.nativeFiles.value(name)));
        entries.last().description = rows.at(i).mid(name.size() + 1);
    }
    job.ok = true;
    const PageOptions page = options.page;
    job.body = [page, entries](LineSink &sink) { LinkPageWriter::writeLines(sink, page, entries); };
    return job;
}

} // namespace

QString editorText(const QString &fileText)
{
    QString text = FileReading::toCrLf(fileText);
    // The window's editor hands back a no-break space as a blank and a line
    // or paragraph separator as a line break; the pages are written from that.
    bool changed = false;
    for (const QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if (u == 0x00A0 || u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1) {
            changed = true;
            break;
        }
    }
    if (!changed)
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : std::as_const(text)) {
        switch (c.unicode()) {
        case 0x00A0: out += u' '; break;
        case 0x2028:
        case 0x2029:
        case 0xFDD0:
        case 0xFDD1: out += QStringLiteral("\r\n"); break;
        default: out += c;
        }
    }
    return out;
}

QStringList linkRows(const QStringList &fileNames, const QStringList &descriptionLines, QStringList *unknown)
{
    QStringList rows = fileNames;
    QHash<QString, qsizetype> indexOf;
    indexOf.reserve(fileNames.size());
    for (qsizetype i = 0; i < fileNames.size(); ++i)
        indexOf.insert(fileNames.at(i), i);
    for (const QString &line : descriptionLines) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype comma = line.indexOf(u',');
        const QString name = comma < 0 ? line : line.left(comma);
        const QString description = comma < 0 ? QString() : line.mid(comma + 1);
        const auto it = indexOf.constFind(name);
        if (it == indexOf.constEnd()) {
            if (unknown)
                unknown->append(name);
            continue;
        }
        rows[*it] = FileListEntry::build(name, description); // as "登録" does
    }
    return rows;
}

Job prepare(const Options &options)
{
    switch (options.command) {
    case Command::Text:
    case Command::Imode:
        return textJob(options);
    case Command::Links:
        return linksJob(options);
    case Command::Table:
    case Command::Csv:
        return tableJob(options);
    case Command::None:
        break;
    }
    return failed(QStringLiteral("コマンドがありません"));
}

} // namespace Batch
