#include "support/ProgramRun.h"

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Waits for the child's end within `bound`; kills it when the bound passes. (Without pidfd,
// before Linux 5.3, no bound.)
int WaitBounded(pid_t pid, std::chrono::milliseconds bound, bool& hung) {
    hung = false;
    const int handle = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (handle >= 0) {
        pollfd ended{handle, POLLIN, 0};
        hung = poll(&ended, 1, static_cast<int>(bound.count())) == 0;
        close(handle);
    }
    if (hung) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Whether the child has not ended yet (it is left to be reaped).
bool Running(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0;
}

SProgramRun Finished(pid_t pid, const std::string& outFolder, std::chrono::milliseconds bound) {
    SProgramRun run;
    run.code = WaitBounded(pid, bound, run.hung);
    run.out = ReadAll(outFolder + "/stdout");
    run.err = ReadAll(outFolder + "/stderr");
    return run;
}

}  // namespace

std::string BinFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

pid_t Spawn(const std::vector<std::string>& args, const std::string& out, const std::string& err,
            const std::string& folder) {
    const pid_t pid = fork();
    if (pid == 0) {
        if ((!folder.empty() && chdir(folder.c_str()) != 0) || !freopen(out.c_str(), "w", stdout) ||
            !freopen(err.c_str(), "w", stderr))
            _exit(99);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(98);
    }
    return pid;
}

SProgramRun RunProgram(const std::vector<std::string>& args, const std::string& outFolder,
                       std::chrono::milliseconds interruptAfter, std::chrono::milliseconds bound,
                       int interruptSignal) {
    const pid_t pid = Spawn(args, outFolder + "/stdout", outFolder + "/stderr");
    if (interruptAfter.count() >= 0) {
        std::this_thread::sleep_for(interruptAfter);
        kill(pid, interruptSignal);
    }
    return Finished(pid, outFolder, bound);
}

SProgramRun RunProgram(const std::vector<std::string>& args, const std::string& outFolder,
                       const SInterruptOn& interrupt, std::chrono::milliseconds bound) {
    const pid_t pid = Spawn(args, outFolder + "/stdout", outFolder + "/stderr");
    const auto deadline = std::chrono::steady_clock::now() + bound;
    // A program that ends first is not signalled; Finished() then reaps it at once.
    while (std::chrono::steady_clock::now() < deadline && Running(pid)) {
        if (ReadAll(interrupt.path).find(interrupt.text) != std::string::npos) {
            kill(pid, interrupt.signal);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Finished(pid, outFolder, bound);
}
