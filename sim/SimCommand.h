#pragma once

#include <string>

enum class SimProtocol { Quadrel, At };

// One command as a simulated unit sees it, taken out of its frame.
struct SimCommand {
    SimProtocol Protocol = SimProtocol::Quadrel;
    int Unit = 0;
    std::string Code;  // Quadrel: four upper-case hex digits; at-frame: the header code
    std::string Data;

    // The command as a profile names it: code followed by data.
    std::string Text() const { return Code + Data; }
};

// What a unit answers; the bus puts it into a frame of the command's protocol.
struct SimReply {
    std::string Data;
    int EndCode = 0;       // Quadrel end code
    int ResponseCode = 0;  // Quadrel MRES * 256 + SRES
    std::string AtEndCode = "00";
    bool AtIc = false;  // at-frame answer with header code "IC" and no end code
};
