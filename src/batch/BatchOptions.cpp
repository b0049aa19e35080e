#include "batch/BatchOptions.h"

#include "batch/BatchMessages.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <vector>

#include <getopt.h>

namespace tabulink {

namespace Batch {

namespace {

struct Flag {
    const char *name;   // turns it on
    const char *noName; // turns it off
    bool Options::*plain;
    bool TableChecks::*table;
};

constexpr std::array<Flag, 10> flags{{
    {"bold-top", "no-bold-top", nullptr, &TableChecks::boldTopRow},
    {"bold-left", "no-bold-left", nullptr, &TableChecks::boldLeftColumn},
    {"border", "no-border", nullptr, &TableChecks::border},
    {"fill-empty", "no-fill-empty", nullptr, &TableChecks::fillEmpty},
    {"strip-quotes", "no-strip-quotes", nullptr, &TableChecks::stripQuotes},
    {"small-font", "no-small-font", nullptr, &TableChecks::smallFont},
    {"center", "no-center", nullptr, &TableChecks::centreAll},
    {"centre", "no-centre", nullptr, &TableChecks::centreAll},
    {"br", "no-br", &Options::convertBreaks, nullptr},
    {"mincho", "no-mincho", &Options::mincho, nullptr},
}};

// The first flag that sets the same check box as flags[i].
int sameFlag(size_t i)
{
    for (size_t j = 0; j < i; ++j) {
        if (flags[j].table == flags[i].table)
            return int(j);
    }
    return int(i);
}

void setFlag(Options &options, size_t i, bool on)
{
    const Flag &flag = flags[i];
    if (flag.plain)
        options.*(flag.plain) = on;
    else
        options.table.*(flag.table) = on;
}

enum class Value { Output, OutputFolder, Title, BackUrl, Background, BackgroundImage, Descriptions };

struct ValueOption {
    const char *longName;
    Value value;
};

constexpr std::array<ValueOption, 7> valueOptions{{
    {"output", Value::Output},
    {"output-dir", Value::OutputFolder},
    {"title", Value::Title},
    {"back-url", Value::BackUrl},
    {"background", Value::Background},
    {"background-image", Value::BackgroundImage},
    {"descriptions", Value::Descriptions},
}};

// getopt_long's return values beyond the short options' characters.
constexpr int ValueBase = 256;
constexpr int FlagBase = 512;
constexpr int NoFlagBase = 768;

Value shortValue(char c)
{
    switch (c) {
    case 'o': return Value::Output;
    case 'O': return Value::OutputFolder;
    case 't': return Value::Title;
    case 'b': return Value::BackUrl;
    default: return Value::Descriptions; // 'd'
    }
}

QString shownOption(const QString &arg, int shortOption)
{
    if (arg.startsWith(QLatin1String("--")))
        return arg.section(u'=', 0, 0);
    return QStringLiteral("-") + QChar(shortOption);
}

Command parseCommand(const QString &word)
{
    if (word == QLatin1String("table"))
        return Command::Table;
    if (word == QLatin1String("csv"))
        return Command::Csv;
    if (word == QLatin1String("links"))
        return Command::Links;
    if (word == QLatin1String("text"))
        return Command::Text;
    if (word == QLatin1String("imode"))
        return Command::Imode;
    return Command::None;
}

// The nine option buttons in the window's order, numbered from 1.
const std::array<const char *, 9> backgroundNames{
    "white", "skyblue", "yellow", "orange", "green", "indigo", "pink", "purple", "image"};

} // namespace

QString commandName(Command command)
{
    switch (command) {
    case Command::Table: return QStringLiteral("table");
    case Command::Csv: return QStringLiteral("csv");
    case Command::Links: return QStringLiteral("links");
    case Command::Text: return QStringLiteral("text");
    case Command::Imode: return QStringLiteral("imode");
    case Command::None: break;
    }
    return QString();
}

bool parseBackground(const QString &text, BackgroundChoice *choice)
{
    const QString word = text.trimmed().toLower();
    // "none" is the first button's caption, "背景色なし": a white page.
    if (word == QLatin1String("none")) {
        *choice = BackgroundChoice::White;
        return true;
    }
    for (size_t i = 0; i < backgroundNames.size(); ++i) {
        if (word == QLatin1String(backgroundNames[i]) || word == QString::number(i + 1)) {
            *choice = backgroundFromOption(int(i) + 1);
            return true;
        }
    }
    return false;
}

QString outputName(Command command, const QString &input)
{
    const QString name = QFileInfo(input).fileName();
    return name.section(u'.', 0, 0) + (command == Command::Csv ? QStringLiteral(".txt") : QStringLiteral(".html"));
}

ParseResult parseArguments(const QStringList &args)
{
    ParseResult result;
    Options &options = result.options;
    bool backgroundGiven = false;
    bool imageGiven = false;
    QString firstError;
    auto error = [&](const QString &text) {
        if (firstError.isEmpty())
            firstError = text;
    };

    // getopt_long works on the C strings of argv; the program's name first.
    std::vector<QByteArray> bytes;
    bytes.reserve(size_t(args.size()) + 1);
    bytes.push_back(QByteArrayLiteral("tabulink-batch"));
    for (const QString &arg : args)
        bytes.push_back(arg.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &arg : bytes)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::vector<option> longOptions;
    for (const ValueOption &o : valueOptions)
        longOptions.push_back({o.longName, required_argument, nullptr, int(o.value) + ValueBase});
    for (size_t i = 0; i < flags.size(); ++i) {
        // "center" and "centre" are one option: a shared prefix is not ambiguous.
        const int id = flags[i].plain ? int(i) : sameFlag(i);
        longOptions.push_back({flags[i].name, no_argument, nullptr, FlagBase + id});
        longOptions.push_back({flags[i].noName, no_argument, nullptr, NoFlagBase + id});
    }
    longOptions.push_back({"help", no_argument, nullptr, 'h'});
    longOptions.push_back({"version", no_argument, nullptr, 'V'});
    longOptions.push_back({nullptr, 0, nullptr, 0});

    // getopt keeps its place in globals: start afresh, and say nothing itself.
    optind = 0;
    opterr = 0;
    const int argc = int(argv.size()) - 1;
    for (;;) {
        const int c = getopt_long(argc, argv.data(), ":hVo:O:t:b:d:", longOptions.data(), nullptr);
        if (c == -1)
            break;
        const QString current = QString::fromUtf8(argv[size_t(std::min(optind, argc + 1) - 1)]);
        if (c == 'h') {
            options.showHelp = true;
        } else if (c == 'V') {
            options.showVersion = true;
        } else if (c == ':') {
            error(BatchMessages::optionNeedsValue(shownOption(current, optopt)));
        } else if (c == '?') {
            if (optopt >= FlagBase)
                error(BatchMessages::optionTakesNoValue(current.section(u'=', 0, 0)));
            else if (optopt == 0)
                error(BatchMessages::unknownLongOption(current.section(u'=', 0, 0)));
            else
                error(BatchMessages::unknownShortOption(QChar(optopt)));
        } else if (c >= NoFlagBase) {
            setFlag(options, size_t(c - NoFlagBase), false);
        } else if (c >= FlagBase) {
            setFlag(options, size_t(c - FlagBase), true);
        } else {
            const QString value = QString::fromUtf8(optarg);
            const Value which = c >= ValueBase ? Value(c - ValueBase) : shortValue(char(c));
            switch (which) {
            case Value::Output: options.output = value; break;
            case Value::OutputFolder: options.outputFolder = value; break;
            case Value::Title: options.page.title = value; break;
            case Value::BackUrl: options.page.backUrl = value; break;
            case Value::Background:
                if (parseBackground(value, &options.page.background))
                    backgroundGiven = true;
                else
                    error(BatchMessages::badBackground(value));
                break;
            case Value::BackgroundImage:
                options.page.backgroundImageUrl = value;
                imageGiven = true;
                break;
            case Value::Descriptions: options.descriptions = value; break;
            }
        }
    }
    QStringList positional;
    for (int i = optind; i < argc; ++i)
        positional.append(QString::fromUtf8(argv[size_t(i)]));

    if (imageGiven && !backgroundGiven)
        options.page.background = BackgroundChoice::ImageFile;

    auto fail = [&](const QString &text) {
        result.ok = false;
        result.message = text;
        return result;
    };
    // --help and --version win over every mistake on the line.
    if (options.showHelp || options.showVersion) {
        result.ok = true;
        return result;
    }
    if (!firstError.isEmpty())
        return fail(firstError);
    if (positional.isEmpty())
        return fail(BatchMessages::noCommand());
    options.command = parseCommand(positional.first());
    if (options.command == Command::None)
        return fail(BatchMessages::unknownCommand(positional.first()));
    if (positional.size() < 2)
        return fail(BatchMessages::commandNeedsInput(positional.first()));
    options.inputs = positional.mid(1);
    const bool toFolder = !options.outputFolder.isNull();
    if (toFolder && options.outputFolder.isEmpty())
        return fail(BatchMessages::emptyOutputFolder());
    if (toFolder && options.output != QLatin1String("-"))
        return fail(BatchMessages::outputAndFolder());
    if (toFolder && options.command == Command::Links)
        return fail(BatchMessages::folderCommands());
    if (!toFolder && options.inputs.size() > 1)
        return fail(BatchMessages::extraArgument(options.inputs.at(1)));
    if (options.output.isEmpty())
        return fail(BatchMessages::emptyOutput());
    if (!options.descriptions.isEmpty() && options.command != Command::Links)
        return fail(BatchMessages::descriptionsOnlyForLinks());
    result.ok = true;
    return result;
}

} // namespace Batch

} // namespace tabulink
