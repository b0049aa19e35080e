#include "shell/QuitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tabulink {

namespace {

int g_writeEnd = -1;

// Async-signal-safe: one write(), errno kept for the code it interrupted.
void onSignal(int signalNumber)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
    errno = saved;
}

constexpr int kQuitSignals[] = {SIGTERM, SIGHUP, SIGINT};

} // namespace

QuitSignals *QuitSignals::install(QObject *parent)
{
    if (g_writeEnd >= 0)
        return nullptr;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return nullptr;
    g_writeEnd = fds[1];
    auto *quitSignals = new QuitSignals(fds[0], parent);

    struct sigaction action = {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    // The first signal asks for an orderly end; should the program not get
    // there, the next one ends it the default way.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signalNumber : kQuitSignals)
        ::sigaction(signalNumber, &action, nullptr);
    return quitSignals;
}

QuitSignals::QuitSignals(int readEnd, QObject *parent)
    : QObject(parent), m_readEnd(readEnd),
      m_notifier(new QSocketNotifier(readEnd, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPipe);
}

void QuitSignals::readPipe()
{
    unsigned char bytes[16];
    ssize_t got;
    while ((got = ::read(m_readEnd, bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < got; ++i)
            emit received(bytes[i]);
    }
}

} // namespace tabulink
