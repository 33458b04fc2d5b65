#pragma once

#include <cstdio>
#include <string>

// Response frames as a controller puts them on the line, built byte by byte here so
// that the transaction is checked against the wire format, not against the codec.
namespace wire {

inline char Xor(const std::string& bytes) {
    char check = 0;
    for (const char byte : bytes) check = static_cast<char>(check ^ byte);
    return check;
}

// STX, node, sub-address 00, end code, command code, response code, data, ETX, BCC.
inline std::string Quadrel(int endCode, int responseCode, const std::string& data,
                           int command = 0x0503) {
    char fields[32];
    std::snprintf(fields, sizeof fields, "0100%02X%04X%04X", endCode, command, responseCode);
    const std::string body = fields + data + "\x03";
    return "\x02" + body + Xor(body);
}

// "@", unit 01, header code, end code (none for "IC"), data, FCS, "*", CR.
inline std::string At(const std::string& header, const std::string& endCode,
                      const std::string& data) {
    const std::string body = "@01" + header + endCode + data;
    char fcs[3];
    std::snprintf(fcs, sizeof fcs, "%02X", static_cast<unsigned char>(Xor(body)));
    return body + fcs + "*\r";
}

}  // namespace wire
