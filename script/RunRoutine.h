#pragma once

#include <cstdint>
#include <string>

#include "app/Result.h"
#include "script/VarItem.h"

class CFramePort;

// Runs one routine of a script file the way every caller does: read its section, load it,
// run it with a fresh engine on the port for the unit.  The value is the routine's return
// variable whenever it ran.  Fails (kModelNotLoaded) when the section cannot be read (nothing
// is logged) or the routine does not load, or as its run failed: the failed command's result,
// or where the routine stopped (both logged).
SResultOf<CVarItem> RunScriptRoutine(const std::string& scriptFile, const std::string& routine,
                                     CFramePort* port, int32_t unit);
