#include "sim/SimBus.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
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
    m_linkPath = linkPath;
    m_late.clear();
    {
        std::lock_guard guard(m_lock);
        m_slavePath = m_pty.SlavePath();
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

std::string SimBus::SlavePath() const {
    std::lock_guard guard(m_lock);
    return m_slavePath;
}

std::string SimBus::Error() const {
    std::lock_guard guard(m_lock);
    return m_error;
}

bool SimBus::Running() const {
    std::lock_guard guard(m_lock);
    return m_running;
}

bool SimBus::WaitForLine(bool up, std::chrono::milliseconds timeout) const {
    std::unique_lock guard(m_lock);
    return m_handled.wait_for(guard, timeout, [&] { return m_running == up; });
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
        m_selector.Reset(faults.Scope, m_commandsTaken);
        m_vanishAt = faults.VanishAfterCommands > 0
                         ? m_commandsTaken + static_cast<size_t>(faults.VanishAfterCommands)
                         : 0;
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

SimCounts SimBus::Counts() const {
    std::lock_guard guard(m_lock);
    return m_counts;
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
        bool up = false;
        {
            std::lock_guard guard(m_lock);
            garbage = m_garbageActive;
            up = m_running;
        }
        if (!up) {
            m_late.clear();  // a vanished line forgets the answers it held back
            if (!Return()) break;
            assembler = FrameAssembler();
            continue;
        }
        if (garbage) {
            StreamGarbage();
            continue;
        }
        pollfd slots[2] = {{m_pty.MasterFd(), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        const auto limit = UntilNextDue();
        if (::ppoll(slots, 2, limit ? &*limit : nullptr, nullptr) < 0 && errno != EINTR) break;
        if (slots[1].revents) DrainWake();
        if (slots[0].revents & POLLIN) ReadLine(assembler);
        SendDueAnswers();
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

void SimBus::Handle(const FrameAssembler::Frame& frame, const SimFaults& configured) {
    const auto received = ReadCommandFrame(frame.Protocol, frame.Bytes);
    size_t number = 0;
    bool hit = false;
    {
        std::lock_guard guard(m_lock);
        m_lastCommand = frame.Bytes;
        number = ++m_commandsTaken;
        hit = m_selector.Hits(number, received ? &received->Command : nullptr);
    }
    const SimFaults faults = hit ? configured : SparedFaults(configured);
    SimCounts counts;
    counts.Commands = 1;
    if (faults.EchoCount > 0) counts.Echoed = 1;
    for (int i = 0; i < faults.EchoCount; ++i) Write(frame.Bytes, faults);
    if (received) {
        if (faults.Garbage) {
            std::lock_guard guard(m_lock);
            if (!m_garbageActive) counts.Garbage = 1;
            m_garbageActive = true;
        } else if (const auto answer = Answer(*received, faults, counts)) {
            Deliver(*answer, faults, counts);
        }
    }
    if (counts.AnyFault()) counts.Faulted = 1;
    bool vanish = false;
    {
        std::lock_guard guard(m_lock);
        m_counts += counts;
        ++m_commandsDone;
        m_handled.notify_all();
        vanish = m_running && number == m_vanishAt;
        if (vanish) ++m_counts.Vanished;
    }
    if (vanish) Vanish();
}

std::optional<std::string> SimBus::Answer(const ReceivedCommand& received, const SimFaults& faults,
                                          SimCounts& counts) {
    std::shared_ptr<SimResponder> responder;
    {
        std::lock_guard guard(m_lock);
        if (faults.SilentCommands > 0 && m_silentRemaining > 0) {
            --m_silentRemaining;
            counts.Silenced = 1;
            return std::nullopt;
        }
        const SimCommand& command = received.Command;
        if (!faults.SilentFor.empty() &&
            (faults.SilentFor == command.Text() || faults.SilentFor == command.Code)) {
            counts.Silenced = 1;
            return std::nullopt;
        }
        // A broadcast is answered by the first unit on the line only, so answers never collide.
        auto unit = received.Broadcast ? m_units.begin() : m_units.find(command.Unit);
        if (unit == m_units.end()) return std::nullopt;
        responder = unit->second;
    }
    const auto reply = responder->Respond(received.Command);
    if (!reply) return std::nullopt;
    const bool quadrel = received.Command.Protocol == SimProtocol::Quadrel;
    counts.CorruptChecks = faults.CorruptCheck;
    counts.EndCodes = quadrel && faults.EndCode >= 0;
    counts.ResponseCodes = quadrel && faults.ResponseCode >= 0;
    counts.AtIcs = !quadrel && faults.AtIc;
    counts.AtEndCodes = !quadrel && !faults.AtIc && !faults.AtEndCode.empty();
    counts.Noised = !faults.Noise.empty();
    return faults.Noise +
           BuildReplyFrame(received, ApplyReplyFaults(*reply, faults), faults.CorruptCheck);
}

void SimBus::Deliver(const std::string& answer, const SimFaults& faults, SimCounts& counts) {
    counts.Delayed = faults.ReplyDelayMs > 0;
    counts.Vanished = faults.VanishAfterBytes >= 0;
    if (!WaitUntil(Clock::now() + std::chrono::milliseconds(faults.ReplyDelayMs))) return;
    if (faults.LateMs > 0) {
        counts.Late = 1;
        m_late.push_back({Clock::now() + std::chrono::milliseconds(faults.LateMs), answer, faults});
        return;
    }
    Send(answer, faults);
}

void SimBus::Send(std::string_view answer, const SimFaults& faults) {
    if (faults.VanishAfterBytes < 0) {
        Write(answer, faults);
        return;
    }
    Write(answer.substr(0, static_cast<size_t>(faults.VanishAfterBytes)), faults);
    Vanish();
}

void SimBus::SendDueAnswers() {
    // Oldest first; answers held equally long keep the order of their commands.
    std::stable_sort(m_late.begin(), m_late.end(),
                     [](const LateAnswer& a, const LateAnswer& b) { return a.Due < b.Due; });
    const auto now = Clock::now();
    size_t sent = 0;
    while (sent < m_late.size() && m_late[sent].Due <= now && Running()) {
        Send(m_late[sent].Bytes, m_late[sent].Faults);
        ++sent;
    }
    m_late.erase(m_late.begin(), m_late.begin() + static_cast<std::ptrdiff_t>(sent));
}

std::optional<timespec> SimBus::UntilNextDue() const {
    if (m_late.empty()) return std::nullopt;
    auto next = m_late.front().Due;
    for (const LateAnswer& late : m_late) next = std::min(next, late.Due);
    return ToTimespec(std::max(next - Clock::now(), Clock::duration::zero()));
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
    {
        // Down before the hang-up, so that whoever sees the hang-up finds the line down.
        std::lock_guard guard(m_lock);
        m_running = false;
        m_garbageActive = false;
    }
    m_pty.Close();
    std::lock_guard guard(m_lock);
    m_goneSince = Clock::now();
    // Faults cleared while the line is down must not keep it down for good.
    m_returnAfterMs = m_faults.ReturnAfterMs;
    m_handled.notify_all();
}

bool SimBus::Return() {
    Clock::time_point back;
    {
        std::lock_guard guard(m_lock);
        if (m_returnAfterMs < 0) return false;
        back = m_goneSince + std::chrono::milliseconds(m_returnAfterMs);
    }
    if (!WaitUntil(back)) return false;
    std::string error;
    if (!m_pty.Open(error) || (!m_linkPath.empty() && !m_pty.MakeLink(m_linkPath, error))) {
        m_pty.Close();
        std::lock_guard guard(m_lock);
        m_error = error;
        return false;
    }
    std::lock_guard guard(m_lock);
    m_slavePath = m_pty.SlavePath();
    m_running = true;
    ++m_counts.Returned;
    m_handled.notify_all();
    return true;
}
