#pragma once

#include <cstdint>
#include <string>

// Which commands the faults hit; by default every one. The tests are applied in this order,
// and the random draw is made only for commands that passed the others, so one seed gives
// the same faults for the same commands.
struct SimFaultScope {
    size_t FromCommand = 1;  // the first command hit, counted from 1 since the faults were set
    std::string OnlyFor;     // only commands whose text (code and data) starts with this
    int RatePerMillion = 1'000'000;  // of those, this share, drawn from Seed
    uint32_t Seed = 1;
    size_t MaxHits = 0;  // then stop after this many commands were hit; 0: no end
};

// How the bus departs from a well-behaved line. All of it can change while the bus runs.
struct SimFaults {
    int EchoCount = 0;         // send each command back this many times before the answer
    int ReplyDelayMs = 0;      // wait this long before answering, the line waiting meanwhile
    int LateMs = 0;            // hold the answer back this long, answering later commands meanwhile
    int PaceBaud = 0;          // 0: write at once; else one byte per character time
    int PaceBitsPerChar = 11;  // start, 7 data, parity and 2 stop bits
    int SilentCommands = 0;    // leave the next N commands in scope unanswered (counts down)
    std::string SilentFor;     // never answer this command text (code and data, or code)
    bool CorruptCheck = false;  // flip a bit of the BCC or FCS
    int EndCode = -1;           // Quadrel end code to answer with instead of the unit's
    int ResponseCode = -1;      // Quadrel response code to answer with instead of the unit's
    std::string AtEndCode;      // at-frame end code instead of the unit's (empty: keep)
    bool AtIc = false;          // answer at-frames with header code "IC"
    bool Garbage = false;       // answer with bytes that never end a frame, until switched off
    std::string Noise;          // stray bytes sent just before each answer
    int VanishAfterBytes = -1;  // close the line after this many bytes of the next answer
    SimFaultScope Scope;        // which commands all of the above hit (pacing: every one)

    // Events of the line as a whole, whatever the scope:
    int VanishAfterCommands = 0;  // close the line once this many more commands came (0: never)
    int ReturnAfterMs = -1;       // reopen a closed line (and its link) this much later; -1: never
};
