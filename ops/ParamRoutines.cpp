#include "ops/ParamRoutines.h"

#include "ops/DeviceLink.h"
#include "params/MenuParamItem.h"
#include "params/RoutineName.h"
#include "script/RunRoutine.h"
#include "script/VarItem.h"

namespace {

// Runs the routine and answers its numeric result; false when it gave none.
bool RunNumericRoutine(const DeviceLink& link, const std::string& tablePath,
                       const std::string& routine, uint32_t& value) {
    CVarItem result;
    if (!RunScriptRoutine(tablePath, routine, link.port, link.unitNumber, result)) return false;
    if (!result.IsNumeric()) return false;
    value = result.GetNumber();
    return true;
}

}  // namespace

int EvaluateCondition(const DeviceLink& link, CMenuParamItem& item, const std::string& tablePath,
                      bool* result) {
    if (result) *result = false;
    if (item.condition == 0) {
        if (result) *result = true;
        return 1;
    }
    uint32_t value;
    if (!RunNumericRoutine(link, tablePath, ConditionRoutineName(item), value)) return 0;
    const bool exists = value != 0;
    if (result) {
        *result = exists;
    } else {
        item.exists = exists;
    }
    return 1;
}

int EvaluateScale(const DeviceLink& link, CMenuParamItem& item, const std::string& tablePath) {
    if (item.scaleScript == 0) return 1;
    uint32_t value;
    if (!RunNumericRoutine(link, tablePath, ScaleRoutineName(item), value)) return 0;
    item.scale = static_cast<int32_t>(value);
    return 1;
}
