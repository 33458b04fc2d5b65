#pragma once

#include <string>

#include "app/SystemError.h"

// Copies `source` to `target` byte for byte, replacing the target's content.  False when a name is
// empty or a file operation fails; `error` (when given) then names the file and the cause.
bool CopyWholeFile(const std::string& source, const std::string& target,
                   FileError* error = nullptr);
