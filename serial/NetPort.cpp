#include "serial/NetPort.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace {

constexpr const char* kRawScheme = "socket://";
constexpr const char* kTelnetScheme = "rfc2217://";

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Waits for a non-blocking connect to finish; answers 0 or the errno it ended with.
int FinishConnect(int fd, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return ETIMEDOUT;
        pollfd slot{fd, POLLOUT, 0};
        const int ready = ::poll(&slot, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return errno;
        if (ready == 0) return ETIMEDOUT;
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return errno;
        return error;
    }
}

}  // namespace

bool IsNetPortName(const std::string& name) {
    return StartsWith(name, kRawScheme) || StartsWith(name, kTelnetScheme);
}

std::optional<SNetPortName> ParseNetPortName(const std::string& name) {
    SNetPortName parsed;
    std::string rest;
    if (StartsWith(name, kRawScheme)) {
        rest = name.substr(std::char_traits<char>::length(kRawScheme));
    } else if (StartsWith(name, kTelnetScheme)) {
        parsed.kind = NetPortKind::kRfc2217;
        rest = name.substr(std::char_traits<char>::length(kTelnetScheme));
    } else {
        return std::nullopt;
    }
    // The last colon splits: "[::1]:4001" keeps its address's own colons.
    const auto colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == rest.size()) return std::nullopt;
    std::string host = rest.substr(0, colon);
    const std::string portText = rest.substr(colon + 1);
    if (host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
    if (host.empty() || portText.size() > 5 ||
        portText.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const long port = std::strtol(portText.c_str(), nullptr, 10);
    if (port < 1 || port > 65535) return std::nullopt;
    parsed.host = host;
    parsed.port = static_cast<std::uint16_t>(port);
    return parsed;
}

int ConnectNetPort(const SNetPortName& name, int timeoutMs, int& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name.host.c_str(), std::to_string(name.port).c_str(), &hints, &found) != 0 ||
        found == nullptr) {
        error = ENOENT;
        return -1;
    }
    error = ECONNREFUSED;
    int fd = -1;
    for (const addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            error = errno;
            continue;
        }
        const int started = ::connect(fd, a->ai_addr, a->ai_addrlen);
        const int result =
            started == 0 ? 0 : (errno == EINPROGRESS ? FinishConnect(fd, timeoutMs) : errno);
        if (result != 0) {
            error = result;
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    if (fd < 0) return -1;
    // Frames are small and answered one at a time: waiting to fill a segment only adds delay.
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    error = 0;
    return fd;
}
