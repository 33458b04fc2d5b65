#include "serial/OpenFailure.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "serial/NetPort.h"

namespace {

// What to do when permission is missing: join the group that may open the device, unless
// that is root, which nobody should join to reach a serial port.
SReason PermissionAdvice(const std::string& path) {
    struct stat st {};
    std::string group = "dialout";
    if (stat(path.c_str(), &st) == 0) {
        if (st.st_gid == 0) return Reason<ReasonId::kCheckPermissions>(path);
        const struct group* g = getgrgid(st.st_gid);
        group = g ? g->gr_name : std::to_string(st.st_gid);
    }
    return Reason<ReasonId::kJoinGroup>(group);
}

// A device server's failures: the host, the network or the server, never a device file.
SResult DescribeNetFailure(const std::string& port, int openError) {
    switch (openError) {
        case EINVAL:
            return SResult::Failure(ResultCode::kPortMissing,
                                    Reason<ReasonId::kNotNetAddress>(port));
        case ENOENT:
            return SResult::Failure(ResultCode::kPortMissing, Reason<ReasonId::kUnknownHost>(port));
        case ECONNREFUSED:
            return SResult::Failure(ResultCode::kPortMissing,
                                    Reason<ReasonId::kConnectionRefused>(port));
        case ETIMEDOUT:
            return SResult::Failure(ResultCode::kPortFailed,
                                    Reason<ReasonId::kNoConnectionWithin>(
                                        port, std::to_string(kNetConnectTimeoutMs / 1000)));
        case EHOSTUNREACH:
        case ENETUNREACH:
            return SResult::Failure(ResultCode::kPortMissing,
                                    Reason<ReasonId::kHostUnreachable>(port));
        case EPROTONOSUPPORT:
            return SResult::Failure(ResultCode::kPortFailed,
                                    Reason<ReasonId::kNoPortControl>(port));
        default:
            return SResult::Failure(ResultCode::kPortFailed,
                                    Reason<ReasonId::kBecause>(port, std::strerror(openError)));
    }
}

}  // namespace

SResult DescribeOpenFailure(const std::string& port, int openError) {
    if (IsNetPortName(port) && openError != 0) return DescribeNetFailure(port, openError);
    switch (openError) {
        case 0:
            return SResult::Failure(ResultCode::kPortFailed, Reason<ReasonId::kPortNotSetUp>(port));
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return SResult::Failure(ResultCode::kPortMissing, Reason<ReasonId::kPortMissing>(port));
        case EBUSY:
        case EWOULDBLOCK:
            return SResult::Failure(ResultCode::kPortBusy, Reason<ReasonId::kPortBusy>(port));
        case EACCES:
        case EPERM:
            return SResult::Failure(ResultCode::kPortDenied,
                                    Reason<ReasonId::kPortDenied>(port, PermissionAdvice(port)));
        default:
            return SResult::Failure(ResultCode::kPortFailed, Reason<ReasonId::kCannotOpenPort>(
                                                                 port, std::strerror(openError)));
    }
}
