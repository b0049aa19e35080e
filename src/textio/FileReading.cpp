#include "textio/FileReading.h"

#include "browse/NativePath.h"
#include "textio/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileReading {

Result readText(const QString &path)
{
    Result r;
    const QString shown = QDir::toNativeSeparators(path);
    // A name that is not UTF-8 is shown decoded: open it by its own bytes.
    const QByteArray native = NativePath::encode(path);
    struct stat info;
    if (::stat(native.constData(), &info) != 0) {
        r.errorText = QStringLiteral("ファイルが見つかりません。\n%1").arg(shown);
        return r;
    }
    if (!S_ISREG(info.st_mode)) {
        r.errorText = QStringLiteral("通常のファイルではないため読み込めません。\n%1").arg(shown);
        return r;
    }
    // Open without blocking and check the opened object itself: the name may
    // have been replaced by a FIFO between the check above and this call.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        r.errorText = QStringLiteral("ファイルを開けませんでした。\n%1\n%2")
                          .arg(shown, QString::fromLocal8Bit(strerror(errno)));
        return r;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        r.errorText = QStringLiteral("通常のファイルではないため読み込めません。\n%1").arg(shown);
        return r;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        r.errorText = QStringLiteral("ファイルを開けませんでした。\n%1\n%2").arg(shown, file.errorString());
        return r;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        r.errorText = QStringLiteral("ファイルを読み込めませんでした。\n%1\n%2").arg(shown, file.errorString());
        return r;
    }
    r.text = Cp932::decodeFileContent(bytes);
    r.ok = true;
    return r;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString toCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out += u"\r\n";
            if (i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace FileReading
