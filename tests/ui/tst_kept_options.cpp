// The page options a user set come back at the next start; a damaged
// settings file gives the start values.

#include "WindowHarness.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>

using namespace tabulink;

namespace {
QString ini()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/tablomi.ini";
}
const QString title = "ここにタイトルを入れて下さい";

// Text2, Text3, Text5, the option picked, then Check1 to Check9 ticked or not.
QStringList shown(const WindowHarness &h)
{
    QStringList values;
    for (const char *edit : {"Text2", "Text3", "Text5"})
        values << h.find<QLineEdit>(edit)->text();
    for (QRadioButton *option : h.window->findChildren<QRadioButton *>())
        values << (option->isChecked() ? option->objectName() : QString());
    values.removeAll(QString());
    for (int i = 1; i <= 9; ++i)
        values << QString::number(h.find<QCheckBox>(qPrintable(QString("Check%1").arg(i)))->isChecked());
    return values;
}
} // namespace

class TestKeptOptions : public QObject
{
    Q_OBJECT
private slots:
    void comeBackAtTheNextStart_data()
    {
        QTest::addColumn<QStringList>("typed");   // edit name, then text, for each edit
        QTest::addColumn<QStringList>("clicked"); // option buttons and check boxes
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("title and a colour") << QStringList{"Text2", "Price list, 2026"} << QStringList{"Option5"}
            << QStringList{"Price list, 2026", "http://", "http://", "Option5", "1", "1", "1", "1", "1", "1", "0", "0", "0"};
        QTest::newRow("image, back address") << QStringList{"Text3", "http://a.jp/", "Text5", "bg.png"} << QStringList{"Option9"}
            << QStringList{title, "http://a.jp/", "bg.png", "Option9", "1", "1", "1", "1", "1", "1", "0", "0", "0"};
        QTest::newRow("every box") << QStringList{}
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
                QTest::keyClick(h.find(qPrintable(typed.at(i))), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(h.find(qPrintable(typed.at(i))), typed.at(i + 1));
            }
            for (const QString &name : clicked)
                h.click(qPrintable(name));
            QVERIFY(h.window->close());
        }
        QTEST(shown(WindowHarness()), "expected");
    }

    void damagedEntriesGiveTheStartValues()
    {
        QVERIFY(TestFiles::writeAll(ini(), "[options]\ntitle=a, b\nbackground=12\nbackUrl=@Variant(\\0\\0)\n"
                                         "Check1=maybe\nCheck7=\nCheck8=true\n\xff\xfe[[\n"));
        QCOMPARE(shown(WindowHarness()),
                 (QStringList{title, "http://", "http://", "Option1", "1", "1", "1", "1", "1", "1", "0", "1", "0"}));
    }
};

QTEST_MAIN(TestKeptOptions)
#include "tst_kept_options.moc"
