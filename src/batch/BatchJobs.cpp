#include "batch/BatchJobs.h"

#include "textio/FileReading.h"
#include "textio/LineSink.h"
#include "textpage/TextPageWriter.h"

#include <QHash>

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
    FileReading::Result file = FileReading::readText(options.input);
    if (!file.ok)
        return failed(file.errorText);
    TextPageInput input;
    input.text = editorText(file.text);
    input.convertBreaks = options.convertBreaks;
    input.mincho = options.mincho;
    Job job;
    job.ok = true;
    const PageOptions page = options.page;
    if (options.command == Command::Text) {
        job.body = [page, input](LineSink &sink) { TextPageWriter::writeLines(sink, page, input); };
    } else {
        return failed(QStringLiteral("imode コマンドはまだ使えません"));
    }
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
        // As "登録" builds a row: the name alone when the description is empty.
        rows[*it] = description.isEmpty() ? name : name + u',' + description;
    }
    return rows;
}

Job prepare(const Options &options)
{
    switch (options.command) {
    case Command::Text:
    case Command::Imode:
        return textJob(options);
    case Command::Table:
    case Command::Csv:
    case Command::Links:
        return failed(QStringLiteral("%1 コマンドはまだ使えません").arg(commandName(options.command)));
    case Command::None:
        break;
    }
    return failed(QStringLiteral("コマンドがありません"));
}

} // namespace Batch
