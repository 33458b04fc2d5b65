#pragma once

#include <cstdint>
#include <string>

class CFramePort;
class CMenuCmdItem;
class CMenuCmdList;
class CMenuParamItem;

// What a parameter's commands and routines need of the connection: the port, the
// unit number used when a caller gives -1, and the table file holding the routines.
struct SDeviceLink {
    CFramePort* port = nullptr;
    int unit = 0;
    std::string tablePath;
};

// The frame of a table command with its data, for the given unit (or the link's
// when -1): an at-frame for frame kind 1, else a Quadrel frame.
std::string BuildCommandFrame(const SDeviceLink& link, const CMenuCmdItem& command,
                              const std::string* data, int unit = -1);

// Sends a table command with its time-out and retries, logging every frame.  A
// response, when asked for, is stored only on success with data.
bool ExecuteCommand(const SDeviceLink& link, const CMenuCmdItem& command,
                    const std::string* data, std::string* response, int unit = -1);

// Runs every command of the list; the first failure ends it.  An empty list fails.
bool RunCommandList(const SDeviceLink& link, const CMenuCmdList& list, int unit = -1);

// The names of a parameter's routines in the table file: "%08X" of the signed byte
// sum of the text plus the number (plus 65536 for the scale routine).
std::string ConditionRoutineName(const CMenuParamItem& item);
std::string ScaleRoutineName(const CMenuParamItem& item);

// Runs the condition routine; its verdict goes to `result` when given, else to the
// parameter's exists field.  False when the routine is missing, fails, or answers
// with something else than a number.
bool EvaluateCondition(const SDeviceLink& link, CMenuParamItem& item, int32_t* result = nullptr);
// Runs the scale routine into the parameter's scale; true at once without one.
bool EvaluateScale(const SDeviceLink& link, CMenuParamItem& item);
