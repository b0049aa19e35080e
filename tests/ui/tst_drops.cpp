// Files and folders dropped on the window as a file manager drops them (on
// the widget under the pointer that takes drops, as Qt finds it), read and
// never written; and the lists following what another program changes.

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
    QString d; // a folder below the shown one

    QString label() const { return h->find<QLabel>("Label1")->text(); }
    QString folder() const { return h->window->browsePanel()->currentFolder(); }
    QString picked() const { return h->window->browsePanel()->selectedFileName(); }
    QStringList rows(const char *list) const
    {
        const QAbstractItemModel *model = h->find<QListView>(list)->model();
        QStringList result;
        for (int i = 0; i < model->rowCount(); ++i)
            result << model->index(i, 0).data().toString();
        return result;
    }

    // Drops url (a path, or an address with "://") on the middle of onto,
    // offered as a copy or a move.
    void drop(const char *onto, const QString &url)
    {
        QWidget *widget = h->find(onto);
        QMimeData mime;
        mime.setUrls({url.contains("://") ? QUrl(url) : QUrl::fromLocalFile(url), QUrl::fromLocalFile(d)});
        QPoint at = widget->mapTo(h->window.get(), widget->rect().center());
        QWidget *target = h->window->childAt(at);
        while (target && !target->acceptDrops())
            target = target->parentWidget();
        QVERIFY(target);
        at = target->mapFrom(h->window.get(), at);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        QVERIFY(enter.isAccepted() && dropped.isAccepted());
        QCOMPARE(dropped.dropAction(), Qt::CopyAction); // a move would make the source delete it
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

    // The first item is taken: "csvﾌｧｲﾙ読込" reads it, picked in its
    // folder; the editor loads its file rather than typing its address.
    void filesOnTheTabs()
    {
        h->find<QTabWidget>("SSTab1")->setCurrentIndex(0);
        drop("grd1", d + "/t.csv");
        QTRY_COMPARE(h->window->csvTab()->lines().size(), 2);
        QCOMPARE(h->window->csvTab()->lines().entry(1), QStringLiteral("c,d"));
        QCOMPARE(folder() + " " + picked() + " " + label(), d + " t.csv " + d + "/t.csv");
        QCOMPARE(h->find<QListView>("File1")->currentIndex().data().toString(), QStringLiteral("t.csv"));
        h->find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        drop("rtext1", d + "/memo.txt");
        QTRY_COMPARE(h->find<QPlainTextEdit>("rtext1")->toPlainText(), QStringLiteral("一行目\n二行目\n"));
        QCOMPARE(label(), d + "/memo.txt");
    }

    void folderOrFileOnTheLists_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expectedPick");
        QTest::newRow("folder") << "/d/sub" << "/d/sub" << "";
        QTest::newRow("file") << "/d/memo.txt" << "/d" << "memo.txt";
    }
    void folderOrFileOnTheLists()
    {
        QFETCH(QString, item);
        QFETCH(QString, shown);
        QFETCH(QString, expectedPick);
        for (const char *list : {"Dir1", "File1", "Drive1"}) {
            QVERIFY(h->window->browsePanel()->setFolder(m_tmp->path()));
            drop(list, m_tmp->path() + item);
            QTRY_COMPARE(folder(), m_tmp->path() + shown);
            QCOMPARE(picked(), expectedPick);
            QCOMPARE(label(), expectedPick.isEmpty() ? QString() : d + "/" + expectedPick);
        }
    }

    // A refused drop shows the dialogs' message and changes nothing.
    void refusedDropsChangeNothing_data()
    {
        QTest::addColumn<QString>("onto");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        const QString network = "直のネットワークドライブには、対応しておりません。ドライブ名を割り当て、ドライブ名にて指定して下さい。";
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
        const QStringList before = QDir(d).entryList(QDir::AllEntries | QDir::System);
        if (item.startsWith('/')) {
            item.prepend(m_tmp->path());
            message.replace("\n/", "\n" + m_tmp->path() + "/");
        }
        drop(qPrintable(onto), item);
        QTRY_COMPARE(h->dialogs.calls().size(), 1);
        QCOMPARE(h->dialogs.calls().first().text, message);
        QCOMPARE(folder(), m_tmp->path());
        QCOMPARE(label() + h->find<QPlainTextEdit>("rtext1")->toPlainText(), QString());
        QCOMPARE(h->window->csvTab()->lines().size(), 0);
        QCOMPARE(QDir(d).entryList(QDir::AllEntries | QDir::System), before);
    }

    void listsFollowTheShownFolder()
    {
        QVERIFY(h->window->browsePanel()->setFolder(d));
        const int chain = int(rows("Dir1").size()) - 1;
        auto *files = h->find<QListView>("File1");
        files->setCurrentIndex(files->model()->index(1, 0));
        QTest::keyClick(files, Qt::Key_Return);
        QCOMPARE(picked(), QStringLiteral("t.csv"));
        QVERIFY(TestFiles::writeAll(d + "/b.csv", "x"));
        QTRY_COMPARE(rows("File1"), (QStringList{"b.csv", "memo.txt", "t.csv"}));
        QVERIFY(QFile::rename(d + "/memo.txt", d + "/z.txt") && QFile::remove(d + "/b.csv"));
        QVERIFY(QDir(d).mkdir("new"));
        QTRY_COMPARE(rows("File1"), (QStringList{"t.csv", "z.txt"}));
        QTRY_COMPARE(rows("Dir1").mid(chain), (QStringList{"new", "sub"}));
        QCOMPARE(files->selectionModel()->selectedIndexes().size(), 1);
        QCOMPARE(files->selectionModel()->selectedIndexes().first().data().toString(), QStringLiteral("t.csv"));
        QCOMPARE(picked(), QStringLiteral("t.csv"));
        QCOMPARE(h->dialogs.calls().size(), 0);
    }
};

QTEST_MAIN(TestDrops)
#include "tst_drops.moc"
