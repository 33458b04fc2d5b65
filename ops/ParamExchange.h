#pragma once

#include <cstdint>
#include <string>

struct DeviceLink;
class CMenuCmdItem;
class CMenuCmdList;

// Running the commands of the parameter table against the controller. A unit number of -1
// means the link's own unit.

// The frame of `command` with `data` appended to its command text: an at-frame for frame kind
// 1, else a Quadrel frame. Empty when no frame can be built (unit out of range, short text).
std::string BuildCommandFrame(const DeviceLink& link, const CMenuCmdItem& command,
                              const std::string* data, int32_t unit = -1);

// Sends the command with its time-out, up to retries + 1 times while the answer allows a retry,
// logging every frame. 1 on success (the response data then go to `response` when given); a
// missing reply counts as success, without data, when the command requires none. 0 on
// failure, and at once without logging when the port is not open.
int ExecuteCommand(const DeviceLink& link, const CMenuCmdItem& command, const std::string* data,
                   std::string* response, int32_t unit = -1);

// Runs the list's commands in order without data; stops at the first failure. 1 when every
// command succeeded; an empty list gives 0.
int RunCommandList(const DeviceLink& link, const CMenuCmdList& list, int32_t unit = -1);
