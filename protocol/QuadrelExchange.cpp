#include "protocol/QuadrelExchange.h"

#include "protocol/FrameFields.h"

bool CQuadrelExchange::Build(int node, uint16_t code, std::string_view data) {
    Command.Clear();
    if (!IsAddressable(node)) return false;
    Command.Header.Node = node;
    Command.Header.SubAddress = 0;
    Command.Header.Sid = 0;
    Command.Pdu.SetCommand(code);
    Command.Data = std::string(data);
    Command.Trailer.CheckByte = Command.ComputeBcc();
    return true;
}

bool CQuadrelExchange::BuildFromText(int node, std::string_view text) {
    constexpr size_t kCodeLength = 4;
    const std::string_view codeText = text.substr(0, kCodeLength);
    // A partly readable code would silently send another command than the one written.
    if (codeText.size() < kCodeLength ||
        codeText.find_first_not_of("0123456789ABCDEFabcdef") != std::string_view::npos) {
        Command.Clear();
        return false;
    }
    const int code = *ReadHexField(codeText);
    return Build(node, static_cast<uint16_t>(code), text.substr(kCodeLength));
}

bool CQuadrelExchange::ParseResponse(std::string_view text) {
    const bool bccOk = Response.Parse(text);
    return bccOk && Response.Header.EndCode == 0 && Response.Pdu.Response() == 0 &&
           Response.Pdu.Command() == Command.Pdu.Command();
}

std::string CQuadrelExchange::ResponseText() const {
    if (!Response.Valid || !Response.Complete) return {};
    return Response.Text();
}

void CQuadrelExchange::ClearResponse() {
    TimedOutFlag = false;
    OtherCaseCode.clear();
    Response.Clear();
}
