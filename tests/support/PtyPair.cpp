#include "PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

PtyPair::PtyPair() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        throw std::runtime_error("cannot create a pseudo-terminal");
    }
    char name[128];
    if (ptsname_r(m_master, name, sizeof name) != 0) {
        throw std::runtime_error("cannot name the pseudo-terminal");
    }
    m_slavePath = name;
}

PtyPair::~PtyPair() { CloseMaster(); }

void PtyPair::Write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(m_master, bytes.data() + done, bytes.size() - done);
        // A signal (the fuzzer's time-out alarm) may interrupt a write the line made wait.
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) throw std::runtime_error("cannot write to the pseudo-terminal");
        done += static_cast<std::size_t>(count);
    }
}

std::string PtyPair::Read(std::size_t count, int waitMs) {
    return ReadWithin(m_master, count, waitMs);
}

void PtyPair::CloseMaster() {
    if (m_master >= 0) ::close(m_master);
    m_master = -1;
}

std::string ReadWithin(int fd, std::size_t count, int waitMs) {
    std::string bytes;
    while (bytes.size() < count) {
        pollfd slot{fd, POLLIN, 0};
        if (::poll(&slot, 1, waitMs) <= 0) break;
        char buffer[512];
        const std::size_t want = std::min(sizeof buffer, count - bytes.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}
