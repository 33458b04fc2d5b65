#pragma once

#include <string>

// Pure helpers for naming and ordering serial ports.

// Natural order of device names: runs of digits compare by value, so that
// "/dev/ttyUSB2" sorts before "/dev/ttyUSB10". Other bytes compare as unsigned.
bool NaturalLess(const std::string& a, const std::string& b);

// The decimal number at the end of a device name ("/dev/ttyUSB10" gives 10), or -1.
int TrailingPortNumber(const std::string& name);

// A readable description from what the system knows about a port: the USB product
// string, followed by the maker when the product does not already name it; without a
// product, the system's own description unless it only repeats the device's base name.
// The strings come from the device and are untrusted: control bytes are dropped, blanks
// trimmed and the result bounded.
std::string DescribePort(const std::string& name, const std::string& product,
                         const std::string& manufacturer, const std::string& systemDescription);
