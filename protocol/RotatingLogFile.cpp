#include "protocol/RotatingLogFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/FileCopy.h"
#include "app/Folders.h"

RotatingLogFile::~RotatingLogFile() { Close(); }

void RotatingLogFile::SetName(const std::string& baseName) {
    Close();
    m_baseName = baseName;
}

void RotatingLogFile::SetFixedPath(const std::string& path) {
    Close();
    m_fixedPath = path;
}

namespace {

// "line.txt" -> "linetemp.txt", as "tra.txt" -> "tratemp.txt".
std::string OlderGeneration(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + "temp";
    return path.substr(0, dot) + "temp" + path.substr(dot);
}

bool IsSymbolicLink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

bool RotatingLogFile::Open() {
    if (m_fd >= 0 || m_baseName.empty()) return false;
    m_notice.clear();
    bool lockedByOther = false;
    if (!m_fixedPath.empty()) {
        m_fd = OpenFile(m_fixedPath, OlderGeneration(m_fixedPath), lockedByOther);
        return m_fd >= 0;
    }
    std::string folder;
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
    // Two processes with one program folder each keep a log: the second takes the next name.
    std::string why;
    for (int n = 1; n <= kMaxAlternatives; ++n) {
        const std::string name = m_baseName + (n == 1 ? "" : "-" + std::to_string(n));
        bool locked = false;
        const int fd = OpenFile(folder + name + ".txt", folder + name + "temp.txt", locked);
        lockedByOther = lockedByOther || locked;
        if (n == 1) why = m_notice;
        if (fd >= 0) {
            if (n > 1) m_notice = why + "; this run logs to " + m_path;
            return fd;
        }
        // Only a file held by another process or a link is worth going round.
        if (!locked && !IsSymbolicLink(folder + name + ".txt") &&
            !IsSymbolicLink(folder + name + "temp.txt"))
            return -1;
    }
    return -1;
}

int RotatingLogFile::OpenFile(const std::string& path, const std::string& older,
                              bool& lockedByOther) {
    // A link would send the log, or its rotation, into whatever file it names.
    if (IsSymbolicLink(older)) {
        m_notice = older + " is a symbolic link: not followed";
        return -1;
    }
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        m_notice = path + (errno == ELOOP ? " is a symbolic link: not followed"
                                          : " cannot be opened: " + std::string(strerror(errno)));
        return -1;
    }
    // Exclusive while open: a second process (or a second open in this one) is refused.
    struct stat info {};
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || fstat(fd, &info) != 0) {
        lockedByOther = errno == EWOULDBLOCK;
        m_notice = path + (lockedByOther ? " is in use by another process" : " cannot be locked");
        close(fd);
        return -1;
    }
    m_sizeCount = info.st_size;
    // A failed rotation keeps the old content and appends to it; a later write tries again.
    if (m_sizeCount >= kRotateSize && CopyWholeFile(path, older) && ftruncate(fd, 0) == 0) {
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
