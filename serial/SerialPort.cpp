#include "serial/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "serial/LineSettingsText.h"
#include "serial/LineSpeed.h"
#include "serial/LowLatency.h"
#include "serial/Rs485.h"
#include "serial/TermiosLine.h"

namespace {

// How long a write may make no progress before the line counts as dead.  A frame fits
// the driver's queue, so only a line that stopped taking bytes gets near this.
constexpr int kWriteStallLimitMs = 5000;

}  // namespace

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort() {
    if (IsOpen()) Close();
}

bool CSerialPort::SetSettings(const std::string& name, std::uint32_t baudRate,
                              std::uint16_t dataBits, std::uint16_t stopBits,
                              std::uint16_t parity) {
    m_portName.clear();
    if (name.empty() || dataBits < 4 || dataBits > 8 || (stopBits != 1 && stopBits != 2) ||
        parity > 2) {
        return false;
    }
    m_portName = name;
    m_baudRate = baudRate;
    m_dataBits = dataBits;
    m_stopBits = stopBits;
    m_parity = parity;
    return true;
}

std::uint32_t CSerialPort::CharacterMicroseconds() const {
    if (m_baudRate == 0) return 0;
    const std::uint32_t bits = 1u + m_dataBits + (m_parity != 0 ? 1u : 0u) + m_stopBits;
    return static_cast<std::uint32_t>(1'000'000ull * bits / m_baudRate);
}

bool CSerialPort::Open() {
    m_opening = true;
    const bool answer = OpenAndConfigure();
    m_opening = false;
    return answer;
}

bool CSerialPort::OpenAndConfigure() {
    if (m_portName.empty() || IsOpen()) return false;
    const std::string settingsText =
        FormatSettingsText(m_baudRate, m_parity, m_dataBits, m_stopBits);

    std::lock_guard guard(m_lock);
    if (IsNetPortName(m_portName)) {
        const auto name = ParseNetPortName(m_portName);
        if (name) return OpenNetwork(*name);
        m_openError = EINVAL;
        return false;
    }
    // Non-blocking: the open must not wait for a carrier, and reads only ever take what
    // is queued.  No controlling terminal: a line must never send the program signals.
    const int fd = ::open(m_portName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_openError = errno;
        return false;
    }
    // Exclusive use: TIOCEXCL keeps other programs out, except root, which it does not
    // stop; the advisory lock also holds against a second VEXA running as root.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_openError = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    m_fd = fd;
    m_transport = ETransport::kTty;
    ClearReceiveBuffer();
    m_openError = 0;
    // A device that cannot be configured stays open until Close.
    if (!Configure(settingsText) || ::tcflush(m_fd, TCIOFLUSH) != 0) return false;
    // Without low latency the line still works, only slower: no reason to refuse the port.
    m_lowLatency = EnableLowLatency(m_fd, m_previousSerialFlags);
    return true;
}

bool CSerialPort::OpenNetwork(const SNetPortName& name) {
    int error = 0;
    const int fd = ConnectNetPort(name, kNetConnectTimeoutMs, error);
    ++m_systemCalls;
    if (fd < 0) {
        m_openError = error;
        return false;
    }
    m_fd = fd;
    m_transport = name.kind == NetPortKind::kRfc2217 ? ETransport::kTelnet : ETransport::kTcp;
    ClearReceiveBuffer();
    m_lowLatency = LowLatencyResult::kNotSupported;
    m_openError = 0;
    if (m_transport == ETransport::kTcp) return true;
    // Over raw TCP the server's own settings hold; over RFC 2217 this side sets them.
    m_telnet = CTelnetLine();
    PendingReport ignored;
    const std::string greeting = m_telnet.Greeting();
    if (!WriteAll(greeting.data(), greeting.size(), ignored) ||
        !WaitForServer([this] { return m_telnet.PortControlAgreed(); })) {
        if (m_openError == 0) m_openError = ignored.errorNumber;
        if (m_openError == 0) m_openError = EPROTONOSUPPORT;
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    const auto settings = CTelnetLine::LineSettings(m_baudRate, m_dataBits, m_parity, m_stopBits);
    for (std::size_t i = 0; i < settings.size(); ++i) {
        if (!WriteAll(settings[i].data(), settings[i].size(), ignored) ||
            !WaitForServer([this, i] { return m_telnet.SettingAcknowledged(i); })) {
            if (m_openError == 0) m_openError = ignored.errorNumber;
            ::close(m_fd);
            m_fd = -1;
            return false;
        }
    }
    ClearReceiveBuffer();
    return true;
}

bool CSerialPort::WaitForServer(const std::function<bool()>& done) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kNetConnectTimeoutMs);
    while (!done()) {
        if (m_telnet.PortControlRefused()) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            // A server that stays silent is no RFC 2217 server (a raw TCP one, say).
            m_openError = EPROTONOSUPPORT;
            return false;
        }
        pollfd slot{m_fd, POLLIN, 0};
        const int ready = ::poll(&slot, 1, static_cast<int>(left.count()));
        ++m_systemCalls;
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t count = ::read(m_fd, m_receiveBuffer.data(), m_receiveBuffer.size());
        ++m_systemCalls;
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (count <= 0) {
            m_openError = count < 0 ? errno : ECONNRESET;
            return false;
        }
        // Data before the line is set up is noise from the old settings: dropped.
        PendingReport report;
        FilterTelnet(static_cast<std::size_t>(count), report);
        if (report.context != nullptr) {
            m_openError = report.errorNumber;
            return false;
        }
    }
    return true;
}

