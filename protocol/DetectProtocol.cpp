#include "protocol/DetectProtocol.h"

#include "protocol/ControlBytes.h"

int DetectProtocol(std::string_view text) {
    if (text.empty()) return -1;
    if (text.front() == kStx) return 0;
    if (text.front() == kAtStart) return 1;
    return -1;
}
