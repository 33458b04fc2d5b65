#include "app/SystemError.h"

#include <cstring>

std::string GetSystemErrorText(int code) {
    char buffer[256] = {};
    // The GNU strerror_r answers a pointer that need not be the buffer.
    return strerror_r(code, buffer, sizeof buffer);
}