std::size_t CSerialPort::FilterTelnet(std::size_t length, PendingReport& report) {
    const std::size_t kept = m_telnet.Filter(m_receiveBuffer.data(), length);
    const std::string replies = m_telnet.TakeReplies();
    if (!replies.empty()) WriteAll(replies.data(), replies.size(), report);
    return kept;
}

bool CSerialPort::Configure(const std::string& settingsText) {
    if (!m_opening || !IsOpen()) return false;
    termios block{};
    if (::tcgetattr(m_fd, &block) != 0) return false;
    auto line = ParseSettingsText(settingsText);
    if (!line) return false;
    line->parity = m_parity;
    ApplyRawLine(block, *line);
    return SetRawLine(m_fd, block) && SetLineSpeed(m_fd, line->baudRate);
}

bool CSerialPort::EnableRtsToggle() {
    return IsOpen() && EnableRtsOnSend(m_fd) != Rs485Result::kFailed;
}

bool CSerialPort::Close() {
    if (!IsOpen()) return false;
    std::lock_guard guard(m_lock);
    // Lifts TIOCEXCL: on a pty it would otherwise outlive this descriptor.
    if (IsTty()) ::ioctl(m_fd, TIOCNXCL);
    // The flag belongs to the device, not to this descriptor: leave it as it was found.
    if (m_lowLatency == LowLatencyResult::kEnabled) RestoreLowLatency(m_fd, m_previousSerialFlags);
    m_lowLatency = LowLatencyResult::kNotSupported;
    ::close(m_fd);
    m_fd = -1;
    m_transport = ETransport::kTty;
    ClearReceiveBuffer();
    return true;
}

bool CSerialPort::Send(const char* bytes, std::size_t length) {
    if (bytes == nullptr || length == 0 || !IsOpen()) return false;
    if (!IsSent()) return false;

    PendingReport report;
    bool sent = false;
    {
        std::lock_guard guard(m_lock);
        if (m_transport == ETransport::kTelnet) {
            const std::string escaped = CTelnetLine::Escape(bytes, length);
            sent = WriteAll(escaped.data(), escaped.size(), report);
        } else {
            sent = WriteAll(bytes, length, report);
        }
        if (!sent) m_portStatus.Set(CommStatusCode::kPlatformError);
    }
    Deliver(report);
    return sent;
}

bool CSerialPort::WriteAll(const char* bytes, std::size_t length, PendingReport& report) {
    std::size_t written = 0;
    while (written < length) {
        // A socket whose peer went must fail the write, not kill the program with SIGPIPE.
        const ssize_t count = IsTty()
                                  ? ::write(m_fd, bytes + written, length - written)
                                  : ::send(m_fd, bytes + written, length - written, MSG_NOSIGNAL);
        ++m_systemCalls;
        if (count > 0) {
            written += static_cast<std::size_t>(count);
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno != EAGAIN) {
            report = {"WriteFile()", errno};
            return false;
        }
        // The driver's queue is full: wait until it takes bytes again.
        pollfd slot{m_fd, POLLOUT, 0};
        const int ready = ::poll(&slot, 1, kWriteStallLimitMs);
        ++m_systemCalls;
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || (slot.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            report = {"CSerialPort::Send", ready == 0 ? ETIMEDOUT : (ready < 0 ? errno : EIO)};
            return false;
        }
    }
    return true;
}

bool CSerialPort::IsSent() {
    if (!IsOpen()) return false;
    // A socket has no line to drain: once the kernel has the bytes, pacing is the server's.
    if (!IsTty()) return true;
    PendingReport report;
    bool empty = false;
    {
        std::lock_guard guard(m_lock);
        int queued = 0;
        ++m_systemCalls;
        if (::ioctl(m_fd, TIOCOUTQ, &queued) != 0) {
            report = {"CSerialPort::IsSent", errno};
        } else if (queued == 0) {
            empty = true;
        } else {
            ++m_systemCalls;
            // Once the queue has drained, the next write starts on an idle line.
            if (::tcdrain(m_fd) == 0) {
                empty = true;
            } else {
                report = {"CSerialPort::IsSent", errno};
            }
        }
        if (report.context != nullptr) m_portStatus.Set(CommStatusCode::kPlatformError);
    }
    Deliver(report);
    return empty;
}

