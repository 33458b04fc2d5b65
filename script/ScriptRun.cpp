// Running a loaded routine and reporting its errors in the communication log.
#include <cstdio>

#include "protocol/CommLog.h"
#include "script/Script.h"

bool CScript::Run(CVarItem& result) {
    m_returnVar.Reset();
    m_failure = SResult::Success();
    uint16_t pc = 0;
    bool done = false;
    bool failed = false;
    for (uint64_t steps = 0; !done; ++steps) {
        if (steps >= m_stepLimit) {
            char text[80];
            std::snprintf(text, sizeof text, "script stopped after %llu steps.\n",
                          static_cast<unsigned long long>(steps));
            WriteScriptLog(text);
            failed = true;
            break;
        }
        if (!Step(pc, done)) {
            failed = true;
            break;
        }
    }
    if (failed) {
        char text[48];
        std::snprintf(text, sizeof text, "script run error. line (%u)\n", unsigned{pc});
        WriteScriptLog(text);
        // A failed command has said why already; anything else is the routine's own fault.
        if (m_failure.Ok())
            m_failure = SResult::Failure(ResultCode::kModelNotLoaded,
                                         Reason<ReasonId::kRoutineStoppedAt>(std::to_string(pc)));
    }
    result = m_returnVar;
    return done;
}

void CScript::ReportErrors() {
    WriteScriptLog("script error. information start.\n");
    WriteScriptLog(m_errorText);
    WriteScriptLog("script error. information end.\n");
}

void CScript::WriteScriptLog(const std::string& text) { WriteLog(text); }
