#pragma once

#include <string>

// How the bus departs from a well-behaved line. All of it can change while the bus runs.
struct SimFaults {
    int EchoCount = 0;          // send each command back this many times before the answer
    int ReplyDelayMs = 0;       // wait this long before answering
    int PaceBaud = 0;           // 0: write at once; else one byte per character time
    int PaceBitsPerChar = 11;   // start, 7 data, parity and 2 stop bits
    int SilentCommands = 0;     // leave the next N commands unanswered (counts down)
    std::string SilentFor;      // never answer this command text (code and data, or code)
    bool CorruptCheck = false;  // flip a bit of the BCC or FCS
    int EndCode = -1;           // Quadrel end code to answer with instead of the unit's
    int ResponseCode = -1;      // Quadrel response code to answer with instead of the unit's
    std::string AtEndCode;      // at-frame end code instead of the unit's (empty: keep)
    bool AtIc = false;          // answer at-frames with header code "IC"
    bool Garbage = false;       // answer with bytes that never end a frame, until switched off
    int VanishAfterBytes = -1;  // close the line after this many bytes of the next answer
};
