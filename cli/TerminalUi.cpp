#include "cli/TerminalUi.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <iostream>

#include "cli/CliOutput.h"

namespace {

std::atomic<int> g_pendingStops{0};
std::atomic<int> g_stops{0};
std::atomic<int> g_signal{0};
int g_wakeFd = -1;

void OnInterrupt(int signal) {
    // The interrupted code may be about to read errno (poll() just failed with EINTR).
    const int savedErrno = errno;
    g_pendingStops.fetch_add(1);
    g_stops.fetch_add(1);
    // The first signal names the exit code: what a supervisor sent, not a later Ctrl-C.
    int none = 0;
    g_signal.compare_exchange_strong(none, signal);
    if (g_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(g_wakeFd, &one, sizeof one);
    }
    errno = savedErrno;
}

}  // namespace

CTerminalUi::CTerminalUi(bool quiet) : m_showBar(!quiet && isatty(STDERR_FILENO)) {}

void CTerminalUi::InstallInterruptHandler() {
    if (g_wakeFd < 0) g_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Ctrl-C, timeout(1), systemd and a dropped ssh session all mean "stop": the controller is
    // put back first, then the program ends with the signal's exit code.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
    // A reader that went away shows as a failed write to standard output, reported at the end,
    // instead of killing the program in the middle of an exchange.
    std::signal(SIGPIPE, SIG_IGN);
}

bool CTerminalUi::Interrupted() { return g_signal.load() != 0; }

int CTerminalUi::InterruptSignal() { return g_signal.load(); }

int CTerminalUi::StopCount() { return g_stops.load(); }

int CTerminalUi::WakeDescriptor() { return g_wakeFd; }

COperatorUi::BoxAnswer CTerminalUi::MessageBox(const std::string& text, BoxStyle style) {
    if (!text.empty()) {
        std::cerr << text << "\n";
        NoteOperatorMessage(text);
    }
    // Nobody is there to confirm a question: the careful answer.
    return style == BoxStyle::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

bool CTerminalUi::PollCancel() {
    // Several presses before one poll stop the operation once.
    return g_pendingStops.exchange(0) > 0;
}

void CTerminalUi::CloseCancel() {
    if (m_barShown) std::cerr << "\n";
    m_barShown = false;
}

void CTerminalUi::Progress(int done, int total) {
    if (!m_showBar || total <= 0) return;
    constexpr int kWidth = 30;
    const int filled = done * kWidth / total;
    std::fprintf(stderr, "\r[%s%s] %d/%d", std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, '.').c_str(), done, total);
    std::fflush(stderr);
    m_barShown = true;
}

void CTerminalUi::WaitNotice(const SReason& what) {
    // On its own line, also when a progress bar is drawn; said in every mode: nothing else
    // explains the silence.
    if (m_barShown) std::cerr << "\n";
    m_barShown = false;
    std::cerr << "vexa-cli: " << English(what) << " (Ctrl-C stops)" << std::endl;
}
