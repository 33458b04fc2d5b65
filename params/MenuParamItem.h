#pragma once

#include <cstdint>
#include <string>

#include "app/Reason.h"
#include "params/MenuCmdList.h"
#include "params/MenuUICmdItem.h"
#include "params/MenuWriteCmdItem.h"

// One parameter of a controller model: its commands, what the table says about it, and the
// values that reading and writing fill in. Copies are deep.
class CMenuParamItem {
  public:
    CMenuParamItem();
    virtual ~CMenuParamItem() = default;
    CMenuParamItem(const CMenuParamItem&) = default;
    CMenuParamItem(CMenuParamItem&&) noexcept = default;
    CMenuParamItem& operator=(const CMenuParamItem&) = default;
    CMenuParamItem& operator=(CMenuParamItem&&) noexcept = default;

    // Forgets what the condition and scale routines found, before they run again.
    void ResetDerived() {
        scale = 0;
        exists = false;
    }
    // Whether the parameter exists: decided by its condition routine when it has one.
    bool Exists() const { return condition != 0 ? exists : true; }
    int DecimalPlaces() const;

    // Why the operator's text cannot be written to this parameter; empty when it can. The
    // scale routine must have run, since it decides the decimals.
    SReason WriteValueProblem(const std::string& operatorText) const;
    // Why a set value from a parameter file cannot be written by this parameter's write
    // command; empty when it can.
    SReason SetValueProblem(const std::string& text) const;
    // Operator's text (setting view) -> data text for the write command.
    virtual std::string ToDeviceText(const std::string& operatorText) const;
    // Response data of the read command -> operator's text (setting view).
    virtual std::string ToDisplayText(const std::string& raw) const;
    // Response data (hexadecimal) -> set value (decimal); empty when no number can be read.
    virtual std::string RawToSetValue(const std::string& raw) const;
    // Set value (decimal) -> data text with the write command's hex digits; empty when no
    // number can be read.
    virtual std::string SetValueToRaw(const std::string& text) const;
    // Integer text -> the same value with the decimal point placed by the scale.
    virtual std::string ApplyDecimalPoint(const std::string& text) const;
    // Set value -> the value with its decimal point, for exports and comparisons: a signed
    // field's value as decoded, with every decimal the scale gives; empty for an empty one.
    std::string SetValueDisplayText(const std::string& text) const;

    std::string name;
    CMenuUICmdItem readCommand;
    CMenuWriteCmdItem writeCommand;
    int32_t scale = 0;  // power of ten of the decimal point, set by the scale routine
    CMenuCmdList writeEnterList;
    CMenuCmdList writeLeaveList;
    int32_t writable = 0;     // 0: display only; non-zero: transferred; 1: also editable
    int32_t writeMode = 0;    // compared as 16 bits; non-zero: written only in write mode
    int32_t number = 0;       // the key of the download and upload orders
    std::string settingText;  // raw value last read for the setting view
    std::string setValue;     // the whole-set value: a decimal integer text without point
    bool exists = false;      // result of the condition routine
    int32_t condition = 0;    // non-zero: existence decided by the condition routine
    std::string conditionText;
    int32_t scaleScript = 0;  // non-zero: the scale comes from the scale routine
    std::string scaleText;
    bool valid = true;  // the set value came from, or went to, the device
    char decimalSeparator;

    uint16_t WriteMode16() const { return static_cast<uint16_t>(writeMode); }
};
