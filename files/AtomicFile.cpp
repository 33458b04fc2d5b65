#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

CAtomicFile::~CAtomicFile() { Discard(); }

bool CAtomicFile::Create(const std::string& path) {
    if (m_fd >= 0) return Fail(EBUSY);
    m_path = path;
    m_tempPath = path + ".XXXXXX";
    m_fd = mkostemp(m_tempPath.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_tempPath.clear();
        return Fail(errno);
    }
    return true;
}

bool CAtomicFile::Write(const void* data, std::size_t size) {
    if (m_fd < 0) return Fail(EBADF);
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(errno);
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool CAtomicFile::Commit() {
    if (m_fd < 0) return Fail(EBADF);
    // mkstemp makes the file private to its owner; a saved file is an ordinary one.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(m_fd, 0666 & ~mask) != 0 || fsync(m_fd) != 0) {
        const int code = errno;
        Discard();
        return Fail(code);
    }
    ::close(m_fd);
    m_fd = -1;
    if (std::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        const int code = errno;
        Discard();
        return Fail(code);
    }
    m_tempPath.clear();
    return true;
}

void CAtomicFile::Discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

bool CAtomicFile::Fail(int code) {
    m_errorCode = code;
    return false;
}
