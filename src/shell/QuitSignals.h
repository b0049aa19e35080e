#pragma once

#include <QObject>

class QSocketNotifier;

namespace tabulink {

// SIGTERM (kill, shutdown), SIGHUP (the terminal or the session went) and
// SIGINT (Ctrl+C) end the program by default at once, with nothing stored.
// Here they arrive as a Qt signal on the event loop instead: the handler only
// writes the signal's number into a pipe, and a socket notifier reads it.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    // Installs the handlers for the process; null (and the default actions
    // left in place) when that fails. Call once.
    static QuitSignals *install(QObject *parent);

signals:
    void received(int signalNumber);

private:
    QuitSignals(int readEnd, QObject *parent);
    void readPipe();

    int m_readEnd;
    QSocketNotifier *m_notifier;
};

} // namespace tabulink
