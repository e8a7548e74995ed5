#include "platform/signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

// [0] is written by the handler, [1] read on the UI thread. A signal handler can reach nothing
// else.
int endSockets[2] = {-1, -1};

void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // Nothing can be done about a full socket: a byte is waiting already.
    [[maybe_unused]] const ssize_t written = ::write(endSockets[0], &byte, 1);
    errno = savedErrno;
}

// Neither end ever blocks: the handler must not, and several watchers may read.
bool openSockets()
{
    if (endSockets[0] >= 0)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, endSockets) != 0)
        return false;
    for (int socket : endSockets)
        ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
    return true;
}

void installHandler(int signalNumber)
{
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

void watchEndRequests(QObject *context, std::function<void()> onEnd)
{
    if (!openSockets())
        return;
    auto *notifier = new QSocketNotifier(endSockets[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [onEnd = std::move(onEnd)] {
        char byte = 0;
        if (::read(endSockets[1], &byte, 1) == 1)
            onEnd();
    });
    installHandler(SIGTERM);
    installHandler(SIGHUP);
    installHandler(SIGINT);
}

} // namespace platform
