#pragma once

#include <string>

class CFramePort;
class CVarItem;

// Runs the routine `section` of the script file `file` with the port and unit
// number its communication statements use.  False when the file or the section
// is missing or empty, or the routine does not load or run.
bool RunRoutine(const std::string& file, const std::string& section, CFramePort* port, int unit,
                CVarItem& result);
