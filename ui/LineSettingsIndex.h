#pragma once

#include <cstdint>
#include <string>

// How the serial settings dialog's lists map to line settings and back. Values a list does
// not offer open on a default entry (a baud rate of 2400 opens as 9600), and a list
// without a selection stores that default.

int BaudIndex(std::uint32_t baudRate);
std::uint32_t BaudFromIndex(int index);
int DataBitsIndex(std::uint16_t dataBits);
std::uint16_t DataBitsFromIndex(int index);
int ParityIndex(std::uint16_t parity);
std::uint16_t ParityFromIndex(int index);
int StopBitsIndex(std::uint16_t stopBits);
std::uint16_t StopBitsFromIndex(int index);

// The baud rates offered, in list order.
inline constexpr std::uint32_t kBaudRates[] = {4800, 9600, 19200, 38400, 57600, 115200};

// A port's line in the list: "name(description)", or the bare name without a description.
std::string PortLine(const std::string& name, const std::string& description);
