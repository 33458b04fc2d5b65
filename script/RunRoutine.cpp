#include "script/RunRoutine.h"

#include <vector>

#include "app/SectionReader.h"
#include "script/Script.h"

bool RunScriptRoutine(const std::string& scriptFile, const std::string& routine, CFramePort* port,
                      int32_t unit, CVarItem& result) {
    std::vector<std::string> lines;
    if (!ReadFileSection(scriptFile, routine, lines)) return false;
    CScript script;
    if (port != nullptr) script.SetPort(port);
    script.SetUnitNumber(unit);
    if (!script.Load(lines)) return false;
    return script.Run(result);
}
