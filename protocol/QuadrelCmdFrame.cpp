#include "protocol/QuadrelCmdFrame.h"

#include "protocol/FrameCheck.h"
#include "protocol/FrameFields.h"

namespace {
constexpr size_t kDataOffset = 10;  // STX, node, sub-address, SID, command code
}

uint8_t CQuadrelCmdFrame::ComputeBcc() const {
    return Header.HeaderBcc() ^ XorAll(Pdu.CommandText()) ^ XorAll(Data) ^ Trailer.EndByte;
}

std::string CQuadrelCmdFrame::Text() const {
    if (!Header.IsValid()) return {};
    return Header.HeaderText() + Pdu.CommandText() + Data + Trailer.Text();
}

bool CQuadrelCmdFrame::Parse(std::string_view text) {
    Clear();
    const size_t etx = text.find(kEtx);
    if (text.empty() || text[0] != kStx || etx == std::string_view::npos || etx < kDataOffset ||
        etx + 1 >= text.size())
        return false;
    const std::string_view node = text.substr(1, 2);
    Header.Node = node == "XX" ? kBroadcastNode : ReadDecimalField(node).value_or(-1);
    Header.SubAddress = ReadHexField(text.substr(3, 2)).value_or(-1);
    Header.Sid = ReadHexField(text.substr(5, 1)).value_or(-1);
    Pdu.Mrc = static_cast<uint8_t>(ReadHexField(text.substr(6, 2)).value_or(0));
    Pdu.Src = static_cast<uint8_t>(ReadHexField(text.substr(8, 2)).value_or(0));
    Data = std::string(text.substr(kDataOffset, etx - kDataOffset));
    Trailer.CheckByte = static_cast<uint8_t>(text[etx + 1]);
    return ComputeBcc() == Trailer.CheckByte;
}
