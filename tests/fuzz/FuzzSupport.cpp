#include "FuzzSupport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

// Made on first use, removed when the process ends.
struct ScratchFolder {
    ScratchFolder() {
        char pattern[] = "/tmp/vexa-fuzz-XXXXXX";
        if (mkdtemp(pattern) != nullptr) path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

}  // namespace

std::string ScratchPath(const std::string& name) {
    static const ScratchFolder folder;
    FuzzCheck(!folder.path.empty(), "a scratch folder in /tmp");
    return folder.path + "/" + name;
}

std::string WriteScratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = ScratchPath(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

void FuzzCheck(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    abort();
}

namespace {

class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c == traits_type::eof() ? 0 : c; }
};

NullBuffer g_nullBuffer;

}  // namespace

QuietOutput::QuietOutput() : m_savedCout(std::cout.rdbuf()), m_savedCerr(std::cerr.rdbuf()) {
    std::cout.flush();
    std::fflush(stdout);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
        m_savedStdout = ::dup(STDOUT_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
    std::cout.rdbuf(&g_nullBuffer);
    std::cerr.rdbuf(&g_nullBuffer);
}

QuietOutput::~QuietOutput() {
    std::fflush(stdout);
    std::cout.rdbuf(m_savedCout);
    std::cerr.rdbuf(m_savedCerr);
    if (m_savedStdout >= 0) {
        ::dup2(m_savedStdout, STDOUT_FILENO);
        ::close(m_savedStdout);
    }
}
