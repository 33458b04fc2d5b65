#include "RawLineClient.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

#include "protocol/ControlBytes.h"
#include "protocol/FrameEnd.h"

RawLineClient::RawLineClient(const std::string& devicePath) {
    fd_ = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios line{};
    if (fd_ < 0 || tcgetattr(fd_, &line) != 0) throw std::runtime_error("cannot open line");
    cfmakeraw(&line);
    tcsetattr(fd_, TCSANOW, &line);
}

RawLineClient::~RawLineClient() {
    if (fd_ >= 0) ::close(fd_);
}

void RawLineClient::Send(const std::string& bytes) {
    if (::write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot write to the line");
}

std::string RawLineClient::ReadFrame(int waitMs) {
    std::string bytes;
    for (;;) {
        const std::string byte = Read(1, waitMs);
        if (byte.empty()) return bytes;
        bytes += byte;
        const bool done =
            bytes[0] == kStx ? IsQuadrelFrameComplete(bytes) : IsAtFrameComplete(bytes);
        if (done) return bytes;
    }
}

std::string RawLineClient::Read(size_t count, int waitMs) {
    std::string bytes;
    while (bytes.size() < count && !hungUp_) {
        pollfd slot{fd_, POLLIN, 0};
        if (::poll(&slot, 1, waitMs) <= 0) break;
        char buffer[512];
        const size_t want = std::min(sizeof buffer, count - bytes.size());
        const ssize_t got = ::read(fd_, buffer, want);
        if (got <= 0) {
            hungUp_ = true;  // a pty slave reads EOF or EIO once its master is gone
            break;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return bytes;
}
