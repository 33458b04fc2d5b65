#include "protocol/DetectProtocol.h"

#include "protocol/ControlBytes.h"

ProtocolKind DetectProtocol(std::string_view text) {
    if (text.empty()) return ProtocolKind::kUnknown;
    if (text.front() == kStx) return ProtocolKind::kQuadrel;
    if (text.front() == kAtStart) return ProtocolKind::kAt;
    return ProtocolKind::kUnknown;
}
