// The text layer: code page 932 both ways and the reading of a user's text
// files (bytes written out by hand, with the codes NEC and IBM added and the
// characters it lacks), and the save every page and CSV file goes through,
// onto what a user's folder holds. Faults of the disk and the system are in
// tests/faults.

#include "support/TestFiles.h"
#include "textio/Cp932.h"
#include "textio/FileReading.h"
#include "textio/SafeSave.h"

#include <QProcess>

#include <iconv.h>
#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

class TestTextIo : public QObject
{
    Q_OBJECT
private slots:
    void encode_data();
    void encode();
    void encodesAsTheSystemConverter();
    void readText_data();
    void readText();
    void ontoWhatTheFolderHolds_data();
    void ontoWhatTheFolderHolds();
};

void TestTextIo::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("references"); // unmappable as &#N; or as ?
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("replaced"); // -1: none, but no way back
    QTest::newRow("ascii, kana, kanji, half-width katakana") << QStringLiteral("<HTML> ここにタイトルｸﾞﾘｯﾄﾞ") << true
        << QByteArray("<HTML> \x82\xb1\x82\xb1\x82\xc9\x83\x5e\x83\x43\x83\x67\x83\x8b\xb8\xde\xd8\xaf\xc4\xde") << 0;
    QTest::newRow("windows-only characters") << QStringLiteral("①髙～∥－￢") << true
                                             << QByteArray("\x87\x40\xfb\xfc\x81\x60\x81\x61\x81\x7c\x81\xca") << 0;
    // ∵ and Ⅰ have NEC codes too, 纊 and ⅰ NEC's copies of IBM codes: the IBM ones win.
    QTest::newRow("NEC and IBM codes") << QStringLiteral("∵纊ⅰⅠ") << false << QByteArray("\x81\xe6\xfa\x5c\xfa\x40\x87\x54") << 0;
    QTest::newRow("ideographic space, backslash, tilde") << QStringLiteral("　\\~") << true << QByteArray("\x81\x40\x5c\x7e") << 0;
    QTest::newRow("unmappable as references") << QStringLiteral("a😀b한c") << true << QByteArray("a&#128512;b&#54620;c") << 2;
    QTest::newRow("unmappable as ?") << QStringLiteral("a😀b한c") << false << QByteArray("a?b?c") << 2;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << true << QByteArray("&#65533;") << 1;
    // ¥ and ‾ have the codes of "\" and "~": a page names them, a CSV file
    // takes the look-alikes, neither counted as lost; 〜 keeps a code that shows alike.
    QTest::newRow("look-alikes as references") << QStringLiteral("¥1,200‾〜") << true
                                               << QByteArray("&#165;1,200&#8254;\x81\x60") << -1;
    QTest::newRow("look-alikes as ?") << QStringLiteral("¥1,200‾〜") << false << QByteArray("\\1,200~\x81\x60") << -1;
}

void TestTextIo::encode()
{
    QFETCH(QString, text);
    QFETCH(bool, references);
    QFETCH(QByteArray, bytes);
    QFETCH(int, replaced);
    qsizetype count = -1;
    QCOMPARE(Cp932::encode(text, references ? Cp932::Unmappable::NumericReference : Cp932::Unmappable::QuestionMark,
                           &count), bytes);
    QCOMPARE(count, qsizetype(qMax(replaced, 0)));
    if (replaced == 0) // and back
        QCOMPARE(Cp932::decode(bytes), text);
}

// Every character of the Basic Multilingual Plane is written as glibc's
// converter writes it, or as "?" where it has no code.
void TestTextIo::encodesAsTheSystemConverter()
{
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    QVERIFY(cd != reinterpret_cast<iconv_t>(-1));
    int differences = 0;
    for (uint u = 1; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        char in[2] = {char(u & 0xFF), char(u >> 8)}, out[8];
        char *ip = in, *op = out;
        size_t il = 2, ol = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool converted = iconv(cd, &ip, &il, &op, &ol) != size_t(-1);
        const QByteArray expected = converted ? QByteArray(out, op - out) : QByteArray("?");
        const QByteArray written = Cp932::encode(QString(QChar(u)), Cp932::Unmappable::QuestionMark);
        if (written != expected && differences++ < 5)
            qWarning("U+%04X: %s, not %s", u, written.toHex().constData(), expected.toHex().constData());
    }
    iconv_close(cd);
    QCOMPARE(differences, 0);
}

