#pragma once

#include <cstdint>
#include <string>

#include "app/Result.h"
#include "ops/SessionState.h"

class CFramePort;

// Runs one of the optional routines of a model's script ("BeforeDownload", "AfterDownload",
// "DisConnect"): Absent when the script has no section of that name (or no script is found),
// Ran when it loaded and ran; a failure (value Failed) says why (the engine logged it).
SResultOf<ERoutineEnd> RunModelRoutine(const std::string& scriptPath, const std::string& routine,
                                       CFramePort* port, int32_t unit);
