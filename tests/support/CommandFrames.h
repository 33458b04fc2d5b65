#pragma once

#include <cstdio>
#include <string>

// Command frames as a client sends them, written out byte for byte: the simulator reads them with
// the codec under test, and frames built by that same codec would hide its faults at both ends.
// "\002" is STX and "\003" ETX (an octal escape ends after three digits).
namespace frames {

// STX, node, sub-address "00", SID "0", command code and data, ETX, BCC.
inline const std::string kModelRequestUnit1 = "\002010000503\0034";
inline const std::string kModelRequestUnit2 = "\002020000503\0037";
inline const std::string kModelRequestAll = "\002XX0000503\0035";
inline const std::string k0101Unit1 = "\002010000101\0032";
inline const std::string k0A01Unit1 = "\002010000A01\003B";
inline const std::string k0A1BWith42Unit7 = "\002070000A1B42\0030";

// "@", unit, header code and data, FCS, "*", CR.
inline const std::string kAtRdUnit1 = "@01RD57*\r";
inline const std::string kAtRd01Unit2 = "@02RD0155*\r";
inline const std::string kAtRdUnit7 = "@07RD51*\r";
inline const std::string kAtRdAll = "@**RD56*\r";

// A Quadrel frame around body (STX, body, ETX, check byte) and an at-frame with its FCS: the checks
// are worked out here byte by byte, not by the codec under test.
inline std::string Quadrel(const std::string& body) {
    char check = 0;
    for (const char byte : body + "\003") check = static_cast<char>(check ^ byte);
    return "\002" + body + "\003" + check;
}
inline std::string At(const std::string& body) {
    unsigned check = 0;
    for (const char byte : body) check ^= static_cast<unsigned char>(byte);
    char fcs[3];
    std::snprintf(fcs, sizeof fcs, "%02X", check);
    return body + fcs + "*\r";
}

// Unit 1's successful answer to the model request ("0503") carrying data.
inline std::string ModelAnswerUnit1(const std::string& data) {
    return Quadrel("01000005030000" + data);
}

}  // namespace frames
