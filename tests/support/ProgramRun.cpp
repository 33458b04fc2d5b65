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
    const std::string out = outFolder + "/stdout", err = outFolder + "/stderr";
    const pid_t pid = Spawn(args, out, err);
    if (interruptAfter.count() >= 0) {
        std::this_thread::sleep_for(interruptAfter);
        kill(pid, interruptSignal);
    }
    SProgramRun run;
    run.code = WaitBounded(pid, bound, run.hung);
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    return run;
}
