#include "protocol/AtCmdHeader.h"
#include "protocol/AtResHeader.h"
#include "protocol/ControlBytes.h"
#include "protocol/FrameCheck.h"
#include "protocol/FrameFields.h"

std::string CAtHeader::AddressText() const {
    return static_cast<char>(StartByte) + AtUnitText(Unit) + HeaderCode;
}

uint8_t CAtHeader::HeaderFcs() const { return XorAll(HeaderText()); }

bool CAtHeader::IsAddressValid() const {
    return StartByte == kAtStart && HeaderCode.size() == 2 && IsAddressable(Unit);
}

bool CAtCmdHeader::Set(int unit, std::string_view code) {
    if (code.size() != 2 || !IsAddressable(unit)) return false;
    StartByte = kAtStart;
    Unit = unit;
    HeaderCode = std::string(code);
    return true;
}

uint8_t CAtResHeader::HeaderFcs() const { return XorAll(HeaderText()); }

std::string CAtResHeader::HeaderText() const {
    return IsIc() ? AddressText() : AddressText() + EndCode;
}

bool CAtResHeader::IsValid() const { return IsAddressValid() && (IsIc() || EndCode.size() == 2); }

bool CAtResHeader::Parse(std::string_view text) {
    EndCode.clear();
    if (text.size() < 5) return false;
    StartByte = static_cast<unsigned char>(text[0]);
    HeaderCode = std::string(text.substr(3, 2));
    if (!IsIc()) EndCode = std::string(text.substr(5, 2));
    const std::string_view unit = text.substr(1, 2);
    if (unit == "**") {
        Unit = kBroadcastNode;
        return true;
    }
    Unit = ReadDecimalField(unit).value_or(-1);
    return Unit >= 0;
}
