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
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0) {
        error = Because("cannot create a pseudo-terminal");
        Close();
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios line{};
    if (slave_ < 0 || tcgetattr(slave_, &line) != 0) {
        error = Because("cannot open " + slavePath_);
        Close();
        return false;
    }
    // Raw both ways: no echo, no line editing, no CR/LF translation of frame bytes.
    cfmakeraw(&line);
    if (tcsetattr(slave_, TCSANOW, &line) != 0 ||
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0) {
        error = Because("cannot make " + slavePath_ + " a raw line");
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
    if (::symlink(slavePath_.c_str(), linkPath.c_str()) != 0) {
        error = Because("cannot link " + linkPath);
        return false;
    }
    linkPath_ = linkPath;
    return true;
}

int SimPty::PendingForClient() const {
    int pending = 0;
    if (slave_ < 0 || ::ioctl(slave_, FIONREAD, &pending) != 0) return 0;
    return pending;
}

void SimPty::Close() {
    if (!linkPath_.empty()) ::unlink(linkPath_.c_str());
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    linkPath_.clear();
    slave_ = master_ = -1;
}
