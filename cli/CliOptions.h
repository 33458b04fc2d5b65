#pragma once

#include <string>
#include <vector>

#include "serial/CommSettings.h"

// Everything the command line said.
struct SCliOptions {
    CCommSettings line;  // --port, --baud, --data-bits, --parity, --stop-bits
    bool portGiven = false;
    int unit = 1;
    std::string home;        // stands for the program folder
    std::string logPath;     // --log: the communication log's file instead of tra.txt
    std::string recordPath;  // --record: one JSON line per unit and operation appended to it
    bool json = false;

    std::string command;
    std::string input;                   // -i, or the file to show
    std::string output;                  // -o
    std::string csv;                     // --csv
    std::string table;                   // --table
    int targetUnit = -1;                 // --target-unit
    std::vector<std::string> arguments;  // keys, KEY=VALUE pairs, or the two files of diff
    std::string sendText;
    int retry = 1;                 // send: attempts
    int timeoutMs = 10000;         // send: per byte
    std::vector<int> units;        // --units of scan and clone, in the order given
    int scanTimeoutMs = 200;       // scan: --timeout
    bool noVerify = false;         // clone: --no-verify
    bool dryRun = false;           // download: --dry-run
    bool allowOtherModel = false;  // download, verify, clone: --allow-other-model
    int waitPortSeconds = 0;       // --wait-port: how long a lost line is waited for; 0: not
    // --timeout and --retries of the commands that talk to a controller, for every command in
    // place of the model's own and for the model request; 0 and -1: not given.
    int waitTimeoutMs = 0;
    int retries = -1;
};

// Exit codes scripts rely on.
enum EExitCode {
    kExitOk = 0,
    kExitFailure = 1,
    kExitUsage = 2,
    kExitIncomplete = 3,  // some parameter failed or differs
    // A stop by signal answers 128 + the signal (130 Ctrl-C, 129 SIGHUP, 143 SIGTERM).
};
