#include "support/TestFiles.h"
#include "textio/FileReading.h"
#include "textpage/TextFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

class TestFileReading : public QObject
{
    Q_OBJECT
private slots:
    void detectsTheEncoding_data();
    void detectsTheEncoding();
    void filesWithoutSizeEnd_data();
    void filesWithoutSizeEnd();
};

void TestFileReading::detectsTheEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    // Valid two-byte UTF-8, but Shift_JIS half-width katakana.
    QTest::newRow("short shift_jis katakana")
        << QByteArray("\xC3\xBD,\xD2\xB0\xD9\xB1") << QStringLiteral("ﾃｽ,ﾒｰﾙｱ");
    QTest::newRow("utf-8 japanese")
        << QByteArray("\xE6\x97\xA5\xE6\x9C\xAC,\xEF\xBD\xB1") << QStringLiteral("日本,ｱ");
    QTest::newRow("utf-8 mark, two-byte sequences only")
        << QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9") << QStringLiteral("café");
    QTest::newRow("utf-16 little endian")
        << QByteArray("\xFF\xFE\x68\x88\t\0a\0\r\0\n\0", 12) << QStringLiteral("表\ta\r\n");
    QTest::newRow("utf-16 big endian")
        << QByteArray("\xFE\xFF\x88\x68\0\t\0a", 8) << QStringLiteral("表\ta");
    QTest::newRow("utf-16 surrogate pair")
        << QByteArray("\xFF\xFE\x3D\xD8\x00\xDE", 6) << QStringLiteral("😀");
    // A high surrogate without its partner, then an odd byte at the end.
    QTest::newRow("utf-16 broken")
        << QByteArray("\xFF\xFE\x00\xD8" "A\0" "B", 7) << QStringLiteral("\uFFFDA\uFFFD");
}

void TestFileReading::detectsTheEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.csv"));
    QVERIFY(TestFiles::writeAll(path, bytes));
    const FileReading::Result r = FileReading::readText(path);
    QVERIFY2(r.ok, qPrintable(r.message));
    QCOMPARE(r.text, text);
}

void TestFileReading::filesWithoutSizeEnd_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("ok");
    // /proc reports size 0 for both; pagemap runs on for the whole address
    // space, far past the editor's limit.
    QTest::newRow("short") << QStringLiteral("/proc/version") << true;
    QTest::newRow("endless") << QStringLiteral("/proc/self/pagemap") << false;
}

void TestFileReading::filesWithoutSizeEnd()
{
    QFETCH(QString, path);
    QFETCH(bool, ok);
    const FileReading::Result r = TextFile::read(path);
    QCOMPARE(r.ok, ok);
    if (ok)
        QVERIFY2(r.text.startsWith(QStringLiteral("Linux version ")), qPrintable(r.text));
    else
        QCOMPARE(r.message, QStringLiteral("ファイルが大きすぎるため読み込めません（上限 16 MB）。\n/proc/self/pagemap"));
}

QTEST_GUILESS_MAIN(TestFileReading)
#include "tst_filereading.moc"
