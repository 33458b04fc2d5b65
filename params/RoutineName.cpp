#include "params/RoutineName.h"

#include <cstdint>
#include <cstdio>

#include "params/MenuParamItem.h"

namespace {

std::string RoutineName(const std::string& text, int32_t number, uint32_t offset) {
    uint32_t sum = static_cast<uint32_t>(number) + offset;
    for (char c : text) sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(c)));
    char name[9];
    std::snprintf(name, sizeof name, "%08X", sum);
    return name;
}

}  // namespace

std::string ConditionRoutineName(const CMenuParamItem& item) {
    return RoutineName(item.conditionText, item.number, 0);
}

std::string ScaleRoutineName(const CMenuParamItem& item) {
    return RoutineName(item.scaleText, item.number, 65536);
}
