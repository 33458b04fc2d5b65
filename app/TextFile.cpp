#include "app/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

int OpenRegularFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return -1;
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    // Should the path turn into something else between the look and the open, O_NONBLOCK still
    // returns at once, and the second look refuses it.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return -1;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int code = S_ISREG(info.st_mode) ? errno : EINVAL;
        close(fd);
        errno = code;
        return -1;
    }
    return fd;
}

bool ReadTextFile(const std::string& path, std::string& text, size_t maxBytes) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) return false;
    text.clear();
    char block[65536];
    int error = 0;
    while (text.size() < maxBytes) {
        const size_t want = std::min(sizeof block, maxBytes - text.size());
        const ssize_t n = read(fd, block, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        text.append(block, static_cast<size_t>(n));
    }
    close(fd);
    errno = error;
    return error == 0;
}