void TestTextIo::readText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("NEC and IBM codes") << QByteArray("\x87\x9a\xed\x40\xee\xef\xfa\x40\x87\x54") << QStringLiteral("∵纊ⅰⅰⅠ");
    // A lead byte before a byte that cannot trail, and one at the end.
    QTest::newRow("broken shift_jis") << QByteArray("\x82\x0a" "x\x82") << QStringLiteral("\uFFFD\nx\uFFFD");
    // Valid two-byte UTF-8, but Shift_JIS half-width katakana.
    QTest::newRow("short shift_jis katakana") << QByteArray("\xC3\xBD,\xD2\xB0\xD9\xB1") << QStringLiteral("ﾃｽ,ﾒｰﾙｱ");
    QTest::newRow("utf-8 mark, two-byte sequences only") << QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9") << QStringLiteral("café");
    QTest::newRow("utf-16 little endian") << QByteArray("\xFF\xFE\x68\x88\t\0a\0\r\0\n\0", 12) << QStringLiteral("表\ta\r\n");
    QTest::newRow("utf-16 big endian") << QByteArray("\xFE\xFF\x88\x68\0\t\0a", 8) << QStringLiteral("表\ta");
    QTest::newRow("utf-16 surrogate pair") << QByteArray("\xFF\xFE\x3D\xD8\x00\xDE", 6) << QStringLiteral("😀");
    // A high surrogate without its partner, then an odd byte at the end.
    QTest::newRow("utf-16 broken") << QByteArray("\xFF\xFE\x00\xD8" "A\0" "B", 7) << QStringLiteral("\uFFFDA\uFFFD");
}

void TestTextIo::readText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(TestFiles::writeAll(dir.filePath(QStringLiteral("a.csv")), bytes));
    const FileReading::Result r = FileReading::readText(dir.filePath(QStringLiteral("a.csv")));
    QVERIFY2(r.ok, qPrintable(r.message));
    QCOMPARE(r.text, text);
}

// "new" saved onto target after the shell's setup: whether it worked, what
// the folder holds afterwards (type and name: no temporary file is left,
// links and FIFOs stay what they were) and what the target reads.
void TestTextIo::ontoWhatTheFolderHolds_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("error"); // part of the message, empty for success
    QTest::addColumn<QString>("listing");
    QTest::newRow("a longer file") << "head -c 10000 /dev/zero > a.html" << "a.html" << "" << "f a.html";
    // public/index.html -> ../pages/a.html -> b.html: written in the file at the end.
    QTest::newRow("through two links")
        << "mkdir pages public; echo old > pages/b.html; ln -s b.html pages/a.html; ln -s ../pages/a.html public/index.html"
        << "public/index.html" << "" << "d pages|l pages/a.html|f pages/b.html|d public|l public/index.html";
    QTest::newRow("a folder") << "mkdir a.html" << "a.html" << QStringLiteral("同じ名前のフォルダがあります") << "d a.html";
    QTest::newRow("a missing folder") << "" << "gone/a.html" << "gone" << "";
    QTest::newRow("a FIFO") << "mkfifo a.html" << "a.html" << QStringLiteral("通常のファイルではない") << "p a.html";
}

void TestTextIo::ontoWhatTheFolderHolds()
{
    QFETCH(QString, setup);
    QFETCH(QString, target);
    QFETCH(QString, error);
    QFETCH(QString, listing);
    QTemporaryDir dir;
    QProcess sh;
    sh.setWorkingDirectory(dir.path());
    sh.start(QStringLiteral("sh"), {"-c", setup});
    QVERIFY(sh.waitForFinished() && sh.exitCode() == 0);
    const Outcome saved = SafeSave::writeBytes(dir.filePath(target), "new");
    QCOMPARE(saved.ok, error.isEmpty());
    QVERIFY2(saved.message.contains(error), qPrintable(saved.message));
    sh.start(QStringLiteral("sh"), {"-c", "find . -mindepth 1 -printf '%y %P\\n' | sort -k2 | paste -sd '|'"});
    QVERIFY(sh.waitForFinished());
    QCOMPARE(QString::fromUtf8(sh.readAllStandardOutput()).trimmed(), listing);
    if (error.isEmpty())
        QCOMPARE(TestFiles::readAll(dir.filePath(target)), QByteArray("new"));
}

QTEST_GUILESS_MAIN(TestTextIo)
#include "tst_textio.moc"
