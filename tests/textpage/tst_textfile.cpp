#include "support/TestFiles.h"
#include "textio/Cp932.h"
#include "textpage/BlockByteCounts.h"
#include "textpage/TextFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

class TestTextFile : public QObject
{
    Q_OBJECT

private:
    static QByteArray written(const QString &text, qsizetype *replaced = nullptr)
    {
        return TestFiles::render([&](QIODevice *d) { return TextFile::write(d, text, replaced); });
    }

private slots:
    void byteCounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("bytes");
        QTest::newRow("hiragana") << QStringLiteral("あいう") << qsizetype(6);
        QTest::newRow("ascii") << QStringLiteral("abc") << qsizetype(3);
        QTest::newRow("half-width katakana") << QStringLiteral("ｱｲｳ") << qsizetype(3);
        QTest::newRow("two lines") << QStringLiteral("a\r\nb") << qsizetype(4);
        QTest::newRow("empty") << QString() << qsizetype(0);
        QTest::newRow("windows characters") << QStringLiteral("①～髙") << qsizetype(6);
        QTest::newRow("outside cp932") << QStringLiteral("a\u00e9\u4e02") << qsizetype(3);
        QTest::newRow("outside the BMP, one \"?\"") << QStringLiteral("😀") << qsizetype(1);
    }
    void byteCounts()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, bytes);
        QCOMPARE(Cp932::byteCount(text), bytes);
        // Paragraph by paragraph, with CR LF between them, gives the same.
        BlockByteCounts counts;
        std::vector<qsizetype> perParagraph;
        for (const QString &p : text.split(QStringLiteral("\r\n")))
            perParagraph.push_back(BlockByteCounts::paragraphBytes(p));
        counts.reset(perParagraph);
        QCOMPARE(counts.total(), bytes);
    }

    void paragraphsHoldingSpecialCharacters()
    {
        // A line separator (Shift+Enter) is a line break in the editor's
        // plain text, so CR LF on the page; a no-break space is a blank.
        QCOMPARE(BlockByteCounts::paragraphBytes(u"a\u2028b"), qsizetype(4));
        QCOMPARE(BlockByteCounts::paragraphBytes(u"a\u00a0b"), qsizetype(3));
    }

    void countsFromRawText()
    {
        using V = std::vector<qsizetype>;
        QCOMPARE(BlockByteCounts::paragraphCounts(u""), V{0});
        QCOMPARE(BlockByteCounts::paragraphCounts(u"\u2029"), (V{0, 0}));
        QCOMPARE(BlockByteCounts::paragraphCounts(u"あa\u2029\u2029b\u2028c"), (V{3, 0, 4}));
    }

    void replaceKeepsTheTotalOfAFullCount()
    {
        // A model of the editor's paragraphs edited at random; the kept total
        // must always equal a count over the whole joined text.
        const QStringList pieces = {"", "a", "あい", "ｱ", "x\u00e9", "漢字かな", "①"};
        QRandomGenerator rng(42);
        QStringList paragraphs = {QString()};
        BlockByteCounts counts;
        for (int step = 0; step < 2000; ++step) {
            const qsizetype n = paragraphs.size();
            const qsizetype first = rng.bounded(int(n));
            qsizetype removed = rng.bounded(int(qMin<qsizetype>(n - first, 4)) + 1);
            qsizetype added = rng.bounded(4);
            if (n - removed + added < 1)
                added = 1;
            std::vector<qsizetype> addedCounts;
            QStringList addedParagraphs;
            for (qsizetype i = 0; i < added; ++i) {
                const QString p = pieces.at(rng.bounded(int(pieces.size()))) + pieces.at(rng.bounded(int(pieces.size())));
                addedParagraphs << p;
                addedCounts.push_back(BlockByteCounts::paragraphBytes(p));
            }
            QVERIFY(counts.replace(first, removed, addedCounts));
            paragraphs.remove(first, removed);
            for (qsizetype i = 0; i < added; ++i)
                paragraphs.insert(first + i, addedParagraphs.at(i));
            QCOMPARE(counts.paragraphCount(), paragraphs.size());
            QCOMPARE(counts.total(), Cp932::byteCount(paragraphs.join(QStringLiteral("\r\n"))));
        }
    }

    void replaceRejectsRangesThatDoNotFit()
    {
        BlockByteCounts counts;
        counts.reset({1, 2, 3});
        QVERIFY(!counts.replace(2, 2, {5}));
        QVERIFY(!counts.replace(-1, 1, {5}));
        QVERIFY(!counts.replace(0, 3, {}));
        QCOMPARE(counts.total(), qsizetype(6 + 4));
    }

    void unmappableBecomeQuestionMarks()
    {
        qsizetype replaced = -1;
        QCOMPARE(written(QStringLiteral("a😀b\u00e9"), &replaced), QByteArray("a?b?"));
        QCOMPARE(replaced, qsizetype(2));
    }

    void readsEveryLineEndAsCrLf_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QByteArray sjis = TestFiles::sjis(QStringLiteral("日本語"));
        QTest::newRow("shift_jis crlf") << sjis + "\r\nb\r\n" << QStringLiteral("日本語\r\nb\r\n");
        QTest::newRow("lf only") << sjis + "\nb" << QStringLiteral("日本語\r\nb");
        QTest::newRow("lone cr") << QByteArray("a\rb\r") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("utf-8") << QStringLiteral("日本語\nb").toUtf8() << QStringLiteral("日本語\r\nb");
        QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF") + "ab" << QStringLiteral("ab");
        QTest::newRow("bad bytes") << QByteArray("a\x81") << QStringLiteral("a\ufffd");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void readsEveryLineEndAsCrLf()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath("t.txt");
        QVERIFY(TestFiles::writeAll(path, bytes));
        const FileReading::Result r = TextFile::read(path);
        QVERIFY(r.ok);
        QCOMPARE(r.text, text);
    }

    void shiftJisRoundTrip()
    {
        const QByteArray original = TestFiles::crlfSjis({"第一行　です", "ｶﾀｶﾅ and ASCII", "①髙～"});
        QTemporaryDir dir;
        QVERIFY(TestFiles::writeAll(dir.filePath("a.txt"), original));
        const FileReading::Result r = TextFile::read(dir.filePath("a.txt"));
        QVERIFY(r.ok);
        qsizetype replaced = -1;
        QCOMPARE(written(r.text, &replaced), original);
        QCOMPARE(replaced, qsizetype(0));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
