// The kernel's serial_struct lives in a kernel header; only this file and Rs485.cpp include it.
#include "serial/LowLatency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include <cerrno>

LowLatencyResult EnableLowLatency(int fd, int& previousFlags) {
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return errno == ENOTTY || errno == EINVAL ? LowLatencyResult::kNotSupported
                                                  : LowLatencyResult::kFailed;
    previousFlags = serial.flags;
    if (serial.flags & ASYNC_LOW_LATENCY) return LowLatencyResult::kAlreadyOn;
    serial.flags |= ASYNC_LOW_LATENCY;
    if (ioctl(fd, TIOCSSERIAL, &serial) != 0)
        return errno == ENOTTY || errno == EINVAL ? LowLatencyResult::kNotSupported
                                                  : LowLatencyResult::kFailed;
    return LowLatencyResult::kEnabled;
}

void RestoreLowLatency(int fd, int previousFlags) {
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return;
    serial.flags = previousFlags;
    ioctl(fd, TIOCSSERIAL, &serial);
}

const char* LowLatencyText(LowLatencyResult result) {
    switch (result) {
        case LowLatencyResult::kEnabled:
            return "on";
        case LowLatencyResult::kAlreadyOn:
            return "already on";
        case LowLatencyResult::kNotSupported:
            return "not supported by the driver";
        case LowLatencyResult::kFailed:
            break;
    }
    return "refused by the driver";
}
