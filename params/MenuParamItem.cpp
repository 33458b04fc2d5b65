#include "params/MenuParamItem.h"

#include "app/NumberText.h"
#include "params/DecimalPoint.h"
#include "params/HexNumber.h"
#include "params/ValueText.h"
#include "protocol/SignedValue.h"

CMenuParamItem::CMenuParamItem() : decimalSeparator(LocaleDecimalSeparator()) {
    writeEnterList.groupSize = 5;
    writeLeaveList.groupSize = 5;
}

int CMenuParamItem::DecimalPlaces() const { return DecimalPlacesFromScale(scale); }

std::string CMenuParamItem::ApplyDecimalPoint(const std::string& text) const {
    return ::ApplyDecimalPoint(text, DecimalPlaces(), decimalSeparator);
}

std::string CMenuParamItem::ToDisplayText(const std::string& raw) const {
    switch (readCommand.Format()) {
        case kValueSigned: {
            std::string decimal = DecodeSignedValue(raw);
            // A zero value decodes to no digits at all ("0000" gives "", "F000" gives "-");
            // the operator must see 0, not an empty field.
            if (!raw.empty() && (decimal.empty() || decimal == "-")) {
                decimal = std::string(1, '0');  // not = "0": g++ 12 -O2 misreports -Wrestrict
            }
            return TrimTrailingDecimals(ApplyDecimalPoint(decimal), decimalSeparator);
        }
        case kValueNone:
            return "";
        default: {
            uint32_t value;
            if (!ScanHex(raw, value)) return "";
            return ApplyDecimalPoint(std::to_string(static_cast<int32_t>(value)));
        }
    }
}

// A set value is the hexadecimal reading of the answer. For a signed field that reading is not
// the value: the four-character text it came from is rebuilt and decoded. A set value that no
// signed field reads as (a file of another table, an edited one) is shown as it stands. Either
// way with all the decimals the scale gives, as every other scaled value.
std::string CMenuParamItem::SetValueDisplayText(const std::string& text) const {
    if (text.empty()) return "";
    int32_t value = 0;
    if (readCommand.Format() == kValueSigned && ScanDecimalInt(text, value) &&
        std::to_string(value) == text) {
        const std::string field = FormatHex(static_cast<uint32_t>(value), 4);
        if (IsSignedValueText(field)) return ApplyDecimalPoint(DecodeSignedValue(field));
    }
    return ApplyDecimalPoint(text);
}

SReason CMenuParamItem::WriteValueProblem(const std::string& operatorText) const {
    const SValueForm form{writeCommand.Format(), writeCommand.hexDigits, DecimalPlaces(),
                          decimalSeparator};
    return ValueTextProblem(operatorText, form);
}

SReason CMenuParamItem::SetValueProblem(const std::string& text) const {
    return SetValueTextProblem(text, writeCommand.hexDigits);
}

std::string CMenuParamItem::ToDeviceText(const std::string& operatorText) const {
    std::string integer = ScaleToInteger(operatorText, DecimalPlaces(), decimalSeparator);
    switch (writeCommand.Format()) {
        case kValueSigned:
            return EncodeSignedValue(integer);
        case kValueNone:
            return "";
        default: {
            int32_t value = 0;
            if (!ScanDecimalInt(integer, value)) value = 0;
            return FormatHex(static_cast<uint32_t>(value), writeCommand.hexDigits);
        }
    }
}

std::string CMenuParamItem::RawToSetValue(const std::string& raw) const {
    uint32_t value;
    if (!ScanHex(raw, value)) return "";
    return std::to_string(static_cast<int32_t>(value));
}

std::string CMenuParamItem::SetValueToRaw(const std::string& text) const {
    int32_t value;
    if (!ScanDecimalInt(text, value)) return "";
    return FormatHex(static_cast<uint32_t>(value), writeCommand.hexDigits);
}
