#include "ops/ParamRoutines.h"

#include "ops/DeviceLink.h"
#include "params/MenuParamItem.h"
#include "params/RoutineName.h"
#include "script/RunRoutine.h"
#include "script/VarItem.h"

namespace {

// Runs the routine and answers its numeric result.
SResultOf<uint32_t> RunNumericRoutine(const DeviceLink& link, const std::string& tablePath,
                                      const std::string& routine) {
    const SResultOf<CVarItem> run =
        RunScriptRoutine(tablePath, routine, link.port, link.unitNumber);
    if (!run.Ok()) return SResult(run);
    if (!run.value.IsNumeric())
        return SResult::Failure(ResultCode::kModelNotLoaded, Reason<ReasonId::kNoNumber>(routine));
    return {SResult::Success(), run.value.GetNumber()};
}

}  // namespace

SResultOf<bool> EvaluateCondition(const DeviceLink& link, const CMenuParamItem& item,
                                  const std::string& tablePath) {
    if (item.condition == 0) return {SResult::Success(), true};
    const SResultOf<uint32_t> value =
        RunNumericRoutine(link, tablePath, ConditionRoutineName(item));
    return {value, value.Ok() && value.value != 0};
}

SResultOf<int32_t> EvaluateScale(const DeviceLink& link, const CMenuParamItem& item,
                                 const std::string& tablePath) {
    if (item.scaleScript == 0) return {SResult::Success(), item.scale};
    const SResultOf<uint32_t> value = RunNumericRoutine(link, tablePath, ScaleRoutineName(item));
    return {value, static_cast<int32_t>(value.value)};
}
