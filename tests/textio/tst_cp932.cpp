#include "support/TestFiles.h"
#include "textio/Cp932.h"
#include "textio/FileReading.h"

#include <QTest>

using namespace tabulink;

class TestCp932 : public QObject
{
    Q_OBJECT
private slots:
    void encodesLikeIconv_data();
    void encodesLikeIconv();
    void unmappableCharacters();
    void decodeRoundTripAndBadBytes();
    void fileContentDetection();
    void lineSplitting();
};

void TestCp932::encodesLikeIconv_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QStringLiteral("<HTML> abc 123");
    QTest::newRow("kana and kanji") << QStringLiteral("ここにタイトルを入れて下さい");
    QTest::newRow("half-width katakana") << QStringLiteral("ｸﾞﾘｯﾄﾞに転送");
    QTest::newRow("windows-only characters") << QStringLiteral("①髙～∥－￢");
    QTest::newRow("ideographic space") << QStringLiteral("　　戻る");
    QTest::newRow("yen and backslash") << QStringLiteral("\\~");
}

void TestCp932::encodesLikeIconv()
{
    QFETCH(QString, text);
    qsizetype replaced = -1;
    QCOMPARE(Cp932::encode(text, Cp932::Unmappable::NumericReference, &replaced), TestFiles::sjis(text));
    QCOMPARE(replaced, 0);
    QCOMPARE(Cp932::decode(TestFiles::sjis(text)), text);
}

void TestCp932::unmappableCharacters()
{
    const QString text = QStringLiteral("a😀b한c");
    qsizetype replaced = 0;
    QCOMPARE(Cp932::encode(text, Cp932::Unmappable::NumericReference, &replaced),
             QByteArray("a&#128512;b&#54620;c"));
    QCOMPARE(replaced, 2);
    QCOMPARE(Cp932::encode(text, Cp932::Unmappable::QuestionMark, &replaced), QByteArray("a?b?c"));
    QCOMPARE(replaced, 2);
    // A lone surrogate cannot be referenced as itself.
    QString lone;
    lone += QChar(0xD800);
    QCOMPARE(Cp932::encode(lone, Cp932::Unmappable::NumericReference), QByteArray("&#65533;"));
    // ¥ and ‾ have the codes of "\" and "~": a page names them; 〜 keeps a
    // code that shows alike.
    const QString price = QStringLiteral("¥1,200‾〜");
    QCOMPARE(Cp932::encode(price, Cp932::Unmappable::NumericReference), QByteArray("&#165;1,200&#8254;\x81\x60"));
    QCOMPARE(Cp932::encode(price, Cp932::Unmappable::QuestionMark), QByteArray("\\1,200~\x81\x60"));
}

void TestCp932::decodeRoundTripAndBadBytes()
{
    // A lone lead byte at the end, a lead byte before a byte that cannot
    // trail, and bytes that are never characters.
    QCOMPARE(Cp932::decode(QByteArray("ab\x82")), QStringLiteral("ab\uFFFD"));
    QCOMPARE(Cp932::decode(QByteArray("\x82\x0a" "x")), QStringLiteral("\uFFFD\nx"));
    QCOMPARE(Cp932::decode(QByteArray("\xA0")).size(), 1);
    QCOMPARE(Cp932::decode(QByteArray("\0a", 2)), QString(QChar(0)) + u'a');
    QCOMPARE(Cp932::decode(QByteArray()), QString());
    const QString all = QStringLiteral("表示ﾃｽﾄ①");
    QCOMPARE(Cp932::decode(Cp932::encode(all, Cp932::Unmappable::QuestionMark)), all);
}

void TestCp932::fileContentDetection()
{
    const QString japanese = QStringLiteral("日本語,テキスト");
    QCOMPARE(Cp932::decodeFileContent(japanese.toUtf8()), japanese);
    QCOMPARE(Cp932::decodeFileContent(QByteArray("\xEF\xBB\xBF") + "abc"), QStringLiteral("abc"));
    QCOMPARE(Cp932::decodeFileContent(TestFiles::sjis(japanese)), japanese);
    QCOMPARE(Cp932::decodeFileContent("plain"), QStringLiteral("plain"));
}

void TestCp932::lineSplitting()
{
    QCOMPARE(FileReading::splitLines(QStringLiteral("a\r\nb\rc\nd")),
             QStringList({"a", "b", "c", "d"}));
    QCOMPARE(FileReading::splitLines(QStringLiteral("a\n\nb\n")), QStringList({"a", "", "b"}));
    QCOMPARE(FileReading::splitLines(QString()), QStringList());
    QCOMPARE(FileReading::toCrLf(QStringLiteral("a\nb\rc\r\nd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
}

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
