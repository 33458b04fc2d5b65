#pragma once

#include <string>

#include "app/Result.h"

struct DeviceLink;
class CMenuParamItem;

// The condition and scale routines of a parameter, sections of the parameter table file named
// after the item (see RoutineName.h). Each run uses a fresh script engine on the link's port
// and unit. Callers reset the item's derived values (ResetDerived) before.  Both fail when the
// routine is missing, fails or returns no number.

// Whether the parameter exists on the controller: true without a condition, else whether its
// routine returned non-zero.
SResultOf<bool> EvaluateCondition(const DeviceLink& link, const CMenuParamItem& item,
                                  const std::string& tablePath);

// The parameter's scale: the item's own without a scale routine, else the routine's number.
SResultOf<int32_t> EvaluateScale(const DeviceLink& link, const CMenuParamItem& item,
                                 const std::string& tablePath);
