#include "page/PageOptions.h"
#include "support/BrowserProbe.h"
#include "textio/LineSink.h"
#include "textio/SafeSave.h"
#include "textpage/TextPageWriter.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Text worth a browser's look: kanji, kana, half-width katakana, characters
// only code page 932 has, and characters it lacks.
const QString kSample = QStringLiteral("日本語のテキスト ｶﾀｶﾅ ①髙～ 😀한");

bool writeText(const QString &path, const PageOptions &o, const TextPageInput &in)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!TextPageWriter::write(&buffer, o, in))
        return false;
    QString error;
    return SafeSave::writeBytes(path, bytes, &error);
}
} // namespace

class TestBrowserPages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void textPage();

private:
    QTemporaryDir m_dir;
};

void TestBrowserPages::initTestCase()
{
    if (BrowserProbe::chromiumPath().isEmpty())
        QSKIP("chromium is not installed (scripts/test.sh installs it)");
}

void TestBrowserPages::textPage()
{
    PageOptions o;
    o.title = QStringLiteral("題名 ｸﾞﾘｯﾄﾞ ①😀");
    o.backUrl = QStringLiteral("http://example.jp/top.html");
    TextPageInput in;
    in.text = kSample + QStringLiteral("\r\n二行目");
    const QString path = m_dir.filePath(QStringLiteral("テキスト 頁.html"));
    QVERIFY(writeText(path, o, in));

    QString error;
    const QList<BrowserProbe::Page> pages = BrowserProbe::load({path}, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const BrowserProbe::Page &p = pages.first();
    QVERIFY(p.loaded);
    QCOMPARE(p.characterSet, QStringLiteral("Shift_JIS"));
    QCOMPARE(p.title, o.title);
    QVERIFY2(p.text.contains(kSample), qPrintable(p.text));
    QVERIFY(p.text.contains(QStringLiteral("二行目")));
    QVERIFY(p.links.contains(QStringLiteral("http://example.jp/top.html")));
}

QTEST_GUILESS_MAIN(TestBrowserPages)
#include "tst_browserpages.moc"
