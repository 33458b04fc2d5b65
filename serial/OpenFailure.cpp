#include "serial/OpenFailure.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "serial/NetPort.h"

namespace {

// The group that may open the device: the one to join when permission is missing.
std::string DeviceGroup(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return "dialout";
    const group* g = getgrgid(st.st_gid);
    return g ? g->gr_name : std::to_string(st.st_gid);
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
        case EPERM: {
            const std::string group = DeviceGroup(port);
            return SResult::Failure(
                ResultCode::kPortDenied,
                "no permission to open port " + port + ": add your user to the group '" + group +
                    "' (sudo usermod -aG " + group + " $USER) and log in again");
        }
        default:
            return SResult::Failure(ResultCode::kPortFailed,
                                    "cannot open port " + port + ": " + std::strerror(openError));
    }
}
