#include "sim/CannedResponder.h"

namespace {
constexpr const char* kModelRequest = "0503";
}

CannedResponder::CannedResponder(const SimProfile& profile)
    : modelText_(profile.ModelText), quadrel_(profile.QuadrelAnswers), at_(profile.AtAnswers) {}

std::optional<SimReply> CannedResponder::Respond(const SimCommand& command) {
    std::lock_guard guard(lock_);
    const bool quadrel = command.Protocol == SimProtocol::Quadrel;
    SimReply reply;
    if (quadrel && command.Code == kModelRequest) {
        reply.Data = modelText_;
        return reply;
    }
    const auto& answers = quadrel ? quadrel_ : at_;
    auto found = answers.find(command.Text());
    if (found == answers.end()) found = answers.find(command.Code);
    if (found != answers.end()) {
        reply.Data = found->second;
    } else if (quadrel) {
        reply.ResponseCode = kUnknownCommandCode;
    } else {
        reply.AtEndCode = kUnknownAtEndCode;
    }
    return reply;
}

void CannedResponder::SetAnswer(SimProtocol protocol, const std::string& commandText,
                                const std::string& data) {
    std::lock_guard guard(lock_);
    (protocol == SimProtocol::Quadrel ? quadrel_ : at_)[commandText] = data;
}

void CannedResponder::SetModelText(const std::string& modelText) {
    std::lock_guard guard(lock_);
    modelText_ = modelText;
}
