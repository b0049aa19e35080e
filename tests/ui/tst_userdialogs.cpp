// The real message boxes and file dialog, answered with the keys and clicks
// a person uses.
#include "WindowHarness.h"
#include "ui/QtUserDialogs.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

using namespace tabulink;

namespace {

// Hands the next modal dialog to step. One that step leaves open is closed
// after a while and counted, so a failing test never hangs on it.
class Answer : public QObject
{
public:
    explicit Answer(std::function<void(QWidget *)> step) : m_step(std::move(step))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            if (m_step) {
                m_clock.start();
                std::exchange(m_step, nullptr)(modal);
            } else if (m_clock.elapsed() > 10000) {
                ++leftOpen;
                QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            }
        });
        m_timer.start(20);
    }
    int leftOpen = 0;

private:
    std::function<void(QWidget *)> m_step;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

// A key as the person presses it: into the dialog's widget with the focus.
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

} // namespace

class TestUserDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The dialogs Qt draws itself, the same on every desktop.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        WindowHarness::setUp();
    }

    void boxes_data()
    {
        QTest::addColumn<int>("kind"); // 0, 1: question defaulting to No, Yes; 2 notice; 3 error
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        const int warning = QMessageBox::Warning;
        QTest::newRow("question, No stated, Enter") << 0 << int(Qt::Key_Return) << false << "確認" << warning;
        QTest::newRow("question, No stated, keypad Enter") << 0 << int(Qt::Key_Enter) << false << "確認" << warning;
        QTest::newRow("question, Yes stated, Enter") << 1 << int(Qt::Key_Return) << true << "確認" << warning;
        QTest::newRow("question, Yes stated, Escape") << 1 << int(Qt::Key_Escape) << false << "確認" << warning;
        QTest::newRow("notice") << 2 << int(Qt::Key_Return) << false << "Tabulink" << int(QMessageBox::NoIcon);
        QTest::newRow("error") << 3 << int(Qt::Key_Return) << false << "Tabulink" << warning;
    }
    // Paths and outside texts show as they are, each line on one line.
    void boxes()
    {
        QFETCH(int, kind);
        QFETCH(int, key);
        const QString text = QStringLiteral("\n/tmp/a<b>x</b>/写真と資料のフォルダ/遠足（1日目）集合写真_001.html"
                                            " のファイルに上書きしますか？\n");
        QString caption, shown;
        int icon = -1;
        bool plain = false, linesFit = true;
        Answer answer([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY(box);
            caption = box->windowTitle();
            icon = box->icon();
            auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            shown = label->text();
            plain = label->textFormat() == Qt::PlainText;
            for (const QString &line : shown.split(u'\n')) // a line wider than the label would wrap
                linesFit &= label->fontMetrics().horizontalAdvance(line) <= label->contentsRect().width();
            press(box, Qt::Key(key));
        });
        QtUserDialogs dialogs;
        bool yes = false;
        if (kind < 2)
            yes = dialogs.confirm(QStringLiteral("確認"), text,
                                  kind ? UserDialogs::DefaultAnswer::Yes : UserDialogs::DefaultAnswer::No);
        else if (kind == 2)
            dialogs.notify(text);
        else
            dialogs.error(text);
        QCOMPARE(answer.leftOpen, 0);
        QTEST(yes, "yes");
        QTEST(caption, "caption");
        QTEST(icon, "icon");
        QCOMPARE(shown, text);
        QVERIFY(plain && linesFit);
    }

    void fileDialog_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("save: Enter takes the proposed name") << true;
        QTest::newRow("open: a name without a dot, double-clicked") << false;
    }
    // "All Files|*.*" lists names without a dot too and leaves the proposed
    // name alone.
    void fileDialog()
    {
        QFETCH(bool, save);
        QTemporaryDir dir;
        for (const char *name : {"README", "out", "a.html"})
            QVERIFY(TestFiles::writeAll(dir.filePath(name), "x\r\n"));
        QStringList before, after;
        QString name;
        Answer answer([&](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            QVERIFY(dialog);
            (void)QTest::qWaitFor([&] { return listed(dialog).contains("a.html"); }, 5000);
            before = listed(dialog);
            QTest::keyClick(dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo")), Qt::Key_End);
            (void)QTest::qWaitFor([&] { return listed(dialog).contains("README"); }, 5000);
            after = listed(dialog);
            name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
            if (save)
                return press(dialog, Qt::Key_Return);
            auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
            const QPoint at = list->visualRect(list->model()->index(int(after.indexOf("README")), 0, list->rootIndex())).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        });
        QtUserDialogs dialogs;
        const FileDialogRequest request{QStringLiteral("htmlﾌｧｲﾙ|*.html|All Files|*.*|"), dir.path(),
                                        save ? QStringLiteral("index.html") : QString(), QStringLiteral("html")};
        const std::optional<QString> chosen = save ? dialogs.saveFileName(request) : dialogs.openFileName(request);
        QCOMPARE(answer.leftOpen, 0);
        QCOMPARE(before, QStringList{"a.html"});
        QCOMPARE(after, (QStringList{"a.html", "out", "README"}));
        QCOMPARE(name, save ? QStringLiteral("index.html") : QString());
        QCOMPARE(chosen.value_or("cancelled"), dir.filePath(save ? "index.html" : "README"));
    }
};

QTEST_MAIN(TestUserDialogs)
#include "tst_userdialogs.moc"
