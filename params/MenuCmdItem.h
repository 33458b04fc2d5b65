#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One command of a parameter table: the command part of a frame with its time-out, retries,
// frame kind and reply rule, written in the table as ";"-separated subfields
// ("0A10;2;1;0;1" = command text, seconds, retries, frame kind, reply required).
class CMenuCmdItem {
  public:
    explicit CMenuCmdItem(uint16_t fieldCount = 0) : expectedFields(fieldCount) {}
    virtual ~CMenuCmdItem() = default;
    CMenuCmdItem(const CMenuCmdItem&) = default;
    CMenuCmdItem(CMenuCmdItem&&) noexcept = default;
    CMenuCmdItem& operator=(const CMenuCmdItem&) = default;
    CMenuCmdItem& operator=(CMenuCmdItem&&) noexcept = default;

    // Whether the text has exactly the expected number of subfields, a non-empty command text
    // and a number in every numeric subfield. Fields assigned before the failing subfield keep
    // their new values.
    virtual bool Parse(const std::string& text);

    bool IsAtFrame() const { return static_cast<uint16_t>(frameKind) == 1; }

    uint16_t expectedFields;
    std::string definition;     // the whole command as written in the table
    std::string commandText;    // the command part of the frame, data is appended to it
    uint16_t timeout = 65535;   // milliseconds: the table's seconds x 1000, kept in 16 bits
    uint16_t retries = 65535;   // repetitions after a failed attempt
    int32_t frameKind = 0;      // 1: at-frame, else Quadrel frame
    int32_t replyRequired = 1;  // 0: a missing reply counts as success

  protected:
    // Reads the subfields after the fifth; `fields` has exactly `expectedFields` entries.
    virtual bool ParseExtraFields(const std::vector<std::string>& fields);
};
