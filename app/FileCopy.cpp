#include "app/FileCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr size_t kBlockSize = 4096;

bool Fail(FileError* error, const std::string& fileName) {
    if (error != nullptr) *error = FileError{fileName, errno};
    return false;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Closes the descriptor when the copy ends, whichever way it ends.
struct FdGuard {
    int fd;
    ~FdGuard() {
        if (fd >= 0) close(fd);
    }
};

}  // namespace

bool CopyWholeFile(const std::string& source, const std::string& target, FileError* error) {
    if (source.empty() || target.empty()) {
        if (error != nullptr) *error = FileError{source.empty() ? source : target, EINVAL};
        return false;
    }
    FdGuard in{open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0) return Fail(error, source);
    // Never through a link at the target: it would overwrite whatever file the link names.
    FdGuard out{open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644)};
    if (out.fd < 0) return Fail(error, target);
    char block[kBlockSize];
    for (;;) {
        const ssize_t n = read(in.fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(error, source);
        if (n == 0) break;
        if (!WriteAll(out.fd, block, static_cast<size_t>(n))) return Fail(error, target);
    }
    if (close(out.fd) != 0) {
        out.fd = -1;
        return Fail(error, target);
    }
    out.fd = -1;
    return true;
}
