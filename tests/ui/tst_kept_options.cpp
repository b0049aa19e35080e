// The page options a user set come back at the next start; a damaged
// settings file gives the start values.

#include "WindowHarness.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>

using namespace tabulink;

class TestKeptOptions : public QObject
{
    Q_OBJECT
    static QString ini()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/tablomi.ini";
    }
    // The options as the window shows them: texts, the option picked, ticks.
    static QStringList shown(const WindowHarness &h)
    {
        QStringList values;
        for (const char *edit : {"Text2", "Text3", "Text5"})
            values << h.find<QLineEdit>(edit)->text();
        for (QRadioButton *option : h.window->findChildren<QRadioButton *>())
            if (option->isChecked())
                values << option->objectName();
        for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9})
            values << QString::number(h.find<QCheckBox>(qPrintable(QString("Check%1").arg(i)))->isChecked());
        return values;
    }

private slots:
    void initTestCase() { WindowHarness::setUp(); }

    void comeBackAtTheNextStart_data()
    {
        QTest::addColumn<QStringList>("typed");   // edit name, then text, for each edit
        QTest::addColumn<QStringList>("clicked"); // option buttons and check boxes
        QTest::addColumn<QStringList>("expected");
        const QString title = "ここにタイトルを入れて下さい";
        QTest::newRow("title and a colour") << QStringList{"Text2", "Price list, 2026"} << QStringList{"Option5"}
            << QStringList{"Price list, 2026", "http://", "http://", "Option5", "1", "1", "1", "1", "1", "1", "0", "0", "0"};
        QTest::newRow("image and back address") << QStringList{"Text3", "http://example.com/", "Text5", "bg.png"}
            << QStringList{"Option9"}
            << QStringList{title, "http://example.com/", "bg.png", "Option9", "1", "1", "1", "1", "1", "1", "0", "0", "0"};
        QTest::newRow("every box turned") << QStringList{}
            << QStringList{"Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Check7", "Check8", "Check9"}
            << QStringList{title, "http://", "http://", "Option1", "0", "0", "0", "0", "0", "0", "1", "1", "1"};
    }
    void comeBackAtTheNextStart()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, clicked);
        QFile::remove(ini());
        {
            WindowHarness h;
            for (int i = 0; i + 1 < typed.size(); i += 2) {
                auto *edit = h.find<QLineEdit>(qPrintable(typed.at(i)));
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, typed.at(i + 1));
            }
            for (const QString &name : clicked)
                h.click(qPrintable(name));
            QVERIFY(h.window->close());
        }
        WindowHarness again;
        QTEST(shown(again), "expected");
    }

    void damagedEntriesGiveTheStartValues()
    {
        QVERIFY(TestFiles::writeAll(ini(), "[options]\ntitle=a, b\nbackground=12\nbackUrl=@Variant(\\0\\0)\n"
                                           "Check1=maybe\nCheck7=\nCheck8=true\n\xff\xfe[[\n"));
        WindowHarness h;
        QCOMPARE(shown(h), (QStringList{"ここにタイトルを入れて下さい", "http://", "http://", "Option1",
                                        "1", "1", "1", "1", "1", "1", "0", "1", "0"}));
    }
};

QTEST_MAIN(TestKeptOptions)
#include "tst_kept_options.moc"
