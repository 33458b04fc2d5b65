#include "protocol/QuadrelPdu.h"

#include "protocol/FrameFields.h"

std::string CQuadrelPdu::CommandText() const { return HexText(Mrc, 2) + HexText(Src, 2); }

std::string CQuadrelPdu::FullText() const {
    return CommandText() + HexText(Mres, 2) + HexText(Sres, 2);
}

bool CQuadrelPdu::Parse(std::string_view text) {
    const auto length = static_cast<size_t>(Length());
    if (text.size() < length || text.substr(0, length).find('\0') != std::string_view::npos)
        return false;
    uint8_t* fields[] = {&Mrc, &Src, &Mres, &Sres};
    bool anyRead = false;
    for (size_t i = 0; i < 4; ++i) {
        const auto value = ReadHexField(text.substr(2 * i, 2));
        *fields[i] = static_cast<uint8_t>(value.value_or(0));
        anyRead = anyRead || value.has_value();
    }
    return anyRead;
}
