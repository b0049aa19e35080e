#include "support/TestFiles.h"

#include <QFile>

#include <iconv.h>

#include <vector>

namespace TestFiles {

QByteArray sjis(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::vector<char> out(utf8.size() * 2 + 16);
    char *in = const_cast<char *>(utf8.constData());
    size_t inLeft = utf8.size();
    char *op = out.data();
    size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &op, &outLeft);
    iconv_close(cd);
    return QByteArray(out.data(), op - out.data());
}

QByteArray crlfSjis(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += sjis(line);
        bytes += "\r\n";
    }
    return bytes;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

} // namespace TestFiles
