// The kernel's RS-485 structure lives in a kernel header; only this file includes it.
#include "serial/Rs485.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include <cerrno>

Rs485Result EnableRtsOnSend(int fd) {
    serial_rs485 config{};
    if (ioctl(fd, TIOCGRS485, &config) != 0) {
        return errno == ENOTTY ? Rs485Result::kNotSupported : Rs485Result::kFailed;
    }
    config.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    config.flags &= ~static_cast<decltype(config.flags)>(SER_RS485_RTS_AFTER_SEND);
    if (ioctl(fd, TIOCSRS485, &config) != 0) {
        return errno == ENOTTY ? Rs485Result::kNotSupported : Rs485Result::kFailed;
    }
    return Rs485Result::kEnabled;
}
