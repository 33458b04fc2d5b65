#pragma once

#include <cstdint>

// Runs the line at a rate that has no termios constant, through the kernel's termios2
// interface, and checks the rate the driver reports back (within 2 %).
bool SetArbitraryBaud(int fd, std::uint32_t baudRate);
