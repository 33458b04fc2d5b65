#pragma once

#include <cstdint>
#include <string>

class CFramePort;

// What the parameter exchanges need of the connection: the port, the unit number of the
// connected controller, and the parameter table file that holds the parameters' routines.
// The device session owns the real objects; the link only borrows them.
struct DeviceLink {
    CFramePort* port = nullptr;
    int32_t unitNumber = 1;
    std::string tablePath;
};
