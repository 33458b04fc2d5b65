// Communication statements and the engine's log output; they are wired to the command
// transaction and the communication log once those are available to this layer.
#include "script/Script.h"

void CScript::WriteScriptLog(const std::string&) {}

bool CScript::ExecComm(int32_t, const CScriptLine&, uint16_t&) { return false; }
