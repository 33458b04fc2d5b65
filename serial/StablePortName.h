#pragma once

#include <string>

// The udev links under /dev/serial/by-id name a USB adapter by its maker, product and serial
// number, so the name stays the same whichever ttyUSB number the adapter gets when plugged in.

// The link in `byIdFolder` that leads to `device`, or empty when there is none.
std::string StablePortName(const std::string& device,
                           const std::string& byIdFolder = "/dev/serial/by-id");
