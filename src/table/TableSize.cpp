#include "table/TableSize.h"

#include "table/TableMessages.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace tabulink {

namespace TableSize {

namespace {
constexpr double kCap = 1e15;

qint64 capped(double value)
{
    if (!(value > 0)) // also NaN
        return 0;
    return value >= kCap ? qint64(kCap) : qint64(value);
}
} // namespace

bool fits(qint64 rows, qint64 columns)
{
    rows = std::max<qint64>(rows, 0);
    columns = std::max<qint64>(columns, 0);
    if (rows > MaxRows || columns > MaxColumns)
        return false;
    return rows * columns <= MaxCells;
}

QString tooLargeText(qint64 rows, qint64 columns)
{
    return TableMessages::tooLarge(rows, columns);
}

Commit parseCommit(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    Commit commit;
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        return commit;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || std::isnan(value)) {
        // Out of the range of a double: a number all the same, far too large.
        if (trimmed.startsWith(u'-'))
            commit.kind = Kind::Negative;
        else {
            commit.kind = Kind::Number;
            commit.number = kCap;
            commit.rounded = qint64(kCap);
        }
        return commit;
    }
    if (value < 0) {
        commit.kind = Kind::Negative;
        commit.number = value;
        return commit;
    }
    commit.kind = Kind::Number;
    commit.number = value;
    // nearbyint in the default rounding mode sends halves to the even neighbour.
    commit.rounded = capped(std::nearbyint(std::min(value, kCap)));
    return commit;
}

qint64 leadingCount(const QString &text)
{
    static const QRegularExpression leading(
        QStringLiteral("^[ \\t]*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)"));
    const QRegularExpressionMatch m = leading.match(text);
    if (!m.hasMatch())
        return 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(m.captured(1), &ok);
    if (!ok)
        return m.captured(1).startsWith(u'-') ? 0 : qint64(kCap);
    return capped(std::floor(value));
}

qint64 wholePart(double number)
{
    return capped(std::floor(number));
}

} // namespace TableSize

} // namespace tabulink
