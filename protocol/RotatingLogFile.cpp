#include "protocol/RotatingLogFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/FileCopy.h"
#include "app/Folders.h"

RotatingLogFile::~RotatingLogFile() { Close(); }

void RotatingLogFile::SetName(const std::string& baseName) {
    Close();
    m_baseName = baseName;
}

bool RotatingLogFile::Open() {
    if (m_fd >= 0 || m_baseName.empty()) return false;
    std::string folder;
    bool lockedByOther = false;
    if (GetLogFolder(folder)) m_fd = OpenIn(folder, lockedByOther);
    // An installed program keeps its log in the user's state folder, and so does one whose
    // folder is not writable, rather than not at all.  A log held by another process stays
    // that process's.
    if (m_fd < 0 && !lockedByOther && GetUserStateFolder(folder)) {
        m_fd = OpenIn(folder, lockedByOther);
    }
    return m_fd >= 0;
}

int RotatingLogFile::OpenIn(const std::string& folder, bool& lockedByOther) {
    const std::string path = folder + m_baseName + ".txt";
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    // Exclusive while open: a second process (or a second open in this one) is refused.
    struct stat info {};
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || fstat(fd, &info) != 0) {
        lockedByOther = errno == EWOULDBLOCK;
        close(fd);
        return -1;
    }
    m_sizeCount = info.st_size;
    // A failed rotation keeps the old content and appends to it; a later write tries again.
    if (m_sizeCount >= kRotateSize && CopyWholeFile(path, folder + m_baseName + "temp.txt") &&
        ftruncate(fd, 0) == 0) {
        m_sizeCount = 0;
    }
    m_path = path;
    return fd;
}

void RotatingLogFile::Close() {
    if (m_fd < 0) return;
    close(m_fd);
    m_fd = -1;
    m_path.clear();
}

bool RotatingLogFile::Write(const std::string& text) {
    if (m_fd < 0) return true;
    if (!WriteCrLf(text)) {
        Close();
        return false;
    }
    m_sizeCount += static_cast<int64_t>(text.size()) + 2;
    if (m_sizeCount >= kRotateSize) {
        Close();
        return Open();
    }
    return true;
}

bool RotatingLogFile::WriteCrLf(const std::string& text) {
    // The log's line ends are CR LF, as a text-mode file on Windows writes them.
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16 + 2);
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = write(m_fd, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}
