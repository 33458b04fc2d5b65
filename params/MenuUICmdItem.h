#pragma once

#include "params/MenuCmdItem.h"

// How a read or write command carries its value.
enum ValueFormat : uint16_t {
    kValueSigned = 1,  // four-character signed text ("F005" is -5)
    kValueNone = 2,    // the command carries no value
    // any other value: hexadecimal
};

// The read command of a parameter: a command with a sixth subfield, the value format.
class CMenuUICmdItem : public CMenuCmdItem {
  public:
    CMenuUICmdItem() : CMenuCmdItem(6) {}

    uint16_t Format() const { return static_cast<uint16_t>(valueFormat); }

    int32_t valueFormat = 0;

  protected:
    explicit CMenuUICmdItem(uint16_t expected) : CMenuCmdItem(expected) {}
    bool ParseExtraFields(const std::vector<std::string>& fields) override;
};
