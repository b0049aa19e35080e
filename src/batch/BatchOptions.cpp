#include "batch/BatchOptions.h"

#include <array>

namespace Batch {

namespace {

struct Flag {
    const char *name; // the long name; "--no-<name>" turns it off
    bool Options::*plain;
    bool TableChecks::*table;
};

constexpr std::array<Flag, 10> flags{{
    {"bold-top", nullptr, &TableChecks::boldTopRow},
    {"bold-left", nullptr, &TableChecks::boldLeftColumn},
    {"border", nullptr, &TableChecks::border},
    {"fill-empty", nullptr, &TableChecks::fillEmpty},
    {"strip-quotes", nullptr, &TableChecks::stripQuotes},
    {"small-font", nullptr, &TableChecks::smallFont},
    {"center", nullptr, &TableChecks::centreAll},
    {"centre", nullptr, &TableChecks::centreAll},
    {"br", &Options::convertBreaks, nullptr},
    {"mincho", &Options::mincho, nullptr},
}};

bool setFlag(Options &options, const QString &name)
{
    const bool off = name.startsWith(QLatin1String("no-"));
    const QString bare = off ? name.mid(3) : name;
    for (const Flag &flag : flags) {
        if (bare != QLatin1String(flag.name))
            continue;
        if (flag.plain)
            options.*(flag.plain) = !off;
        else
            options.table.*(flag.table) = !off;
        return true;
    }
    return false;
}

enum class Value { Output, Title, BackUrl, Background, BackgroundImage, Descriptions };

struct ValueOption {
    const char *longName;
    char shortName; // 0 when there is none
    Value value;
};

constexpr std::array<ValueOption, 6> valueOptions{{
    {"output", 'o', Value::Output},
    {"title", 't', Value::Title},
    {"back-url", 'b', Value::BackUrl},
    {"background", 0, Value::Background},
    {"background-image", 0, Value::BackgroundImage},
    {"descriptions", 'd', Value::Descriptions},
}};

const ValueOption *findLong(const QString &name)
{
    for (const ValueOption &option : valueOptions) {
        if (name == QLatin1String(option.longName))
            return &option;
    }
    return nullptr;
}

const ValueOption *findShort(QChar c)
{
    for (const ValueOption &option : valueOptions) {
        if (option.shortName && c == QLatin1Char(option.shortName))
            return &option;
    }
    return nullptr;
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

const std::array<const char *, 10> backgroundNames{
    "none", "white", "skyblue", "yellow", "orange", "green", "indigo", "pink", "purple", "image"};

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
    for (size_t i = 0; i < backgroundNames.size(); ++i) {
        // Option buttons are numbered as in the window: 1 "背景色なし" … 9 "ﾌｧｲﾙ指定"; 0 is none.
        if (word == QLatin1String(backgroundNames[i]) || word == QString::number(i)) {
            *choice = i == 0 ? BackgroundChoice::None : backgroundFromOption(int(i));
            return true;
        }
    }
    return false;
}

ParseResult parseArguments(const QStringList &args)
{
    ParseResult result;
    Options &options = result.options;
    QStringList positional;
    bool backgroundGiven = false;
    bool imageGiven = false;

    auto fail = [&](const QString &text) {
        result.ok = false;
        result.error = text;
        return result;
    };

    auto apply = [&](Value value, const QString &text, const QString &shownName) -> bool {
        switch (value) {
        case Value::Output: options.output = text; break;
        case Value::Title: options.page.title = text; break;
        case Value::BackUrl: options.page.backUrl = text; break;
        case Value::Background:
            if (!parseBackground(text, &options.page.background)) {
                result.error = QStringLiteral("%1 の値「%2」が正しくありません（none, white, skyblue, yellow, "
                                              "orange, green, indigo, pink, purple, image または 0〜9）")
                                   .arg(shownName, text);
                return false;
            }
            backgroundGiven = true;
            break;
        case Value::BackgroundImage:
            options.page.backgroundImageUrl = text;
            imageGiven = true;
            break;
        case Value::Descriptions: options.descriptions = text; break;
        }
        return true;
    };

    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || arg == QLatin1String("-") || !arg.startsWith(u'-')) {
            positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg.startsWith(QLatin1String("--"))) {
            const qsizetype eq = arg.indexOf(u'=');
            const QString name = arg.mid(2, eq < 0 ? -1 : eq - 2);
            const QString shown = QStringLiteral("--") + name;
            if (name == QLatin1String("help") || name == QLatin1String("version")) {
                if (eq >= 0)
                    return fail(QStringLiteral("オプション %1 には値を付けられません").arg(shown));
                (name == QLatin1String("help") ? options.showHelp : options.showVersion) = true;
                continue;
            }
            if (const ValueOption *option = findLong(name)) {
                QString value;
                if (eq >= 0) {
                    value = arg.mid(eq + 1);
                } else if (i + 1 < args.size()) {
                    value = args.at(++i);
                } else {
                    return fail(QStringLiteral("オプション %1 には値が必要です").arg(shown));
                }
                if (!apply(option->value, value, shown))
                    return fail(result.error);
                continue;
            }
            if (eq < 0 && setFlag(options, name))
                continue;
            Options scratch;
            if (eq >= 0 && setFlag(scratch, name))
                return fail(QStringLiteral("オプション %1 には値を付けられません").arg(shown));
            return fail(QStringLiteral("不明なオプションです: %1").arg(shown));
        }
        // Short options: -h, -V, and -o/-t/-b/-d with the value attached or next.
        const QChar c = arg.at(1);
        const QString shown = QStringLiteral("-") + c;
        if ((c == u'h' || c == u'V') && arg.size() == 2) {
            (c == u'h' ? options.showHelp : options.showVersion) = true;
            continue;
        }
        const ValueOption *option = findShort(c);
        if (!option)
            return fail(QStringLiteral("不明なオプションです: %1").arg(arg));
        QString value;
        if (arg.size() > 2)
            value = arg.mid(2);
        else if (i + 1 < args.size())
            value = args.at(++i);
        else
            return fail(QStringLiteral("オプション %1 には値が必要です").arg(shown));
        if (!apply(option->value, value, shown))
            return fail(result.error);
    }

    if (imageGiven && !backgroundGiven)
        options.page.background = BackgroundChoice::ImageFile;

    if (options.showHelp || options.showVersion) {
        result.ok = true;
        return result;
    }
    if (positional.isEmpty())
        return fail(QStringLiteral("コマンドがありません（table, csv, links, text, imode のどれか）"));
    options.command = parseCommand(positional.first());
    if (options.command == Command::None)
        return fail(QStringLiteral("不明なコマンドです: %1").arg(positional.first()));
    if (positional.size() < 2)
        return fail(QStringLiteral("%1 コマンドには入力が必要です").arg(positional.first()));
    if (positional.size() > 2)
        return fail(QStringLiteral("余分な引数があります: %1").arg(positional.at(2)));
    options.input = positional.at(1);
    if (options.output.isEmpty())
        return fail(QStringLiteral("出力先が空です"));
    if (!options.descriptions.isEmpty() && options.command != Command::Links)
        return fail(QStringLiteral("--descriptions は links コマンドでだけ使えます"));
    result.ok = true;
    return result;
}

} // namespace Batch
