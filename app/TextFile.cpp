#include "app/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

bool ReadTextFile(const std::string& path, std::string& text, size_t maxBytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    // Only regular files: a FIFO or a device would block or never end.
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    text.clear();
    char block[65536];
    bool ok = true;
    while (text.size() < maxBytes) {
        const size_t want = std::min(sizeof block, maxBytes - text.size());
        const ssize_t n = read(fd, block, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        text.append(block, static_cast<size_t>(n));
    }
    close(fd);
    return ok;
}
