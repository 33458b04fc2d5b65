#include "protocol/FrameLogFormat.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kStx = 0x02;
constexpr char kEtx = 0x03;

std::string Prefix(int direction) { return direction == 1 ? "SEND--> " : "RECV--> "; }

std::string Hex(char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "(0x%02X)", static_cast<unsigned char>(byte));
    return text;
}

std::string Plain(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x20 && value <= 0x7E ? std::string(1, byte) : Hex(byte);
}

}  // namespace

std::string FormatQuadrelFrame(int direction, const std::string& frame) {
    std::string line = Prefix(direction);
    size_t n = std::strlen(frame.c_str());
    // c_str() guarantees the zero at n, so showing it never reads past the text.
    if (n >= 2 && frame[n - 1] == kEtx && frame[n - 2] != kEtx) ++n;
    const char* bytes = frame.c_str();
    for (size_t i = 0; i + 1 < n; ++i) {
        if (bytes[i] == kStx) {
            line += "[STX]";
        } else if (bytes[i] == kEtx) {
            line += "[ETX]";
        } else {
            line += Plain(bytes[i]);
        }
    }
    if (n > 0) line += Hex(bytes[n - 1]);
    return line;
}

std::string FormatAtFrame(int direction, const std::string& frame) {
    std::string line = Prefix(direction);
    const size_t n = std::strlen(frame.c_str());
    for (size_t i = 0; i + 1 < n; ++i) {
        if (n >= 4 && i == n - 4) {
            line += "[FCS]";
            ++i;  // both digits make one token
        } else {
            line += Plain(frame[i]);
        }
    }
    if (n > 0) line += Hex(frame[n - 1]);
    return line;
}

std::string FormatLineBytes(int direction, const std::string& bytes) {
    std::string line = Prefix(direction);
    for (const char byte : bytes) {
        if (byte == kStx) {
            line += "[STX]";
        } else if (byte == kEtx) {
            line += "[ETX]";
        } else {
            line += Plain(byte);
        }
    }
    return line;
}
