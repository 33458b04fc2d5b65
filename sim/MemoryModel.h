#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "params/MenuParamTable.h"
#include "sim/SimCommand.h"
#include "sim/SimProfile.h"

// What a simulated unit with a parameter memory knows of its model, taken from the profile:
//
//   [Memory]
//   Table=HD40.prm          the model's parameter table (found like any model file)
//   WriteModeEnter=6C01     commands that switch write mode on / off (comma-separated)
//   WriteModeLeave=6C00
//   RunStop=7101            commands that stop / restart control (comma-separated)
//   RunStart=7100
//   Store=6E00              commands that store the memory; never answered, like the unit busy
//                           writing its non-volatile memory
//   Silent=...              other commands that are never answered
//   [Values]
//   2=2500                  initial value of parameter 2, as it travels (default 0)
//   [Ranges]
//   2=-19999,99999          accepted values of parameter 2 (default: any)
//
// The table gives each parameter's read and write command and value format. Shared by every
// unit of the line; each unit keeps its own values (MemoryResponder).
class MemoryModel {
  public:
    struct Range {
        int32_t low;
        int32_t high;
    };
    // Commands that change a unit's state rather than a parameter.
    enum class Control { None, WriteModeEnter, WriteModeLeave, RunStop, RunStart, Store };

    // False, with the reason in `error`, when the profile has no [Memory] section or its table
    // cannot be loaded, when a value or range is not a number or a command is in two of the
    // lists of controls.
    bool Load(const SimProfile& profile, std::string& error);

    // The item whose read command is the command, or nullptr.
    const CMenuParamItem* FindRead(const SimCommand& command) const;
    // The item whose write command begins the command (the rest is the value), or nullptr.
    const CMenuParamItem* FindWrite(const SimCommand& command) const;

    // What the command does to the unit's state; None for any other command.
    Control FindControl(const SimCommand& command) const;
    bool IsSilent(const SimCommand& command) const;
    bool InRange(int32_t number, int32_t value) const;

    // Every parameter number of the table with its initial value.
    const std::map<int32_t, int32_t>& InitialValues() const { return m_initial; }

  private:
    CMenuParamTable m_table;
    std::map<std::string, Control> m_controls;  // by command text
    std::set<std::string> m_silent;
    std::map<int32_t, int32_t> m_initial;
    std::map<int32_t, Range> m_ranges;
};

// True when the profile asks for a parameter memory.
bool HasMemory(const SimProfile& profile);
