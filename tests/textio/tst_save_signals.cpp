// SIGINT, SIGTERM or SIGHUP while two threads save file after file with the
// handlers installed once: the process ends by the signal, no temporary is
// left, and each file holds its old content or the whole new one.
#include "textio/SafeSave.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace tabulink;

class TestSaveSignals : public QObject
{
    Q_OBJECT
private slots:
    void signalAmidManySaves_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalAmidManySaves()
    {
        QFETCH(int, signal);
        // In memory where there is such a folder: the saves are quick, and
        // a good part of the time a temporary name exists.
        QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/save-signals") : QString());
        const QByteArray fresh(5000, 'n');
        for (int round = 0; round < 8; ++round) {
            for (int i = 0; i < 16; ++i)
                QVERIFY(TestFiles::writeAll(dir.filePath(QString::number(i)), "OLD"));
            const pid_t child = ::fork();
            if (child == 0) {
                for (int ending : {SIGINT, SIGTERM, SIGHUP})
                    std::signal(ending, SIG_DFL); // as a program starts, without the test's handlers
                const SafeSave::KeepSignalHandlers kept;
                auto saveAll = [&](int first) {
                    for (int i = first;; i = (i + 2) % 16)
                        SafeSave::writeBytes(dir.filePath(QString::number(i)), fresh);
                };
                std::thread other(saveAll, 1);
                saveAll(0);
            }
            QTest::qWait(50);
            QCOMPARE(::kill(child, signal), 0);
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == signal);
            const QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
            QCOMPARE(names.size(), 16);
            for (const QString &name : names) {
                const QByteArray now = TestFiles::readAll(dir.filePath(name));
                QVERIFY2(now == "OLD" || now == fresh, qPrintable(name));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSaveSignals)
#include "tst_save_signals.moc"
