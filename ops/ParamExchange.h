#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/Result.h"

struct DeviceLink;
class CMenuCmdItem;
class CMenuCmdList;

// Running the commands of the parameter table against the controller. A unit number of -1
// means the link's own unit.

// The frame of `command` with `data` appended to its command text: an at-frame for frame kind
// 1, else a Quadrel frame. Empty when no frame can be built (unit out of range, short text).
std::string BuildCommandFrame(const DeviceLink& link, const CMenuCmdItem& command,
                              std::string_view data = {}, int32_t unit = -1);

// Sends the command with its time-out, up to retries + 1 times while the answer allows a retry,
// logging every frame.  The value is the response data; a missing reply counts as success,
// without data, when the command requires none.  Fails as the exchange ended (what came back),
// and at once without logging when the port is not open or the command cannot be framed.
SResultOf<std::string> ExecuteCommand(const DeviceLink& link, const CMenuCmdItem& command,
                                      std::string_view data = {}, int32_t unit = -1);

// Runs the list's commands in order without data; stops at the first failure and answers it.
// An empty list fails: a parameter that needs a write mode has no way into it.
SResult RunCommandList(const DeviceLink& link, const CMenuCmdList& list, int32_t unit = -1);
