#include "batch/BatchJobs.h"

#include "batch/BatchMessages.h"
#include "batch/FolderLinks.h"
#include "batch/LocaleText.h"
#include "textio/Cp932.h"

#include "page/PageFrame.h"
#include "table/CsvPageStream.h"
#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "table/CsvWriter.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "table/TableSize.h"
#include "textio/FilePieces.h"
#include "textio/FileReading.h"
#include "textio/LineSink.h"
#include "textpage/EditorText.h"
#include "textpage/ImodePageWriter.h"
#include "textpage/TextFile.h"
#include "textpage/TextPageWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabulink {

namespace Batch {

namespace {

Job failed(const QString &error)
{
    Job job;
    job.message = error;
    return job;
}

Job failedOn(const QString &file, const QString &reason)
{
    return failed(file + QStringLiteral(": ") + reason);
}

QString systemReason(int error, qint64 maxBytes)
{
    const QString reason = LocaleText::systemReason(error);
    if (error == EFBIG)
        return reason + BatchMessages::sizeLimit(maxBytes / FileReading::MiB);
    return reason;
}

// message: "FILE: reason".
struct Input : Outcome {
    QString text;
};
struct InputBytes : Outcome {
    QByteArray bytes;
};

// What the user names is read as asked: a file, "-" for standard input, a
// named pipe, /dev/stdin or a process substitution (the window refuses the
// last ones, where they could hang it). Only a folder is refused, and
// nothing past maxBytes is taken in.
InputBytes readInputBytes(const QString &path, qint64 maxBytes)
{
    InputBytes r;
    int fd = STDIN_FILENO;
    if (path != QLatin1String("-")) {
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            r.message = path + QStringLiteral(": ") + systemReason(errno, maxBytes);
            return r;
        }
    }
    struct stat st;
    FileReading::Bytes read;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode))
        read.error = EISDIR;
    else
        read = FileReading::readOpen(fd, maxBytes);
    if (fd != STDIN_FILENO)
        ::close(fd);
    if (!read.ok) {
        r.message = path + QStringLiteral(": ") + systemReason(read.error, maxBytes);
        return r;
    }
    r.bytes = std::move(read.bytes);
    r.ok = true;
    return r;
}

Input decodeInput(const QString &path, const QByteArray &bytes, qint64 maxBytes)
{
    Input r;
    try {
        r.text = Cp932::decodeFileContent(bytes);
    } catch (const std::bad_alloc &) {
        r.text.clear();
        r.message = path + QStringLiteral(": ") + systemReason(ENOMEM, maxBytes);
        return r;
    }
    r.ok = true;
    return r;
}

Input readInput(const QString &path, qint64 maxBytes)
{
    const InputBytes read = readInputBytes(path, maxBytes);
    if (!read.ok) {
        Input r;
        r.message = read.message;
        return r;
    }
    return decodeInput(path, read.bytes, maxBytes);
}

// A regular code page 932 file, read piece by piece as the page is written.
// Japanese code page 932 text shows that it is not UTF-8 within its first
// piece; a file that does not is read whole, the ordinary way.
std::shared_ptr<FilePieces> cp932Pieces(const QString &path, qint64 maxBytes, QString *message)
{
    if (path == QLatin1String("-"))
        return nullptr;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr; // the ordinary reading reports it
    auto pieces = std::make_shared<FilePieces>(fd);
    if (!pieces->start(maxBytes)) {
        *message = path + QStringLiteral(": ") + systemReason(pieces->error(), maxBytes);
        return nullptr;
    }
    if (!pieces->usable())
        return nullptr;
    return Cp932::surelyCp932FromStart(pieces->first(), pieces->firstIsAll()) ? pieces : nullptr;
}

