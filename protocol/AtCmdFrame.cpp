#include "protocol/AtCmdFrame.h"

#include "protocol/FrameCheck.h"
#include "protocol/FrameEnd.h"
#include "protocol/FrameFields.h"

uint8_t CAtCmdFrame::ComputeFcs() const { return Header.HeaderFcs() ^ XorAll(Data); }

std::string CAtCmdFrame::Text() const {
    if (!Header.IsValid()) return {};
    return Header.HeaderText() + Data + Trailer.Text();
}

bool CAtCmdFrame::Parse(std::string_view text) {
    Clear();
    constexpr size_t kHeaderLength = 5;
    if (text.size() < kHeaderLength + 4 || text[0] != kAtStart || !IsAtFrameComplete(text))
        return false;
    const std::string_view unit = text.substr(1, 2);
    const int number = unit == "**" ? kBroadcastNode : ReadDecimalField(unit).value_or(-1);
    if (!Header.Set(number, text.substr(3, 2))) return false;
    const size_t fcsOffset = text.size() - 4;
    Data = std::string(text.substr(kHeaderLength, fcsOffset - kHeaderLength));
    const auto fcs = ReadHexField(text.substr(fcsOffset, 2));
    if (!fcs) return false;
    Trailer.Fcs = static_cast<uint8_t>(*fcs);
    return ComputeFcs() == Trailer.Fcs && HexText(*fcs, 2) == text.substr(fcsOffset, 2);
}
