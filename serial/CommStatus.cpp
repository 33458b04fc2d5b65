#include "serial/CommStatus.h"

#include <cstdio>

namespace CommStatusCode {

std::string Describe(std::uint32_t code) {
    switch (code) {
        case kReceived:
            return "byte received";
        case kNotOpen:
            return "port not open";
        case kPlatformError:
            return "error on the port";
        case kNoPlace:
            return "no place for the byte";
        case kTimedOut:
            return "no byte within the time-out";
        case kNoFramePlace:
            return "no place for the frame";
        case kFrameTooLong:
            return "frame longer than the receive buffer";
        case kQueueEmpty:
            return "receive queue empty";
        case kCancelled:
            return "wait stopped by the operator";
    }
    char text[32];
    std::snprintf(text, sizeof text, "status 0x%08X", static_cast<unsigned>(code));
    return text;
}

}  // namespace CommStatusCode
