#include "core/platform/terminationsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int writeEnd = -1;

// Only async-signal-safe work here: one byte into the socket, read by the event loop.
void forward(int signalNumber)
{
    const char number = char(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent, QList<int> signalNumbers)
    : QObject(parent)
    , handled(std::move(signalNumbers))
{
    // Never blocking: a byte that does not fit is a signal the loop has yet to read anyway.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0)
        return;
    writeEnd = fds[0];
    notifier = new QSocketNotifier(fds[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
    struct sigaction action = {};
    action.sa_handler = forward;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : handled)
        sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signalNumber : handled)
        std::signal(signalNumber, SIG_DFL);
    writeEnd = -1;
    for (const int fd : fds) {
        if (fd >= 0)
            ::close(fd);
    }
}

void TerminationSignals::readPending()
{
    char number = 0;
    if (::read(fds[1], &number, 1) == 1)
        emit received(int(number));
}
