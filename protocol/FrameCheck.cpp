#include "protocol/FrameCheck.h"

#include "protocol/ControlBytes.h"

uint8_t XorAll(std::string_view text) {
    uint8_t value = 0;
    for (char c : text) value ^= static_cast<uint8_t>(c);
    return value;
}

uint8_t FrameBcc(std::string_view text) {
    const size_t stx = text.find(kStx);
    if (stx != std::string_view::npos) text.remove_prefix(stx + 1);
    const size_t etx = text.find(kEtx);
    if (etx != std::string_view::npos) return XorAll(text.substr(0, etx + 1));
    return XorAll(text) ^ static_cast<uint8_t>(kEtx);
}
