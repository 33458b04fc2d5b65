#pragma once

#include <string>

// One serial port offered to the operator.
struct CPortEntry {
    int number = -1;          // trailing number of the device name, -1 when it has none
    std::string name;         // device path, for example "/dev/ttyUSB0"
    std::string description;  // readable description, may be empty
};
