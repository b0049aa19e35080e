#include "batch/LocaleText.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstring>

#include <iconv.h>
#include <langinfo.h>

namespace tabulink {

namespace LocaleText {

namespace {

bool isUtf8(const QByteArray &set)
{
    return set == "UTF-8";
}

// Converts bytes from one set to another; with question set, an input
// character the target lacks becomes "?" instead of failing.
bool convert(const QByteArray &from, const QByteArray &to, const QByteArray &bytes, bool question, QByteArray *out)
{
    iconv_t cd = ::iconv_open(to.constData(), from.constData());
    if (cd == iconv_t(-1))
        return false;
    out->clear();
    QByteArray buffer(qMax<qsizetype>(64, bytes.size() * 4), Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    bool ok = true;
    while (inLeft > 0) {
        char *dst = buffer.data();
        size_t dstLeft = size_t(buffer.size());
        const size_t n = ::iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out->append(buffer.constData(), buffer.size() - qsizetype(dstLeft));
        if (n != size_t(-1))
            break;
        if (errno == E2BIG)
            continue;
        if (errno == EILSEQ && question) {
            // Skip one UTF-8 character of the input.
            size_t skip = 1;
            while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                ++skip;
            in += skip;
            inLeft -= skip;
            out->append('?');
            continue;
        }
        ok = false; // invalid or incomplete sequence
        break;
    }
    ::iconv_close(cd);
    return ok;
}

} // namespace

QByteArray codeset()
{
    const QByteArray set(::nl_langinfo(CODESET));
    // glibc's name for plain ASCII, the set of the C and POSIX locales.
    if (set.isEmpty() || set == "ANSI_X3.4-1968" || set == "ASCII" || set == "US-ASCII")
        return QByteArrayLiteral("UTF-8");
    return set;
}

bool decode(const QByteArray &bytes, QString *text)
{
    const QByteArray set = codeset();
    QByteArray utf8 = bytes;
    if (!isUtf8(set) && !convert(set, "UTF-8", bytes, false, &utf8))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = decoder.decode(utf8);
    return !decoder.hasError();
}

QByteArray encode(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const QByteArray set = codeset();
    QByteArray out;
    if (isUtf8(set) || !convert("UTF-8", set, utf8, true, &out))
        return utf8;
    return out;
}

QString systemReason(int error)
{
    char buffer[256];
    // GNU strerror_r: the text may be in buffer or a static string.
    const char *text = ::strerror_r(error, buffer, sizeof buffer);
    QString reason;
    if (!decode(QByteArray(text), &reason))
        reason = QString::fromLatin1(text);
    return reason;
}

} // namespace LocaleText

} // namespace tabulink