bool CSerialPort::ReceiveByte(char* out) {
    if (out == nullptr) {
        m_portStatus.Set(CommStatusCode::kNoPlace);
        return false;
    }
    if (!IsOpen()) {
        m_portStatus.Set(CommStatusCode::kNotOpen);
        return false;
    }
    if (m_receiveNext == m_receiveEnd && !FillReceiveBuffer()) return false;
    *out = m_receiveBuffer[m_receiveNext++];
    m_portStatus.Set(CommStatusCode::kReceived);
    return true;
}

bool CSerialPort::FillReceiveBuffer() {
    if (!m_lineMayHaveInput) {
        m_portStatus.Set(CommStatusCode::kQueueEmpty);
        return false;
    }
    PendingReport report;
    ssize_t count = 0;
    {
        std::lock_guard guard(m_lock);
        count = ::read(m_fd, m_receiveBuffer.data(), m_receiveBuffer.size());
        ++m_systemCalls;
        if (count > 0) {
            const auto length = static_cast<std::size_t>(count);
            m_receiveNext = 0;
            m_receiveEnd =
                m_transport == ETransport::kTelnet ? FilterTelnet(length, report) : length;
            // A read that left room emptied the driver's queue: what comes next, a wait sees.
            m_lineMayHaveInput = length == m_receiveBuffer.size();
            if (report.context != nullptr) {
                m_receiveEnd = 0;
                m_portStatus.Set(CommStatusCode::kPlatformError);
            } else if (m_receiveEnd == 0) {
                // Only telnet commands came: nothing for the caller yet.
                m_portStatus.Set(CommStatusCode::kQueueEmpty);
            }
        } else if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            m_lineMayHaveInput = errno == EINTR;
            m_portStatus.Set(CommStatusCode::kQueueEmpty);
        } else {
            // End of file (a hung-up line) or a read error: the line is gone.
            report = {"SerialPort::ReceiveByte", count < 0 ? errno : EIO};
            m_portStatus.Set(CommStatusCode::kPlatformError);
        }
    }
    Deliver(report);
    return m_receiveNext < m_receiveEnd;
}

void CSerialPort::ClearReceiveBuffer() {
    m_receiveNext = 0;
    m_receiveEnd = 0;
    m_lineMayHaveInput = true;
}

bool CSerialPort::WaitForInput(int timeoutMs) {
    if (!IsOpen()) {
        m_portStatus.Set(CommStatusCode::kNotOpen);
        return false;
    }
    if (m_receiveNext < m_receiveEnd) return true;
    pollfd slots[2] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    const int ready = ::poll(slots, m_wakeFd >= 0 ? 2 : 1, timeoutMs < 0 ? 0 : timeoutMs);
    ++m_systemCalls;
    if (ready > 0 && slots[0].revents != 0) m_lineMayHaveInput = true;
    if (ready < 0 && errno != EINTR) {
        const PendingReport report{"SerialPort::ReceiveByte", errno};
        m_portStatus.Set(CommStatusCode::kPlatformError);
        Deliver(report);
        return false;
    }
    if (m_wakeFd >= 0 && (slots[1].revents & POLLIN) != 0) {
        // One read empties an eventfd; a pipe with more left wakes the next wait, no more.
        char sink[64];
        [[maybe_unused]] const ssize_t drained = ::read(m_wakeFd, sink, sizeof sink);
        ++m_systemCalls;
    }
    // A hang-up with nothing left to read would wake every poll at once: the line is
    // gone, and saying so now keeps the caller from spinning until its time-out.
    if (slots[0].revents != 0 && (slots[0].revents & POLLIN) == 0) {
        m_portStatus.Set(CommStatusCode::kPlatformError);
        Deliver({"SerialPort::ReceiveByte", EIO});
        return false;
    }
    return true;
}

void CSerialPort::ReportError(const std::string& context) {
    const int errorNumber = errno;
    if (m_reporter) m_reporter(FormatErrorReport(context, errorNumber));
}

void CSerialPort::SetErrorReporter(ErrorReporter reporter) { m_reporter = std::move(reporter); }

// Reports are delivered after the lock is released: a reporter may pump window events.
void CSerialPort::Deliver(const PendingReport& report) {
    if (report.context == nullptr) return;
    if (m_reporter) m_reporter(FormatErrorReport(report.context, report.errorNumber));
}
