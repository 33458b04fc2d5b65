#include "serial/OpenFailure.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

// The group that may open the device: the one to join when permission is missing.
std::string DeviceGroup(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return "dialout";
    const group* g = getgrgid(st.st_gid);
    return g ? g->gr_name : std::to_string(st.st_gid);
}

}  // namespace

SResult DescribeOpenFailure(const std::string& port, int openError) {
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
