#pragma once

#include <string>

struct DeviceLink;
class CMenuParamItem;

// The condition and scale routines of a parameter, sections of the parameter table file named
// after the item (see RoutineName.h). Each run uses a fresh script engine on the link's port
// and unit. Callers reset the item's derived values (ResetDerived) before.

// 1 when the condition is known: the parameter has no condition (result 1, exists untouched),
// or its routine ran and returned a number (result: non-zero or not). The result goes to
// `result` when given, else to the item's exists field. 0 when the routine is missing, fails
// or returns no number.
int EvaluateCondition(const DeviceLink& link, CMenuParamItem& item, const std::string& tablePath,
                      bool* result = nullptr);

// 1 when the scale is known: the parameter has no scale routine (scale untouched), or its
// routine returned a number, which becomes the item's scale. 0 otherwise.
int EvaluateScale(const DeviceLink& link, CMenuParamItem& item, const std::string& tablePath);
