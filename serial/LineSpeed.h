#pragma once

#include <cstdint>

// Sets the line rate of an open terminal and checks that the driver took it.  A rate
// termios has no constant for goes through the kernel's arbitrary-rate interface.
// Answers false when the driver refuses the rate or runs the line at another one.
bool SetLineSpeed(int fd, std::uint32_t baudRate);
