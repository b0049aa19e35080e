// Times the table core on a 200,000-line CSV file: reading, transfer, and
// writing it back as CSV and as a table page. Run: ./build/bench_table [lines]

#include "page/PageOptions.h"
#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "table/CsvWriter.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "table/TableSize.h"
#include "textio/Cp932.h"
#include "textio/FileReading.h"
#include "textio/SafeSave.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace tabulink;

namespace {
// Takes every byte and keeps none: the cost of producing the bytes alone.
class NullDevice : public QIODevice
{
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override { return len; }
};

// Wall time and this thread's CPU time: on a busy machine the CPU time is the
// steadier of the two.
double cpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}
double cpuStart = 0;

void report(const char *what, QElapsedTimer &timer)
{
    const double cpu = cpuMs();
    std::printf("%-34s %8.1f ms wall %8.1f ms cpu\n", what, double(timer.nsecsElapsed()) / 1e6, cpu - cpuStart);
    cpuStart = cpu;
    timer.restart();
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 200000;
    constexpr int columns = 8;

    QTemporaryDir dir;
    const QString path = dir.filePath("big.csv");
    {
        QString text;
        for (int i = 0; i < lines; ++i) {
            text += QStringLiteral("%1,\"商品%2\",東京都,%3, 12.5 ,abc,\"x\"\"y\",末尾\r\n")
                        .arg(i).arg(i % 977).arg(i * 7);
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(Cp932::encode(text, Cp932::Unmappable::QuestionMark));
        std::printf("file: %d lines, %lld bytes\n", lines, qint64(file.size()));
    }

    QElapsedTimer timer;
    timer.start();
    cpuStart = cpuMs();
    Cp932::encode(u"表", Cp932::Unmappable::QuestionMark); // builds the code tables once
    report("code page tables (once per run)", timer);
    const FileReading::Result text = FileReading::readText(path);
    report("  of which: read and decode", timer);
    CsvReader::fromText(text.text);
    report("  of which: split and keep", timer);
    CsvReader::Result read = CsvReader::readFile(path);
    report("read (decode, split, keep)", timer);
    if (!read.ok || read.rows != lines || read.columns != columns || !TableSize::fits(read.rows, read.columns))
        return 2;

    TableGrid grid;
    grid.resize(int(read.rows), int(read.columns));
    report("size the table", timer);
    CsvTransfer::run(grid, read.lines, read.rows, read.columns, true);
    report("transfer", timer);
    CsvTransfer::run(grid, read.lines, read.rows, read.columns, false);
    report("transfer again (replaces texts)", timer);

    QByteArray csv;
    {
        QBuffer buffer(&csv);
        buffer.open(QIODevice::WriteOnly);
        CsvWriter::write(&buffer, grid, read.rows, read.columns);
    }
    report("write CSV into memory", timer);
    SafeSave::writeBytes(dir.filePath("out.csv"), csv);
    report("save CSV to disk", timer);

    {
        NullDevice null;
        null.open(QIODevice::WriteOnly);
        TableHtmlOptions options;
        options.rows = read.rows;
        options.columns = read.columns;
        TableHtmlWriter::write(&null, PageOptions(), grid, options);
    }
    report("write table page, bytes discarded", timer);
    QByteArray page;
    {
        QBuffer buffer(&page);
        buffer.open(QIODevice::WriteOnly);
        TableHtmlOptions options;
        options.rows = read.rows;
        options.columns = read.columns;
        TableHtmlWriter::write(&buffer, PageOptions(), grid, options);
    }
    report("write table page into memory", timer);
    SafeSave::writeBytes(dir.filePath("out.html"), page);
    report("save table page to disk", timer);
    std::printf("csv %lld bytes, page %lld bytes, pool %lld chars\n", qint64(csv.size()), qint64(page.size()),
                qint64(grid.poolSize()));
    return 0;
}
