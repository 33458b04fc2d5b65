#pragma once

#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// The folder holding the test program, and so vexa-cli and vexa-sim beside it.
std::string BinFolder();

// Starts args[0] with args, its stdout and stderr in the files out and err, in folder (when
// given); the child exits with 98 when the program cannot be run.
pid_t Spawn(const std::vector<std::string>& args, const std::string& out, const std::string& err,
            const std::string& folder = "");

struct SProgramRun {
    int code = -1;  // -1: killed, or died of a signal
    bool hung = false;
    std::string out;
    std::string err;
};

// Runs a program to its end in the current folder, its stdout and stderr caught in the files
// "stdout" and "stderr" of outFolder. interruptAfter >= 0: the program gets interruptSignal
// (Ctrl-C's SIGINT unless told) after that time. A program still running after bound is killed and
// answers hung.
SProgramRun RunProgram(const std::vector<std::string>& args, const std::string& outFolder,
                       std::chrono::milliseconds interruptAfter = std::chrono::milliseconds(-1),
                       std::chrono::milliseconds bound = std::chrono::seconds(60),
                       int interruptSignal = SIGINT);

// The program gets `signal` once the file `path` holds `text` (looked at every 20 ms): a test
// that stops a program in the middle of its work waits for the sign that it got there, however
// slowly a loaded machine starts it.
struct SInterruptOn {
    std::string path;
    std::string text;
    int signal = SIGINT;
};
SProgramRun RunProgram(const std::vector<std::string>& args, const std::string& outFolder,
                       const SInterruptOn& interrupt, std::chrono::milliseconds bound);
