// The real message boxes and file dialog, answered with the keys and clicks
// a person uses.
#include "WindowHarness.h"
#include "ui/QtUserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

using namespace tabulink;

namespace {

// Hands the next modal dialog to step; one that step leaves open is
// rejected after ten seconds, so a failing test never hangs on it.
void answerNext(const std::function<void(QWidget *)> &step)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, step] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !poll->isActive())
            return;
        poll->stop();
        poll->deleteLater();
        QTimer::singleShot(10000, modal, &QWidget::close);
        step(modal);
    });
    poll->start(20);
}

// Enter as a person presses it: into the dialog's widget with the focus.
void pressEnter(QWidget *dialog)
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus && dialog->isAncestorOf(focus) ? focus : dialog, Qt::Key_Return);
}

QStringList listed(QListView *list)
{
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
    // The dialogs Qt draws itself, the same on every desktop.
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs), WindowHarness::setUp(); }

    void boxes_data()
    {
        QTest::addColumn<int>("kind"); // 0, 1: a question whose default is No, Yes; 2: a notice; 3: an error
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("box"); // caption and icon
        QTest::newRow("question, No stated") << 0 << false << "確認 2";
        QTest::newRow("question, Yes stated") << 1 << true << "確認 2";
        QTest::newRow("notice") << 2 << false << "Tabulink 0";
        QTest::newRow("error") << 3 << false << "Tabulink 2";
    }
    // Enter presses the stated default; paths show as they are, each line on one line.
    void boxes()
    {
        QFETCH(int, kind);
        const QString text = QStringLiteral("\n/tmp/a<b>x</b>/写真と資料のフォルダ/遠足（1日目）集合写真_001.html"
                                            " のファイルに上書きしますか？\n");
        QString shown;
        answerNext([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            shown = box->windowTitle() + " " + QString::number(box->icon()) + (label->textFormat() == Qt::PlainText ? label->text() : "");
            for (const QString &line : label->text().split(u'\n')) // a line wider than the label would wrap
                if (label->fontMetrics().horizontalAdvance(line) > label->contentsRect().width())
                    shown += " (wrapped)";
            pressEnter(box);
        });
        QtUserDialogs dialogs;
        bool yes = false;
        if (kind < 2)
            yes = dialogs.confirm(QStringLiteral("確認"), text, UserDialogs::DefaultAnswer(1 - kind));
        kind == 2 ? dialogs.notify(text) : kind == 3 ? dialogs.error(text) : void();
        QTEST(yes, "yes");
        QFETCH(QString, box);
        QCOMPARE(shown, box + text);
    }

    // "All Files|*.*" lists names without a dot too, and leaves the proposed name alone.
    void fileDialogFilters()
    {
        QTemporaryDir dir;
        for (const char *name : {"README", "out", "a.html"})
            QVERIFY(TestFiles::writeAll(dir.filePath(name), ""));
        QStringList before, after;
        answerNext([&](QWidget *dialog) {
            auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
            (void)QTest::qWaitFor([&] { return listed(list).contains("a.html"); }, 5000);
            before = listed(list);
            QTest::keyClick(dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo")), Qt::Key_End);
            (void)QTest::qWaitFor([&] { return listed(list).contains("README"); }, 5000);
            after = listed(list);
            pressEnter(dialog);
        });
        const std::optional<QString> chosen = QtUserDialogs().saveFileName(
            {QStringLiteral("htmlﾌｧｲﾙ|*.html|All Files|*.*|"), dir.path(), "index.html", "html"});
        QCOMPARE(before, QStringList{"a.html"});
        QCOMPARE(after, (QStringList{"a.html", "out", "README"}));
        QCOMPARE(chosen.value_or("cancelled"), dir.filePath("index.html"));
    }
};

QTEST_MAIN(TestUserDialogs)
#include "tst_userdialogs.moc"
