#pragma once

// Answer of asking the driver to raise RTS only while it transmits.
enum class Rs485Result { kEnabled, kNotSupported, kFailed };

// Puts the line into RS-485 mode with RTS on send.  Pseudo-terminals, plain UARTs and USB
// adapters that switch direction themselves answer kNotSupported.
Rs485Result EnableRtsOnSend(int fd);
