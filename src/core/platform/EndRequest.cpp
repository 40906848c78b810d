#include "core/platform/EndRequest.h"

#include <QSocketNotifier>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

// The signal handler may only write to a descriptor; the event loop reads the other end.
int g_wakeUp[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void onEndSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_wakeUp[0], &byte, 1);
}

void restoreDefaultActions()
{
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
}

} // namespace
#endif

EndRequestWatcher::EndRequestWatcher(std::function<void()> close, QObject *parent)
    : QObject(parent), m_close(std::move(close))
{
#ifndef Q_OS_WIN
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_wakeUp) != 0)
        return; // then the system ends the program as it would without us
    m_notifier = new QSocketNotifier(g_wakeUp[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndRequestWatcher::received);
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
#endif
}

EndRequestWatcher::~EndRequestWatcher()
{
#ifndef Q_OS_WIN
    if (!m_notifier)
        return;
    restoreDefaultActions();
    ::close(g_wakeUp[0]);
    ::close(g_wakeUp[1]);
    g_wakeUp[0] = g_wakeUp[1] = -1;
#endif
}

void EndRequestWatcher::received()
{
#ifndef Q_OS_WIN
    char byte;
    [[maybe_unused]] const ssize_t read = ::read(g_wakeUp[1], &byte, 1);
    // Asked once, the program closes as usual; asked again (a window that does not close, say
    // under an open message box), the system ends it at once.
    restoreDefaultActions();
#endif
    if (m_close)
        m_close();
}