Job textJob(const Options &options)
{
    // Read as "ファイル読込" loads the editor. A code page 932 file is
    // written straight from its bytes, as the editor would hold it.
    const QString &path = options.inputs.value(0);
    TextPageInput input;
    QString message;
    input.cp932File = cp932Pieces(path, TextFile::MaxFileBytes, &message);
    if (!message.isEmpty())
        return failed(message);
    if (!input.cp932File) {
        const InputBytes read = readInputBytes(path, TextFile::MaxFileBytes);
        if (!read.ok)
            return failed(read.message);
        const Input file = decodeInput(path, read.bytes, TextFile::MaxFileBytes);
        if (!file.ok)
            return failed(file.message);
        input.text = EditorText::fromFile(file.text);
    }
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
// A table page from a code page 932 file is made straight from its bytes,
// without holding the file or the table.
std::optional<Job> streamedTableJob(const Options &options)
{
    const QString &path = options.inputs.value(0);
    if (options.command != Command::Table || path == QLatin1String("-"))
        return std::nullopt;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt; // the ordinary reading reports it
    auto stream = std::make_shared<CsvPageStream>(fd);
    if (!stream->survey())
        return failedOn(path, systemReason(stream->error(), 0));
    if (!stream->usable())
        return std::nullopt;
    if (!TableSize::fits(stream->rows(), stream->columns()))
        return failedOn(path, TableSize::tooLargeText(stream->rows(), stream->columns()).simplified());
    TableHtmlOptions table;
    static_cast<TableChecks &>(table) = options.table;
    table.rows = stream->rows();
    table.columns = stream->columns();
    const PageOptions page = options.page;
    Job job;
    job.ok = true;
    job.body = [stream, page, table](LineSink &sink) {
        PageFrame::writeHead(sink, page, TableHtmlWriter::styleLines(table.smallFont));
        stream->writeBody(sink, table.stripQuotes, table);
        PageFrame::writeTail(sink, page);
    };
    return job;
}

Job tableJob(const Options &options)
{
    if (std::optional<Job> streamed = streamedTableJob(options))
        return *streamed;
    const QString &path = options.inputs.value(0);
    Input file = readInput(path, CsvReader::MaxFileBytes);
    if (!file.ok)
        return failed(file.message);
    CsvReader::Result read;
    try {
        read = CsvReader::fromText(file.text);
    } catch (const std::bad_alloc &) {
        return failedOn(path, systemReason(ENOMEM, 0));
    }
    file.text.clear();
    if (!TableSize::fits(read.rows, read.columns))
        return failedOn(path, TableSize::tooLargeText(read.rows, read.columns).simplified());
    auto grid = std::make_shared<TableGrid>();
    grid->resize(int(read.rows), int(read.columns));
    CsvTransfer::run(*grid, read.lines, read.rows, read.columns, options.table.stripQuotes);
    read.lines.clear();

    Job job;
    job.ok = true;
    const qint64 rows = read.rows;
    const qint64 columns = read.columns;
    if (options.command == Command::Csv) {
        job.unmappable = CsvWriter::fileKind().unmappable;
        job.body = [grid, rows, columns](LineSink &sink) { CsvWriter::writeLines(sink, *grid, rows, columns); };
        return job;
    }
    TableHtmlOptions table;
    static_cast<TableChecks &>(table) = options.table;
    table.rows = rows;
    table.columns = columns;
    const PageOptions page = options.page;
    job.body = [grid, page, table](LineSink &sink) { TableHtmlWriter::writeLines(sink, page, *grid, table); };
    return job;
}

// The output's name when it is to be written into folder itself: a page
// listing itself would change from one run to the next.
QString outputNameIn(const QString &folder, const QString &output)
{
    if (output.isEmpty() || output == QLatin1String("-"))
        return QString();
    struct stat folderInfo;
    if (::stat(QFile::encodeName(folder).constData(), &folderInfo) != 0)
        return QString();
    // The path as given and, for an existing file, where its links lead.
    for (const QString &path : {QFileInfo(output).absoluteFilePath(), QFileInfo(output).canonicalFilePath()}) {
        if (path.isEmpty())
            continue;
        const QFileInfo info(path);
        struct stat parent;
        if (::stat(QFile::encodeName(info.absolutePath()).constData(), &parent) == 0
            && parent.st_dev == folderInfo.st_dev && parent.st_ino == folderInfo.st_ino)
            return info.fileName();
    }
    return QString();
}

Job linksJob(const Options &options)
{
    const QString &path = options.inputs.value(0);
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return failedOn(path, LocaleText::systemReason(errno));
    if (!S_ISDIR(st.st_mode))
        return failedOn(path, LocaleText::systemReason(ENOTDIR));
    // The names "ファイル名取り込み" takes from the file list.
    auto links = std::make_shared<FolderLinks>();
    const Outcome listed = links->list(QFileInfo(path).absoluteFilePath(), outputNameIn(path, options.output));
    if (!listed.ok)
        return failedOn(path, listed.message);

    Job job;
    if (!options.descriptions.isEmpty()) {
        const Input file = readInput(options.descriptions, FileReading::DefaultMaxBytes);
        if (!file.ok)
            return failed(file.message);
        for (const QString &name : links->describe(file.text))
            job.warnings.append(options.descriptions + BatchMessages::unknownDescription(name));
    }
    job.ok = true;
    const PageOptions page = options.page;
    job.body = [page, links = std::shared_ptr<const FolderLinks>(std::move(links))](LineSink &sink) {
        links->write(sink, page);
    };
    return job;
}

} // namespace

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
    return failed(BatchMessages::missingCommand());
}

} // namespace Batch

} // namespace tabulink
