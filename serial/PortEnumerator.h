#pragma once

#include <string>
#include <vector>

// A serial device the operating system reports, with its readable description.
struct SystemPort {
    std::string name;
    std::string description;
};

// Fills `ports` with the serial devices present (on-board UARTs that exist, USB serial
// adapters, ACM devices), unsorted. Answers false only when the system cannot be asked;
// a machine without serial ports answers true with an empty list.
bool ListSystemPorts(std::vector<SystemPort>& ports);
