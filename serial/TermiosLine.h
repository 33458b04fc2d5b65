#pragma once

#include <termios.h>

#include <cstdint>
#include <optional>

#include "serial/LineSettingsText.h"

// Turns a terminal block into a raw binary line with the given character framing.
// Speed is not touched: see LineSpeed.h.
void ApplyRawLine(termios& block, const LineSettings& line);

// Writes the block to the terminal.  A driver that keeps its own character size and
// parity (a pseudo-terminal keeps 8 bits, no parity) is accepted: 7-bit frames lose
// nothing on it.
bool SetRawLine(int fd, const termios& block);

// The B-constant for a rate termios names, or nothing for a rate it does not name.
std::optional<speed_t> StandardSpeed(std::uint32_t baudRate);
