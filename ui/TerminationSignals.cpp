#include "ui/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>

namespace {

// A signal handler may only write to a descriptor: the notifier brings it to the event loop.
int g_pipe[2] = {-1, -1};

void OnTermination(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

CTerminationSignals::CTerminationSignals(QWidget* window) : QObject(window) {
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, window, [window] {
        char sink[16];
        while (::read(g_pipe[0], sink, sizeof sink) > 0) {
        }
        window->close();
    });
    struct sigaction action {};
    action.sa_handler = OnTermination;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

CTerminationSignals::~CTerminationSignals() {
    if (g_pipe[0] < 0) return;
    for (const int signal : {SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}
