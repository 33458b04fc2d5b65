#include "ops/ModelRoutine.h"

#include <vector>

#include "app/SectionReader.h"
#include "script/RunRoutine.h"
#include "script/VarItem.h"

SResultOf<ERoutineEnd> RunModelRoutine(const std::string& scriptPath, const std::string& routine,
                                       CFramePort* port, int32_t unit) {
    // The section is read twice (here and by the run) so that a routine the model does not have
    // is told apart from one that failed; scripts are a few KiB.
    std::vector<std::string> lines;
    if (!ReadFileSection(scriptPath, routine, lines))
        return {SResult::Success(), ERoutineEnd::Absent};
    const SResultOf<CVarItem> run = RunScriptRoutine(scriptPath, routine, port, unit);
    return {run, run.Ok() ? ERoutineEnd::Ran : ERoutineEnd::Failed};
}
