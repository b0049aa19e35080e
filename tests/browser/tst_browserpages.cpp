#include "browse/FolderListing.h"
#include "linkpage/LinkPageWriter.h"
#include "page/PageOptions.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "textpage/ImodePageWriter.h"
#include "support/BrowserProbe.h"
#include "support/TestFiles.h"
#include "textio/LineSink.h"
#include "textio/SafeSave.h"
#include "textpage/TextPageWriter.h"

#include <QBuffer>
#include <QDir>
#include <QUrl>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tabulink;

namespace {
// Text worth a browser's look: kanji, kana, half-width katakana, characters
// only code page 932 has, and characters it lacks.
const QString kSample = QStringLiteral("日本語のテキスト ｶﾀｶﾅ ①髙～ 😀한");

template <typename Writer>
bool writePage(const QString &path, Writer writer)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writer(&buffer))
        return false;
    return SafeSave::writeBytes(path, bytes).ok;
}

bool writeText(const QString &path, const PageOptions &o, const TextPageInput &in)
{
    return writePage(path, [&](QIODevice *d) { return TextPageWriter::write(d, o, in); });
}

// File names a user's folder really holds: blanks, markup and URL syntax
// characters, Japanese, characters only code page 932 has.
const QStringList kAwkwardNames = {
    QStringLiteral("my memo.txt"), QStringLiteral("a&b.png"), QStringLiteral("#1.jpg"),
    QStringLiteral("50%.txt"), QStringLiteral("q?.txt"), QStringLiteral("x\"><b>.txt"),
    QStringLiteral("it's.txt"), QStringLiteral("夏の写真 ①.jpg"), QStringLiteral("ｶﾀｶﾅ.txt"),
    QStringLiteral("髙橋～.csv"), QStringLiteral("a,b.txt"),
    // Codes that read back as other characters.
    QStringLiteral("¥1200 ‾.txt"), QStringLiteral("〜−—‖¢£¬.txt"),
};
// A name unpacked from a Windows archive: Shift_JIS bytes, not UTF-8.
const QByteArray kShiftJisName("\x8E\xCA\x90\x5E \x83\x5C.jpg");

QList<QByteArray> namesOnDisk(const QString &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *e = ::readdir(dir)) {
            if (e->d_name[0] != '.')
                names << QByteArray(e->d_name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

class TestBrowserPages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void textPage();
    void linkPageLinksReachTheirFiles();
    void tableAndImodePages();

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

void TestBrowserPages::linkPageLinksReachTheirFiles()
{
    QTemporaryDir folder;
    for (const QString &name : kAwkwardNames)
        QVERIFY(TestFiles::writeAll(folder.filePath(name), name.toUtf8()));
    const QByteArray raw = QFile::encodeName(folder.path()) + '/' + kShiftJisName;
    const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
    QVERIFY(fd >= 0);
    ::close(fd);
    const QList<QByteArray> onDisk = namesOnDisk(folder.path());

    // The rows as the link tab imports them.
    const FolderListing listing = listFolder(folder.path(), ListWhat::FilesOnly);
    QCOMPARE(listing.files.size(), onDisk.size());
    QList<FileListEntry> entries;
    for (const QString &name : listing.files) {
        entries << FileListEntry::named(name, listing.nativeFiles.value(name));
        if (name == kAwkwardNames.first())
            entries.last().description = QStringLiteral("説明文 ①😀");
    }
    PageOptions o;
    o.title = QStringLiteral("ファイル一覧");
    const QString page = folder.filePath(QStringLiteral("一覧.html"));
    QVERIFY(writePage(page, [&](QIODevice *d) { return LinkPageWriter::write(d, o, entries); }));

    const BrowserProbe::Page p = BrowserProbe::load({page}).first();
    QVERIFY(p.loaded);
    QCOMPARE(p.characterSet, QStringLiteral("Shift_JIS"));
    QCOMPARE(p.title, o.title);
    QVERIFY(p.text.contains(QStringLiteral("説明文 ①😀")));
    QList<QByteArray> reached;
    for (const QString &link : p.links) {
        const QUrl url(link);
        if (!url.isLocalFile())
            continue; // the footer
        const QByteArray target = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        struct stat st;
        QVERIFY2(::stat(target.constData(), &st) == 0 && S_ISREG(st.st_mode), qPrintable(link));
        QCOMPARE(target.left(target.lastIndexOf('/')), QFile::encodeName(folder.path()));
        reached << target.mid(target.lastIndexOf('/') + 1);
    }
    std::sort(reached.begin(), reached.end());
    QCOMPARE(reached, onDisk);
    // The file names show as text: no markup got in, and ¥ is no "\".
    // (〜 and the others show as their look-alikes: ～, －, ...)
    for (const QString &name : kAwkwardNames.mid(1, kAwkwardNames.size() - 2))
        QVERIFY2(p.text.contains(name), qPrintable(name));
    QCOMPARE(::unlink(raw.constData()), 0); // the temporary folder cannot remove it
}

void TestBrowserPages::tableAndImodePages()
{
    TableGrid grid;
    grid.resize(3, 3);
    const QStringList cells = {QStringLiteral("品名"), QStringLiteral("ｶﾅ"), QStringLiteral("①髙～"),
                               QStringLiteral("😀"), QStringLiteral("한국"), QStringLiteral("a&b"),
                               QStringLiteral("東京"), QString(), QStringLiteral("最後")};
    for (int i = 0; i < cells.size(); ++i)
        grid.setCellText(i / 3, i % 3, cells.at(i));
    TableHtmlOptions options;
    options.rows = 3;
    options.columns = 3;
    PageOptions o;
    o.title = QStringLiteral("表のページ ｸﾞﾘｯﾄﾞ");
    const QString table = m_dir.filePath(QStringLiteral("表.html"));
    QVERIFY(writePage(table, [&](QIODevice *d) { return TableHtmlWriter::write(d, o, grid, options); }));

    // The i-mode page declares no character set (handsets assume Shift_JIS),
    // so a desktop browser has to guess; give it ordinary Japanese prose.
    const QString imodeText = QStringLiteral("携帯電話向けのページです。今日の天気は晴れ、気温は２０度でした。ｶﾀｶﾅ ① 😀한");
    TextPageInput in;
    in.text = imodeText + QStringLiteral("\r\n携帯");
    o.title = QStringLiteral("携帯向け①");
    o.backUrl = QStringLiteral("http://example.jp/i/");
    const QString imode = m_dir.filePath(QStringLiteral("i.html"));
    QVERIFY(writePage(imode, [&](QIODevice *d) { return ImodePageWriter::write(d, o, in); }));

    const QList<BrowserProbe::Page> pages = BrowserProbe::load({table, imode});
    const BrowserProbe::Page &t = pages.at(0);
    QVERIFY(t.loaded);
    QCOMPARE(t.characterSet, QStringLiteral("Shift_JIS"));
    QCOMPARE(t.title, QStringLiteral("表のページ ｸﾞﾘｯﾄﾞ"));
    for (const QString &cell : cells)
        QVERIFY2(t.text.contains(cell), qPrintable(cell));

    const BrowserProbe::Page &i = pages.at(1);
    QVERIFY(i.loaded);
    QCOMPARE(i.characterSet, QStringLiteral("Shift_JIS"));
    QVERIFY2(i.text.contains(imodeText), qPrintable(i.text));
    QCOMPARE(i.title, QStringLiteral("携帯向け①"));
    QVERIFY(i.links.contains(QStringLiteral("http://example.jp/i/")));
}

QTEST_GUILESS_MAIN(TestBrowserPages)
#include "tst_browserpages.moc"
