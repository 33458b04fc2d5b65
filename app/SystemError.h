#pragma once

#include <string>

// A failed file operation: the file's name and the system error code (errno).
struct FileError {
    std::string fileName;
    int code = 0;
};

// The system's text for an error code.
std::string GetSystemErrorText(int code);
