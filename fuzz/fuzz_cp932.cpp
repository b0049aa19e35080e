// Decoding never fails, and what was decoded encodes back to the same text;
// recoding is decoding and encoding for a page in one step, and bytes taken
// for code page 932 without decoding them are read as code page 932.
#include "textio/Cp932.h"
#include "textio/FileReading.h"

#include <cstdlib>

using namespace tabulink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = Cp932::decode(bytes);
    if (text.size() > bytes.size())
        abort();

    qsizetype replaced = 0;
    const QByteArray again = Cp932::encode(text, Cp932::Unmappable::QuestionMark, &replaced);
    if (!text.contains(QChar(0xFFFD))) {
        if (replaced != 0 || Cp932::decode(again) != text)
            abort();
    }
    // The byte count is the length of the encoded text (no surrogates here).
    if (Cp932::byteCount(text) != again.size())
        abort();
    const QByteArray pageBytes = Cp932::encode(text, Cp932::Unmappable::NumericReference);
    if (pageBytes.size() < again.size())
        abort();
    qsizetype pageReplaced = 0;
    Cp932::encode(text, Cp932::Unmappable::NumericReference, &pageReplaced);
    QByteArray recoded("x");
    if (Cp932::recodeAppend(bytes, recoded) != pageReplaced || recoded != "x" + pageBytes)
        abort();

    const QString detected = Cp932::decodeFileContent(bytes);
    if (Cp932::surelyCp932(bytes) && detected != text)
        abort();
    // Whatever the encoding found, the text holds no surrogate without its partner.
    for (qsizetype i = 0; i < detected.size(); ++i) {
        const QChar c = detected.at(i);
        if (c.isHighSurrogate() && i + 1 < detected.size() && detected.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            abort();
    }
    const QString crlf = FileReading::toCrLf(detected);
    if (FileReading::splitLines(crlf) != FileReading::splitLines(detected))
        abort();
    // Any UTF-16 the fuzzer makes up, surrogates included, encodes without harm.
    const QString raw(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    Cp932::encode(raw, Cp932::Unmappable::NumericReference);
    // The byte count is what a text file of that text holds.
    if (Cp932::byteCount(raw) != Cp932::encode(raw, Cp932::Unmappable::QuestionMark).size())
        abort();
    return 0;
}
