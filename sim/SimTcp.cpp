#include "sim/SimTcp.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// A side that takes no bytes for this long is treated as gone.
constexpr int kWriteStallMs = 2000;

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

bool WriteAll(int fd, const char* bytes, size_t length) {
    size_t done = 0;
    while (done < length) {
        const ssize_t count = ::send(fd, bytes + done, length - done, MSG_NOSIGNAL);
        // The pty is no socket: send answers ENOTSOCK there, and write does the same job.
        const ssize_t written =
            count < 0 && errno == ENOTSOCK ? ::write(fd, bytes + done, length - done) : count;
        if (written > 0) {
            done += static_cast<size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno != EAGAIN) return false;
        pollfd slot{fd, POLLOUT, 0};
        if (::poll(&slot, 1, kWriteStallMs) <= 0 || (slot.revents & POLLOUT) == 0) return false;
    }
    return true;
}

}  // namespace

bool SimTcpLine::Start(std::uint16_t port, std::function<std::string()> linePath,
                       std::string& error) {
    Stop();
    m_linePath = std::move(linePath);
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int on = 1;
    socklen_t size = sizeof address;
    if (m_listen < 0 || ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listen, 4) != 0 ||
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        ::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        Stop();
        return false;
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Run(); });
    return true;
}

void SimTcpLine::Stop() {
    if (m_thread.joinable()) {
        (void)!::write(m_wake[1], "x", 1);
        m_thread.join();
    }
    Drop();
    CloseFd(m_listen);
    CloseFd(m_wake[0]);
    CloseFd(m_wake[1]);
    m_port = 0;
}

void SimTcpLine::Run() {
    for (;;) {
        pollfd slots[4] = {{m_wake[0], POLLIN, 0},
                           {m_listen, POLLIN, 0},
                           {m_client, POLLIN, 0},
                           {m_line, POLLIN, 0}};
        if (::poll(slots, 4, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (slots[0].revents != 0) return;
        if (slots[1].revents & POLLIN) Accept();
        // A pty whose master closed reports POLLHUP, with or without bytes left to read.
        if (slots[3].revents != 0 && m_line >= 0 && !Relay(m_line, m_client)) Drop();
        if (slots[2].revents != 0 && m_client >= 0 && !Relay(m_client, m_line)) Drop();
    }
}

void SimTcpLine::Accept() {
    const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    // One client at a time, as a serial line has one end; a second is turned away.
    if (m_client >= 0) {
        ::close(fd);
        return;
    }
    m_line = ::open(m_linePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_line < 0) {
        ::close(fd);
        return;
    }
    m_client = fd;
}

void SimTcpLine::Drop() {
    CloseFd(m_client);
    CloseFd(m_line);
}

bool SimTcpLine::Relay(int from, int to) {
    char buffer[512];
    const ssize_t count = ::read(from, buffer, sizeof buffer);
    if (count < 0) return errno == EAGAIN || errno == EINTR;
    return count > 0 && WriteAll(to, buffer, static_cast<size_t>(count));
}
