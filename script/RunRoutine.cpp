#include "script/RunRoutine.h"

#include <vector>

#include "app/SectionReader.h"
#include "script/Script.h"

SResultOf<CVarItem> RunScriptRoutine(const std::string& scriptFile, const std::string& routine,
                                     CFramePort* port, int32_t unit) {
    std::vector<std::string> lines;
    if (!ReadFileSection(scriptFile, routine, lines))
        return SResult::Failure(ResultCode::kModelNotLoaded,
                                Reason<ReasonId::kRoutineUnreadable>(routine));
    CScript script;
    if (port != nullptr) script.SetPort(port);
    script.SetUnitNumber(unit);
    if (!script.Load(lines))
        return SResult::Failure(ResultCode::kModelNotLoaded,
                                Reason<ReasonId::kRoutineNotLoaded>(routine));
    CVarItem value;
    if (!script.Run(value)) return {script.Failure(), value};
    return {SResult::Success(), value};
}
