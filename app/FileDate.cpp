#include "app/FileDate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

bool GetFileDate(const std::string& file, FileDateTime& date) {
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    const bool statOk = fstat(fd, &info) == 0;
    close(fd);
    std::tm utc{};
    if (!statOk || gmtime_r(&info.st_mtim.tv_sec, &utc) == nullptr) return false;
    date.year = static_cast<uint16_t>(utc.tm_year + 1900);
    date.month = static_cast<uint16_t>(utc.tm_mon + 1);
    date.dayOfWeek = static_cast<uint16_t>(utc.tm_wday);
    date.day = static_cast<uint16_t>(utc.tm_mday);
    date.hour = static_cast<uint16_t>(utc.tm_hour);
    date.minute = static_cast<uint16_t>(utc.tm_min);
    date.second = static_cast<uint16_t>(utc.tm_sec);
    date.milliseconds = static_cast<uint16_t>(info.st_mtim.tv_nsec / 1000000);
    return true;
}
