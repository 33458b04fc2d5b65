#include "protocol/QuadrelResFrame.h"

#include "protocol/FrameCheck.h"

namespace {
constexpr size_t kCodeOffset = 7;   // after STX, node, sub-address and end code
constexpr size_t kDataOffset = 15;  // after the command and response codes
}  // namespace

bool CQuadrelResFrame::Parse(std::string_view text) {
    Complete = false;
    if (!Header.Parse(text) || !Header.IsValid()) return false;
    if (!Pdu.Parse(text.substr(kCodeOffset))) return false;
    const size_t etx = text.find(kEtx);
    // An ETX inside the fixed fields, or one without a check byte after it, ends no frame.
    if (etx == std::string_view::npos || etx < kDataOffset || etx + 1 >= text.size()) {
        Data.clear();
        return false;
    }
    Data = std::string(text.substr(kDataOffset, etx - kDataOffset));
    Trailer.EndByte = kEtx;
    Trailer.CheckByte = static_cast<uint8_t>(text[etx + 1]);
    ComputedBcc = ComputeBcc();
    Complete = true;
    return ComputedBcc == Trailer.CheckByte;
}

uint8_t CQuadrelResFrame::ComputeBcc() const {
    return Header.HeaderBcc() ^ XorAll(Pdu.FullText()) ^ XorAll(Data) ^ Trailer.EndByte;
}

std::string CQuadrelResFrame::Text() const {
    return Header.HeaderText() + Pdu.FullText() + Data + Trailer.Text();
}

void CQuadrelResFrame::Clear() {
    Header.EndCode = -1;
    Pdu = CQuadrelPdu();
    Data.clear();
    Trailer.CheckByte = 0;
    ComputedBcc = 0;
    Valid = false;
    Complete = false;
}
