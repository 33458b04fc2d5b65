#include "serial/TermiosLine.h"

#include <array>
#include <cerrno>
#include <utility>

void ApplyRawLine(termios& block, const LineSettings& line) {
    // Input: frames are binary (a check byte may be any value), so nothing may be
    // translated, stripped, marked or taken as flow control.
    block.c_iflag &= ~tcflag_t{IGNBRK | BRKINT};  // a break is just a zero byte, no signal
    block.c_iflag &= ~tcflag_t{PARMRK | INPCK};   // parity is not checked nor marked in the data
    block.c_iflag &= ~tcflag_t{ISTRIP};           // keep the eighth bit
    block.c_iflag &= ~tcflag_t{INLCR | IGNCR | ICRNL};  // CR ends at-frames: keep it as sent
    block.c_iflag &= ~tcflag_t{IXON | IXOFF | IXANY};   // 0x11/0x13 are data, not XON/XOFF
    // Output: bytes go out exactly as written.
    block.c_oflag &= ~tcflag_t{OPOST};
    // Local: no line editing, no echo, no signal characters.
    block.c_lflag &= ~tcflag_t{ICANON | ECHO | ECHOE | ECHONL | ISIG | IEXTEN};
    // Control: ignore modem status lines (no DSR/CD dependence) and no CTS flow control;
    // the receiver is on.  DTR and RTS stay as the driver raised them on open.
    block.c_cflag |= CLOCAL | CREAD;
    block.c_cflag &= ~tcflag_t{CRTSCTS};

    block.c_cflag &= ~tcflag_t{CSIZE};
    switch (line.dataBits) {
        case 5:
            block.c_cflag |= CS5;
            break;
        case 6:
            block.c_cflag |= CS6;
            break;
        case 7:
            block.c_cflag |= CS7;
            break;
        default:
            block.c_cflag |= CS8;
            break;
    }
    block.c_cflag &= ~tcflag_t{PARENB | PARODD};
    if (line.parity == 1) block.c_cflag |= PARENB | PARODD;
    if (line.parity == 2) block.c_cflag |= PARENB;
    if (line.stopBits == 2) {
        block.c_cflag |= CSTOPB;
    } else {
        block.c_cflag &= ~tcflag_t{CSTOPB};
    }

    // The descriptor is non-blocking, so a read returns at once with what is queued and the
    // caller waits in poll().  A minimum of one makes an empty queue answer EAGAIN: a read of
    // nothing then means only end of file, a line that hung up.
    block.c_cc[VMIN] = 1;
    block.c_cc[VTIME] = 0;
}

bool SetRawLine(int fd, const termios& block) {
    if (tcsetattr(fd, TCSANOW, &block) == 0) return true;
    // The C library answers EINVAL when the driver changed nothing it was asked to, which
    // is what a pty does when only the framing bits differ from its current set-up.
    if (errno != EINVAL) return false;
    termios taken{};
    if (tcgetattr(fd, &taken) != 0) return false;
    constexpr tcflag_t kFraming = CSIZE | PARENB | PARODD;
    return taken.c_iflag == block.c_iflag && taken.c_oflag == block.c_oflag &&
           taken.c_lflag == block.c_lflag &&
           (taken.c_cflag & ~kFraming) == (block.c_cflag & ~kFraming);
}

std::optional<speed_t> StandardSpeed(std::uint32_t baudRate) {
    static constexpr std::array<std::pair<std::uint32_t, speed_t>, 30> kSpeeds{{
        {50, B50},           {75, B75},           {110, B110},         {134, B134},
        {150, B150},         {200, B200},         {300, B300},         {600, B600},
        {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
        {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
        {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
        {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
        {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
        {3500000, B3500000}, {4000000, B4000000},
    }};
    for (const auto& [rate, constant] : kSpeeds) {
        if (rate == baudRate) return constant;
    }
    return std::nullopt;
}
