#include "protocol/AtResFrame.h"

#include "protocol/FrameEnd.h"
#include "protocol/FrameFields.h"

bool CAtResFrame::Parse(std::string_view text) {
    Clear();
    const size_t trailerLength = static_cast<size_t>(Trailer.Length());
    if (text.size() < 5 + trailerLength || !IsAtFrameComplete(text)) return false;
    if (!Header.Parse(text) || !Header.IsValid()) return false;
    const size_t headerLength = static_cast<size_t>(Header.HeaderLength());
    // A header that runs into the trailer leaves no room for the FCS.
    if (text.size() < headerLength + trailerLength) return false;
    const size_t fcsOffset = text.size() - trailerLength;
    Data = std::string(text.substr(headerLength, fcsOffset - headerLength));
    const auto fcs = ReadHexField(text.substr(fcsOffset, 2));
    if (!fcs) return false;
    Trailer.Fcs = static_cast<uint8_t>(*fcs);
    ComputedFcs = ComputeFcs();
    Valid = true;
    Complete = true;
    return ComputedFcs == Trailer.Fcs;
}

void CAtResFrame::Clear() {
    Header.EndCode.clear();
    Data.clear();
    Trailer.Fcs = 0;
    ComputedFcs = 0;
    Valid = false;
    Complete = false;
}
