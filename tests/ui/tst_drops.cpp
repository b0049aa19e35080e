// Files and folders dropped on the window as a file manager drops them: the
// drop lands on the widget under the pointer that takes drops, as Qt finds
// it, and is read, never written.

#include "WindowHarness.h"
#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"
#include "ui/CsvTab.h"

#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace tabulink;

class TestDrops : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_tmp;
    std::unique_ptr<WindowHarness> h;
    QString d; // a folder other than the shown one

    QString label() const { return h->find<QLabel>("Label1")->text(); }
    QString editorText() const { return h->find<QPlainTextEdit>("rtext1")->toPlainText(); }
    QString folder() const { return h->window->browsePanel()->currentFolder(); }
    QString listing() const { return QDir(d).entryList(QDir::AllEntries | QDir::System).join('|'); }

    // Drops urls on the middle of onto, offered as a copy or a move.
    void drop(QWidget *onto, const QStringList &urls)
    {
        QList<QUrl> list;
        for (const QString &u : urls)
            list << (u.contains("://") ? QUrl(u) : QUrl::fromLocalFile(u));
        QMimeData mime;
        mime.setUrls(list);
        QPoint at = onto->mapTo(h->window.get(), onto->rect().center());
        QWidget *target = h->window->childAt(at);
        while (target && !target->acceptDrops())
            target = target->parentWidget();
        QVERIFY(target);
        at = target->mapFrom(h->window.get(), at);
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        QVERIFY(dropped.isAccepted());
        QCOMPARE(dropped.dropAction(), Qt::CopyAction); // a move would make the source delete it
        QTest::qWait(20);
    }

private slots:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        d = m_tmp->path() + "/d";
        QVERIFY(QDir().mkpath(d + "/sub"));
        QVERIFY(TestFiles::writeAll(d + "/t.csv", "a,b\r\nc,d\r\n"));
        QVERIFY(TestFiles::writeAll(d + "/memo.txt", TestFiles::sjis("一行目\r\n二行目\r\n")));
        QCOMPARE(::mkfifo(QFile::encodeName(d + "/p.csv").constData(), 0600), 0);
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->window->browsePanel()->setFolder(m_tmp->path()));
    }
    void cleanup() { h.reset(); m_tmp.reset(); }

    void fileOnTheCsvTabIsReadAndPicked()
    {
        h->find<QTabWidget>("SSTab1")->setCurrentIndex(0);
        drop(h->find("grd1"), {d + "/t.csv", d + "/memo.txt"});
        QTRY_COMPARE(h->window->csvTab()->lines().size(), 2);
        QCOMPARE(h->window->csvTab()->lines().entry(1), QStringLiteral("c,d"));
        QCOMPARE(label(), d + "/t.csv");
        QCOMPARE(folder(), d);
        QCOMPARE(h->window->browsePanel()->selectedFileName(), QStringLiteral("t.csv"));
        QCOMPARE(h->find<QListView>("File1")->currentIndex().data().toString(), QStringLiteral("t.csv"));
    }

    void fileOnTheEditorIsLoaded()
    {
        drop(h->find("rtext1"), {d + "/memo.txt"});
        QTRY_COMPARE(editorText(), QStringLiteral("一行目\n二行目\n"));
        QCOMPARE(label(), d + "/memo.txt");
    }

    void folderAndFileOnTheLists_data()
    {
        QTest::addColumn<QString>("onto");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("picked");
        for (const char *list : {"Drive1", "Dir1", "File1"}) {
            QTest::addRow("folder on %s", list) << list << "/d/sub" << "/d/sub" << "";
            QTest::addRow("file on %s", list) << list << "/d/memo.txt" << "/d" << "memo.txt";
        }
    }
    void folderAndFileOnTheLists()
    {
        QFETCH(QString, onto);
        QFETCH(QString, item);
        QFETCH(QString, shown);
        QFETCH(QString, picked);
        drop(h->find(qPrintable(onto)), {m_tmp->path() + item});
        QTRY_COMPARE(folder(), m_tmp->path() + shown);
        QCOMPARE(h->window->browsePanel()->selectedFileName(), picked);
        if (!picked.isEmpty())
            QCOMPARE(label(), d + "/" + picked);
    }

    // Whatever the target, a refused drop shows the message and leaves the
    // window and the disk as they were.
    void refusedDropsChangeNothing_data()
    {
        QTest::addColumn<QString>("onto");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        const QString network = "直のネットワークドライブには、対応しておりません。"
                                "ドライブ名を割り当て、ドライブ名にて指定して下さい。";
        for (const char *onto : {"grd1", "rtext1", "File1"}) {
            QTest::addRow("web address on %s", onto) << onto << "https://example.com/t.csv" << network;
            QTest::addRow("FIFO on %s", onto) << onto << "/d/p.csv" << "通常のファイルではないため読み込めません。\n/d/p.csv";
        }
        QTest::newRow("folder on the editor") << "rtext1" << "/d" << "通常のファイルではないため読み込めません。\n/d";
    }
    void refusedDropsChangeNothing()
    {
        QFETCH(QString, onto);
        QFETCH(QString, item);
        QFETCH(QString, message);
        h->find<QTabWidget>("SSTab1")->setCurrentIndex(onto == "grd1" ? 0 : 1);
        const QString before = listing();
        if (item.startsWith('/')) {
            item.prepend(m_tmp->path());
            message.replace("\n/", "\n" + m_tmp->path() + "/");
        }
        drop(h->find(qPrintable(onto)), {item});
        QTRY_COMPARE(h->dialogs.calls().size(), 1);
        QCOMPARE(h->dialogs.calls().first().text, message);
        QCOMPARE(folder(), m_tmp->path());
        QCOMPARE(label(), QString());
        QCOMPARE(editorText(), QString());
        QCOMPARE(h->window->csvTab()->lines().size(), 0);
        QCOMPARE(listing(), before);
    }
};

QTEST_MAIN(TestDrops)
#include "tst_drops.moc"
