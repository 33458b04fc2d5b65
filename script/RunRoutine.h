#pragma once

#include <cstdint>
#include <string>

#include "script/VarItem.h"

class CFramePort;

// Runs one routine of a script file the way every caller does: read its section, load it,
// run it with a fresh engine on the port for the unit. False when the section cannot be read
// (nothing is logged), when the routine does not load or when the run fails (both are logged).
// The result receives the routine's return variable whenever the routine ran.
bool RunScriptRoutine(const std::string& scriptFile, const std::string& routine, CFramePort* port,
                      int32_t unit, CVarItem& result);
