#pragma once

#include <string>

class CMenuParamItem;

// The section names of a parameter's routines in the parameter table file: eight upper-case hex
// digits of the sum of the text's bytes (each taken as a signed 8-bit value) plus the parameter
// number, plus 65536 for the scale routine; the sum wraps at 32 bits.
std::string ConditionRoutineName(const CMenuParamItem& item);
std::string ScaleRoutineName(const CMenuParamItem& item);
