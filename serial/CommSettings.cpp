#include "serial/CommSettings.h"

bool CCommSettings::SetPortName(const std::string& name) {
    if (name.empty()) return false;
    portName = name;
    return true;
}
