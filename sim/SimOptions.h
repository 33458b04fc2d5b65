#pragma once

#include <string>
#include <vector>

#include "sim/SimFaults.h"
#include "sim/SimProfile.h"

// What the vexa-sim command line asks for.
struct SimOptions {
    SimProfile Profile;
    SimFaults Faults;
    std::string LinkPath;
    // --tcp: the line is also served on this port of 127.0.0.1 (0: any free one); -1: not.
    int TcpPort = -1;
    // With a parameter memory: each unit's memory and state are written to unit<NN>.mem in
    // this folder at start and whenever a write or a control changes them.
    std::string MemoryDumpFolder;
    // Where the counts of injected faults and each unit's state go at exit; empty: only the
    // counts' line on standard error.
    std::string StatsPath;
    // --help or --version: the text to print on standard output instead of running.
    std::string InfoText;
};

// Reads the arguments after the program name; "--opt value" and "--opt=value" alike. Options
// take effect in the order given, and a --profile file is read where it stands, so options
// after it override the file. On failure error names the bad argument.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);
