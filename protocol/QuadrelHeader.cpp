#include "protocol/FrameCheck.h"
#include "protocol/FrameFields.h"
#include "protocol/QuadrelCmdHeader.h"
#include "protocol/QuadrelResHeader.h"

std::string CQuadrelHeader::AddressText() const {
    return QuadrelNodeText(Node) + HexText(SubAddress, 2);
}

uint8_t CQuadrelHeader::HeaderBcc() const { return XorAll(AddressText()); }

std::string CQuadrelHeader::HeaderText() const {
    return static_cast<char>(StartByte) + AddressText();
}

uint8_t CQuadrelCmdHeader::HeaderBcc() const {
    return CQuadrelHeader::HeaderBcc() ^ XorAll(HexText(Sid, 1));
}

std::string CQuadrelCmdHeader::HeaderText() const {
    return CQuadrelHeader::HeaderText() + HexText(Sid, 1);
}

bool CQuadrelCmdHeader::IsValid() const { return StartByte == kStx && SubAddress == 0 && Sid == 0; }

uint8_t CQuadrelResHeader::HeaderBcc() const {
    return CQuadrelHeader::HeaderBcc() ^ XorAll(HexText(EndCode, 2));
}

std::string CQuadrelResHeader::HeaderText() const {
    return CQuadrelHeader::HeaderText() + HexText(EndCode, 2);
}

bool CQuadrelResHeader::Parse(std::string_view text) {
    const auto length = static_cast<size_t>(HeaderLength());
    if (text.size() < length || text.substr(0, length).find('\0') != std::string_view::npos)
        return false;
    StartByte = static_cast<unsigned char>(text[0]);
    SubAddress = ReadHexField(text.substr(3, 2)).value_or(-1);
    EndCode = ReadHexField(text.substr(5, 2)).value_or(-1);
    const std::string_view node = text.substr(1, 2);
    if (node == "XX") {
        Node = kBroadcastNode;
        return true;
    }
    const auto number = ReadDecimalField(node);
    if (!number) return false;
    Node = *number;
    return true;
}
