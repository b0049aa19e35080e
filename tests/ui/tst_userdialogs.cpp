// The real message boxes and file dialog, opened from the window's own
// buttons and answered with the keys and clicks a person uses.
#include "support/TestFiles.h"
#include "ui/AppSetup.h"
#include "ui/BrowsePanel.h"
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tabulink;

namespace {

// Takes the modal dialogs the window opens one after another and hands each
// to the next step. A dialog with no step left, or one its step left open,
// is counted and closed, so a test never hangs on a box.
class DialogDriver : public QObject
{
public:
    using Step = std::function<void(QWidget *)>;
    explicit DialogDriver(QList<Step> steps) : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogDriver::poll);
        m_timer.start(20);
    }
    int unexpected = 0;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        const bool fresh = modal != m_last;
        if (fresh && !m_steps.isEmpty()) {
            m_last = modal;
            m_shown.start();
            m_steps.takeFirst()(modal);
        } else if (fresh || m_shown.elapsed() > 10000) {
            ++unexpected;
            m_last = modal;
            m_shown.start();
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
        }
    }

    QTimer m_timer;
    QElapsedTimer m_shown;
    QList<Step> m_steps;
    QPointer<QWidget> m_last;
};

// A key as the person presses it: into the widget that has the focus.
void press(QWidget *dialog, Qt::Key key)
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus && dialog->isAncestorOf(focus) ? focus : dialog, key);
}

QStringList listed(QFileDialog *dialog)
{
    auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
        names << list->model()->index(row, 0, list->rootIndex()).data().toString();
    return names;
}

