#include "RawLineClient.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

#include "protocol/ControlBytes.h"
#include "protocol/FrameEnd.h"
#include "support/PtyPair.h"

RawLineClient::RawLineClient(const std::string& devicePath) {
    m_fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios line{};
    if (m_fd < 0 || tcgetattr(m_fd, &line) != 0) throw std::runtime_error("cannot open line");
    cfmakeraw(&line);
    tcsetattr(m_fd, TCSANOW, &line);
}

RawLineClient::~RawLineClient() {
    if (m_fd >= 0) ::close(m_fd);
}

void RawLineClient::Send(const std::string& bytes) {
    if (::write(m_fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
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
    return ReadWithin(m_fd, count, waitMs);
}
