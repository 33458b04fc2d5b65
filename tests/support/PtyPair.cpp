#include "PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

PtyPair::PtyPair() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        throw std::runtime_error("cannot create a pseudo-terminal");
    }
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) {
        throw std::runtime_error("cannot name the pseudo-terminal");
    }
    slavePath_ = name;
}

PtyPair::~PtyPair() { CloseMaster(); }

void PtyPair::Write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (count <= 0) throw std::runtime_error("cannot write to the pseudo-terminal");
        done += static_cast<std::size_t>(count);
    }
}

std::string PtyPair::Read(std::size_t count, int waitMs) {
    std::string bytes;
    while (bytes.size() < count) {
        pollfd slot{master_, POLLIN, 0};
        if (::poll(&slot, 1, waitMs) <= 0) break;
        char buffer[256];
        const std::size_t want = std::min(sizeof buffer, count - bytes.size());
        const ssize_t got = ::read(master_, buffer, want);
        if (got <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

void PtyPair::CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}
