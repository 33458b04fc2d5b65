#include "protocol/AtExchange.h"

#include "protocol/FrameFields.h"

bool CAtExchange::Build(int unit, std::string_view text) {
    Command.Clear();
    if (text.size() < 2 || !Command.Header.Set(unit, text.substr(0, 2))) return false;
    Command.Data = std::string(text.substr(2));
    Command.Trailer.Fcs = Command.ComputeFcs();
    return true;
}

bool CAtExchange::ParseResponse(std::string_view text) {
    return Response.Parse(text) && EndCodeValue() == 0;
}

std::string CAtExchange::ResponseText() const {
    if (!Response.Valid || !Response.Complete) return {};
    return Response.Text();
}

int CAtExchange::EndCodeValue() const {
    constexpr int kUnreadable = 0x4943;
    // Only a whole two-digit code counts: "0Z" is no normal completion.
    const std::string code = Response.Header.StatusCode();
    if (!Response.Complete || code.size() != 2 ||
        code.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        return kUnreadable;
    return *ReadHexField(code);
}

void CAtExchange::ClearResponse() {
    TimedOutFlag = false;
    OtherCaseCode.clear();
    Response.Clear();
}
