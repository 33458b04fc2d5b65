// The kernel's termios2 header clashes with the C library's <termios.h>, so it is
// included only here, in a file that includes nothing else from termios.
#include "serial/ArbitraryBaud.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetArbitraryBaud(int fd, std::uint32_t baudRate) {
    termios2 block{};
    if (ioctl(fd, TCGETS2, &block) != 0) return false;
    block.c_cflag &= ~tcflag_t{CBAUD | (CBAUD << IBSHIFT)};
    block.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    block.c_ispeed = baudRate;
    block.c_ospeed = baudRate;
    if (ioctl(fd, TCSETS2, &block) != 0) return false;

    termios2 taken{};
    if (ioctl(fd, TCGETS2, &taken) != 0) return false;
    const auto difference =
        taken.c_ospeed > baudRate ? taken.c_ospeed - baudRate : baudRate - taken.c_ospeed;
    return difference * 50 <= baudRate;
}
