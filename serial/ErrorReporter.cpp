#include "serial/ErrorReporter.h"

#include <cstdio>
#include <cstring>

std::string FormatErrorReport(const std::string& context, int errorNumber) {
    char text[256];
    std::snprintf(text, sizeof text, "ERROR:  [%s] : \n%s\n", context.c_str(),
                  std::strerror(errorNumber));
    return text;
}

void ReportToStandardError(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}
