#include "serial/OpenFailure.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "serial/NetPort.h"

namespace {

// What to do when permission is missing: join the group that may open the device, unless
// that is root, which nobody should join to reach a serial port.
std::string PermissionAdvice(const std::string& path) {
    struct stat st {};
    std::string group = "dialout";
    if (stat(path.c_str(), &st) == 0) {
        if (st.st_gid == 0) return "check the permissions of " + path + " (ls -l " + path + ")";
        const struct group* g = getgrgid(st.st_gid);
        group = g ? g->gr_name : std::to_string(st.st_gid);
    }
    return "add your user to the group '" + group + "' (sudo usermod -aG " + group +
           " $USER) and log in again";
}

// A device server's failures: the host, the network or the server, never a device file.
SResult DescribeNetFailure(const std::string& port, int openError) {
    const auto failed = [&](ResultCode code, const std::string& why) {
        return SResult::Failure(code, port + ": " + why);
    };
    switch (openError) {
        case EINVAL:
            return failed(ResultCode::kPortMissing, "not a HOST:PORT address (port 1 to 65535)");
        case ENOENT:
            return failed(ResultCode::kPortMissing, "unknown host");
        case ECONNREFUSED:
            return failed(ResultCode::kPortMissing, "connection refused");
        case ETIMEDOUT:
            return failed(
                ResultCode::kPortFailed,
                "no connection within " + std::to_string(kNetConnectTimeoutMs / 1000) + " s");
        case EHOSTUNREACH:
        case ENETUNREACH:
            return failed(ResultCode::kPortMissing, "host unreachable");
        case EPROTONOSUPPORT:
            return failed(ResultCode::kPortFailed,
                          "the server does not offer RFC 2217 port control");
        default:
            return failed(ResultCode::kPortFailed, std::strerror(openError));
    }
}

}  // namespace

SResult DescribeOpenFailure(const std::string& port, int openError) {
    if (IsNetPortName(port) && openError != 0) return DescribeNetFailure(port, openError);
    switch (openError) {
        case 0:
            return SResult::Failure(ResultCode::kPortFailed,
                                    "port " + port + " could not be set up for the line settings");
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return SResult::Failure(ResultCode::kPortMissing, "port " + port + " does not exist");
        case EBUSY:
        case EWOULDBLOCK:
            return SResult::Failure(ResultCode::kPortBusy,
                                    "port " + port + " is busy: another program has it open");
        case EACCES:
        case EPERM:
            return SResult::Failure(ResultCode::kPortDenied, "no permission to open port " + port +
                                                                 ": " + PermissionAdvice(port));
        default:
            return SResult::Failure(ResultCode::kPortFailed,
                                    "cannot open port " + port + ": " + std::strerror(openError));
    }
}
