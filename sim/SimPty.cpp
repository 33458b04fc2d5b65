#include "sim/SimPty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
std::string Because(const std::string& what) { return what + ": " + std::strerror(errno); }
}  // namespace

bool SimPty::Open(std::string& error) {
    Close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
        ptsname_r(m_master, name, sizeof name) != 0) {
        error = Because("cannot create a pseudo-terminal");
        Close();
        return false;
    }
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios line{};
    if (m_slave < 0 || tcgetattr(m_slave, &line) != 0) {
        error = Because("cannot open " + m_slavePath);
        Close();
        return false;
    }
    // Raw both ways: no echo, no line editing, no CR/LF translation of frame bytes.
    cfmakeraw(&line);
    if (tcsetattr(m_slave, TCSANOW, &line) != 0 ||
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) != 0) {
        error = Because("cannot make " + m_slavePath + " a raw line");
        Close();
        return false;
    }
    return true;
}

bool SimPty::MakeLink(const std::string& linkPath, std::string& error) {
    struct stat existing {};
    if (::lstat(linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = linkPath + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(m_slavePath.c_str(), linkPath.c_str()) != 0) {
        error = Because("cannot link " + linkPath);
        return false;
    }
    m_linkPath = linkPath;
    return true;
}

int SimPty::PendingForClient() const {
    int pending = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &pending) != 0) return 0;
    return pending;
}

void SimPty::Close() {
    if (!m_linkPath.empty()) ::unlink(m_linkPath.c_str());
    if (m_slave >= 0) ::close(m_slave);
    if (m_master >= 0) ::close(m_master);
    m_linkPath.clear();
    m_slave = m_master = -1;
}
