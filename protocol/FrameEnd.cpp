#include "protocol/FrameEnd.h"

#include "protocol/ControlBytes.h"

bool IsQuadrelFrameComplete(std::string_view received) {
    return received.size() > 5 && received[received.size() - 2] == kEtx;
}

bool IsAtFrameComplete(std::string_view received) {
    return received.size() > 3 && received.back() == kCr &&
           received[received.size() - 2] == kAtEndMark;
}
