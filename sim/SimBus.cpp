#include "sim/SimBus.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Garbage that can never complete a frame of either kind: no ETX, no "*", no CR.
constexpr std::string_view kGarbage = "GARBAGE-garbage-0123456789-";

timespec ToTimespec(std::chrono::nanoseconds span) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(span);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((span - seconds).count())};
}

}  // namespace

bool SimBus::Start(const std::string& linkPath) {
    Stop();
    m_error.clear();
    if (!m_pty.Open(m_error)) return false;
    if (!linkPath.empty() && !m_pty.MakeLink(linkPath, m_error)) {
        m_pty.Close();
        return false;
    }
    if (::pipe2(m_wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        m_error = std::string("cannot create a wake-up pipe: ") + std::strerror(errno);
        m_pty.Close();
        return false;
    }
    {
        std::lock_guard guard(m_lock);
        m_stopping = false;
        m_running = true;
        m_garbageActive = false;
    }
    m_thread = std::thread(&SimBus::Run, this);
    return true;
}

void SimBus::Stop() {
    {
        std::lock_guard guard(m_lock);
        m_stopping = true;
    }
    Wake();
    if (m_thread.joinable()) m_thread.join();
    m_pty.Close();
    for (int& fd : m_wake) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    std::lock_guard guard(m_lock);
    m_running = false;
    m_handled.notify_all();
}

bool SimBus::Running() const {
    std::lock_guard guard(m_lock);
    return m_running;
}

void SimBus::SetResponder(int unit, std::shared_ptr<SimResponder> responder) {
    std::lock_guard guard(m_lock);
    if (responder)
        m_units[unit] = std::move(responder);
    else
        m_units.erase(unit);
}

void SimBus::SetFaults(const SimFaults& faults) {
    {
        std::lock_guard guard(m_lock);
        m_faults = faults;
        m_silentRemaining = faults.SilentCommands;
        if (!faults.Garbage) m_garbageActive = false;
    }
    Wake();
}

SimFaults SimBus::Faults() const {
    std::lock_guard guard(m_lock);
    SimFaults faults = m_faults;
    faults.SilentCommands = m_silentRemaining;
    return faults;
}

size_t SimBus::CommandsHandled() const {
    std::lock_guard guard(m_lock);
    return m_commandsTaken;
}

bool SimBus::WaitForCommands(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock guard(m_lock);
    return m_handled.wait_for(guard, timeout, [&] { return m_commandsDone >= count; });
}

std::string SimBus::LastCommand() const {
    std::lock_guard guard(m_lock);
    return m_lastCommand;
}

void SimBus::Run() {
    FrameAssembler assembler;
    while (!Stopping()) {
        bool garbage = false;
        {
            std::lock_guard guard(m_lock);
            garbage = m_garbageActive;
            if (!m_running) break;
        }
        if (garbage) {
            StreamGarbage();
            continue;
        }
        pollfd slots[2] = {{m_pty.MasterFd(), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(slots, 2, -1) < 0 && errno != EINTR) break;
        if (slots[1].revents) DrainWake();
        if (slots[0].revents & POLLIN) ReadLine(assembler);
    }
}

void SimBus::ReadLine(FrameAssembler& assembler) {
    char buffer[512];
    const ssize_t got = ::read(m_pty.MasterFd(), buffer, sizeof buffer);
    for (ssize_t i = 0; i < got; ++i) {
        auto frame = assembler.Push(buffer[i]);
        if (!frame) continue;
        Handle(*frame, Faults());
        std::lock_guard guard(m_lock);
        if (!m_running) return;
    }
}

void SimBus::Handle(const FrameAssembler::Frame& frame, const SimFaults& faults) {
    {
        std::lock_guard guard(m_lock);
        m_lastCommand = frame.Bytes;
        ++m_commandsTaken;
    }
    for (int i = 0; i < faults.EchoCount; ++i) Write(frame.Bytes, faults);
    const auto received = ReadCommandFrame(frame.Protocol, frame.Bytes);
    if (received) {
        if (faults.Garbage) {
            std::lock_guard guard(m_lock);
            m_garbageActive = true;
        } else if (const auto answer = Answer(*received, faults)) {
            if (WaitUntil(Clock::now() + std::chrono::milliseconds(faults.ReplyDelayMs))) {
                if (faults.VanishAfterBytes >= 0) {
                    const size_t kept = static_cast<size_t>(faults.VanishAfterBytes);
                    Write(std::string_view(*answer).substr(0, kept), faults);
                    Vanish();
                } else {
                    Write(*answer, faults);
                }
            }
        }
    }
    std::lock_guard guard(m_lock);
    ++m_commandsDone;
    m_handled.notify_all();
}

std::optional<std::string> SimBus::Answer(const ReceivedCommand& received,
                                          const SimFaults& faults) {
    std::shared_ptr<SimResponder> responder;
    {
        std::lock_guard guard(m_lock);
        if (m_silentRemaining > 0) {
            --m_silentRemaining;
            return std::nullopt;
        }
        const SimCommand& command = received.Command;
        if (!faults.SilentFor.empty() &&
            (faults.SilentFor == command.Text() || faults.SilentFor == command.Code))
            return std::nullopt;
        // A broadcast is answered by the first unit on the line only, so answers never collide.
        auto unit = received.Broadcast ? m_units.begin() : m_units.find(command.Unit);
        if (unit == m_units.end()) return std::nullopt;
        responder = unit->second;
    }
    const auto reply = responder->Respond(received.Command);
    if (!reply) return std::nullopt;
    return BuildReplyFrame(received, ApplyReplyFaults(*reply, faults), faults.CorruptCheck);
}

void SimBus::StreamGarbage() {
    pollfd slots[2] = {{m_pty.MasterFd(), POLLIN | POLLOUT, 0}, {m_wake[0], POLLIN, 0}};
    if (::poll(slots, 2, -1) < 0) return;
    if (slots[1].revents) DrainWake();
    if (slots[0].revents & POLLIN) {
        char discarded[512];
        (void)!::read(m_pty.MasterFd(), discarded, sizeof discarded);
    }
    if (slots[0].revents & POLLOUT)
        (void)!::write(m_pty.MasterFd(), kGarbage.data(), kGarbage.size());
}

bool SimBus::Write(std::string_view bytes, const SimFaults& faults) {
    if (faults.PaceBaud <= 0) return WriteNow(bytes);
    const auto charTime =
        std::chrono::nanoseconds(1'000'000'000LL * faults.PaceBitsPerChar / faults.PaceBaud);
    const auto start = Clock::now();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (!WaitUntil(start + charTime * static_cast<long long>(i)) ||
            !WriteNow(bytes.substr(i, 1)))
            return false;
    }
    return true;
}

bool SimBus::WriteNow(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(m_pty.MasterFd(), bytes.data(), bytes.size());
        if (done > 0) {
            bytes.remove_prefix(static_cast<size_t>(done));
            continue;
        }
        if (done < 0 && errno != EAGAIN && errno != EINTR) return false;
        // The client is not reading: wait for room, or for the bus to stop.
        pollfd slots[2] = {{m_pty.MasterFd(), POLLOUT, 0}, {m_wake[0], POLLIN, 0}};
        ::poll(slots, 2, -1);
        if (slots[1].revents) DrainWake();
        if (Stopping()) return false;
    }
    return true;
}

bool SimBus::WaitUntil(Clock::time_point deadline) {
    for (;;) {
        if (Stopping()) return false;
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) return true;
        pollfd slot{m_wake[0], POLLIN, 0};
        const timespec span = ToTimespec(left);
        if (::ppoll(&slot, 1, &span, nullptr) > 0) DrainWake();
    }
}

void SimBus::Wake() {
    if (m_wake[1] >= 0) (void)!::write(m_wake[1], "w", 1);
}

void SimBus::DrainWake() {
    char drained[64];
    while (::read(m_wake[0], drained, sizeof drained) > 0) {
    }
}

bool SimBus::Stopping() const {
    std::lock_guard guard(m_lock);
    return m_stopping;
}

void SimBus::Vanish() {
    // A hang-up discards what the client has not read yet; let the partial answer reach it
    // first, so that the client sees the line die in the middle of a frame. The bytes show
    // up on the client's side a moment after the write, so "nothing pending" only counts
    // once they were seen or that moment has passed.
    const auto start = Clock::now();
    bool seen = false;
    while (Clock::now() - start < std::chrono::seconds(2)) {
        const bool pending = m_pty.PendingForClient() > 0;
        seen = seen || pending;
        if (!pending && (seen || Clock::now() - start > std::chrono::milliseconds(50))) break;
        if (!WaitUntil(Clock::now() + std::chrono::milliseconds(1))) break;
    }
    m_pty.Close();
    std::lock_guard guard(m_lock);
    m_running = false;
}
