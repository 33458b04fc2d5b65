#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "params/MenuCmdItem.h"

// An ordered list of commands written in the table as one ";"-separated field, five subfields
// per command (the write-enter and write-leave commands of a parameter).
class CMenuCmdList {
  public:
    // Positions are 16-bit, so a list holds at most this many commands.
    static constexpr size_t kMaxCommands = 65535;

    CMenuCmdList() = default;
    virtual ~CMenuCmdList() = default;
    CMenuCmdList(const CMenuCmdList&) = default;
    CMenuCmdList(CMenuCmdList&&) noexcept = default;
    CMenuCmdList& operator=(const CMenuCmdList&) = default;
    CMenuCmdList& operator=(CMenuCmdList&&) noexcept = default;

    // Whether the text splits into whole groups that all parse; an empty text gives an empty list.
    // A count that is not a multiple of the group size fails and leaves the list unchanged; a
    // group that fails to parse keeps the commands added before it.
    virtual bool Parse(const std::string& text);

    void Clear() { m_commands.clear(); }
    bool Add(const CMenuCmdItem& command);
    const CMenuCmdItem* GetAt(size_t position) const;
    size_t GetCount() const { return m_commands.size(); }

    uint16_t groupSize = 0;

  private:
    std::vector<CMenuCmdItem> m_commands;
};
