#include "ui/LineSettingsIndex.h"

namespace {

constexpr int kBaudCount = sizeof(kBaudRates) / sizeof(kBaudRates[0]);
constexpr int kDefaultBaudIndex = 1;  // 9600

}  // namespace

int BaudIndex(std::uint32_t baudRate) {
    for (int i = 0; i < kBaudCount; ++i) {
        if (kBaudRates[i] == baudRate) return i;
    }
    return kDefaultBaudIndex;
}

std::uint32_t BaudFromIndex(int index) {
    if (index < 0 || index >= kBaudCount) return kBaudRates[kDefaultBaudIndex];
    return kBaudRates[index];
}

int DataBitsIndex(std::uint16_t dataBits) { return dataBits == 8 ? 1 : 0; }
std::uint16_t DataBitsFromIndex(int index) { return index == 1 ? 8 : 7; }

int ParityIndex(std::uint16_t parity) { return parity; }
std::uint16_t ParityFromIndex(int index) {
    if (index == 0 || index == 1) return static_cast<std::uint16_t>(index);
    return 2;
}

int StopBitsIndex(std::uint16_t stopBits) { return stopBits == 1 ? 0 : 1; }
std::uint16_t StopBitsFromIndex(int index) { return index == 0 ? 1 : 2; }

std::string PortLine(const std::string& name, const std::string& description) {
    if (description.empty()) return name;
    return name + "(" + description + ")";
}
