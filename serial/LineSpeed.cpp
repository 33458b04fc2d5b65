#include "serial/LineSpeed.h"

#include <termios.h>

#include "serial/ArbitraryBaud.h"
#include "serial/TermiosLine.h"

bool SetLineSpeed(int fd, std::uint32_t baudRate) {
    const auto standard = StandardSpeed(baudRate);
    if (!standard) return SetArbitraryBaud(fd, baudRate);

    termios block{};
    if (tcgetattr(fd, &block) != 0) return false;
    cfsetispeed(&block, *standard);
    cfsetospeed(&block, *standard);
    if (tcsetattr(fd, TCSANOW, &block) != 0) return false;
    // A driver that cannot run the rate stores the one it runs instead.
    termios taken{};
    return tcgetattr(fd, &taken) == 0 && cfgetospeed(&taken) == *standard;
}