// Picks the last filter, "All Files", with the End key and waits until
// the list shows name.
void chooseAllFiles(QFileDialog *dialog, const QString &name)
{
    QTest::keyClick(dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo")), Qt::Key_End);
    (void)QTest::qWaitFor([&] { return listed(dialog).contains(name); }, 5000);
}

// Double-clicks name in the list: the dialog takes that file.
void doubleClickEntry(QFileDialog *dialog, const QString &name)
{
    (void)QTest::qWaitFor([&] { return listed(dialog).contains(name); }, 5000);
    auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
    const QModelIndex entry = list->model()->index(int(listed(dialog).indexOf(name)), 0, list->rootIndex());
    const QPoint at = list->visualRect(entry).center();
    // QTest sends the double-click event alone; a real one follows a press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QLineEdit *nameField(QWidget *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

// What a message box showed.
struct Shown {
    QString text;
    bool plain = false;
    bool linesFit = false;
    bool noIsDefault = false;
};

Shown inspect(QWidget *widget)
{
    Shown shown;
    auto *box = qobject_cast<QMessageBox *>(widget);
    if (!box)
        return shown;
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    shown.text = label->text();
    shown.plain = label->textFormat() == Qt::PlainText;
    // A line wider than the label would wrap.
    shown.linesFit = true;
    for (QString line : label->text().split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        shown.linesFit &= label->fontMetrics().horizontalAdvance(line) <= label->contentsRect().width();
    }
    shown.noIsDefault = box->defaultButton() && box->defaultButton() == qobject_cast<QPushButton *>(box->button(QMessageBox::No));
    return shown;
}

} // namespace

class TestUserDialogs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QPlainTextEdit *editor() const { return m_window->findChild<QPlainTextEdit *>(QStringLiteral("rtext1")); }
    void click(const char *name) const
    {
        QTest::mouseClick(m_window->findChild<QAbstractButton *>(QString::fromLatin1(name)), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        // The dialogs Qt draws itself, the same on every desktop.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        setUpApplication();
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (const char *name : {"README", "out", "a.html"})
            QVERIFY(TestFiles::writeAll(path(name), "x\r\n"));
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(m_window->browsePanel()->setFolder(m_dir->path()));
    }
    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
    }

    // Choosing "All Files" shows files without a dot and leaves the proposed
    // name alone; Enter then writes the page under that name.
    void saveDialogAllFiles()
    {
        editor()->setPlainText(QStringLiteral("お知らせ"));
        QStringList after;
        QString nameAfter, notice;
        DialogDriver driver({[&](QWidget *w) {
                                 auto *dialog = qobject_cast<QFileDialog *>(w);
                                 chooseAllFiles(dialog, "README");
                                 after = listed(dialog);
                                 nameAfter = nameField(dialog)->text();
                                 press(dialog, Qt::Key_Return);
                             },
                             [&](QWidget *w) {
                                 notice = inspect(w).text;
                                 press(w, Qt::Key_Return);
                             }});
        click("Command9");
        QCOMPARE(after, (QStringList{"a.html", "out", "README"}));
        QCOMPARE(nameAfter, QStringLiteral("index.html"));
        QCOMPARE(notice, QStringLiteral("ｈｔｍｌファイル作成完了"));
        QCOMPARE(driver.unexpected, 0);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList{"a.html", "index.html", "out", "README"}));
    }

    void openDialogListsFilesWithoutDot()
    {
        QVERIFY(TestFiles::writeAll(path("README"), "read me\r\n"));
        DialogDriver driver({[&](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            chooseAllFiles(dialog, "README");
            doubleClickEntry(dialog, "README");
        }});
        click("Command11");
        QCOMPARE(driver.unexpected, 0);
        QCOMPARE(editor()->toPlainText(), QStringLiteral("read me\n"));
        QCOMPARE(m_window->saveContext().pathLabel(), path("README"));
    }

    // Enter in the save dialog, Enter in the question: the page made in the
    // morning stays.
    void twoEntersKeepThePage()
    {
        QVERIFY(TestFiles::writeAll(path("index.html"), "morning page\r\n"));
        editor()->setPlainText(QStringLiteral("お知らせ"));
        Shown question;
        DialogDriver driver({[&](QWidget *w) { press(w, Qt::Key_Return); },
                             [&](QWidget *w) {
                                 question = inspect(w);
                                 press(w, Qt::Key_Return);
                             }});
        click("Command9");
        QCOMPARE(question.text, "\n" + path("index.html") + QStringLiteral(" のファイルに上書きしますか？\n"));
        QVERIFY(question.noIsDefault);
        QCOMPARE(TestFiles::readAll(path("index.html")), QByteArray("morning page\r\n"));
        QCOMPARE(driver.unexpected, 0);
    }

    // Enter on the question before ファイル名クリア keeps the typed
    // descriptions: discarding them takes a deliberate はい.
    void enterKeepsTypedDescriptions()
    {
        m_window->findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(2);
        click("Command14");
        auto *list = m_window->findChild<QListView *>(QStringLiteral("List2"));
        const QPoint firstRow = list->visualRect(list->model()->index(0, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, firstRow);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, firstRow);
        auto *description = m_window->findChild<QLineEdit *>(QStringLiteral("Text4"));
        QTest::keyClicks(description, "class photo");
        QTest::keyClick(description, Qt::Key_Return);
        const QString described = list->model()->index(0, 0).data().toString();
        QVERIFY2(described.endsWith(QStringLiteral(",class photo")), qPrintable(described));

        Shown question;
        DialogDriver driver({[&](QWidget *w) {
            question = inspect(w);
            press(w, Qt::Key_Return);
        }});
        click("Command15");
        QVERIFY(question.noIsDefault);
        QCOMPARE(list->model()->index(0, 0).data().toString(), described);
        QCOMPARE(driver.unexpected, 0);
    }

    // Paths and outside texts show as they are, each line on one line: the
    // overwrite question for a file picked in the dialog, the clipboard
    // folder's message, the usage text.
    void boxesShowTextAsItIs()
    {
        QVERIFY(TestFiles::writeAll(path("a<b>x.html"), "old\r\n"));
        Shown question, clipboard, usage;
        DialogDriver driver({[&](QWidget *w) { doubleClickEntry(qobject_cast<QFileDialog *>(w), "a<b>x.html"); },
                             [&](QWidget *w) {
                                 question = inspect(w);
                                 press(w, Qt::Key_Escape);
                             },
                             [&](QWidget *w) {
                                 clipboard = inspect(w);
                                 press(w, Qt::Key_Return);
                             },
                             [&](QWidget *w) {
                                 usage = inspect(w);
                                 press(w, Qt::Key_Return);
                             }});
        click("Command9");
        QApplication::clipboard()->setText(QStringLiteral("<b>x</b>"));
        m_window->findChild<QAction *>(QStringLiteral("dirclkr1"))->trigger();
        m_window->findChild<QAction *>(QStringLiteral("helpp"))->trigger();
        QCOMPARE(driver.unexpected, 0);

        QCOMPARE(question.text, "\n" + path("a<b>x.html") + QStringLiteral(" のファイルに上書きしますか？\n"));
        QVERIFY(clipboard.text.contains(QStringLiteral("「<b>x</b>」")));
        QVERIFY(usage.text.startsWith(QStringLiteral("Ｔａｂｕｌｉｎｋ　（ｈｔｍｌ化ツール）　使用方法")));
        for (const Shown &shown : {question, clipboard, usage}) {
            QVERIFY2(shown.plain, qPrintable(shown.text));
            QVERIFY2(shown.linesFit, qPrintable(shown.text));
        }
        QCOMPARE(TestFiles::readAll(path("a<b>x.html")), QByteArray("old\r\n"));
    }
};

QTEST_MAIN(TestUserDialogs)
#include "tst_userdialogs.moc"
