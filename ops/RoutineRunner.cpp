#include "ops/RoutineRunner.h"

#include <vector>

#include "app/SectionReader.h"
#include "script/Script.h"

bool RunRoutine(const std::string& file, const std::string& section, CFramePort* port, int unit,
                CVarItem& result) {
    std::vector<std::string> lines;
    if (file.empty() || !ReadFileSection(file, section, lines)) return false;
    CScript script;
    script.SetPort(port);
    script.SetUnitNumber(unit);
    return script.Load(lines) && script.Run(result);
}
